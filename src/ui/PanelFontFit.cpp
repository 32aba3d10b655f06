#include "ui/PanelFontFit.h"

#include <QFontInfo>
#include <QLabel>
#include <QLayout>

namespace tarvel {

namespace {

int NeededHeight(QWidget& panel) {
    QLayout* layout = panel.layout();
    layout->invalidate();
    return layout->hasHeightForWidth() ? layout->totalHeightForWidth(panel.width())
                                       : layout->totalMinimumSize().height();
}

} // namespace

void PanelFontFit::Apply(QWidget& panel) {
    if (panel.layout() == nullptr) {
        return;
    }
    const QList<QLabel*> labels = panel.findChildren<QLabel*>();
    while (NeededHeight(panel) > panel.height()) {
        bool shrunk = false;
        for (QLabel* label : labels) {
            QFont font = label->font();
            const int pixels = QFontInfo(font).pixelSize();
            if (pixels > SmallestFontPixels) {
                font.setPixelSize(pixels - 1);
                label->setFont(font);
                shrunk = true;
            }
        }
        if (!shrunk) {
            return;
        }
    }
}

} // namespace tarvel
