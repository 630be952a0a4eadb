// For test builds of the grower and the program only: once main has begun,
// every operator new after the first MORVA_ALLOCATIONS_ALLOWED (an
// environment variable) fails, as when memory has run out for good; and
// every request of MORVA_ALLOCATION_SIZE_LIMIT bytes or more fails, as when
// no block that large is left. A failed request calls the new-handler, if
// one is set, and otherwise throws std::bad_alloc, as the library's
// operator new does. Unset, nothing fails. Every form of new and delete is
// defined here, so all of them share one heap even where a sanitizer brings
// its own. The build links with --wrap=main, so __wrap_main runs first.
#include <cstdlib>
#include <new>

namespace {

long long g_allowed = -2; // -2: not read yet; -1: no limit
long long g_sizeLimit = -2;
bool g_inMain = false;

long long AllowedAllocations()
{
    if (g_allowed == -2) {
        char const* text = std::getenv("MORVA_ALLOCATIONS_ALLOWED");
        g_allowed = text && *text ? std::atoll(text) : -1;
    }
    return g_allowed;
}

bool IsTooLarge(std::size_t size)
{
    if (g_sizeLimit == -2) {
        char const* text = std::getenv("MORVA_ALLOCATION_SIZE_LIMIT");
        g_sizeLimit = text && *text ? std::atoll(text) : -1;
    }
    return g_sizeLimit >= 0 && size >= static_cast<unsigned long long>(g_sizeLimit);
}

}

void* operator new(std::size_t size)
{
    for (;;) {
        long long const allowed = g_inMain ? AllowedAllocations() : -1;
        if (allowed != 0 && !(g_inMain && IsTooLarge(size))) {
            if (allowed > 0)
                --g_allowed;
            if (void* memory = std::malloc(size ? size : 1))
                return memory;
        }
        // As the library's operator new: the new-handler, where there is one,
        // is asked to make room or to end the program.
        std::new_handler const handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, std::nothrow_t const&) noexcept
{
    try {
        return operator new(size);
    } catch (std::bad_alloc const&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, std::nothrow_t const&) noexcept
{
    return operator new(size, std::nothrow);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::nothrow_t const&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::nothrow_t const&) noexcept
{
    std::free(memory);
}

extern "C" int __real_main(int argc, char** argv);

extern "C" int __wrap_main(int argc, char** argv)
{
    g_inMain = true;
    return __real_main(argc, argv);
}
