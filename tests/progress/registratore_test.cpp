// The recorder's figures for scripted sessions with the fake clock, alone and
// behind the practice engine.

#include "practice/Pratica.h"
#include "practice/TestiClavora.h"
#include "practice/modClavora.h"
#include "keyboard/TabellaTasti.h"
#include "platform/Testo.h"
#include "progress/RegistratoreProgressi.h"
#include "progress/StatisticheProgressi.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace progressi;

namespace {

class Registratore : public ::testing::Test {
protected:
    void SetUp() override
    {
        archivio = std::make_unique<ArchivioProgressi>(dir.filePath(NomeArchivio));
        reg = std::make_unique<RegistratoreProgressi>(*archivio, fakes.clock, [this](QChar c) {
            return int(tabella.TastiDellaVoce(tabella.CercaVoce(c)).size());
        });
        reg->setStudente("ANNA");
    }

    // Types `riga` with `ms` between keys; `sbagli` maps a position to the wrong
    // key typed there first.
    void Digita(const QString &riga, int ms, const std::map<int, QChar> &sbagli = {})
    {
        reg->InizioRiga();
        for (int i = 0; i < riga.size(); ++i) {
            if (auto s = sbagli.find(i); s != sbagli.end()) {
                fakes.clock.ms += ms;
                reg->Tasto(riga[i], s->second);
            }
            fakes.clock.ms += ms;
            reg->Tasto(riga[i], QChar());
        }
    }

    const StatCarattere *Di(const Riepilogo &r, QChar c)
    {
        for (const StatCarattere &s : r.caratteri)
            if (s.carattere == c.unicode())
                return &s;
        return nullptr;
    }

    QTemporaryDir dir;
    fake::Services fakes;
    tastiera::TabellaTasti tabella;
    std::unique_ptr<ArchivioProgressi> archivio;
    std::unique_ptr<RegistratoreProgressi> reg;
};

} // namespace

TEST_F(Registratore, scriptedLines_giveKeystrokesMediansAndConfusions)
{
    // é one key, ê the dead circumflex and e, ë Shift + the dead key and e, € AltGr + E.
    Digita(u"éêë€a"_qs, 200, {{0, u'è'}, {1, u'e'}});
    RegistroEventi::Fine f;
    f.velocita = 120;
    f.punteggio = 60;
    reg->Finito(f);
    Digita(u"éé"_qs, 900, {{1, u'è'}});
    reg->Finito(f);
    ASSERT_EQ(reg->ultimoEsito(), Esito::Ok);

    Riepilogo r;
    ASSERT_TRUE(LeggiRiepilogo(*archivio, "ANNA", 0, r));
    const struct {
        QChar c;
        int attesi, battute, errori;
        double mediana;
    } attesi[] = {
        // The right key comes `ms` after the wrong one; a line's first key has no time.
        {u'é', 3, 3, 2, 250},   // times 200 and 900
        {u'ê', 1, 2, 1, 225},
        {u'ë', 1, 3, 0, 225},
        {u'€', 1, 2, 0, 225},
        {u'a', 1, 1, 0, 225},
    };
    for (const auto &a : attesi) {
        SCOPED_TRACE(QString(a.c).toStdString());
        const StatCarattere *s = Di(r, a.c);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->attesi, a.attesi);
        EXPECT_EQ(s->battute, a.battute);
        EXPECT_EQ(s->errori, a.errori);
        EXPECT_DOUBLE_EQ(s->mediana, a.mediana);
    }
    ASSERT_EQ(Di(r, u'é')->confusioni.size(), 1u);
    EXPECT_EQ(Di(r, u'é')->confusioni[0], (std::pair<char16_t, int64_t>{u'è', 2}));
    ASSERT_EQ(r.giorni.size(), 1u);
    EXPECT_EQ(r.giorni[0].righe, 2);
    // 9 + 2 keystrokes right, 3 wrong.
    EXPECT_NEAR(r.giorni[0].precisione, 100.0 * 11 / 14, 1e-9);

    const auto deboli = PiuDeboli(r.caratteri, 3, QString(), 1);
    ASSERT_EQ(deboli.size(), 3u);
    EXPECT_EQ(deboli[0].carattere, u'ê');   // 1 of 2 attempts wrong
    EXPECT_EQ(deboli[1].carattere, u'é');   // 2 of 5
    // Only what is allowed counts.
    const auto ammessi = PiuDeboli(r.caratteri, 3, u"a€ê"_qs, 1);
    ASSERT_EQ(ammessi.size(), 3u);
    EXPECT_EQ(ammessi[0].carattere, u'ê');
}

