// The message queue's functions: GetMessageA, PeekMessageA, PostMessageA,
// SendMessageA, PostQuitMessage, TranslateMessage, DispatchMessageA, and the
// key state the queue keeps.

#include "winapi/user/clock.h"
#include "winapi/user/guarded_call.h"
#include "winapi/user/key_state.h"
#include "winapi/user/message_loop.h"
#include "winapi/user/message_queue.h"
#include "winapi/user/timers.h"
#include "winapi/user/virtual_keys.h"
#include "winapi/user/window.h"

#include <windows.h>

using namespace winapi::user;

namespace {

HWND const Broadcast = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0xFFFF));

// Latin-1 holds the ANSI characters a key can give; others become "?".
char AnsiOf(QChar c)
{
    return c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?';
}

bool IsSameMessage(MSG const& a, MSG const& b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam && a.time == b.time;
}

}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (!lpMsg)
        return -1;
    if (hWnd && hWnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && !FindWindow(hWnd))
        return -1;
    NextMessage(*lpMsg, MessageFilter { hWnd, wMsgFilterMin, wMsgFilterMax }, true, true);
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (!lpMsg)
        return FALSE;
    MSG found {};
    if (!NextMessage(found, MessageFilter { hWnd, wMsgFilterMin, wMsgFilterMax }, (wRemoveMsg & PM_REMOVE) != 0, false))
        return FALSE;
    *lpMsg = found;
    return TRUE;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == Broadcast) {
        for (HWND topLevel : Windows().TopLevelHandles())
            Queue().Post(MakeMessage(topLevel, Msg, wParam, lParam));
        return TRUE;
    }
    // A null window posts a message to the thread itself.
    if (hWnd && !FindWindow(hWnd))
        return FALSE;
    Queue().Post(MakeMessage(hWnd, Msg, wParam, lParam));
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == Broadcast) {
        for (HWND topLevel : Windows().TopLevelHandles())
            SendMessageA(topLevel, Msg, wParam, lParam);
        return 0;
    }
    auto const* window = FindWindow(hWnd);
    if (!window || !window->procedure)
        return 0;
    WNDPROC const procedure = window->procedure;
    return CallGuarded([&] { return procedure(hWnd, Msg, wParam, lParam); });
}

void WINAPI PostQuitMessage(int nExitCode)
{
    Queue().PostQuit(nExitCode);
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return FALSE;
    UINT const message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_KEYUP && message != WM_SYSKEYUP)
        return FALSE;
    if (message == WM_KEYUP || message == WM_SYSKEYUP)
        return TRUE;

    UINT const charMessage = message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    auto const& keys = Keys();
    bool const control = keys.IsDown(VK_CONTROL);
    bool const alt = keys.IsDown(VK_MENU);

    // The text the keyboard layout gave this very key press, if it came
    // from the keyboard; otherwise the US layout's character for the key.
    auto const& taken = LastTakenKeyMessage();
    bool const useLayoutText = taken.valid && IsSameMessage(taken.msg, *lpMsg) && !taken.text.isEmpty()
        && !(control && !alt);
    if (useLayoutText) {
        for (QChar const c : taken.text) {
            if (c.unicode() == 0x7F && !control)
                continue; // Delete makes no character in Win32
            Queue().Post(MakeMessage(lpMsg->hwnd, charMessage, static_cast<WPARAM>(static_cast<unsigned char>(AnsiOf(c))),
                lpMsg->lParam));
        }
        return TRUE;
    }
    auto const character = CharacterOfKey(static_cast<int>(lpMsg->wParam & 0xFF), keys.IsDown(VK_SHIFT),
        control && !alt, (keys.Get(VK_CAPITAL) & 1) != 0);
    if (character)
        Queue().Post(MakeMessage(lpMsg->hwnd, charMessage, static_cast<WPARAM>(static_cast<unsigned char>(*character)),
            lpMsg->lParam));
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg)
{
    if (!lpMsg)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        // A timer with a procedure calls it instead of the window's; only a
        // procedure of a live timer is called.
        auto const procedure = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        if (!Timers().HasProcedure(procedure))
            return 0;
        CallGuarded([&] {
            procedure(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, lpMsg->time);
            return 0;
        });
        return 0;
    }
    if (!lpMsg->hwnd)
        return 0;
    return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

SHORT WINAPI GetKeyState(int nVirtKey)
{
    return Keys().Get(nVirtKey);
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    if (hWnd && !FindWindow(hWnd))
        return 0;
    UINT_PTR const id = Timers().Set(hWnd, nIDEvent, uElapse, lpTimerFunc, UserClock().Now());
    if (hWnd)
        return nIDEvent ? nIDEvent : 1;
    return id;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    return Timers().Kill(hWnd, uIDEvent) ? TRUE : FALSE;
}
