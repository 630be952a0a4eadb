// Icons loaded with LoadIconA, as Qt images.
#pragma once

#include <windows.h>

#include <QIcon>
#include <QImage>

namespace winapi::user {

// Every image of the icon; a null icon for a handle LoadIconA did not give.
QIcon IconFromHandle(HICON icon);

// The icon's image nearest in size to `side` x `side` (preferring larger);
// a null image for an unknown handle.
QImage IconImageNearest(HICON icon, int side);

}
