// Every text of every page shows whole: the labels, buttons, lists, fields, group titles, tabs,
// the report and the line lists against their rectangles, and the texts drawn into the
// pictures against the picture. In the machine's own font and in each of the common font sets
// that is installed, for the plans that make the longest texts.

#include "WindowTestSupport.h"

#include "platform/ScriptedMessageBoxes.h"
#include "ui/ProjPlaceImage.h"
#include "ui/StatusLight.h"
#include "ui/TTarvelForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tarvel {
namespace {

constexpr int LineEditMargin = 2; // Qt's own space left and right of a line edit's text

QString Describe(const QWidget* widget, const QString& text, const QSize& needed,
                 const QSize& room) {
    return QStringLiteral("%1 %2 \"%3\": needs %4x%5, has %6x%7")
        .arg(QString::fromLatin1(widget->metaObject()->className()),
             widget->objectName().isEmpty() ? QStringLiteral("(unnamed)") : widget->objectName(),
             text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

// The text as shown, without the mnemonic ampersands.
QString Shown(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Where each checked text lies in the window, to find texts that cover one another.
struct Placed {
    const QWidget* Widget;
    QString Text;
    QRect Box;
};

void CheckText(QStringList& misfits, const QWidget* widget, const QFont& font, const QRect& room,
               const QString& text, int flags = Qt::AlignLeft | Qt::AlignVCenter,
               QList<Placed>* placed = nullptr) {
    if (text.isEmpty()) {
        return;
    }
    const QRect needed = QFontMetrics(font).boundingRect(room, flags, text);
    if (needed.width() > room.width() || needed.height() > room.height()) {
        misfits << Describe(widget, text, needed.size(), room.size());
    }
    if (placed != nullptr) {
        placed->append(
            Placed{widget, text, needed.translated(widget->mapTo(widget->window(), QPoint()))});
    }
}

void CheckLabel(QStringList& misfits, QList<Placed>& placed, const QLabel* label) {
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        return;
    }
    const int margin = label->margin() + (label->indent() > 0 ? label->indent() : 0);
    const QRect room =
        label->contentsRect().adjusted(margin, label->margin(), -label->margin(), -label->margin());
    QString text = label->text();
    // Blanks at the end of a text on the left show nothing ("Black Level ").
    if (!(label->alignment() & (Qt::AlignRight | Qt::AlignHCenter)) && !label->wordWrap()) {
        while (text.endsWith(QLatin1Char(' '))) {
            text.chop(1);
        }
    }
    CheckText(misfits, label, label->font(), room, text,
              static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
              &placed);
}

void CheckButton(QStringList& misfits, QList<Placed>& placed, const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button) != nullptr) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(button) != nullptr) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (qobject_cast<const QPushButton*>(button) == nullptr) {
        return;
    }
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const bool box = contents != QStyle::SE_PushButtonContents;
    CheckText(misfits, button, button->font(), room, Shown(button->text()),
              (box ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter | Qt::TextShowMnemonic,
              box ? &placed : nullptr);
}

void CheckGroup(QStringList& misfits, const QGroupBox* group) {
    if (group->title().isEmpty()) {
        return;
    }
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    if (group->isCheckable()) {
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    }
    option.textAlignment = group->alignment();
    option.lineWidth = 1;
    const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    if (!group->rect().contains(label)) {
        misfits << Describe(group, group->title(), label.size(),
                            QSize(group->width() - label.left(), group->height()));
    }
}

void CheckComboBox(QStringList& misfits, const QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.subControls = QStyle::SC_All;
    // The item shows in the edit field, less a pixel each side.
    const QRect room =
        list->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
            .adjusted(1, 0, -1, 0);
    for (int i = 0; i < list->count(); ++i) {
        CheckText(misfits, list, list->font(), room, list->itemText(i));
    }
}

void CheckLineEdit(QStringList& misfits, const QLineEdit* edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QMargins margins = edit->textMargins();
    const QRect room = edit->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                           .marginsRemoved(margins)
                           .adjusted(LineEditMargin, 0, -LineEditMargin - 1, 0); // and the cursor
    CheckText(misfits, edit, edit->font(), room, edit->text());
}

void CheckScrolling(QStringList& misfits, const QAbstractScrollArea* area, const QString& text) {
    if (area->horizontalScrollBar()->maximum() > 0 || area->verticalScrollBar()->maximum() > 0) {
        misfits << Describe(area, text.left(60),
                            area->viewport()->size() + QSize(area->horizontalScrollBar()->maximum(),
                                                             area->verticalScrollBar()->maximum()),
                            area->viewport()->size());
    }
}

void CheckList(QStringList& misfits, const QListWidget* list) {
    for (int i = 0; i < list->count(); ++i) {
        const QRect item = list->visualItemRect(list->item(i));
        const QFontMetrics metrics(list->font());
        const int needed = metrics.horizontalAdvance(list->item(i)->text());
        // The item's text starts after its padding; it must end inside the viewport.
        if (item.bottom() >= list->viewport()->height() ||
            item.left() + needed > list->viewport()->width()) {
            misfits << Describe(list, list->item(i)->text(),
                                QSize(item.left() + needed, item.bottom() + 1),
                                list->viewport()->size());
        }
    }
}

void CheckTabs(QStringList& misfits, const QTabBar* tabs) {
    for (int i = 0; i < tabs->count(); ++i) {
        if (!tabs->isTabVisible(i)) {
            continue;
        }
        // The caption between the tab's padding, and the whole tab on the bar.
        const QRect tab = tabs->tabRect(i);
        const int padding = tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs);
        const int needed = QFontMetrics(tabs->font()).horizontalAdvance(Shown(tabs->tabText(i)));
        if (needed > tab.width() - padding || !tabs->rect().contains(tab)) {
            misfits << Describe(tabs, tabs->tabText(i), QSize(needed + padding, tab.height()),
                                tab.size());
        }
    }
}

