// Registered window classes: what RegisterClassExA records and
// CreateWindowExA looks up by name or atom.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace winapi::user {

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    // The menu as lpszMenuName gave it: a number (MAKEINTRESOURCE) or a name.
    bool hasMenu = false;
    WORD menuNumber = 0;
    std::string menuName;
    // Classes of the system's own windows (dialogs, buttons, statics) have no
    // client surface: Qt draws them.
    bool isSystemClass = false;

    LPCSTR MenuResourceName() const;
};

class ClassRegistry {
public:
    // The new class's atom, or 0 when the description is invalid or a class
    // of that name is already registered.
    ATOM Register(WNDCLASSEXA const& description);
    ATOM RegisterSystemClass(std::string name, WNDPROC procedure, HBRUSH background);
    bool Unregister(LPCSTR name);

    // By name (compared without regard to ASCII case) or by atom
    // (MAKEINTATOM). The pointer stays valid for windows holding it even
    // after the class is unregistered.
    std::shared_ptr<WindowClass const> Find(LPCSTR nameOrAtom) const;

    // Forgets every class the program registered; system classes stay.
    void RemoveProgramClasses();

private:
    ATOM NextAtom();

    std::vector<std::shared_ptr<WindowClass>> m_classes;
    ATOM m_nextAtom = 0xC000;
};

ClassRegistry& Classes();

}
