// The practice engine on its own, without any window: runs of fifteen
// sentences with their hand-overs, both modes, errors and counters, the pause,
// two-line sentences, text files, the course and the command line.

#include "practice/Pratica.h"
#include "practice/TestiClavora.h"
#include "practice/modClavora.h"
#include "platform/Testo.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

class Motore : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = QDir(dir.path()).absolutePath() + "/";
        QDir().mkpath(cartella + "CorsoDattilo");
        QDir().mkpath(cartella + "Esercizi");
        s = std::make_unique<modClavora>(fakes.services());
        s->cartellaProgramma = cartella;
        s->pausa = [this](int ms) {
            fakes.clock.ms += ms;
            if (ms >= 1000)
                fakes.clock.current = fakes.clock.current.addSecs(ms / 1000);
        };
        TestiPredefiniti(testi, *s);
        p = std::make_unique<Pratica>(*s, testi);
        p->esercizi.larghezzaTesto = [](const QString &t) { return int(t.size()) * 8; };
        p->esercizi.larghezzaEtichetta = 592;
        p->finestre.ShowWithBackdrop = [this](int selettore) {
            aperte.push_back(selettore);
            tipiFineLivello.push_back(s->tipoFineLivello);
            return selettore == 2 ? sceltaRisultati : 0;
        };
        p->finestre.SalvaSegnalibro = [this] { ++segnalibri; };
    }

    void scrivi(const QString &nome, const QByteArray &contenuto)
    {
        QFile f(cartella + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }

    Pratica::EsitoAvvio avvia(Pratica::Scelta scelta = {}) { return p->Avvia(scelta); }

    Pratica::EsitoTasto batti(QChar c)
    {
        return p->GiudicaTasto(c == '\r' ? 13 : testo::codiceTasto(c));
    }

    // Types the expected characters, one second apart, until the line ends;
    // then what the window does after a line: FineRiga and the hold.
    Pratica::EsitoFineRiga digitaRiga(int secondiPerTasto = 1)
    {
        Pratica::EsitoTasto e;
        for (int n = 0; n < 10000 && !e.fineRiga; ++n) {
            fakes.clock.advance(secondiPerTasto);
            e = batti(p->carattereAtteso().at(0));
            p->Timer1_Timer();   // the window's clock ticks between keys
        }
        EXPECT_TRUE(e.fineRiga);
        const Pratica::EsitoFineRiga f = p->FineRiga();
        p->ChiusuraTerminata();
        return f;
    }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    std::unique_ptr<modClavora> s;
    TestiClavora testi;
    std::unique_ptr<Pratica> p;
    std::vector<int> aperte, tipiFineLivello;
    int sceltaRisultati = 0;
    int segnalibri = 0;
};

QByteArray lezione(int righePerLivello, const char *prefisso = "riga")
{
    QByteArray t;
    for (int l = 1; l <= 3; ++l) {
        t += "[Livello" + QByteArray::number(l) + "]\r\n";
        for (int k = 1; k <= righePerLivello; ++k)
            t += QByteArray::number(k) + "=" + prefisso + " " + QByteArray::number(l) + " " +
                 QByteArray::number(k) + "\r\n";
    }
    return t;
}

} // namespace

// --- Runs and levels -----------------------------------------------------------

TEST_F(Motore, runOfFifteenSentences_handsOverAfterEachLevelAndStartsAgain)
{
    std::set<QString> viste;
    for (int frase = 1; frase <= 15; ++frase) {
        const auto esito = avvia();
        ASSERT_EQ(esito.esito, Pratica::Avvio::Riga) << frase;
        EXPECT_EQ(p->numeroFrase(), frase);
        EXPECT_EQ(s->livelloCorrente, (frase - 1) / 5 + 1);
        EXPECT_EQ(esito.numeroInLivello, (frase - 1) % 5 + 1);
        EXPECT_EQ(esito.nuovoLivello, frase == 1 || frase == 6 || frase == 11);
        viste.insert(p->rigaCorrente());
        digitaRiga();
        EXPECT_EQ(p->DopoFineRiga(), Pratica::Seguito::Lampeggia);
    }
    EXPECT_EQ(viste.size(), 15u);   // no sentence twice in a run
    EXPECT_EQ(aperte, (std::vector<int>{2, 2}));
    EXPECT_EQ(tipiFineLivello, (std::vector<int>{1, 1}));
    for (int f = 1; f <= 15; ++f)
        EXPECT_GT(s->velocitaFrase[size_t(f)], 0.f) << f;
    const int battuteGiro = s->totaleBattute;
    EXPECT_GT(battuteGiro, 15 * 10);

    // "Continua" after the run: with no list a new run starts at once.
    const auto esito = avvia();
    EXPECT_EQ(aperte.size(), 3u);
    EXPECT_EQ(tipiFineLivello.back(), 2);
    EXPECT_EQ(esito.esito, Pratica::Avvio::Riga);
    EXPECT_EQ(p->numeroFrase(), 1);
    EXPECT_EQ(s->livelloCorrente, 1);
    EXPECT_EQ(s->totaleBattute, 0);
    EXPECT_EQ(s->velocitaFrase[15], 0.f);
    EXPECT_EQ(p->sommaPunti(), 0);
}

