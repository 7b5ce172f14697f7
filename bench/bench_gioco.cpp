// The training-and-game window's animation.
//
// 1. Cost of one tick with 18 columns falling: the game at "Difficile" (all 18
//    columns), the window shown, each tick being the rules' timerLetters_Timer
//    (moves, landings, the repaint request) followed by one
//    QCoreApplication::processEvents() that paints what moved. Fake clock, so
//    the announcements between turns cost no real time; only ticks that start
//    with 18 characters falling are counted (the others are the turn's end).
// 2. Timer jitter over a one-minute training run at the fastest speed (25 ms):
//    real clock and real timers, a learner striking the red target four times
//    a second; each tick's lateness against its time on the 25 ms grid.
//
// 3. The drawing at the display's rate: the game at "Difficile", real clock
//    and timers, ten seconds of 18 columns falling; frames per second and the
//    processor time per second, painted at the ticks only (as before) and at
//    the display's rate between them.
//
// Usage: bench_gioco [--ticks N] [--seconds S] [--screen WxH] [--no-jitter] [--dump FILE]
//                    [--frames-only] [--frame-seconds S]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "practice/modClavora.h"
#include "game/FrmPlay.h"
#include "game/PannelliGioco.h"
#include "platform/SystemServices.h"
#include "platform/Testo.h"
#include "tests/support/FakeServices.h"
#include "ui/basSleep.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFont>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

double cpuUs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p / 100.0 * double(v.size())));
    return v[i];
}

void riga(const char *nome, const std::vector<double> &v)
{
    std::printf("| %-34s | %7zu | %8.1f | %8.1f | %8.1f | %8.1f |\n", nome, v.size(), percentile(v, 50),
                percentile(v, 90), percentile(v, 99), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
}

int visibili(const RegoleGioco &r)
{
    int n = 0;
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
        n += r.lblLetter(i).visibile ? 1 : 0;
    return n;
}

// --- 1. Cost of a tick

void costoTick(QSize schermo, int quanti, FILE *dump)
{
    fake::Services fakes;
    fakes.screen.pixels = schermo;
    fakes.screen.composited = false;
    QTemporaryDir dir;
    modClavora stato(fakes.services());
    stato.cartellaProgramma = dir.path() + "/";
    stato.nomeUtente = "BENCH";
    stato.schermoGrande = DecidiSchermo(schermo).schermoGrande;
    stato.pausa = [&fakes](int ms) {
        fakes.clock.ms += ms;
        if (ms >= 1000 || (fakes.clock.ms / 1000) != ((fakes.clock.ms - ms) / 1000))
            fakes.clock.current = fakes.clock.current.addSecs(std::max(1, ms / 1000));
        QCoreApplication::processEvents();
    };
    FrmPlay finestra(stato);
    // Only this loop ticks: the window's own timers stay silent.
    finestra.timerLetters->blockSignals(true);
    finestra.timerScore->blockSignals(true);
    finestra.show();
    QCoreApplication::processEvents();
    finestra.optDifficulty[2]->click();
    finestra.cmdStart->click();
    QCoreApplication::processEvents();

    RegoleGioco &r = finestra.regole;
    std::vector<double> gestione, totale, cpu, pixel;
    int altri = 0;
    while (int(totale.size()) < quanti) {
        if (r.timerScoreAttivo()) {
            while (r.timerScoreAttivo())
                r.timerScore_Timer();
            QCoreApplication::processEvents();
            continue;
        }
        if (!r.timerLettersAttivo()) {   // the game is over: another one
            finestra.cmdNuovo->click();
            finestra.cmdStart->click();
            QCoreApplication::processEvents();
            continue;
        }
        const bool diciotto = visibili(r) == RegoleGioco::NumeroColonne;
        const qint64 pixelPrima = finestra.PicPlay->pixelDipinti();
        QElapsedTimer t;
        const double c0 = cpuUs();
        t.start();
        r.timerLetters_Timer();
        const double g = double(t.nsecsElapsed()) / 1e3;
        QCoreApplication::processEvents();
        const double tot = double(t.nsecsElapsed()) / 1e3;
        const double c = cpuUs() - c0;
        if (!diciotto) {
            ++altri;
            continue;
        }
        gestione.push_back(g);
        totale.push_back(tot);
        cpu.push_back(c);
        pixel.push_back(double(finestra.PicPlay->pixelDipinti() - pixelPrima));
        if (dump)
            std::fprintf(dump, "tick\t%.1f\t%.1f\t%.1f\t%.0f\n", g, tot, c, pixel.back());
    }
    std::printf("\nTick with 18 columns falling, screen %dx%d, play area %dx%d (%d other ticks not counted), µs:\n\n",
                schermo.width(), schermo.height(), finestra.PicPlay->width(), finestra.PicPlay->height(), altri);
    std::printf("| %-34s | %7s | %8s | %8s | %8s | %8s |\n", "", "ticks", "median", "p90", "p99", "max");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    riga("tick, rules only", gestione);
    riga("tick and repaint (elapsed)", totale);
    riga("tick and repaint (thread CPU)", cpu);
    std::printf("\nPixels repainted per tick: median %.0f, max %.0f (the play area has %d).\n",
                percentile(pixel, 50), percentile(pixel, 100),
                finestra.PicPlay->width() * finestra.PicPlay->height());
    finestra.cmdExit->click();
}

// --- 2. Jitter of the 25 ms tick

class OrologioTick : public QObject {
public:
    QElapsedTimer orologio;
    std::vector<qint64> arrivi;     // ns since the start, when the timer event arrives
    std::vector<double> durate;     // µs in the tick handler
    bool registra = false;
    qint64 inizioTick = -1;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Timer && registra) {
            inizioTick = orologio.nsecsElapsed();
            arrivi.push_back(inizioTick);
        }
        return false;
    }
};

