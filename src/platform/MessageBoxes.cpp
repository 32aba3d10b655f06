#include "platform/MessageBoxes.h"

namespace tarvel {

const QString MessageBoxes::DefaultCaption = QStringLiteral("Prendel - Tarvel");

} // namespace tarvel
