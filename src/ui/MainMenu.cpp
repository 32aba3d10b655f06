#include "ui/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace tarvel {

namespace {

enum class RowKind { Menu, Item, Separator };

enum RowFlag : unsigned {
    Plain = 0,
    Ticked = 1,   // starts with its tick mark
    Off = 2,      // starts disabled
    Exclusive = 4 // ticks are exclusive within its menu
};

struct MenuRow {
    const char* Parent; // objectName of the menu holding it; nullptr: the menu bar
    const char* Name;   // objectName; nullptr for a separator
    // As stored: a doubled ampersand is the toolkit's escape and shows as one.
    const char* Caption;
    RowKind Kind;
    unsigned Flags;
    MenuCommand Command;
};

using enum MenuCommand;
constexpr RowKind M = RowKind::Menu;
constexpr RowKind I = RowKind::Item;
constexpr RowKind S = RowKind::Separator;

// Parents come before their children.
constexpr MenuRow Rows[] = {
    {nullptr, "File1", "File", M, Plain, None},
    {"File1", "OpenConfigurationFile1", "Open Configuration File", I, Plain, OpenConfigurationFile},
    {"File1", "SaveConfigurationtoFile1", "Save Configuration to File", I, Plain,
     SaveConfigurationToFile},
    {"File1", "SendCurrentSettingstoZelvars1", "Send Current Settings to Zelvar(s)", I, Off,
     SendCurrentSettings},
    {"File1", "Exit1", "Exit", I, Plain, Exit},

    {nullptr, "SerialPort1", "Serial Port", M, Plain, None},
    {"SerialPort1", "SettingsAdvusersonly1", "Settings (Adv users only)", M, Plain, None},
    {"SettingsAdvusersonly1", "COMPort1", "COM Port", M, Plain, None},
    {"COMPort1", "SearchCOM1COM21", "Search (COM 1 && COM 2)", I, Ticked | Exclusive, None},
    {"COMPort1", "COM31", "COM 3", I, Plain, None},
    {"COMPort1", "COM41", "COM 4", I, Plain, None},
    {"COMPort1", "COM51", "COM 5", I, Plain, None},
    {"COMPort1", "COM61", "COM 6", I, Plain, None},
    {"COMPort1", "COM71", "COM 7", I, Plain, None},
    {"SettingsAdvusersonly1", "Baud1", "Baud", M, Plain, None},
    {"Baud1", "Defaultvalues1", "Default values", I, Ticked | Exclusive, BaudDefault},
    {"Baud1", nullptr, nullptr, S, Plain, None},
    {"Baud1", "N96001", "9600", I, Exclusive, Baud9600},
    {"Baud1", "N192001", "19200", I, Exclusive, Baud19200},
    {"Baud1", "N384001", "38400", I, Exclusive, Baud38400},
    {"Baud1", "N576001", "57600", I, Exclusive, Baud57600},
    {"SettingsAdvusersonly1", "Parity1", "Parity", M, Plain, None},
    {"Parity1", "None1", "None", I, Ticked | Exclusive, ParityNone},
    {"Parity1", "Odd1", "Odd", I, Exclusive, ParityOdd},
    {"Parity1", "Even1", "Even", I, Exclusive, ParityEven},
    {"Parity1", "Mark1", "Mark", I, Exclusive, ParityMark},
    {"Parity1", "Space1", "Space", I, Exclusive, ParitySpace},
    {"SerialPort1", "SearchforZelvars1", "Search for Zelvar(s) ...", M, Plain, None},
    {"SearchforZelvars1", "Search1", "Search....", I, Plain, Search},
    {"SearchforZelvars1", nullptr, nullptr, S, Plain, None},
    {"SearchforZelvars1", "ZelvarconnectedthruController1", "Zelvar(s) connected to Controller", I,
     Plain, ConnectThroughController},
    {"SearchforZelvars1", "ZelvarconnectedtoSerialPortdirectly1",
     "Zelvar connected to Serial Port directly", I, Plain, ConnectDirectly},
    {"SerialPort1", "ReadfromZelvars1", "Read from Zelvar(s) ...", I, Off, ReadFromZelvars},
    {"SerialPort1", "ComparewithZelvars1", "Compare with Zelvar(s) ...", I, Off,
     CompareWithZelvars},
    {"SerialPort1", nullptr, nullptr, S, Plain, None},
    {"SerialPort1", "DisconnectSerialCo1", "Disconnect Serial Communication", I, Plain, Disconnect},

    {nullptr, "Help1", "Help", M, Plain, None},
    {"Help1", "HelpwithTarvelSerialconnection1", "Help with Tarvel Serial connection", I, Plain,
     ConnectionHelp},
    {"Help1", "About1", "About...", I, Plain, About},
};

// Keyboard access, kept apart from the rows: each caption as it shows with its underlined
// letter (the '&' before it), unique within its menu, and the standard shortcuts. A marked
// caption that no longer matches its row is not applied: the row's text is what the user reads.
struct KeyRow {
    const char* Name;
    const char* Marked;
};

constexpr KeyRow Mnemonics[] = {
    {"File1", "&File"},
    {"OpenConfigurationFile1", "&Open Configuration File"},
    {"SaveConfigurationtoFile1", "&Save Configuration to File"},
    {"SendCurrentSettingstoZelvars1", "Se&nd Current Settings to Zelvar(s)"},
    {"Exit1", "E&xit"},
    {"SerialPort1", "&Serial Port"},
    {"SettingsAdvusersonly1", "Se&ttings (Adv users only)"},
    {"COMPort1", "&COM Port"},
    {"SearchCOM1COM21", "&Search (COM 1 && COM 2)"},
    {"COM31", "COM &3"},
    {"COM41", "COM &4"},
    {"COM51", "COM &5"},
    {"COM61", "COM &6"},
    {"COM71", "COM &7"},
    {"Baud1", "&Baud"},
    {"Defaultvalues1", "&Default values"},
    {"N96001", "&9600"},
    {"N192001", "&19200"},
    {"N384001", "&38400"},
    {"N576001", "&57600"},
    {"Parity1", "&Parity"},
    {"None1", "&None"},
    {"Odd1", "&Odd"},
    {"Even1", "&Even"},
    {"Mark1", "&Mark"},
    {"Space1", "&Space"},
    {"SearchforZelvars1", "&Search for Zelvar(s) ..."},
    {"Search1", "&Search...."},
    {"ZelvarconnectedthruController1", "Zelvar(s) connected to &Controller"},
    {"ZelvarconnectedtoSerialPortdirectly1", "Zelvar connected to Serial Port &directly"},
    {"NetworkPort1", "&Network Port..."},
    {"ReadfromZelvars1", "&Read from Zelvar(s) ..."},
    {"ComparewithZelvars1", "&Compare with Zelvar(s) ..."},
    {"DisconnectSerialCo1", "&Disconnect Serial Communication"},
    {"Help1", "&Help"},
    {"HelpwithTarvelSerialconnection1", "&Help with Tarvel Serial connection"},
    {"Journal1", "&Journal..."},
    {"SaveSupportReport1", "&Save Support Report..."},
    {"About1", "&About..."},
};

// The caption without its mnemonic marks ("&&" stays: it is the stored form of one '&').
QString Unmarked(const QString& marked) {
    QString plain;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == QLatin1Char('&') && i + 1 < marked.size() &&
            marked[i + 1] == QLatin1Char('&')) {
            plain += QStringLiteral("&&");
            ++i;
        } else if (marked[i] != QLatin1Char('&')) {
            plain += marked[i];
        }
    }
    return plain;
}

