#pragma once

#include "config/PlanningGeometry.h"

#include <QColor>
#include <QWidget>

#include <vector>

namespace tarvel {

// The Planning page's row of projector boxes (ProjectorImage): a silver picture with one
// one-pixel frame per projector, in that projector's colour and without fill, overlapping as
// the projectors' images do. It paints what it was last given; the page works out the boxes.
class ProjectorImage : public QWidget {
    Q_OBJECT

public:
    static constexpr int PictureWidth = 905;
    static constexpr int PictureHeight = 110;

    struct Box {
        ProjectorRect Rect; // right and bottom are just outside the frame
        QColor Colour;
    };

    explicit ProjectorImage(QWidget* parent = nullptr);

    // Boxes of projectors 1..N in order; later boxes are framed over earlier ones.
    void SetBoxes(std::vector<Box> boxes);
    const std::vector<Box>& Boxes() const { return boxes_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Box> boxes_;
};

} // namespace tarvel
