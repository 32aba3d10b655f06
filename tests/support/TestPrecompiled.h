#pragma once

// What most test sources include, parsed once per test program of several sources. Qt's
// headers only where the program builds against Qt.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#if __has_include(<QString>)
#include <QByteArray>
#include <QString>
#include <QStringList>
#endif
