#include "winapi/user/system_classes.h"

#include "winapi/user/window_class.h"

namespace winapi::user {

void EnsureSystemClasses()
{
    auto& classes = Classes();
    if (classes.Find(DialogClassName))
        return;
    auto const systemColor = [](int index) { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1)); };
    classes.RegisterSystemClass(DialogClassName, DialogWindowProc, systemColor(COLOR_BTNFACE));
    classes.RegisterSystemClass(ButtonClassName, ButtonWindowProc, nullptr);
    classes.RegisterSystemClass(StaticClassName, StaticWindowProc, nullptr);
}

}
