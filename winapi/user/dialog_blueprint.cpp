#include "winapi/user/dialog_blueprint.h"

#include "winapi/user/icons.h"
#include "winapi/user/system_font.h"

namespace winapi::user {

namespace {

constexpr int IconSide = 32;

bool IsClass(resources::ResourceId const& id, std::uint16_t number, char16_t const* name)
{
    if (id.IsNumber())
        return *id.number == number;
    std::u16string lower = id.name;
    for (auto& unit : lower) {
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
    }
    return lower == name;
}

QRect ToPixels(int x, int y, int cx, int cy)
{
    return QRect(DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(cx), DialogUnitsToPixelsY(cy));
}

}

DialogBlueprint DialogBlueprintFromTemplate(resources::DialogTemplate const& dialog, HINSTANCE instance)
{
    DialogBlueprint blueprint;
    blueprint.caption = QString::fromStdU16String(dialog.caption);
    blueprint.style = dialog.style;
    blueprint.position = QPoint(DialogUnitsToPixelsX(dialog.x), DialogUnitsToPixelsY(dialog.y));
    blueprint.clientSize = QSize(std::max(0, DialogUnitsToPixelsX(dialog.cx)), std::max(0, DialogUnitsToPixelsY(dialog.cy)));

    for (auto const& item : dialog.items) {
        ControlBlueprint control;
        control.style = item.style;
        control.id = item.id;
        control.rect = ToPixels(item.x, item.y, item.cx, item.cy);
        if (!item.text.IsNumber())
            control.text = QString::fromStdU16String(item.text.name);
        if (IsClass(item.windowClass, resources::CONTROL_CLASS_BUTTON, u"button")) {
            control.kind = ControlBlueprint::Kind::Button;
        } else if (IsClass(item.windowClass, resources::CONTROL_CLASS_STATIC, u"static")
            && (item.style & SS_TYPEMASK) == SS_ICON) {
            control.kind = ControlBlueprint::Kind::Icon;
            control.text.clear();
            if (item.text.IsNumber())
                control.icon = LoadIconA(instance, MAKEINTRESOURCEA(*item.text.number));
            else if (!item.text.name.empty())
                control.icon = LoadIconA(instance, QString::fromStdU16String(item.text.name).toLatin1().constData());
            control.rect.setSize(QSize(IconSide, IconSide));
        } else {
            control.kind = ControlBlueprint::Kind::Static;
        }
        blueprint.controls.push_back(std::move(control));
    }
    return blueprint;
}

}
