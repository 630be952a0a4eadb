#pragma once

// The shared handles behind LoadIconA and LoadAcceleratorsA; for those
// functions only. Other code turns handles back into objects with
// IconFromHandle and AcceleratorTableFromHandle.

#include <windows.h>

namespace winapi::resources::detail {

// The handle of the icon group or accelerator table `name` of the module,
// made on the first call and the same on every later one. Null when the
// resource is missing or broken.
HICON LoadModuleIcon(HINSTANCE instance, char const* name);
HACCEL LoadModuleAccelerators(HINSTANCE instance, char const* name);

}
