#pragma once

#include <QString>

#include <vector>

class QLabel;
class QTime;
class QWidget;

namespace tarvel {

// After the line is lost, the pages that show the units' state as last read (the Source Setup
// page's video status, the Information page's unit details) say that it is no longer current,
// until the link connects again.
class LastReadNotes {
public:
    // One note on each page at the given place (page coordinates).
    struct Place {
        QWidget* Page;
        const char* Name;
        int X, Y, Width, Height;
    };

    explicit LastReadNotes(const std::vector<Place>& places);

    void ShowLineLost(const QTime& at);
    void Hide();
    bool Shown() const;
    QString Text() const;

    static QString NoteText(const QTime& at);

private:
    std::vector<QLabel*> notes_;
};

} // namespace tarvel
