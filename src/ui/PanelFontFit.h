#pragma once

class QWidget;

namespace tarvel {

// Fits a panel of word-wrapped instruction labels into its fixed size: the labels' fonts
// shrink together, a pixel at a time down to SmallestFontPixels, until the panel's layout
// needs no more height than the panel has. A panel drawn for one font set would otherwise cut
// its last lines in taller ones (Noto, URW).
class PanelFontFit {
public:
    static constexpr int SmallestFontPixels = 8;

    static void Apply(QWidget& panel);
};

} // namespace tarvel
