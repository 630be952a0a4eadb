// Identifiers of the program's resources and commands, shared by the
// resource script and the code.
#ifndef MORVA_RESOURCE_H
#define MORVA_RESOURCE_H

// The menu, the accelerator table and the window class name's string.
#define RES_MAIN 109
#define RES_ABOUT_DIALOG 103
#define RES_ICON_LARGE 107
#define RES_ICON_SMALL 108
// The About box's icon control.
#define RES_ABOUT_ICON_CONTROL 2

#define STR_TITLE 103
#define STR_HELLO 106
#define STR_DISSECT 32771

#define CMD_ABOUT 104
#define CMD_EXIT 105
#define CMD_RENDER 32772
#define CMD_TOGGLE_AUTO_DRAW 32773
#define CMD_TOGGLE_AUTO_DISSECT 32774
#define CMD_ONLY_MAP 32775

#endif
