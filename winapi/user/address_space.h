// Whether the process can still take some address space: a check made
// before calling into libraries that do not survive running out of it.
#pragma once

#include <cstddef>

namespace winapi::user {

// True when `bytes` more of address space cannot be reserved now.
bool AddressSpaceRunsShort(std::size_t bytes);

}