TEST_F(Motore, runEndWithAFileList_resetsAtTheNextStart)
{
    Pratica::Scelta lista{false, {}, false};
    for (int frase = 1; frase <= 15; ++frase) {
        avvia(lista);
        digitaRiga();
    }
    EXPECT_EQ(avvia(lista).esito, Pratica::Avvio::Reset);
    EXPECT_EQ(p->numeroFrase(), 0);
    EXPECT_FALSE(p->Reset());   // not a course: nothing to move on
}

TEST_F(Motore, terminaAtALevelEnd_endsTheProgramWithoutAnotherLine)
{
    for (int frase = 1; frase <= 5; ++frase) {
        avvia();
        digitaRiga();
    }
    sceltaRisultati = 1;
    const QString ultima = p->rigaCorrente();
    EXPECT_EQ(avvia().esito, Pratica::Avvio::Chiudi);
    EXPECT_EQ(s->sceltaRisultati, 1);
    EXPECT_EQ(p->rigaCorrente(), ultima);
}

TEST_F(Motore, restartAskedAfterALevel_resetsWithoutOpeningTheResults)
{
    for (int frase = 1; frase <= 5; ++frase) {
        avvia();
        digitaRiga();
    }
    p->RichiediRiavvio();
    EXPECT_EQ(avvia().esito, Pratica::Avvio::Reset);
    EXPECT_TRUE(aperte.empty());
    p->Reset();
    EXPECT_EQ(avvia().esito, Pratica::Avvio::Riga);
    EXPECT_EQ(p->numeroFrase(), 1);
    EXPECT_EQ(s->totaleBattute, 0);
}

// --- Speed, score, record ----------------------------------------------------------

TEST_F(Motore, bothModes_scoreTheSameSpeedAgainstTheirTargets)
{
    scrivi("Esercizi/dieci.ftd", "[Livello1]\r\n1=abcdefghij\r\n2=abcdefghij\r\n");
    for (int modo : {0, 1}) {
        p->Reset();
        p->ImpostaModo(modo);
        p->ApriDaRigaComando("/dieci.ftd");
        avvia();
        fakes.clock.advance(1);
        batti('a');   // the clock starts with the first accepted key
        for (QChar c : QString("bcdefghi")) {
            fakes.clock.advance(0);
            batti(c);
        }
        fakes.clock.advance(4);   // 10 characters in 4 seconds: 2.5 a second
        ASSERT_TRUE(batti('j').fineRiga);
        const auto f = p->FineRiga();
        p->ChiusuraTerminata();
        EXPECT_FLOAT_EQ(f.velocita, 2.5f);
        EXPECT_EQ(f.punteggio, modo == 0 ? 100 : 50);
        EXPECT_EQ(f.icona, modo == 0 ? 424 : 427);
        EXPECT_EQ(s->nomeModo, modo == 0 ? "Principiante" : "Esperto");
    }
}

TEST_F(Motore, lineInTheSameSecond_countsAsFiveAndFirstLineIsNeverARecord)
{
    avvia();
    Pratica::EsitoTasto e;
    while (!e.fineRiga)
        e = batti(p->carattereAtteso().at(0));
    const auto f = p->FineRiga();
    EXPECT_FLOAT_EQ(f.velocita, 5.0f);
    EXPECT_FALSE(f.record);                 // the first line of a level
    EXPECT_EQ(fakes.sound.played.back(), 102);
    EXPECT_TRUE(f.messaggio.contains("300 battute al minuto"));
}

