#pragma once

#include "config/PlanningGeometry.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

namespace tarvel {

// The Planning page's projector placement ruler (ProjPlaceImage): a silver picture with a ruler
// from "0" to the horizontal output size and a dashed line at each projector's centre, labelled
// with the projector and its position in screen units. It paints what it was last given.
class ProjPlaceImage : public QWidget {
    Q_OBJECT

public:
    static constexpr int PictureWidth = 477;
    static constexpr int PictureHeight = 128;
    static constexpr int RulerY = 20;

    explicit ProjPlaceImage(QWidget* parent = nullptr);

    // A text as it is drawn, with the box its advance and the font's height take.
    struct DrawnText {
        QString Text;
        QRect Box;
    };

    // sizeText: the horizontal size field's text, written at the ruler's right end.
    void SetRuler(const QString& sizeText, std::vector<RulerMark> marks);
    const std::vector<RulerMark>& Marks() const { return marks_; }
    const QString& SizeText() const { return sizeText_; }
    // Every text of the picture, where it is drawn.
    std::vector<DrawnText> Texts() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString sizeText_;
    std::vector<RulerMark> marks_;
};

} // namespace tarvel
