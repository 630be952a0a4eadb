#pragma once

// The resources of the program's module, for the USER subset and the
// resource functions of <windows.h>.
//
// A program embeds the bytes of its compiled resource file (.res) and hands
// them over during static initialisation (see cmake/EmbedResources.cmake);
// LoadStringA, LoadIconA, LoadAcceleratorsA, the window class's menu and
// DialogBoxParamA then find their resources there, as Windows finds them in
// the .exe.

#include "winapi/resources/accelerator_table.h"
#include "winapi/resources/dialog_template.h"
#include "winapi/resources/icon_group.h"
#include "winapi/resources/menu_template.h"
#include "winapi/resources/resource_file.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace winapi::resources {

// The instance handle of the program's module: what main() passes to
// WinMain as hInstance. Resource look-ups accept it, or null for the same
// module, and fail for any other handle.
HINSTANCE MainModule();

// Makes `bytes` the module's resources, replacing any earlier ones. The
// bytes are not copied and must stay alive. False, leaving the module with
// no resources, when they are not a well-formed resource file. Handles
// handed out earlier stay valid.
bool SetModuleResources(std::span<std::uint8_t const> bytes);

// The bytes last given to SetModuleResources, well-formed or not.
std::span<std::uint8_t const> ModuleResourceBytes();

// The module's parsed resources, or null when there are none.
ResourceFile const* ModuleResources(HINSTANCE instance);

// The menu named `name` (a Win32 LPCSTR: MAKEINTRESOURCE number or string),
// as the window class's lpszMenuName names it.
std::optional<MenuTemplate> LoadMenuTemplate(HINSTANCE instance, char const* name);

// The dialog template named `name`, as DialogBoxParamA names it.
std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE instance, char const* name);

// What LoadIconA's handle stands for: the decoded images of the icon group,
// in the group's order (for the program's large icon, 32 x 32 then 16 x 16).
// Null for a handle LoadIconA did not return.
struct LoadedIcon {
    std::vector<IconImage> images;
};
LoadedIcon const* IconFromHandle(HICON icon);

// What LoadAcceleratorsA's handle stands for; null for any other handle.
AcceleratorTable const* AcceleratorTableFromHandle(HACCEL accelerators);

}
