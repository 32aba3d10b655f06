#pragma once

#include "ui/UiContext.h"

#include <QWidget>

namespace tarvel {

// What every page of PhasePageControl has in common: its objectName, the context, and the
// page switch rule's call.
class TabPage : public QWidget {
    Q_OBJECT

public:
    TabPage(const char* objectName, const UiContext& context, QWidget* parent = nullptr);

    // The page has just been made the active page (or is shown again after an automatic
    // operation). usable: the link is up and no action is under way. Pages whose controls
    // talk to the units enable or disable them here and refill from the model.
    virtual void SetUsable(bool usable);
    bool Usable() const { return usable_; }

protected:
    const UiContext& Context() const { return context_; }

private:
    const UiContext& context_;
    bool usable_ = false;
};

} // namespace tarvel
