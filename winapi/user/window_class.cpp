#include "winapi/user/window_class.h"

#include <algorithm>

namespace winapi::user {

namespace {

bool SameName(std::string const& a, char const* b)
{
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == '\0')
            return false;
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return b[i] == '\0';
}

}

LPCSTR WindowClass::MenuResourceName() const
{
    if (!hasMenu)
        return nullptr;
    if (menuName.empty())
        return MAKEINTRESOURCEA(menuNumber);
    return menuName.c_str();
}

ATOM ClassRegistry::NextAtom()
{
    // Atoms of registered classes live in 0xC000..0xFFFF, as in Win32.
    for (int tries = 0; tries < 0x4000; ++tries) {
        ATOM const candidate = m_nextAtom;
        m_nextAtom = m_nextAtom == 0xFFFF ? ATOM { 0xC000 } : static_cast<ATOM>(m_nextAtom + 1);
        bool const used = std::any_of(m_classes.begin(), m_classes.end(),
            [&](auto const& windowClass) { return windowClass->atom == candidate; });
        if (!used)
            return candidate;
    }
    return 0;
}

ATOM ClassRegistry::Register(WNDCLASSEXA const& description)
{
    if (description.cbSize != sizeof(WNDCLASSEXA) || !description.lpszClassName
        || IS_INTRESOURCE(description.lpszClassName) || description.lpszClassName[0] == '\0'
        || description.cbClsExtra < 0 || description.cbWndExtra < 0)
        return 0;
    if (Find(description.lpszClassName))
        return 0;
    ATOM const atom = NextAtom();
    if (atom == 0)
        return 0;

    auto windowClass = std::make_shared<WindowClass>();
    windowClass->atom = atom;
    windowClass->name = description.lpszClassName;
    windowClass->style = description.style;
    windowClass->procedure = description.lpfnWndProc;
    windowClass->instance = description.hInstance;
    windowClass->icon = description.hIcon;
    windowClass->smallIcon = description.hIconSm;
    windowClass->cursor = description.hCursor;
    windowClass->background = description.hbrBackground;
    if (description.lpszMenuName) {
        windowClass->hasMenu = true;
        if (IS_INTRESOURCE(description.lpszMenuName))
            windowClass->menuNumber = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(description.lpszMenuName));
        else
            windowClass->menuName = description.lpszMenuName;
    }
    m_classes.push_back(std::move(windowClass));
    return atom;
}

ATOM ClassRegistry::RegisterSystemClass(std::string name, WNDPROC procedure, HBRUSH background)
{
    if (auto existing = Find(name.c_str()))
        return existing->atom;
    auto windowClass = std::make_shared<WindowClass>();
    windowClass->atom = NextAtom();
    windowClass->name = std::move(name);
    windowClass->procedure = procedure;
    windowClass->background = background;
    windowClass->isSystemClass = true;
    ATOM const atom = windowClass->atom;
    m_classes.push_back(std::move(windowClass));
    return atom;
}

bool ClassRegistry::Unregister(LPCSTR name)
{
    auto const found = Find(name);
    if (!found || found->isSystemClass)
        return false;
    std::erase_if(m_classes, [&](auto const& windowClass) { return windowClass == found; });
    return true;
}

std::shared_ptr<WindowClass const> ClassRegistry::Find(LPCSTR nameOrAtom) const
{
    if (!nameOrAtom)
        return nullptr;
    for (auto const& windowClass : m_classes) {
        bool const matches = IS_INTRESOURCE(nameOrAtom)
            ? windowClass->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom))
            : SameName(windowClass->name, nameOrAtom);
        if (matches)
            return windowClass;
    }
    return nullptr;
}

void ClassRegistry::RemoveProgramClasses()
{
    std::erase_if(m_classes, [](auto const& windowClass) { return !windowClass->isSystemClass; });
}

ClassRegistry& Classes()
{
    static ClassRegistry registry;
    return registry;
}

}
