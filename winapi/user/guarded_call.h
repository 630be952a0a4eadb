// The program's window, dialog and timer procedures run inside Qt's event
// handling, which an exception must never unwind. One that escapes a
// procedure (memory ran out inside it) makes the call a failed one, which
// returns 0, the way a Win32 call fails.
#pragma once

namespace winapi::user {

template<typename Call>
auto CallGuarded(Call&& call) noexcept -> decltype(call())
{
    try {
        return call();
    } catch (...) {
        return {};
    }
}

} // namespace winapi::user
