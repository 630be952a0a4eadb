// The thread's message queue: messages posted with PostMessageA, input from
// the keyboard, mouse and window frame, and the quit request. WM_PAINT and
// WM_TIMER are not queued: the message loop makes them when nothing else
// waits (see message_loop.h).
#pragma once

#include <windows.h>

#include <QString>
#include <Qt>

#include <cstdint>
#include <deque>
#include <optional>

namespace winapi::user {

struct QueuedMessage {
    MSG msg {};
    // For keys: the text the keyboard layout gave the key press, and the
    // modifier keys held at the time of the event.
    QString text;
    Qt::KeyboardModifiers modifiers;
    bool fromKeyboard = false;
};

class MessageQueue {
public:
    void Post(MSG const& msg);
    void PostInput(QueuedMessage const& message);
    void PostQuit(int exitCode);

    std::deque<QueuedMessage>& Posted() { return m_posted; }
    std::deque<QueuedMessage>& Input() { return m_input; }

    bool QuitPending() const { return m_quitCode.has_value(); }
    int QuitCode() const { return m_quitCode.value_or(0); }
    void ClearQuit() { m_quitCode.reset(); }

    // Drops everything addressed to `window`, as its destruction does.
    void RemoveMessagesFor(HWND window);
    void Clear();

    // Grows with every message posted, so a caller can tell whether anything
    // arrived while it looked away.
    std::uint64_t ArrivalCount() const { return m_arrivals; }

private:
    std::deque<QueuedMessage> m_posted;
    std::deque<QueuedMessage> m_input;
    std::optional<int> m_quitCode;
    std::uint64_t m_arrivals = 0;
};

MessageQueue& Queue();

// A message stamped with the present time, as the queue stamps posts.
MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}
