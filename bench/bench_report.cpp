// The text-file report: counting the characters of the largest text a learner
// can type, writing and checking its PDF, and opening and painting its window.
//   bench_report [--runs N]   -> medians and worst of N runs, in milliseconds
#include "practice/modClavora.h"
#include "bench/Misura.h"
#include "report/ReportFreeTXT.h"
#include "report/frmReportFreeTXT.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

class FixedClock : public platform::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 5), QTime(9, 0)); }
    int64_t tickMs() const override { return 0; }
};

class TempDesktop : public platform::Desktop {
public:
    QString temp;
    bool openFile(const QString &) override { return true; }
    QString tempPath() const override { return temp; }
    int installerLanguage() const override { return 1040; }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));

    QTemporaryDir dir;
    FixedClock clock;
    TempDesktop desktop;
    desktop.temp = QDir(dir.path()).absolutePath() + "/";
    platform::Services servizi;
    servizi.clock = &clock;
    servizi.desktop = &desktop;
    modClavora stato(servizi);
    stato.suonoAttivo = false;
    stato.nomeUtente = "ANNA";
    stato.nomeModo = "Principiante";
    stato.fileEsercizio = "/tmp/Esercizi/Testo.txt";
    stato.totaleBattute = 25000;
    stato.totaleErrori = 312;
    stato.numParole = 4100;
    stato.tempoEsercizio = QTime(1, 52, 7);
    // The largest text a learner can type: just under 26 000 characters.
    const QString frase = QString::fromUtf8("Le matin, à l'école, 12 élèves lisent « Le Petit Prince » ! ");
    while (stato.testoDaAnalizzare.size() + frase.size() < 25999)
        stato.testoDaAnalizzare += frase;

    Misura("ContaCaratteri, 26 000 characters", runs * 10,
           [&] { (void)report::ContaCaratteri(stato.testoDaAnalizzare); });
    report::ReportFreeTXT r(stato);
    Misura("GeneraPDF (written, synced, checked)", runs, [&] {
        if (r.GeneraPDF().tipo != report::ReportFreeTXT::EsitoPDF::Aperto)
            std::fprintf(stderr, "PDF not written\n");
    });
    Misura("window: built, shown, painted", runs, [&] {
        frmReportFreeTXT f(stato);
        f.show();
        (void)f.grab();
    });
    return 0;
}
