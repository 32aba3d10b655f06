#pragma once

#include <QIcon>

namespace tarvel {

// The program's icon, painted (the same design as packaging/tarvel.svg), so no image plugin
// is needed to show it.
QIcon ApplicationIcon();

} // namespace tarvel