TEST_F(Motore, fasterSecondLine_narrowsTheRecordBarAndIsPraised)
{
    avvia();
    digitaRiga(2);   // slow: the bar narrows from its full width, no record
    const int dopoPrima = p->larghezzaRecord();
    EXPECT_LT(dopoPrima, p->larghezzaIndicatore());
    avvia();
    Pratica::EsitoTasto e;
    while (!e.fineRiga) {
        if (p->posizione() > 2)
            p->Timer1_Timer();   // the gauge follows the clock
        e = batti(p->carattereAtteso().at(0));
    }
    p->Timer1_Timer();
    const auto f = p->FineRiga();
    EXPECT_TRUE(f.record);
    EXPECT_TRUE(f.restringiBarra);
    EXPECT_EQ(fakes.sound.played.back(), 103);
    EXPECT_LT(p->larghezzaRecord(), dopoPrima);
}

TEST_F(Motore, levelLabel_averagesTheScoresSoFarAndClosesWithTheLevelScore)
{
    for (int frase = 1; frase <= 5; ++frase) {
        avvia();
        const auto f = digitaRiga();
        ASSERT_TRUE(f.mediaLivello.has_value());
        if (frase < 5) {
            EXPECT_GT(p->sommaPunti(), 0);
        }
    }
    EXPECT_EQ(p->sommaPunti(), 0);   // restarts after the fifth sentence
}

// --- Keystrokes ----------------------------------------------------------------------

TEST_F(Motore, wrongKeys_areRejectedAndCountedOnlyOnceTheClockRuns)
{
    avvia();
    const QChar primo = p->carattereAtteso().at(0);
    auto e = batti('#');
    EXPECT_TRUE(e.errore);
    EXPECT_TRUE(e.segnalaErrore);
    EXPECT_FALSE(e.erroreContato);
    EXPECT_EQ(e.codice, 0);
    EXPECT_EQ(s->totaleErrori, 0);
    EXPECT_EQ(fakes.sound.played.back(), 101);
    e = batti('\r');   // Enter before the first key: silent
    EXPECT_FALSE(e.segnalaErrore);

    e = batti(primo);
    EXPECT_TRUE(e.preso);
    EXPECT_TRUE(e.primoTasto);
    EXPECT_TRUE(p->cronometroAttivo());
    e = batti('#');
    EXPECT_TRUE(e.erroreContato);
    EXPECT_EQ(p->erroriFrase(), 1);
    EXPECT_EQ(s->totaleErrori, 1);
    EXPECT_EQ(p->battuteFrase(), 1);
}

TEST_F(Motore, capitalWhereALetterIsExpected_isACaseOnlyErrorAndCapsLockGoesOff)
{
    scrivi("Esercizi/a.ftd", "[Livello1]\r\n1=aaaa\r\n");
    p->ApriDaRigaComando("/a.ftd");
    avvia();
    batti('a');
    fakes.keyboard.caps = true;
    const auto e = batti('A');
    EXPECT_TRUE(e.erroreContato);
    EXPECT_TRUE(e.soloMaiuscole);
    EXPECT_FALSE(fakes.keyboard.caps);
}

TEST_F(Motore, characterOutsideTheCodePage_isAWrongKeyEvenWhereQuestionMarkIsExpected)
{
    scrivi("Esercizi/q.ftd", "[Livello1]\r\n1=a?b?\r\n");
    p->ApriDaRigaComando("/q.ftd");
    avvia();
    batti('a');
    const auto e = batti(QChar(0x0416));   // Ж
    EXPECT_TRUE(e.errore);
    EXPECT_EQ(p->carattereAtteso(), "?");
    EXPECT_TRUE(batti('?').preso);
}

TEST_F(Motore, countersAtTheirLimit_stayThere)
{
    avvia();
    s->totaleBattute = 32766;
    s->totaleErrori = 32766;
    batti(p->carattereAtteso().at(0));
    batti(p->carattereAtteso().at(0));
    batti('#');
    batti('#');
    EXPECT_EQ(s->totaleBattute, 32767);
    EXPECT_EQ(s->totaleErrori, 32767);
    EXPECT_EQ(p->fasciaErrori(), 3);
}

TEST_F(Motore, errorBands_followTheModesThresholds)
{
    avvia();
    s->totaleBattute = 1000;
    s->totaleErrori = 20;
    EXPECT_EQ(p->fasciaErrori(), 0);   // 2 %: B
    s->totaleErrori = 21;
    EXPECT_EQ(p->fasciaErrori(), 1);
    p->ImpostaModo(1);
    s->totaleErrori = 6;
    EXPECT_EQ(p->fasciaErrori(), 1);   // 0.6 %: A
    s->totaleErrori = 11;
    EXPECT_EQ(p->fasciaErrori(), 3);   // 1.1 %: D
    s->totaleBattute = 0;
    EXPECT_EQ(p->fasciaErrori(), -1);
}

