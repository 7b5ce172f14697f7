// What opening the main window loads: none of the libraries kept out of
// start-up (image plugins, SVG, print support, sound). ctest runs each test in
// a process of its own, so only what opening the window loads is seen.

#include "FinestraTest.h"

#include <QFile>
#include <QSet>

namespace {

QSet<QString> moduliCaricati()
{
    QSet<QString> out;
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &riga : maps.readAll().split('\n')) {
        const int barra = riga.indexOf('/');
        if (barra >= 0)
            out.insert(QString::fromLocal8Bit(riga.mid(barra)));
    }
    return out;
}

} // namespace

class Impronta : public FinestraTest {};

TEST_F(Impronta, openingTheWindow_loadsNoPluginSvgPrintOrSoundLibrary)
{
    if (!QFile::exists("/proc/self/maps"))
        GTEST_SKIP() << "no /proc";
    const QSet<QString> prima = moduliCaricati();
    apri();
    finestra->show();
    finestra->repaint();
    QCoreApplication::processEvents();

    QStringList nuovi;
    for (const QString &m : moduliCaricati() - prima)
        if (m.contains("/imageformats/") || m.contains("/iconengines/") || m.contains("libQt6Svg") ||
            m.contains("libQt6PrintSupport") || m.contains("libpulse") || m.contains("libcups"))
            nuovi << m;
    EXPECT_TRUE(nuovi.isEmpty()) << nuovi.join(", ").toStdString();
}