QList<QKeySequence> Standard(QKeySequence::StandardKey key, QKeySequence fallback) {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}

} // namespace

QString MainMenu::ShownCaption(const QString& text) {
    return Unmarked(text);
}

MainMenu::MainMenu(QMenuBar* bar, std::function<void(MenuCommand)> run) {
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QHash<QMenu*, QActionGroup*> groups;
    for (const MenuRow& row : Rows) {
        QMenu* parent =
            row.Parent != nullptr ? menus_.value(QString::fromLatin1(row.Parent)) : nullptr;
        if (row.Kind == RowKind::Separator) {
            parent->addSeparator();
            continue;
        }
        const QString name = QString::fromLatin1(row.Name);
        const QString caption = QString::fromLatin1(row.Caption);
        QAction* action = nullptr;
        if (row.Kind == RowKind::Menu) {
            QMenu* menu = parent != nullptr ? parent->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(name);
            menus_.insert(name, menu);
            action = menu->menuAction();
        } else {
            action = parent->addAction(caption);
            action->setObjectName(name);
            if ((row.Flags & Exclusive) != 0) {
                QActionGroup*& group = groups[parent];
                if (group == nullptr) {
                    group = new QActionGroup(parent);
                    group->setExclusive(true);
                }
                action->setCheckable(true);
                action->setActionGroup(group);
            }
            action->setChecked((row.Flags & Ticked) != 0);
            if (row.Command != MenuCommand::None) {
                const MenuCommand command = row.Command;
                QObject::connect(action, &QAction::triggered, action,
                                 [run, command] { run(command); });
            }
        }
        action->setEnabled((row.Flags & Off) == 0);
        actions_.insert(name, action);
    }
    AddKeyboardAccess();
}

void MainMenu::MarkMnemonic(const QString& name, QAction* action) {
    for (const KeyRow& row : Mnemonics) {
        const QString marked = QString::fromLatin1(row.Marked);
        if (name == QLatin1String(row.Name) && Unmarked(marked) == action->text()) {
            action->setText(marked); // a submenu's title follows its action
            return;
        }
    }
}

void MainMenu::AddKeyboardAccess() {
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        MarkMnemonic(it.key(), it.value());
    }
    const struct {
        const char* Name;
        QList<QKeySequence> Keys;
    } shortcuts[] = {
        {"OpenConfigurationFile1",
         Standard(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O))},
        {"SaveConfigurationtoFile1",
         Standard(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S))},
        {"ReadfromZelvars1", {QKeySequence(Qt::CTRL | Qt::Key_R)}},
        {"SendCurrentSettingstoZelvars1", {QKeySequence(Qt::CTRL | Qt::Key_T)}},
        // Exit asks first, as the menu item does.
        {"Exit1", Standard(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q))},
        {"HelpwithTarvelSerialconnection1",
         Standard(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1))},
    };
    for (const auto& shortcut : shortcuts) {
        if (QAction* action = Action(QString::fromLatin1(shortcut.Name))) {
            action->setShortcuts(shortcut.Keys);
        }
    }
}

QAction* MainMenu::AddItem(const QString& menuName, const QString& name, const QString& caption,
                           const QString& before, std::function<void()> run) {
    QMenu* menu = menus_.value(menuName);
    if (menu == nullptr) {
        return nullptr;
    }
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->insertAction(actions_.value(before), action);
    QObject::connect(action, &QAction::triggered, action, [run = std::move(run)] { run(); });
    actions_.insert(name, action);
    MarkMnemonic(name, action);
    return action;
}

QAction* MainMenu::Action(const QString& name) const {
    return actions_.value(name);
}

QMenu* MainMenu::Menu(const QString& name) const {
    return menus_.value(name);
}

} // namespace tarvel
