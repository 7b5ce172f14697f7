// The language lookup, which keeps the file's texts and reads the file again
// when it changes on disk: one text, the main window's texts, every window's
// texts (what a change of language and the windows opened afterwards read), and
// the same on the largest file read; beside it, a lookup that reads the file at
// every call, as the program did before.
//   bench_lingua [--runs N] [--data FOLDER]   -> medians and worst of N runs, in milliseconds
#include "practice/TestiClavora.h"
#include "practice/modClavora.h"
#include "bench/Misura.h"
#include "game/TestiGioco.h"
#include "report/ReportFreeTXT.h"
#include "results/TestiRisultati.h"
#include "settings/modLanguageSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

int conteggio = 0;

TestoLingua Contando(const TestoLingua &vero)
{
    return [vero](const QString &id, const QString &predefinito) {
        ++conteggio;
        return vero(id, predefinito);
    };
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 50;
    QString dati = QStringLiteral(TASTAVIA_BENCH_DATA);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--data") == 0)
            dati = QString::fromLocal8Bit(argv[i + 1]);
    }

    const QString francese = dati + "/Lang/French.lng";
    if (!QFile::exists(francese)) {
        std::fprintf(stderr, "no %s\n", qPrintable(francese));
        return 1;
    }
    const TestoLingua lingua = Contando(modLanguageSupport::CreaTestoLingua([francese] { return francese; }));

    modClavora stato{platform::Services{}};
    TestiClavora testi;
    Misura("one text (French.lng)", runs * 20, [&] { lingua("0012", "Benvenuto"); });
    conteggio = 0;
    ApplicaTestiLingua(testi, stato, lingua);
    const int principale = conteggio;
    Misura("main window texts", runs, [&] { ApplicaTestiLingua(testi, stato, lingua); });

    conteggio = 0;
    const auto tutte = [&] {
        ApplicaTestiLingua(testi, stato, lingua);
        risultati::CaricaTestiLingua(lingua, stato.nomeModo);
        report::CaricaTestiLingua(lingua);
        CaricaTestiLingua(lingua);
        for (const char *id : {"0012", "0096", "0138", "0066", "0067", "0068", "0069", "0070", "0071", "0072",
                               "0073", "0074", "0115", "1003", "0200", "0201", "0202", "0203", "0204", "0205"})
            lingua(QString::fromLatin1(id), QString());
    };
    tutte();
    const int finestre = conteggio;
    Misura("every window's texts", runs, tutte);

    // Before: the file read and parsed at every lookup.
    const TestoLingua ognVolta = [francese](const QString &id, const QString &predefinito) {
        return modLanguageSupport::TestoOPredefinito(
            modLanguageSupport::LeggiProfilo(francese, modLanguageSupport::kSezione, id), predefinito);
    };
    Misura("main window texts, file read at every lookup", runs,
           [&] { ApplicaTestiLingua(testi, stato, ognVolta); });

    // The largest file the lookup reads: texts at its end, after filler lines.
    QTemporaryDir dir;
    const QString grande = dir.path() + "/Big.lng";
    {
        QFile f(grande);
        f.open(QIODevice::WriteOnly);
        QFile piccolo(francese);
        piccolo.open(QIODevice::ReadOnly);
        const QByteArray testi = piccolo.readAll();
        QByteArray riempimento = "[Other]\r\n";
        while (riempimento.size() + testi.size() + 64 < modLanguageSupport::kMaxBytesFile)
            riempimento += "; filler line of a large language file, never read as a text\r\n";
        f.write(riempimento + testi);
    }
    const TestoLingua linguaGrande = modLanguageSupport::CreaTestoLingua([grande] { return grande; });
    Misura("main window texts, largest file read", std::max(3, runs / 10),
           [&] { ApplicaTestiLingua(testi, stato, linguaGrande); });
    // The file changed before every pass: what the first window after a change pays.
    QFile letto(grande);
    letto.open(QIODevice::ReadOnly);
    const QByteArray contenutoGrande = letto.readAll();
    Misura("main window texts, largest file replaced before each pass", std::max(3, runs / 10), [&] {
        QFile f(grande + ".nuovo");
        f.open(QIODevice::WriteOnly);
        f.write(contenutoGrande);
        f.close();
        QFile::remove(grande);
        QFile::rename(grande + ".nuovo", grande);
        ApplicaTestiLingua(testi, stato, linguaGrande);
    });

    std::printf("lookups: main window %d, every window %d; French.lng %lld bytes, largest %lld bytes\n",
                principale, finestre, QFile(francese).size(), QFile(grande).size());
    return 0;
}
