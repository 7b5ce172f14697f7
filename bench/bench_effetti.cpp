// The window effects of the main window: building the pop-up's outline from
// its tables, how long the slide really takes against its nominal 10 ms steps,
// showing a balloon, and drawing the keyboard sheet at screen and print
// resolutions.
#include "keyboard/FoglioTastiera.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/SystemServices.h"
#include "ui/basSleep.h"
#include "ui/cTooltip.h"
#include "ui/frmShadow.h"
#include "ui/frmTransparency.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figure {
    double mediana, p90, massimo;
};

Figure Riassumi(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[v.size() * 9 / 10], v.back()};
}

template <typename F>
Figure Misura(int volte, F &&f)
{
    std::vector<double> tempi;
    QElapsedTimer t;
    for (int i = 0; i < volte; ++i) {
        t.start();
        f();
        tempi.push_back(t.nsecsElapsed() / 1000.0);
    }
    return Riassumi(tempi);
}

void Stampa(const char *cosa, const Figure &f, const char *unita = "us")
{
    std::printf("%-52s median %9.1f  p90 %9.1f  max %9.1f %s\n", cosa, f.mediana, f.p90, f.massimo,
                unita);
}

} // namespace

int main(int argc, char **argv)
{
    // The offscreen platform has no window opacity nor masks: it says so at every step.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext &, const QString &m) {
        if (tipo != QtWarningMsg || !m.startsWith("This plugin does not support"))
            std::fprintf(stderr, "%s\n", qPrintable(m));
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("Liberation Sans", 9));
    platform::SystemServices sistema;
    const platform::Clock &orologio = *sistema.services().clock;

    // The outline: both tables, and a table of the size the design data of the
    // first version had (784 entries of the large outline, one span per row pair).
    for (bool grande : {false, true}) {
        const std::vector<uint32_t> &voci = CampateSagoma(grande);
        char cosa[80];
        std::snprintf(cosa, sizeof cosa, "outline %s, %zu entries", grande ? "large" : "small",
                      voci.size());
        Stampa(cosa, Misura(2000, [&] { (void)RegioneDaCampate(voci).rectCount(); }));
    }
    std::vector<uint32_t> molte;
    for (int i = 0; i < 784; ++i)
        molte.push_back(uint32_t((i % 7) * 1'000'000 + (i / 3) * 1000 + 400 + i % 11));
    Stampa("outline of 784 overlapping entries", Misura(500, [&] { (void)RegioneDaCampate(molte).rectCount(); }));

    // The slide on a 1024 x 768 screen to a target at 400 pixels: 19 steps, 190 ms nominal.
    {
        QWidget principale;
        principale.resize(1024, 768);
        principale.show();
        frmTransparency popup(&principale, false,
                              [&orologio](int ms) { PauseWithEvents(orologio, ms); });
        popup.setTesto("Appoggia le dita sulla riga centrale.");
        std::vector<double> durate;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer t;
            t.start();
            popup.Apri(QPoint(300, 400), 768);
            durate.push_back(t.nsecsElapsed() / 1e6);
            popup.Chiudi();
        }
        Stampa("slide, 19 steps of 10 ms (nominal 190 ms)", Riassumi(durate), "ms");
        frmTransparency dissolvenza(&principale, true,
                                    [&orologio](int ms) { PauseWithEvents(orologio, ms); });
        durate.clear();
        for (int i = 0; i < 10; ++i) {
            dissolvenza.Apri(QPoint(300, 400), 400);
            QElapsedTimer t;
            t.start();
            dissolvenza.Chiudi();
            durate.push_back(t.nsecsElapsed() / 1e6);
        }
        Stampa("fade, 41 steps of 10 ms (nominal 410 ms)", Riassumi(durate), "ms");
    }

    // The backdrop over a 1024 x 768 main window full of controls: one step of
    // its fade repaints the window beneath it.
    {
        QWidget principale;
        principale.resize(1024, 768);
        for (int i = 0; i < 120; ++i)
            (new QPushButton(QString::number(i), &principale))->setGeometry(i % 12 * 85, i / 12 * 76, 80, 70);
        principale.show();
        frmShadow ombra({}, &principale);
        ombra.show();
        int alpha = 160;
        Stampa("backdrop fade step over 120 controls, 1024x768", Misura(60, [&] {
                   ombra.setAlpha(alpha = alpha > 5 ? alpha - 5 : 160);
                   principale.repaint();
               }));
    }

    // A balloon: layout, outline and show.
    {
        QWidget finestra;
        auto *pulsante = new QPushButton("Esperto", &finestra);
        finestra.show();
        cTooltip fumetti;
        fumetti.setIcon(cTooltip::IconaInfo);
        fumetti.Create(&finestra);
        fumetti.setTitle(QString::fromUtf8("Livello di difficoltà"));
        fumetti.AddTool(pulsante, QString::fromUtf8("Imposta il programma in modalità esperto"));
        Stampa("balloon shown (and painted)", Misura(300, [&] {
                   fumetti.MostraSuggerimento(pulsante, QPoint(100, 100));
                   fumetti.hwnd()->repaint();
                   fumetti.NascondiSuggerimento();
               }));
    }

    // The keyboard sheet: the picture and two lines on an A4 landscape page.
    {
        tastiera::TabellaTasti tabella;
        tastiera::TastieraVirtuale tastiera(tabella);
        tastiera.resize(tastiera.sizeHint());
        tastiera.ColorTasti();
        const tastiera::FoglioTastiera foglio{tastiera.grab().toImage(), "Tastiera francese (0410)  ",
                                              QString(10, ' ') + "Tastavia"};
        Stampa("keyboard grabbed off screen", Misura(100, [&] { (void)tastiera.grab(); }));
        for (int dpi : {96, 300}) {
            QImage pagina(qRound(297 / 25.4 * dpi), qRound(210 / 25.4 * dpi), QImage::Format_RGB32);
            pagina.setDotsPerMeterX(qRound(dpi / 0.0254));
            pagina.setDotsPerMeterY(qRound(dpi / 0.0254));
            char cosa[80];
            std::snprintf(cosa, sizeof cosa, "sheet drawn on a %d dpi page (%dx%d)", dpi,
                          pagina.width(), pagina.height());
            Stampa(cosa, Misura(dpi == 96 ? 50 : 10, [&] {
                       pagina.fill(Qt::white);
                       QPainter p(&pagina);
                       tastiera::DisegnaFoglioTastiera(p, pagina.rect(), foglio);
                   }), "us");
        }
    }
    return 0;
}
