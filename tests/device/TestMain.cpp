// Test entry: a QCoreApplication for the link tests, and the child-process roles that the
// exit tests start from this same program.

#include "ChildRoles.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0 &&
        std::strncmp(argv[1], "--gtest", 7) != 0) {
        QCoreApplication app(argc, argv);
        return tarvel::test::RunChildRole(argc, argv);
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
