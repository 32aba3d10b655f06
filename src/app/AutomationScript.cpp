#include "AutomationScript.h"

#include "device/DeviceLink.h"
#include "platform/Waiter.h"
#include "ui/TTarvelForm.h"
#include "ui/TarvelApplication.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>

#include <array>
#include <cstdio>
#include <optional>
#include <utility>
#include <variant>

namespace tarvel {

namespace {

constexpr int TickMs = 10; // how often the player looks whether the program is idle

QString Escaped(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return text;
}

// The words of the Save/Discard/Cancel question; its Cancel keeps the program running.
constexpr std::array<std::pair<const char*, SaveChoice>, 3> SaveWords{{
    {"save", SaveChoice::Save},
    {"discard", SaveChoice::Discard},
    {"stay", SaveChoice::Cancel},
}};

QString AnswerWord(const ScriptedMessageBoxes::Call& call) {
    if (call.Kind == MessageKind::SaveDiscardCancel) {
        for (const auto& [word, choice] : SaveWords) {
            if (choice == call.Choice) {
                return QString::fromLatin1(word);
            }
        }
    }
    if (call.Kind == MessageKind::YesNo) {
        return call.Answer ? QStringLiteral("yes") : QStringLiteral("no");
    }
    return call.Answer ? QStringLiteral("ok") : QStringLiteral("cancel");
}

// yes/ok: true; no/cancel: false; or one of the Save/Discard/Cancel words.
std::optional<std::variant<bool, SaveChoice>> ParseAnswer(const QString& word) {
    if (word == QLatin1String("yes") || word == QLatin1String("ok")) {
        return true;
    }
    if (word == QLatin1String("no") || word == QLatin1String("cancel")) {
        return false;
    }
    for (const auto& [text, choice] : SaveWords) {
        if (word == QLatin1String(text)) {
            return choice;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseMs(const QString& word) {
    bool ok = false;
    const int ms = word.toInt(&ok);
    return ok && ms >= 0 ? std::optional<int>(ms) : std::nullopt;
}

void SendKey(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

} // namespace

// How a step is written and run. Args counts the words after the keyword (for NameAndRest
// steps: the NAME only); MaxArgs -1 is any number.
struct AutomationScript::StepKind {
    const char* Keyword;
    int MinArgs;
    int MaxArgs;
    bool NameAndRest; // NAME, then the rest of the line after one blank
    bool RestOnly;    // the whole rest of the line
    bool Immediate;   // runs at once, without waiting for the program to be idle
    bool (AutomationScript::*Run)(const Step&, QString*);
};

const AutomationScript::StepKind* AutomationScript::FindKind(const QString& keyword) {
    static const std::array<StepKind, 15> kinds{{
        {"answer", 1, -1, false, false, true, &AutomationScript::RunAnswer},
        {"file", 0, 0, false, true, true, &AutomationScript::RunFile},
        {"type", 1, 1, true, false, false, &AutomationScript::RunType},
        {"enter", 1, 1, false, false, false, &AutomationScript::RunEnter},
        {"focus", 1, 1, false, false, false, &AutomationScript::RunFocus},
        {"click", 1, 1, false, false, false, &AutomationScript::RunClick},
        {"check", 2, 2, false, false, false, &AutomationScript::RunCheck},
        {"select", 1, 1, true, false, false, &AutomationScript::RunSelect},
        {"menu", 1, 1, false, false, false, &AutomationScript::RunMenu},
        {"tab", 1, 1, false, false, false, &AutomationScript::RunTab},
        {"dblclick", 1, 1, false, false, false, &AutomationScript::RunDblClick},
        {"wait", 0, 1, false, false, false, &AutomationScript::RunWait},
        {"sleep", 1, 1, false, false, false, &AutomationScript::RunSleep},
        {"show", 1, -1, false, false, false, &AutomationScript::RunShow},
        {"close", 0, 0, false, false, false, &AutomationScript::RunClose},
    }};
    for (const StepKind& kind : kinds) {
        if (keyword == QLatin1String(kind.Keyword)) {
            return &kind;
        }
    }
    return nullptr;
}

AutomationScript::AutomationScript(const QString& path)
    : report_(path + QStringLiteral(".report")),
      dialogs_([this](const QString& kind, const QString& name) {
          Report(kind + QStringLiteral(": ") +
                 (name.isEmpty() ? QStringLiteral("(cancel)") : Escaped(name)));
      }) {
    boxes_.OnShow([this](const ScriptedMessageBoxes::Call& call) {
        QString line = QStringLiteral("box: ") + Escaped(call.Caption) + QStringLiteral(" | ") +
                       Escaped(call.Text);
        if (call.Kind != MessageKind::Information) {
            line += QStringLiteral(" -> ") + AnswerWord(call);
        }
        Report(line);
        if (call.Unscripted) {
            // Answered No (Cancel) so the program goes on; the player ends it once it is back
            // at the top.
            Report(QStringLiteral("error: no answer was queued for the question above"));
            failed_ = true;
        }
    });
    if (!report_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "Tarvel: cannot write %s\n", qPrintable(report_.fileName()));
        return;
    }
    Load(path);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
}

AutomationScript::~AutomationScript() = default;

void AutomationScript::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Report(QStringLiteral("error: cannot read the script ") + path);
        return;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int i = 0; i < lines.size(); ++i) {
        QString text = lines[i];
        if (text.endsWith(QLatin1Char('\r'))) {
            text.chop(1);
        }
        const QString line = text.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        Step step;
        step.Line = i + 1;
        step.Text = line;
        const qsizetype keywordEnd = line.indexOf(blanks);
        step.Keyword = keywordEnd < 0 ? line : line.left(keywordEnd);
        const QString rest = keywordEnd < 0 ? QString() : line.mid(keywordEnd + 1);
        const StepKind* kind = FindKind(step.Keyword);
        if (kind == nullptr) {
            Fail(&step, QStringLiteral("unknown step"));
            return;
        }
        if (kind->RestOnly) {
            step.Rest = rest;
        } else if (kind->NameAndRest) {
            const qsizetype nameEnd = rest.indexOf(QLatin1Char(' '));
            step.Args << (nameEnd < 0 ? rest : rest.left(nameEnd));
            step.Args.removeAll(QString());
            step.Rest = nameEnd < 0 ? QString() : rest.mid(nameEnd + 1);
        } else {
            step.Args = rest.split(blanks, Qt::SkipEmptyParts);
        }
        const int count = static_cast<int>(step.Args.size());
        if (count < kind->MinArgs || (kind->MaxArgs >= 0 && count > kind->MaxArgs)) {
            Fail(&step, QStringLiteral("wrong number of arguments"));
            return;
        }
        bool valid = true;
        if (step.Keyword == QLatin1String("answer")) {
            for (const QString& word : step.Args) {
                valid = valid && ParseAnswer(word).has_value();
            }
        } else if (step.Keyword == QLatin1String("check")) {
            valid = step.Args[1] == QLatin1String("on") || step.Args[1] == QLatin1String("off");
        } else if (step.Keyword == QLatin1String("wait") ||
                   step.Keyword == QLatin1String("sleep")) {
            valid = step.Args.isEmpty() || ParseMs(step.Args[0]).has_value();
        } else if (step.Keyword == QLatin1String("select")) {
            valid = !step.Rest.isEmpty();
        }
        if (!valid) {
            Fail(&step, QStringLiteral("invalid argument"));
            return;
        }
        steps_.push_back(step);
    }
    loaded_ = true;
}

void AutomationScript::Start(TTarvelForm& form) {
    form_ = &form;
    if (auto* application = qobject_cast<TarvelApplication*>(QCoreApplication::instance())) {
        QObject::connect(application, &TarvelApplication::ExceptionCaught, &timer_,
                         [this](const QString& text) { ExceptionCaught(text); });
    }
    form.activateWindow();
    while (next_ < steps_.size() && FindKind(steps_[next_].Keyword)->Immediate) {
        if (!RunStep(steps_[next_])) {
            return;
        }
        ++next_;
    }
    BeginStep();
    timer_.start(TickMs);
}

void AutomationScript::BeginStep() {
    int limitMs = DefaultIdleLimitMs;
    if (next_ < steps_.size()) {
        const Step& step = steps_[next_];
        if (step.Keyword == QLatin1String("wait") && !step.Args.isEmpty()) {
            limitMs = ParseMs(step.Args[0]).value_or(DefaultIdleLimitMs);
        }
    }
    idleDeadline_ = QDeadlineTimer(limitMs);
}

void AutomationScript::Tick() {
    if (running_) {
        return; // a step's own waits let the timer fire
    }
    if (failed_) {
        // An unanswered question: end once the program is back at the top.
        if (Waiter::Depth() == 0) {
            timer_.stop();
            QCoreApplication::exit(FailureCode);
        }
        return;
    }
    if (!form_) {
        timer_.stop();
        return;
    }
    if (next_ >= steps_.size()) {
        timer_.stop();
        if (form_->isVisible()) {
            Fail(nullptr, QStringLiteral("the script ended with the window open"));
        }
        return;
    }
    if (!sleepUntil_.hasExpired()) {
        return;
    }
    const Step& step = steps_[next_];
    if (!FindKind(step.Keyword)->Immediate) {
        if (form_->isVisible() && !form_->isActiveWindow() && Waiter::Depth() == 0) {
            // The user clicks into the main window, as after the progress window went away
            // (no window manager gives the activation back here).
            form_->activateWindow();
        }
        const QString reason = NotIdleReason();
        if (!reason.isEmpty()) {
            if (idleDeadline_.hasExpired()) {
                Fail(&step, QStringLiteral("the program was not idle in time (%1)").arg(reason));
            }
            return;
        }
    }
    if (RunStep(step)) {
        ++next_;
        BeginStep();
    }
}

// An exception in a wait inside a step was shown and the step went on: the run ends, with its
// reason, once the program is back at the top.
void AutomationScript::ExceptionCaught(const QString& text) {
    const QString reason = QStringLiteral("exception: ") + text;
    if (running_ && next_ < steps_.size()) {
        const Step& step = steps_[next_];
        Report(QStringLiteral("error: line %1: %2: %3").arg(step.Line).arg(step.Text, reason));
    } else {
        Report(QStringLiteral("error: ") + reason);
    }
    failed_ = true;
}

bool AutomationScript::RunStep(const Step& step) {
    running_ = true;
    QString error;
    bool done = false;
    try {
        done = (this->*FindKind(step.Keyword)->Run)(step, &error);
    } catch (...) {
        error = QStringLiteral("exception: ") +
                TarvelApplication::ExceptionText(std::current_exception());
    }
    running_ = false;
    if (!done) {
        Fail(&step, error);
    }
    return done;
}

QString AutomationScript::NotIdleReason() const {
    if (!form_->isVisible()) {
        return QStringLiteral("the window is closed");
    }
    if (!form_->StartupDone()) {
        return QStringLiteral("the start-up question or its search is not over");
    }
    if (Waiter::Depth() > 0) {
        return QStringLiteral("a wait is running");
    }
    if (form_->Link().ExchangeWaiting()) {
        return QStringLiteral("the link waits for a reply");
    }
    if (form_->State().Busy != 0) {
        return QStringLiteral("Busy is set");
    }
    if (QApplication::activeModalWidget() != nullptr) {
        return QStringLiteral("a modal window is open");
    }
    if (QApplication::activePopupWidget() != nullptr) {
        return QStringLiteral("a pop-up is open");
    }
    if (!form_->isActiveWindow()) {
        return QStringLiteral("the window is not active");
    }
    return {};
}

void AutomationScript::Report(const QString& line) {
    if (report_.isOpen()) {
        report_.write(line.toUtf8() + '\n');
        report_.flush();
    }
}

void AutomationScript::Fail(const Step* step, const QString& reason) {
    if (step != nullptr) {
        Report(QStringLiteral("error: line %1: %2: %3").arg(step->Line).arg(step->Text, reason));
    } else {
        Report(QStringLiteral("error: ") + reason);
    }
    failed_ = true;
    timer_.stop();
    if (form_) {
        QCoreApplication::exit(FailureCode);
    }
}

// ----- Controls -----

QObject* AutomationScript::Find(const QString& name, QString* error) const {
    if (QAction* action = form_->MenuAction(name)) {
        return action;
    }
    QList<QWidget*> found = form_->findChildren<QWidget*>(name);
    if (form_->objectName() == name) {
        found.prepend(form_);
    }
    if (found.size() == 1) {
        return found.front();
    }
    *error = found.isEmpty() ? QStringLiteral("no control named %1").arg(name)
                             : QStringLiteral("%1 controls named %2").arg(found.size()).arg(name);
    return nullptr;
}

QWidget* AutomationScript::UsableWidget(const QString& name, QString* error) const {
    auto* widget = qobject_cast<QWidget*>(Find(name, error));
    if (widget == nullptr) {
        if (error->isEmpty()) {
            *error = name + QStringLiteral(" is not a control in the window");
        }
        return nullptr;
    }
    if (!widget->isVisible()) {
        *error = name + QStringLiteral(" is not shown");
        return nullptr;
    }
    if (!widget->isEnabled()) {
        *error = name + QStringLiteral(" is disabled");
        return nullptr;
    }
    return widget;
}

// As a mouse click: the control that had the focus loses it (an edit commits).
bool AutomationScript::MoveFocusTo(QWidget* widget, QString* error) const {
    if (QApplication::focusWidget() != widget) {
        widget->setFocus(Qt::MouseFocusReason);
    }
    if (QApplication::focusWidget() != widget) {
        const QWidget* holder = QApplication::focusWidget();
        *error = QStringLiteral("the focus did not move to %1 (it is in %2)")
                     .arg(widget->objectName(),
                          holder != nullptr ? holder->objectName() : QStringLiteral("nothing"));
        return false;
    }
    return true;
}

bool AutomationScript::ClickButton(QAbstractButton* button, QString* error) {
    if ((button->focusPolicy() & Qt::ClickFocus) != 0 && QApplication::focusWidget() != button) {
        button->setFocus(Qt::MouseFocusReason);
        if (QApplication::focusWidget() != button) {
            *error = QStringLiteral("the focus did not move to %1").arg(button->objectName());
            return false;
        }
    }
    button->click();
    return true;
}

std::optional<QString> AutomationScript::ValueOf(const QObject* control) {
    if (const auto* action = qobject_cast<const QAction*>(control)) {
        QString value =
            action->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled");
        if (action->isCheckable()) {
            value +=
                action->isChecked() ? QStringLiteral(", checked") : QStringLiteral(", unchecked");
        }
        return value;
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(control)) {
        return list->currentText();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        if (button->isCheckable()) {
            return button->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
        }
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control)) {
        return memo->toPlainText();
    }
    if (const auto* pages = qobject_cast<const QTabWidget*>(control)) {
        return pages->tabText(pages->currentIndex());
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    if (const auto* widget = qobject_cast<const QWidget*>(control); widget && widget->isWindow()) {
        return widget->windowTitle();
    }
    return std::nullopt;
}

// ----- The steps -----

bool AutomationScript::RunAnswer(const Step& step, QString*) {
    for (const QString& word : step.Args) {
        const auto answer = *ParseAnswer(word);
        if (const bool* yes = std::get_if<bool>(&answer)) {
            boxes_.Answer(*yes);
        } else {
            boxes_.AnswerSave(std::get<SaveChoice>(answer));
        }
    }
    return true;
}

bool AutomationScript::RunFile(const Step& step, QString*) {
    dialogs_.Choose(step.Rest);
    return true;
}

bool AutomationScript::RunType(const Step& step, QString* error) {
    auto* edit = qobject_cast<QLineEdit*>(UsableWidget(step.Args[0], error));
    if (edit == nullptr) {
        if (error->isEmpty()) {
            *error = step.Args[0] + QStringLiteral(" is not an edit");
        }
        return false;
    }
    if (!MoveFocusTo(edit, error)) {
        return false;
    }
    edit->selectAll();
    if (step.Rest.isEmpty()) {
        SendKey(edit, Qt::Key_Backspace, QString());
    }
    for (const QChar c : step.Rest) {
        // Qt's key codes of printable ASCII characters are their upper-case codes.
        SendKey(edit, c.toUpper().unicode(), QString(c));
    }
    return true;
}

bool AutomationScript::RunEnter(const Step& step, QString* error) {
    QWidget* widget = UsableWidget(step.Args[0], error);
    if (widget == nullptr || !MoveFocusTo(widget, error)) {
        return false;
    }
    SendKey(widget, Qt::Key_Return, QStringLiteral("\r"));
    return true;
}

bool AutomationScript::RunFocus(const Step& step, QString* error) {
    QWidget* widget = UsableWidget(step.Args[0], error);
    return widget != nullptr && MoveFocusTo(widget, error);
}

bool AutomationScript::RunClick(const Step& step, QString* error) {
    auto* button = qobject_cast<QAbstractButton*>(UsableWidget(step.Args[0], error));
    if (button == nullptr) {
        if (error->isEmpty()) {
            *error = step.Args[0] + QStringLiteral(" is not a button");
        }
        return false;
    }
    return ClickButton(button, error);
}

bool AutomationScript::RunCheck(const Step& step, QString* error) {
    auto* button = qobject_cast<QAbstractButton*>(UsableWidget(step.Args[0], error));
    if (button == nullptr || !button->isCheckable()) {
        if (error->isEmpty()) {
            *error = step.Args[0] + QStringLiteral(" is not a check box");
        }
        return false;
    }
    const bool wanted = step.Args[1] == QLatin1String("on");
    return button->isChecked() == wanted || ClickButton(button, error);
}

bool AutomationScript::RunSelect(const Step& step, QString* error) {
    auto* list = qobject_cast<QComboBox*>(UsableWidget(step.Args[0], error));
    if (list == nullptr) {
        if (error->isEmpty()) {
            *error = step.Args[0] + QStringLiteral(" is not a list");
        }
        return false;
    }
    const int index = list->findText(step.Rest, Qt::MatchExactly);
    if (index < 0) {
        *error = QStringLiteral("%1 has no entry \"%2\"").arg(step.Args[0], step.Rest);
        return false;
    }
    if (!MoveFocusTo(list, error)) {
        return false;
    }
    // What choosing from the drop-down does: the selection, then the user-only signals.
    list->setCurrentIndex(index);
    const QPointer<QComboBox> alive(list);
    emit list->activated(index);
    if (alive) {
        emit list->textActivated(list->itemText(index));
    }
    return true;
}

bool AutomationScript::RunMenu(const Step& step, QString* error) {
    QAction* action = form_->MenuAction(step.Args[0]);
    if (action == nullptr) {
        *error = QStringLiteral("no menu item named %1").arg(step.Args[0]);
        return false;
    }
    if (!action->isEnabled()) {
        *error = step.Args[0] + QStringLiteral(" is disabled");
        return false;
    }
    action->trigger();
    return true;
}

bool AutomationScript::RunTab(const Step& step, QString* error) {
    auto* page = qobject_cast<QWidget*>(Find(step.Args[0], error));
    auto* stack = page != nullptr ? qobject_cast<QStackedWidget*>(page->parentWidget()) : nullptr;
    auto* pages = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (pages == nullptr) {
        if (error->isEmpty()) {
            *error = step.Args[0] + QStringLiteral(" is not a page");
        }
        return false;
    }
    const int index = pages->indexOf(page);
    if (!pages->isVisible() || !pages->isTabVisible(index)) {
        *error = QStringLiteral("the tab of %1 is not shown").arg(step.Args[0]);
        return false;
    }
    if (!pages->isEnabled() || !pages->isTabEnabled(index)) {
        *error = QStringLiteral("the tab of %1 is disabled").arg(step.Args[0]);
        return false;
    }
    pages->setCurrentIndex(index);
    return true;
}

bool AutomationScript::RunDblClick(const Step& step, QString* error) {
    QWidget* widget = UsableWidget(step.Args[0], error);
    if (widget == nullptr) {
        return false;
    }
    const QPointF local = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(local);
    const QPointer<QWidget> alive(widget);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        if (!alive) {
            break;
        }
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, local, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    return true;
}

bool AutomationScript::RunWait(const Step&, QString*) {
    return true; // the idle wait before every step is the whole of it
}

bool AutomationScript::RunSleep(const Step& step, QString*) {
    sleepUntil_ = QDeadlineTimer(*ParseMs(step.Args[0]));
    return true;
}

bool AutomationScript::RunShow(const Step& step, QString* error) {
    for (const QString& name : step.Args) {
        const QObject* control = Find(name, error);
        if (control == nullptr) {
            return false;
        }
        const std::optional<QString> value = ValueOf(control);
        if (!value) {
            *error = name + QStringLiteral(" shows no text");
            return false;
        }
        Report(name + QStringLiteral(": ") + Escaped(*value));
    }
    return true;
}

bool AutomationScript::RunClose(const Step&, QString*) {
    form_->close();
    return true;
}

} // namespace tarvel
