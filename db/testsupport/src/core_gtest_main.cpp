// GoogleTest entry for tests without widgets: one QCoreApplication for the whole binary (Qt's SQL
// drivers need it).
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