TEST_F(Registratore, aLineStartedAgain_dropsWhatWasGatheredAndLearnersStayApart)
{
    Digita("xyz", 300, {{0, u'c'}});
    Digita("ab", 300);   // InizioRiga: the unfinished line is gone
    reg->Finito({});
    reg->setStudente("");
    Digita("ab", 300);
    reg->Finito({});
    Riepilogo anna, anonimo;
    ASSERT_TRUE(LeggiRiepilogo(*archivio, "ANNA", 0, anna));
    ASSERT_TRUE(LeggiRiepilogo(*archivio, "", 0, anonimo));
    EXPECT_EQ(Di(anna, u'x'), nullptr);
    EXPECT_EQ(anna.caratteri.size(), 2u);
    EXPECT_EQ(anonimo.caratteri.size(), 2u);
    EXPECT_EQ(anonimo.righeTotali, 1);
}

TEST_F(Registratore, failedStore_isToldOnceAndItsRecordsWrittenLater)
{
    QDir().mkpath(dir.filePath("bloccata"));
    // A folder where the file should be: it cannot be opened.
    ArchivioProgressi guasto(dir.filePath("bloccata"));
    RegistratoreProgressi r(guasto, fakes.clock, {});
    std::vector<Esito> avvisi;
    r.suErrore = [&](Esito e) { avvisi.push_back(e); };
    for (int i = 0; i < 3; ++i) {
        r.InizioRiga();
        r.Tasto('a', QChar());
        r.Finito({});
    }
    EXPECT_EQ(avvisi.size(), 1u);
    EXPECT_NE(r.ultimoEsito(), Esito::Ok);
    EXPECT_EQ(r.inAttesa().sessioni.size(), 3u);
}

// --- Behind the engine ----------------------------------------------------------

TEST_F(Registratore, engineRun_recordsLinesLevelsAndTheRunWithTheirMaterial)
{
    const QString cartella = QDir(dir.path()).absolutePath() + "/";
    QDir().mkpath(cartella + "CorsoDattilo");
    {
        QFile f(cartella + "CorsoDattilo/LEZ01.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int l = 1; l <= 3; ++l) {
            f.write("[Livello" + QByteArray::number(l) + "]\r\n");
            for (int k = 1; k <= 5; ++k)
                f.write(QByteArray::number(k) + "=jjj fff\r\n");
        }
    }
    modClavora s(fakes.services());
    s.cartellaProgramma = cartella;
    s.pausa = [this](int ms) { fakes.clock.ms += ms; };
    TestiClavora testi;
    TestiPredefiniti(testi, s);
    Pratica p(s, testi);
    p.esercizi.larghezzaEtichetta = 0;
    p.finestre.ShowWithBackdrop = [](int) { return 0; };
    p.registro = reg.get();
    p.setModoCorso(true);
    for (int frase = 1; frase <= 5; ++frase) {
        ASSERT_EQ(p.Avvia({true, "LEZ01", false}).esito, Pratica::Avvio::Riga);
        bool sbagliato = false;
        for (int n = 0; n < 100 && !p.rigaCompletata(); ++n) {
            fakes.clock.advance(1);
            const QChar atteso = p.carattereAtteso().at(0);
            if (atteso == 'f' && !sbagliato && n > 0) {
                sbagliato = true;
                p.GiudicaTasto('d');
            }
            p.GiudicaTasto(testo::codiceTasto(atteso));
        }
        p.FineRiga();
        p.ChiusuraTerminata();
    }
    Riepilogo r;
    ASSERT_TRUE(LeggiRiepilogo(*archivio, "ANNA", 0, r));
    EXPECT_EQ(r.righeTotali, 5);
    ASSERT_EQ(r.giorni.size(), 1u);
    EXPECT_EQ(r.giorni[0].materiale, RegistroEventi::Corso);
    ASSERT_EQ(r.lezioni.count("LEZ01"), 1u);   // the level closed by sentence 5
    EXPECT_GT(r.lezioni["LEZ01"].ultimoPunteggio, 0);
    const StatCarattere *f = Di(r, u'f');
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->attesi, 15);
    EXPECT_EQ(f->errori, 5);
    ASSERT_EQ(f->confusioni.size(), 1u);
    EXPECT_EQ(f->confusioni[0].first, u'd');
    // One second a key, none between a wrong key and the right one: 5 at 0, 10 at 1000.
    EXPECT_DOUBLE_EQ(f->mediana, 1000 + (1300 - 1000) * 2.5 / 10);
}
