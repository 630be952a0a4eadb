// LoadCursorA: the system's standard cursors. Qt shows its own arrow; the
// handles only need to be distinct, valid and constant.

#include <windows.h>

#include <array>

namespace {

struct CursorObject {
    WORD id;
};

constexpr std::array<WORD, 4> StandardCursorIds { 32512, 32513, 32514, 32515 };
std::array<CursorObject, StandardCursorIds.size()> g_standardCursors { { { 32512 }, { 32513 }, { 32514 }, { 32515 } } };

}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    // Only the system's cursors exist; a program has none of its own.
    if (hInstance || !lpCursorName || !IS_INTRESOURCE(lpCursorName))
        return nullptr;
    auto const id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(lpCursorName));
    for (std::size_t i = 0; i < StandardCursorIds.size(); ++i) {
        if (StandardCursorIds[i] == id)
            return reinterpret_cast<HCURSOR>(&g_standardCursors[i]);
    }
    return nullptr;
}
