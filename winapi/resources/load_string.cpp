#include "winapi/resources/module_resources.h"
#include "winapi/resources/string_table.h"

#include <windows.h>

#include <cstring>

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    using namespace winapi::resources;
    if (!lpBuffer || cchBufferMax <= 0)
        return 0;
    lpBuffer[0] = '\0';
    auto const* file = ModuleResources(hInstance);
    if (!file)
        return 0;
    auto const text = FindString(*file, uID);
    if (!text)
        return 0;
    std::string const ansi = ToAnsi(*text);
    std::size_t const room = static_cast<std::size_t>(cchBufferMax) - 1;
    std::size_t const length = ansi.size() < room ? ansi.size() : room;
    std::memcpy(lpBuffer, ansi.data(), length);
    lpBuffer[length] = '\0';
    return static_cast<int>(length);
}