void jitter(int secondi, FILE *dump)
{
    platform::SystemServices sistema;
    fake::Services fakes;
    platform::Services servizi = fakes.services();
    servizi.clock = sistema.services().clock;
    fakes.screen.pixels = {1024, 768};
    fakes.screen.composited = false;
    QTemporaryDir dir;
    modClavora stato(servizi);
    stato.cartellaProgramma = dir.path() + "/";
    stato.nomeUtente = "BENCH";
    stato.schermoGrande = true;
    stato.pausa = [&stato](int ms) { PauseWithEvents(*stato.servizi.clock, ms); };
    FrmPlay finestra(stato);
    finestra.show();
    QCoreApplication::processEvents();
    finestra.optDifficulty[3]->click();
    finestra.hsSpeed->setValue(1);
    finestra.hsTime->setValue(1);

    OrologioTick misura;
    misura.orologio.start();
    finestra.timerLetters->installEventFilter(&misura);
    QObject::connect(finestra.timerLetters, &QTimer::timeout, [&misura] {
        if (misura.registra && misura.inizioTick >= 0)
            misura.durate.push_back(double(misura.orologio.nsecsElapsed() - misura.inizioTick) / 1e3);
    });
    // The learner: the red target, four times a second.
    QTimer learner;
    int battute = 0;
    QObject::connect(&learner, &QTimer::timeout, [&] {
        const RegoleGioco &r = finestra.regole;
        if (!r.inCorso())
            return;
        for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
            if (r.lblLetter(i).visibile && r.lblLetter(i).colore == RegoleGioco::Rosso()) {
                QKeyEvent giu(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, r.lblLetter(i).testo);
                QApplication::sendEvent(finestra.PicPlay, &giu);
                ++battute;
                return;
            }
    });

    finestra.cmdStart->click();   // returns after the announcement
    if (finestra.regole.intervalloLettere() != 25 || !finestra.timerLetters->isActive()) {
        std::printf("training did not start at 25 ms\n");
        return;
    }
    learner.start(250);
    misura.registra = true;
    const double cpu0 = cpuUs();
    QEventLoop ciclo;
    QTimer::singleShot(secondi * 1000, Qt::PreciseTimer, &ciclo, &QEventLoop::quit);
    ciclo.exec();
    misura.registra = false;
    const double cpuTotale = cpuUs() - cpu0;
    learner.stop();
    finestra.cmdNuovo->click();

    // Lateness against the 25 ms grid: the timer's times are start + n x 25 ms,
    // and no tick comes before its time, so the grid lies on the earliest tick.
    // A gap of more than one and a half periods (a skipped tick) starts a new
    // grid, as Qt's precise timers do.
    std::vector<double> ritardi, intervalli;
    const qint64 periodo = 25'000'000;
    const auto &arrivi = misura.arrivi;
    size_t inizio = 0;
    for (size_t n = 0; n <= arrivi.size(); ++n) {
        const bool fine = n == arrivi.size() || (n > inizio && arrivi[n] - arrivi[n - 1] > periodo * 3 / 2);
        if (!fine)
            continue;
        qint64 base = arrivi[inizio];
        for (size_t k = inizio; k < n; ++k)
            base = std::min(base, arrivi[k] - qint64(k - inizio) * periodo);
        for (size_t k = inizio; k < n; ++k) {
            const double ritardo = double(arrivi[k] - qint64(k - inizio) * periodo - base) / 1e6;
            ritardi.push_back(ritardo);
            if (dump)
                std::fprintf(dump, "arrivo\t%.3f\t%.3f\n", double(arrivi[k]) / 1e6, ritardo);
        }
        inizio = n;
    }
    for (size_t n = 1; n < arrivi.size(); ++n)
        intervalli.push_back(double(arrivi[n] - arrivi[n - 1]) / 1e6);
    const auto oltre = std::count_if(ritardi.begin(), ritardi.end(), [](double r) { return r > 10.0; });
    std::printf("\nTraining at 25 ms for %d s (real clock, %d keystrokes), %zu ticks (%.1f expected):\n\n",
                secondi, battute, misura.arrivi.size(), secondi * 40.0);
    std::printf("| %-34s | %7s | %8s | %8s | %8s | %8s |\n", "", "ticks", "median", "p90", "p99", "max");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    riga("lateness on the 25 ms grid, ms", ritardi);
    riga("interval between ticks, ms", intervalli);
    riga("tick handler and repaint request, µs", misura.durate);
    std::printf("\nTicks later than 10 ms past their time: %zd. Main-thread CPU over the run: %.1f %%.\n",
                oltre, cpuTotale / (secondi * 1e4));
    finestra.cmdExit->click();
}