TEST_F(Motore, keysAfterTheLineEnded_areSwallowed)
{
    avvia();
    Pratica::EsitoTasto e;
    while (!e.fineRiga)
        e = batti(p->carattereAtteso().at(0));
    EXPECT_TRUE(p->chiusuraInCorso());
    const int battute = s->totaleBattute;
    EXPECT_EQ(batti('x').codice, 0);
    EXPECT_EQ(s->totaleBattute, battute);
}

// --- Two-line sentences and the pause ----------------------------------------------------

TEST_F(Motore, twoLineSentence_needsEnterAndNeverExpectsTheLineFeed)
{
    scrivi("Esercizi/due.ftd", "[Livello1]\r\n1=abc\xA6\xA6" "def\r\n");
    p->ApriDaRigaComando("/due.ftd");
    avvia();
    ASSERT_EQ(p->rigaCorrente(), "abc\r\ndef");
    for (QChar c : QString("abc"))
        batti(c);
    EXPECT_EQ(p->carattereAtteso(), "\r");
    EXPECT_EQ(p->posizioneAtteso(), 4);
    EXPECT_TRUE(batti('d').erroreContato);
    const auto e = batti('\r');
    EXPECT_TRUE(e.secondaRiga);
    EXPECT_EQ(e.codice, 13);
    EXPECT_EQ(p->carattereAtteso(), "d");
    EXPECT_EQ(p->posizioneAtteso(), 6);
    for (QChar c : QString("def"))
        batti(c);
    EXPECT_TRUE(p->rigaCompletata());
    EXPECT_EQ(s->totaleBattute, 7);
}

TEST_F(Motore, pauseOfThirtySeconds_leavesTheSpeedUnchanged)
{
    scrivi("Esercizi/dieci.ftd", "[Livello1]\r\n1=abcdefghij\r\n");
    p->ApriDaRigaComando("/dieci.ftd");
    avvia();
    batti('a');
    fakes.clock.advance(2);
    batti('b');
    EXPECT_EQ(p->InizioPausa(), "Premi OK per proseguire.");
    EXPECT_FALSE(p->cronometroAttivo());
    fakes.clock.advance(30);
    p->FinePausa();
    EXPECT_TRUE(p->cronometroAttivo());
    for (QChar c : QString("cdefghi"))
        batti(c);
    fakes.clock.advance(2);
    batti('j');
    EXPECT_FLOAT_EQ(p->FineRiga().velocita, 10.0f / 4.0f);
}

TEST_F(Motore, gauge_widensWithTheTimePerKeyUpToItsFullWidth)
{
    avvia();
    batti(p->carattereAtteso().at(0));   // the clock starts
    fakes.clock.advance(1);
    EXPECT_EQ(p->Timer1_Timer().larghezza, 75);    // 1 s per key: 75 px in beginner mode
    EXPECT_EQ(p->Timer1_Timer().tempo, "00:01");
    fakes.clock.advance(9);
    EXPECT_EQ(p->Timer1_Timer().larghezza, 300);   // capped at the full width
    EXPECT_EQ(p->larghezzaAttuale(), 300);
}

// --- Text files ------------------------------------------------------------------------

TEST_F(Motore, textFile_lineBreaksOfEveryKindBecomeOneBlank)
{
    scrivi("Esercizi/righe.txt", "uno\r\ndue \r\ntre\rquattro\ncinque\tsei");
    p->ApriDaRigaComando("/righe.txt");
    ASSERT_EQ(avvia().esito, Pratica::Avvio::Riga);
    // A lone CR or LF or a tab has no key the learner could type in a text.
    EXPECT_EQ(p->rigaCorrente(), "uno due tre quattro cinque sei");
    EXPECT_EQ(s->testoDaAnalizzare, p->rigaCorrente());
    EXPECT_TRUE(p->primaFrase());
    EXPECT_EQ(s->livelloCorrente, 3);
}

TEST_F(Motore, textFile_takesEveryKeyCountsWordsAndEndsWithTheReport)
{
    scrivi("Esercizi/breve.txt", "l\xE2\x80\x99" "eau va");   // typographic apostrophe, UTF-8
    p->ApriDaRigaComando("/breve.txt");
    avvia();
    EXPECT_EQ(batti('\r').codice, 0);
    EXPECT_EQ(batti(QChar(8)).codice, 0);
    batti('l');
    EXPECT_EQ(p->carattereAtteso(), "'");   // typed as the keyboard's apostrophe
    const auto e = batti('x');              // wrong: counted, and still taken
    EXPECT_TRUE(e.preso);
    EXPECT_TRUE(e.erroreContato);
    Pratica::EsitoTasto fine;
    while (!fine.fineRiga) {
        fakes.clock.advance(1);
        fine = batti(p->carattereAtteso().at(0));
    }
    EXPECT_EQ(s->numParole, 1);
    EXPECT_EQ(s->totaleBattute, 8);
    EXPECT_EQ(s->totaleErrori, 1);
    const auto f = p->FineRiga();
    EXPECT_TRUE(f.fileTesto);
    EXPECT_EQ(s->tempoEsercizio, QTime(0, 0, 6));
    EXPECT_EQ(p->DopoFineRiga(), Pratica::Seguito::Chiudi);   // from the command line
}

