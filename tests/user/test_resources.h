#pragma once

// The resources the USER tests load through the module, built byte by byte:
// a menu, accelerator tables, dialog templates and an icon group.

#include <windows.h>

namespace user_test {

inline constexpr WORD MenuId = 109;
inline constexpr WORD ProgramAccelerators = 109; // the program's six entries
inline constexpr WORD ShiftAccelerators = 110;   // entries with FSHIFT and FALT
inline constexpr WORD AboutDialogId = 103;       // like the program's About box
inline constexpr WORD NoDefaultDialogId = 104;   // two plain push buttons
inline constexpr WORD IconId = 107;

inline constexpr WORD CommandExit = 105;
inline constexpr WORD CommandAbout = 104;
inline constexpr WORD CommandRender = 32772;
inline constexpr WORD CommandAutoDraw = 32773;
inline constexpr WORD CommandAutoDissect = 32774;
inline constexpr WORD CommandOnlyMap = 32775;
inline constexpr WORD CommandGrayed = 200;
inline constexpr WORD CommandDeep = 300;
inline constexpr WORD CommandShiftF5 = 401;
inline constexpr WORD CommandAltShiftA = 402;
inline constexpr WORD CommandShiftChar = 403;

// Makes these the module's resources (idempotent).
void InstallTestResources();

}
