// Memory that ran out where no Win32 call can fail for it: Qt could not
// paint a window, so the window cannot show what the program drew.
#pragma once

namespace winapi::user {

using LackOfMemoryHandler = void (*)();

// What to do then; a program's entry ends the program. Without a handler
// (a headless run, whose pictures never pass through Qt's painting) nothing
// happens.
void SetLackOfMemoryHandler(LackOfMemoryHandler handler);

void ReportLackOfMemory();

// A window that could not be made for want of memory before the program
// had any: CreateWindowExA fails, as on Windows, and a program that then
// returns from WinMain has not started its user interface for want of
// memory, which its entry says.
void NoteWindowCreated();
void NoteWindowNotCreatedForLackOfMemory();
bool UserInterfaceLackedMemoryToStart();

}
