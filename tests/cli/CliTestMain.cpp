// Test entry: the command line's help reads the application's name, so there is one.

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The parser's help and version read the application's name and version.
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvel-cli"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
