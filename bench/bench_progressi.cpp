// The learner's history at its largest: a store of five years of daily
// practice (about 2,000 sessions of 250 lines, 500,000 line records, each
// day's characters and confusions), its size on disk, the time to read it for
// the progress window, to make and paint the window, and to write one line.
//
// Usage: bench_progressi [--anni N] [--copia FILE]   (--copia keeps a copy of the store)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "practice/modClavora.h"
#include "bench/Misura.h"
#include "progress/RegistratoreProgressi.h"
#include "progress/StatisticheProgressi.h"
#include "progress/frmProgressi.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

using namespace progressi;

namespace {

const QString Caratteri = QStringLiteral("abcdefghijklmnopqrstuvwxyzéèàçùê,.;:'-ABCDEFGHIJ0123456789€");

Lotto Giorno(const QDate &data, int64_t quando, uint32_t &seme)
{
    auto caso = [&seme](int n) {
        seme = seme * 1103515245u + 12345u;
        return int((seme >> 16) % uint32_t(n));
    };
    Lotto l;
    l.studente = QStringLiteral("ANNA");
    const int giorno = data.year() * 10000 + data.month() * 100 + data.day();
    for (int r = 0; r < 250; ++r) {
        Sessione s;
        s.quando = quando + r * 30;
        s.giorno = giorno;
        s.evento = r % 16 == 15 ? RegistroEventi::Livello : RegistroEventi::Riga;
        s.materiale = caso(5);
        s.file = s.materiale == RegistroEventi::Corso ? QStringLiteral("LEZ%1").arg(1 + caso(30), 2, 10, QChar('0'))
                                                      : QString();
        s.livello = 1 + caso(3);
        s.numero = 1 + r % 15;
        s.velocita = 120 + caso(200);
        s.punteggio = 30 + caso(70);
        s.battute = 40 + caso(20);
        s.errori = caso(5);
        l.sessioni.push_back(s);
    }
    for (QChar c : Caratteri) {
        Carattere x;
        x.giorno = giorno;
        x.carattere = c.unicode();
        x.attesi = 50 + caso(200);
        x.battute = x.attesi;
        x.errori = caso(20);
        for (int i = 3; i < 12; ++i)
            x.tempi[size_t(i)] = caso(30);
        l.caratteri.push_back(x);
        if (x.errori > 10)
            l.confusioni.push_back({giorno, c.unicode(), Caratteri.at(caso(int(Caratteri.size()))).unicode(),
                                    x.errori});
    }
    return l;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("Liberation Sans", 9));
    int anni = 5;
    const QStringList argomenti = QCoreApplication::arguments();
    if (const qsizetype i = argomenti.indexOf("--anni"); i >= 0 && i + 1 < argomenti.size())
        anni = std::max(1, argomenti[i + 1].toInt());

    QTemporaryDir dir;
    const QString cartella = QDir(dir.path()).absolutePath() + "/";
    QDir().mkpath(cartella + "CorsoDattilo");
    fake::Services fakes;
    fakes.clock.current = QDateTime(QDate(2026, 1, 5), QTime(18, 0));
    modClavora s(fakes.services());
    s.cartellaProgramma = cartella;
    const QString percorso = cartella + NomeArchivio;

    QElapsedTimer t;
    t.start();
    int64_t righe = 0;
    {
        ArchivioProgressi a(percorso);
        uint32_t seme = 1;
        const QDate oggi = fakes.clock.current.date();
        for (QDate d = oggi.addYears(-anni).addDays(1); d <= oggi; d = d.addDays(1)) {
            const Lotto l = Giorno(d, QDateTime(d, QTime(17, 0)).toSecsSinceEpoch(), seme);
            righe += qsizetype(l.sessioni.size());
            if (a.Scrivi(l) != Esito::Ok) {
                std::printf("write failed: %s\n", qPrintable(a.ultimoErrore()));
                return 1;
            }
        }
    }
    std::printf("store of %d years: %lld line records, made in %.1f s\n", anni, (long long)righe,
                double(t.elapsed()) / 1000);
    qint64 byte = 0;
    for (const char *coda : {"", "-wal", "-shm"})
        byte += QFileInfo(percorso + coda).size();
    std::printf("%-44s %8.1f MB\n", "size on disk (with its log)", double(byte) / 1e6);

    if (const qsizetype i = argomenti.indexOf("--copia"); i >= 0 && i + 1 < argomenti.size())
        QFile::copy(percorso, argomenti[i + 1]);
    ArchivioProgressi archivio(percorso);
    archivio.Apri();
    Riepilogo r;
    Misura("read: last 30 days", 10, [&] { LeggiRiepilogo(archivio, "ANNA", GiornoPrima(20260105, 29), r); });
    Misura("read: all five years", 10, [&] { LeggiRiepilogo(archivio, "ANNA", 0, r); });
    Misura("window made and painted (last 30 days)", 10, [&] {
        frmProgressi f(s, archivio, "ANNA", QString(), {});
        f.show();
        f.grab();
    });
    Misura("window made and painted (all)", 10, [&] {
        frmProgressi f(s, archivio, "ANNA", QString(), {});
        f.setUltimi30(false);
        f.show();
        f.grab();
    });

    {
        frmProgressi f(s, archivio, "ANNA", QString(), {});
        f.setUltimi30(false);
        Misura("page painted alone (all), 714 px wide", 10, [&] { f.Pagina(714); });
        Misura("period switched to all and back", 5, [&] {
            f.setUltimi30(true);
            f.setUltimi30(false);
        });
    }

    RegistratoreProgressi reg(archivio, fakes.clock, {});
    reg.setStudente("ANNA");
    Misura("one line written (40 keys)", 50, [&] {
        reg.InizioRiga();
        for (int i = 0; i < 40; ++i) {
            fakes.clock.ms += 200;
            reg.Tasto(Caratteri.at(i % 30), i % 13 == 0 ? QChar('x') : QChar());
        }
        reg.Finito({});
    });
    return 0;
}
