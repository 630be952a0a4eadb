// A dialog as the dialog manager builds it: caption, style, and controls
// placed in pixels.
#pragma once

#include "winapi/resources/dialog_template.h"

#include <windows.h>

#include <QPoint>
#include <QRect>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace winapi::user {

struct ControlBlueprint {
    enum class Kind {
        Button,
        Static,
        Icon,
    };
    Kind kind = Kind::Static;
    DWORD style = 0;
    int id = 0;
    QRect rect; // in the dialog's client area, pixels
    QString text;
    HICON icon = nullptr;
    QImage image; // an icon given as a picture (the message box's)
};

struct DialogBlueprint {
    QString caption;
    DWORD style = 0;
    QPoint position;  // pixels, from the owner's client area (or the screen)
    QSize clientSize; // pixels
    std::vector<ControlBlueprint> controls;
};

// Converts dialog units to pixels through the dialog font's base units (see
// system_font.h) and loads the icons of SS_ICON statics from `instance`. An
// icon static takes the size of its icon, 32 x 32. Controls of classes other
// than button and static are shown as statics.
DialogBlueprint DialogBlueprintFromTemplate(resources::DialogTemplate const& dialog, HINSTANCE instance);

}
