// Headless test main: offscreen platform, 96 DPI, Liberation fonts, so text
// widths and pixels are the same on every machine.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setFont(QFont("Liberation Sans", 9));
    return RUN_ALL_TESTS();
}
