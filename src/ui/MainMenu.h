#pragma once

#include <QHash>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace tarvel {

// What a menu item asks the window to do. The COM Port items carry None: they are shown and
// ticked but nothing acts on them.
enum class MenuCommand {
    None,
    OpenConfigurationFile,
    SaveConfigurationToFile,
    SendCurrentSettings,
    Exit,
    BaudDefault,
    Baud9600,
    Baud19200,
    Baud38400,
    Baud57600,
    ParityNone,
    ParityOdd,
    ParityEven,
    ParityMark,
    ParitySpace,
    Search,
    ConnectThroughController,
    ConnectDirectly,
    ReadFromZelvars,
    CompareWithZelvars,
    Disconnect,
    ConnectionHelp,
    About,
};

// MainMenu1, built from one table: every menu and item with its objectName, caption, tick
// mark and enabled state. Ticks within the Baud and Parity menus are exclusive (choosing an
// item ticks it alone), as are the COM Port search item's. Every menu and item has a
// mnemonic (the caption's underlined letter), and the main items have standard shortcuts.
class MainMenu {
public:
    MainMenu(QMenuBar* bar, std::function<void(MenuCommand)> run);

    // Adds an item outside the table to a menu, before the item named `before` (at the end
    // when there is none), with its own handler; Action finds it like any other.
    QAction* AddItem(const QString& menuName, const QString& name, const QString& caption,
                     const QString& before, std::function<void()> run);

    // An item's action, or a submenu's own action, by objectName; null for an unknown name.
    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;

    // An action's text as the caption it shows: without the mnemonic's mark. A doubled '&'
    // (the stored form of one shown '&') stays doubled.
    static QString ShownCaption(const QString& text);

private:
    void AddKeyboardAccess();
    // Underlines the letter the table gives the item, when its caption is still the table's.
    void MarkMnemonic(const QString& name, QAction* action);

    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
};

} // namespace tarvel
