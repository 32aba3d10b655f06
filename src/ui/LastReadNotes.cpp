#include "ui/LastReadNotes.h"

#include <QLabel>
#include <QTime>

namespace tarvel {

LastReadNotes::LastReadNotes(const std::vector<Place>& places) {
    for (const Place& place : places) {
        auto* note = new QLabel(place.Page);
        note->setObjectName(QString::fromLatin1(place.Name));
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        note->setGeometry(place.X, place.Y, place.Width, place.Height);
        note->setStyleSheet(QStringLiteral("color: #a00000;"));
        note->hide();
        notes_.push_back(note);
    }
}

QString LastReadNotes::NoteText(const QTime& at) {
    return QStringLiteral("Line lost at %1: the values shown are from the last read, not "
                          "current.")
        .arg(at.toString(QStringLiteral("HH:mm:ss")));
}

void LastReadNotes::ShowLineLost(const QTime& at) {
    for (QLabel* note : notes_) {
        note->setText(NoteText(at));
        note->show();
        note->raise();
    }
}

void LastReadNotes::Hide() {
    for (QLabel* note : notes_) {
        note->hide();
    }
}

bool LastReadNotes::Shown() const {
    return !notes_.empty() && !notes_.front()->isHidden();
}

QString LastReadNotes::Text() const {
    return notes_.empty() ? QString() : notes_.front()->text();
}

} // namespace tarvel
