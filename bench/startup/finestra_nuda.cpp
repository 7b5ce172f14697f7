// The yardstick for Tastavia's start-up: a bare Qt Widgets window of the same
// size (the screen's work area, as the main window takes) with one line edit,
// nothing else. bench/startup/run.sh measures it beside the program.
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.setWindowTitle(QStringLiteral("Finestra nuda"));
    auto *strati = new QVBoxLayout(&finestra);
    strati->addWidget(new QLineEdit(&finestra));
    strati->addStretch();
    finestra.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    finestra.show();
    finestra.activateWindow();   // takes the keyboard without a window manager, as Tastavia does
    return QApplication::exec();
}
