#include "winapi/user/address_space.h"

#include <sys/mman.h>

namespace winapi::user {

bool AddressSpaceRunsShort(std::size_t bytes)
{
    void* const probe = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (probe == MAP_FAILED)
        return true;
    munmap(probe, bytes);
    return false;
}

}
