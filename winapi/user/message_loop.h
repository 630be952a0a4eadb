// Taking messages: what GetMessageA and PeekMessageA share.
//
// The order is Win32's: posted messages, then the quit request, then input,
// then WM_PAINT for a window with an update region, then WM_TIMER for a
// timer that is due. Paint and timer messages are made when asked for, so
// they come only when nothing else waits. With nothing to do, the caller
// blocks in Qt's event loop until an event or the next timer arrives.
#pragma once

#include <windows.h>

#include <QString>

#include <cstdint>
#include <functional>

namespace winapi::user {

struct MessageFilter {
    HWND window = nullptr; // null: any; (HWND)-1: only messages without a window
    UINT first = 0;
    UINT last = 0; // first = last = 0: every message
};

// Fills `out` with the next message that passes `filter`, taking it off the
// queue when `remove`. Without `wait`, returns false at once when there is
// none; with `wait`, returns only with a message (WM_QUIT included).
bool NextMessage(MSG& out, MessageFilter filter, bool remove, bool wait);

// The key message last taken off the queue, with the text the keyboard
// layout produced for it, for TranslateMessage.
struct TakenKeyMessage {
    MSG msg {};
    QString text;
    bool valid = false;
};
TakenKeyMessage const& LastTakenKeyMessage();

// Runs when a waiting NextMessage finds nothing to do, before it blocks or,
// on the virtual clock, jumps to the next timer. Never re-entered. Tests use
// it to act between messages. An empty function removes it.
void SetIdleHook(std::function<void()> hook);
bool HasIdleHook();

// How many times NextMessage has looked for a message: the count grows by
// a few per message, not with the time spent waiting.
std::uint64_t RetrievalPasses();

}