TEST_F(Motore, textFile_shownTextStartsWithTheInputLinesFirstCharacter)
{
    QByteArray testo;
    for (int i = 0; i < 80; ++i)
        testo += char('a' + i % 26);
    scrivi("Esercizi/lettere.txt", testo);
    p->ApriDaRigaComando("/lettere.txt");
    avvia();
    for (int n = 1; n <= 40; ++n) {
        batti(p->carattereAtteso().at(0));
        // The input line keeps the last 29 characters typed.
        EXPECT_EQ(p->inizioTestoMostrato(), std::max(0, n - 29)) << n;
    }
}

TEST_F(Motore, unreadableTextFile_reportsItsPathAndResets)
{
    scrivi("Esercizi/binario.txt", QByteArray("abc\0def", 7));
    Pratica::Scelta scelta{true, "binario.txt    (1 min)", false};
    const auto esito = avvia(scelta);
    EXPECT_EQ(esito.esito, Pratica::Avvio::ErroreFile);
    EXPECT_EQ(esito.fileNonLetto, cartella + "Esercizi/binario.txt");
    EXPECT_TRUE(s->fileEsercizio.isEmpty());
    EXPECT_TRUE(p->richiestaRiavvio());
}

TEST_F(Motore, resetAfterACommandLineText_practisesTheBuiltInSentencesOrTheChosenFile)
{
    scrivi("Esercizi/breve.txt", "ciao a tutti");
    scrivi("Esercizi/scelto.ftd", lezione(5, "scelta"));
    p->ApriDaRigaComando("/breve.txt");
    // The information window at the welcome: a reset, then Enter.
    p->RichiediRiavvio();
    EXPECT_EQ(avvia().esito, Pratica::Avvio::Reset);
    p->Reset();
    EXPECT_TRUE(p->rigaComando().isEmpty());
    EXPECT_EQ(avvia().esito, Pratica::Avvio::Riga);   // no file error with an empty path
    EXPECT_FALSE(s->modoFileTesto);

    p->RichiediRiavvio();
    avvia();
    p->Reset();
    avvia(Pratica::Scelta{true, "scelto.ftd", false});
    EXPECT_EQ(p->rigaCorrente(), "scelta 1 1");
}

// --- Course ----------------------------------------------------------------------------

TEST_F(Motore, courseRun_asksForTheBookmarkAndMovesOnOnlyAfterAFinishedRun)
{
    scrivi("CorsoDattilo/Lez.FTD", lezione(5));
    p->setModoCorso(true);
    Pratica::Scelta scelta{true, "Lez.FTD", false};
    // A reset asked for (the information window) does not move the course on.
    p->RichiediRiavvio();
    avvia(scelta);
    EXPECT_FALSE(p->Reset());

    for (int frase = 1; frase <= 15; ++frase) {
        avvia(scelta);
        EXPECT_EQ(p->rigaCorrente(), QString("riga %1 %2").arg((frase - 1) / 5 + 1).arg((frase - 1) % 5 + 1));
        digitaRiga();
    }
    EXPECT_EQ(s->fileEsercizio, cartella + "CorsoDattilo/Lez.FTD");   // its real name
    EXPECT_EQ(avvia(scelta).esito, Pratica::Avvio::Reset);
    EXPECT_EQ(segnalibri, 1);
    EXPECT_TRUE(p->Reset());   // the window selects the next lesson
}

TEST_F(Motore, courseLessonWithFifteenLines_drawsFiveOfALevelWithoutRepeats)
{
    scrivi("CorsoDattilo/L15.ftd", lezione(15));
    p->setModoCorso(true);
    std::set<QString> viste;
    for (int frase = 1; frase <= 5; ++frase) {
        avvia(Pratica::Scelta{true, "L15", false});
        EXPECT_TRUE(p->rigaCorrente().startsWith("riga 1 "));
        viste.insert(p->rigaCorrente());
        digitaRiga();
    }
    EXPECT_EQ(viste.size(), 5u);
}
