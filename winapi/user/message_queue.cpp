#include "winapi/user/message_queue.h"

#include "winapi/user/clock.h"

#include <algorithm>

namespace winapi::user {

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(UserClock().Now());
    return msg;
}

void MessageQueue::Post(MSG const& msg)
{
    QueuedMessage queued;
    queued.msg = msg;
    m_posted.push_back(std::move(queued));
    ++m_arrivals;
}

void MessageQueue::PostInput(QueuedMessage const& message)
{
    m_input.push_back(message);
    ++m_arrivals;
}

void MessageQueue::PostQuit(int exitCode)
{
    m_quitCode = exitCode;
    ++m_arrivals;
}

void MessageQueue::RemoveMessagesFor(HWND window)
{
    auto const addressedTo = [&](QueuedMessage const& queued) { return window && queued.msg.hwnd == window; };
    std::erase_if(m_posted, addressedTo);
    std::erase_if(m_input, addressedTo);
}

void MessageQueue::Clear()
{
    m_posted.clear();
    m_input.clear();
    m_quitCode.reset();
}

MessageQueue& Queue()
{
    static MessageQueue queue;
    return queue;
}

}
