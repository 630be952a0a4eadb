// What happens to USER when a program's WinMain has returned.
#pragma once

namespace winapi::user {

// Closes every window and forgets the timers and queued messages; Qt itself
// stays.
void CloseProgramWindows();

// Windows still open vanish without messages, as at the end of a Windows
// process, and Qt is shut down.
void EndProgram();

}