// --- 3. Frames at the display's rate

double cpuProcessoUs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

class ContaDipinti : public QObject {
public:
    int dipinti = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++dipinti;
        return false;
    }
};

// The game at "Difficile", real clock and timers, no key struck: `secondi`
// seconds while all 18 columns fall. With `soloTick` the frames are left out
// and the area is painted at the rules' ticks only, as it was before.
void fotogrammi(int secondi, bool soloTick, FILE *dump)
{
    platform::SystemServices sistema;
    fake::Services fakes;
    platform::Services servizi = fakes.services();
    servizi.clock = sistema.services().clock;
    fakes.screen.composited = false;
    QTemporaryDir dir;
    modClavora stato(servizi);
    stato.cartellaProgramma = dir.path() + "/";
    stato.nomeUtente = "BENCH";
    stato.schermoGrande = true;
    stato.pausa = [&stato](int ms) { PauseWithEvents(*stato.servizi.clock, ms); };
    FrmPlay finestra(stato);
    finestra.show();
    QCoreApplication::processEvents();
    finestra.optDifficulty[2]->click();
    if (soloTick) {
        // As before: the characters repainted where each tick puts them, no frame between.
        finestra.timerFotogrammi->blockSignals(true);
        QObject::connect(finestra.timerLetters, &QTimer::timeout, &finestra,
                         [&finestra] { finestra.PicPlay->Fotogramma(0.0); });
    }
    ContaDipinti conta;
    finestra.PicPlay->installEventFilter(&conta);
    int ticks = 0;
    QObject::connect(finestra.timerLetters, &QTimer::timeout, [&ticks] { ++ticks; });
    finestra.cmdStart->click();   // returns after the announcement
    if (visibili(finestra.regole) != RegoleGioco::NumeroColonne) {
        std::printf("the turn did not start with 18 columns\n");
        return;
    }
    conta.dipinti = 0;
    ticks = 0;
    const qint64 pixelPrima = finestra.PicPlay->pixelDipinti();
    const double cpu0 = cpuProcessoUs(), filo0 = cpuUs();
    QElapsedTimer t;
    t.start();
    QEventLoop ciclo;
    QTimer::singleShot(secondi * 1000, Qt::PreciseTimer, &ciclo, &QEventLoop::quit);
    ciclo.exec();
    const double durata = double(t.nsecsElapsed()) / 1e9;
    const double cpu = cpuProcessoUs() - cpu0, filo = cpuUs() - filo0;
    const int colonne = visibili(finestra.regole);
    std::printf("| %-28s | %5.1f | %6.1f | %6.1f | %8.0f | %6.2f %% | %6.2f %% | %2d |\n",
                soloTick ? "ticks only (as before)" : "frames at the display rate", durata,
                conta.dipinti / durata, ticks / durata,
                double(finestra.PicPlay->pixelDipinti() - pixelPrima) / durata, cpu / (durata * 1e4),
                filo / (durata * 1e4), colonne);
    if (dump)
        std::fprintf(dump, "fotogrammi\t%d\t%.3f\t%d\t%d\t%.1f\n", soloTick ? 0 : 1, durata, conta.dipinti,
                     ticks, cpu);
    finestra.cmdExit->click();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("Liberation Sans", 9));

    int ticks = 20000;
    int secondiFotogrammi = 10;
    bool soloFotogrammi = false;
    int secondi = 60;
    bool misuraJitter = true;
    std::vector<QSize> schermi{{1024, 768}, {800, 600}};
    FILE *dump = nullptr;
    const QStringList a = QCoreApplication::arguments();
    for (int i = 1; i < a.size(); ++i) {
        if (a[i] == "--ticks" && i + 1 < a.size())
            ticks = a[++i].toInt();
        else if (a[i] == "--seconds" && i + 1 < a.size())
            secondi = a[++i].toInt();
        else if (a[i] == "--no-jitter")
            misuraJitter = false;
        else if (a[i] == "--frames-only")
            soloFotogrammi = true;
        else if (a[i] == "--frame-seconds" && i + 1 < a.size())
            secondiFotogrammi = a[++i].toInt();
        else if (a[i] == "--screen" && i + 1 < a.size()) {
            const QStringList wh = a[++i].split('x');
            schermi = {QSize(wh.value(0).toInt(), wh.value(1).toInt())};
        } else if (a[i] == "--dump" && i + 1 < a.size())
            dump = std::fopen(a[++i].toLocal8Bit().constData(), "w");
    }
    if (!soloFotogrammi) {
        for (QSize s : schermi)
            costoTick(s, ticks, dump);
        if (misuraJitter)
            jitter(secondi, dump);
    }
    std::printf("\nThe game at \"Difficile\", 18 columns falling, real timers, %d s each; CPU of the"
                " process and of the main thread per second of play:\n\n", secondiFotogrammi);
    std::printf("| %-28s | %5s | %6s | %6s | %8s | %8s | %8s | %2s |\n", "", "s", "fps", "ticks/s",
                "pixels/s", "process", "thread", "col");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|\n");
    fotogrammi(secondiFotogrammi, true, dump);
    fotogrammi(secondiFotogrammi, false, dump);
    if (dump)
        std::fclose(dump);
    return 0;
}
