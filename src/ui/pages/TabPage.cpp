#include "ui/pages/TabPage.h"

namespace tarvel {

TabPage::TabPage(const char* objectName, const UiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QString::fromLatin1(objectName));
}

void TabPage::SetUsable(bool usable) {
    usable_ = usable;
}

} // namespace tarvel
