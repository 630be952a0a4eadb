#include "winapi/user/menu_bar.h"

#include "winapi/user/message_queue.h"

#include <QMenu>

namespace winapi::user {

namespace {

constexpr char const* CommandProperty = "win32CommandId";

void ApplyItemState(QAction* action, resources::MenuItem const& item)
{
    if (item.flags & (resources::MENU_ITEM_GRAYED | resources::MENU_ITEM_DISABLED))
        action->setEnabled(false);
    if (item.flags & resources::MENU_ITEM_CHECKED) {
        action->setCheckable(true);
        action->setChecked(true);
    }
}

QAction* MakeCommand(QWidget* parent, resources::MenuItem const& item, HWND owner)
{
    auto* action = new QAction(QString::fromStdU16String(item.text), parent);
    action->setProperty(CommandProperty, static_cast<uint>(item.id));
    action->setShortcutContext(Qt::WidgetShortcut);
    ApplyItemState(action, item);
    UINT const id = item.id;
    QObject::connect(action, &QAction::triggered, action, [owner, id]() {
        // As from Win32's menu loop: the command arrives as a posted message.
        Queue().Post(MakeMessage(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0));
    });
    return action;
}

void AddItems(QMenu* menu, std::vector<resources::MenuItem> const& items, HWND owner)
{
    for (auto const& item : items) {
        if (item.IsPopup()) {
            QMenu* popup = menu->addMenu(QString::fromStdU16String(item.text));
            ApplyItemState(popup->menuAction(), item);
            AddItems(popup, item.items, owner);
        } else if (item.IsSeparator()) {
            menu->addSeparator();
        } else {
            menu->addAction(MakeCommand(menu, item, owner));
        }
    }
}

QAction* FindIn(QList<QAction*> const& actions, UINT commandId)
{
    for (QAction* action : actions) {
        if (auto const id = MenuCommandOf(action); id && *id == commandId)
            return action;
        if (QMenu* popup = action->menu()) {
            if (QAction* found = FindIn(popup->actions(), commandId))
                return found;
        }
    }
    return nullptr;
}

}

QMenuBar* BuildMenuBar(resources::MenuTemplate const& menu, HWND owner)
{
    auto* menuBar = new QMenuBar;
    menuBar->setNativeMenuBar(false);
    for (auto const& item : menu.items) {
        if (item.IsPopup()) {
            QMenu* popup = menuBar->addMenu(QString::fromStdU16String(item.text));
            ApplyItemState(popup->menuAction(), item);
            AddItems(popup, item.items, owner);
        } else if (item.IsSeparator()) {
            menuBar->addSeparator();
        } else {
            menuBar->addAction(MakeCommand(menuBar, item, owner));
        }
    }
    return menuBar;
}

QAction* FindMenuCommand(QMenuBar* menuBar, UINT commandId)
{
    if (!menuBar)
        return nullptr;
    return FindIn(menuBar->actions(), commandId);
}

std::optional<UINT> MenuCommandOf(QAction const* action)
{
    if (!action)
        return std::nullopt;
    QVariant const id = action->property(CommandProperty);
    if (!id.isValid())
        return std::nullopt;
    return static_cast<UINT>(id.toUInt());
}

}