void CheckPicture(QStringList& misfits, const ProjPlaceImage* picture) {
    const QRect room = picture->rect();
    QList<QRect> placed;
    for (const ProjPlaceImage::DrawnText& drawn : picture->Texts()) {
        if (!room.contains(drawn.Box)) {
            misfits << Describe(picture, drawn.Text, drawn.Box.size(), room.size()) +
                           QStringLiteral(" at %1,%2").arg(drawn.Box.x()).arg(drawn.Box.y());
        }
        for (const QRect& other : placed) {
            if (other.intersects(drawn.Box)) {
                misfits << Describe(picture, drawn.Text, drawn.Box.size(), room.size()) +
                               QStringLiteral(" overlaps another text");
            }
        }
        placed << drawn.Box;
    }
}

// Every text of the window's visible controls that does not show whole.
QStringList Misfits(const QWidget& window) {
    QStringList misfits;
    QList<Placed> placed; // labels and box captions
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->window() != &window) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            CheckLabel(misfits, placed, label);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            CheckButton(misfits, placed, button);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            CheckGroup(misfits, group);
        } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            CheckComboBox(misfits, list);
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            CheckLineEdit(misfits, edit);
        } else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) {
            CheckScrolling(misfits, memo, memo->toPlainText());
        } else if (const auto* lines = qobject_cast<const QListWidget*>(widget)) {
            CheckScrolling(misfits, lines, QString());
            CheckList(misfits, lines);
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
            CheckTabs(misfits, tabs);
        } else if (const auto* light = qobject_cast<const StatusLight*>(widget)) {
            if (light->sizeHint().width() > light->width()) {
                misfits << Describe(light, light->toolTip(), light->sizeHint(), light->size());
            }
        } else if (const auto* picture = qobject_cast<const ProjPlaceImage*>(widget)) {
            CheckPicture(misfits, picture);
        }
    }
    for (qsizetype i = 0; i < placed.size(); ++i) {
        for (qsizetype j = i + 1; j < placed.size(); ++j) {
            if (placed[i].Box.intersects(placed[j].Box)) {
                misfits << QStringLiteral("\"%1\" (%2) and \"%3\" (%4) cover each other")
                               .arg(placed[i].Text, placed[i].Widget->objectName(), placed[j].Text,
                                    placed[j].Widget->objectName());
            }
        }
    }
    return misfits;
}

// The font sets: the machine's own, and each common family that is installed.
QStringList Families() {
    QStringList families{QFontInfo(QApplication::font()).family()};
    for (const char* family : {"DejaVu Sans", "Noto Sans", "Nimbus Sans", "Liberation Sans"}) {
        const QString name = QString::fromLatin1(family);
        if (QFontDatabase::hasFamily(name) && !families.contains(name)) {
            families << name;
        }
    }
    return families;
}

TEST(TextFitTest, EveryTextOfEveryPageShowsWhole) {
    const QFont applicationFont = QApplication::font();
    struct FontBack {
        QFont Font;
        ~FontBack() { QApplication::setFont(Font); }
    } back{applicationFont};
    // Tarvel.ini for the plans with the longest texts: the first start's three projectors,
    // eight on 1280x1024 (a ruler mark near the right end), eight on 1400x1050 (its note, a
    // five-digit image width), and a horizontal size of six characters.
    const QByteArray plans[] = {"", "100 10 64 7 0 2", "100 10 64 7 0 5", "66.667 10 64 7 1 4"};
    for (const QString& family : Families()) {
        QFont font = applicationFont;
        font.setFamilies({family});
        QApplication::setFont(font);
        for (const QByteArray& plan : plans) {
            const std::string where =
                family.toStdString() + ", Tarvel.ini \"" + plan.toStdString() + "\"";
            test::WorkingDirectory directory;
            if (!plan.isEmpty()) {
                directory.Write(QStringLiteral("Tarvel.ini"), plan);
            }
            ScriptedMessageBoxes boxes;
            TTarvelForm::Options options;
            options.Messages = &boxes;
            options.CloseWaitMs = 0;
            ::testing::internal::CaptureStderr();
            auto form = std::make_unique<TTarvelForm>(std::move(options));
            ::testing::internal::GetCapturedStderr();
            boxes.Answer(false);
            form->show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return form->StartupDone(); }, 5000)) << where;
            form->SetServiceView(true); // its panels and page too
            QTabWidget* pages = form->PageControl();
            auto* subPages = form->findChild<QTabWidget*>(QStringLiteral("ScreenPageControl"));
            QStringList misfits;
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                for (int sub = 0; sub < subPages->count(); ++sub) {
                    if (subPages->isTabVisible(sub)) {
                        subPages->setCurrentIndex(sub);
                        QApplication::processEvents();
                        misfits << Misfits(*form);
                    }
                }
            }
            misfits.removeDuplicates();
            EXPECT_TRUE(misfits.isEmpty()) << where << ":\n" << misfits.join('\n').toStdString();
            form->hide();
        }
    }
}

} // namespace
} // namespace tarvel
