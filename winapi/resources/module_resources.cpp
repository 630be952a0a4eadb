#include "winapi/resources/module_resources.h"

#include "winapi/resources/module_handles.h"

#include <map>
#include <memory>
#include <set>

namespace winapi::resources {

namespace {

// Any distinct non-null address serves as the module's handle.
HINSTANCE__ g_mainModuleObject {};

// Objects behind the handles: created on first load, shared by later loads
// of the same resource, and never freed, so a handle stays valid for the
// life of the process even when the resources are replaced.
struct ModuleState {
    std::span<std::uint8_t const> bytes;
    std::optional<ResourceFile> file;
    std::map<std::uint16_t, HICON> iconsByNumber;
    std::map<std::u16string, HICON> iconsByName;
    std::map<std::uint16_t, HACCEL> tablesByNumber;
    std::map<std::u16string, HACCEL> tablesByName;
    std::set<void const*> liveIcons;
    std::set<void const*> liveTables;
    std::vector<std::unique_ptr<LoadedIcon>> icons;
    std::vector<std::unique_ptr<AcceleratorTable>> tables;
};

// Built on first use: the embedded resources arrive during static
// initialisation, in an order the linker chooses.
ModuleState& State()
{
    static ModuleState state;
    return state;
}

std::u16string UpperName(ResourceId const& id)
{
    std::u16string upper = id.name;
    for (auto& unit : upper) {
        if (unit >= u'a' && unit <= u'z')
            unit = static_cast<char16_t>(unit - u'a' + u'A');
    }
    return upper;
}

ResourceEntry const* FindInModule(HINSTANCE instance, ResourceType type, char const* name)
{
    auto const* file = ModuleResources(instance);
    auto const id = ResourceId::FromWin32Name(name);
    if (!file || !id)
        return nullptr;
    return file->Find(TypeId(type), *id);
}

template<typename Handle>
Handle* CacheSlot(std::map<std::uint16_t, Handle>& byNumber, std::map<std::u16string, Handle>& byName, ResourceId const& id)
{
    if (id.IsNumber())
        return &byNumber[*id.number];
    return &byName[UpperName(id)];
}

}

HINSTANCE MainModule()
{
    return &g_mainModuleObject;
}

bool SetModuleResources(std::span<std::uint8_t const> bytes)
{
    auto& state = State();
    state.bytes = bytes;
    state.file = ResourceFile::Parse(bytes);
    state.iconsByNumber.clear();
    state.iconsByName.clear();
    state.tablesByNumber.clear();
    state.tablesByName.clear();
    return state.file.has_value();
}

std::span<std::uint8_t const> ModuleResourceBytes()
{
    return State().bytes;
}

ResourceFile const* ModuleResources(HINSTANCE instance)
{
    auto const& state = State();
    if ((instance && instance != MainModule()) || !state.file)
        return nullptr;
    return &*state.file;
}

std::optional<MenuTemplate> LoadMenuTemplate(HINSTANCE instance, char const* name)
{
    auto const* entry = FindInModule(instance, ResourceType::Menu, name);
    if (!entry)
        return std::nullopt;
    return ParseMenuTemplate(entry->data);
}

std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE instance, char const* name)
{
    auto const* entry = FindInModule(instance, ResourceType::Dialog, name);
    if (!entry)
        return std::nullopt;
    return ParseDialogTemplate(entry->data);
}

LoadedIcon const* IconFromHandle(HICON icon)
{
    auto const& state = State();
    if (!state.liveIcons.contains(icon))
        return nullptr;
    return reinterpret_cast<LoadedIcon const*>(icon);
}

AcceleratorTable const* AcceleratorTableFromHandle(HACCEL accelerators)
{
    auto const& state = State();
    if (!state.liveTables.contains(accelerators))
        return nullptr;
    return reinterpret_cast<AcceleratorTable const*>(accelerators);
}

namespace detail {

HICON LoadModuleIcon(HINSTANCE instance, char const* name)
{
    auto& state = State();
    auto const* file = ModuleResources(instance);
    auto const id = ResourceId::FromWin32Name(name);
    if (!file || !id)
        return nullptr;
    HICON* slot = CacheSlot(state.iconsByNumber, state.iconsByName, *id);
    if (*slot)
        return *slot;
    auto images = LoadIconGroup(*file, *id);
    if (!images)
        return nullptr;
    auto icon = std::make_unique<LoadedIcon>(LoadedIcon { std::move(*images) });
    *slot = reinterpret_cast<HICON>(icon.get());
    state.liveIcons.insert(icon.get());
    state.icons.push_back(std::move(icon));
    return *slot;
}

HACCEL LoadModuleAccelerators(HINSTANCE instance, char const* name)
{
    auto& state = State();
    auto const* entry = FindInModule(instance, ResourceType::Accelerator, name);
    if (!entry)
        return nullptr;
    auto const id = ResourceId::FromWin32Name(name);
    HACCEL* slot = CacheSlot(state.tablesByNumber, state.tablesByName, *id);
    if (*slot)
        return *slot;
    auto parsed = ParseAcceleratorTable(entry->data);
    if (!parsed)
        return nullptr;
    auto table = std::make_unique<AcceleratorTable>(std::move(*parsed));
    *slot = reinterpret_cast<HACCEL>(table.get());
    state.liveTables.insert(table.get());
    state.tables.push_back(std::move(table));
    return *slot;
}

}

}
