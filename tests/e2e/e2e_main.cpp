// One program for every end-to-end test: each ctest entry picks its tests with
// --gtest_filter. The platform is the real one the run script sets (xcb or
// wayland), unlike the headless main of the other tests.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
