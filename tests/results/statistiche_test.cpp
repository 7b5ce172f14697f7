// The figures of the results: the worked example of a beginner's level, the
// symbol and evaluation boundaries, and runs that stop early or typed nothing.

#include "practice/modClavora.h"
#include "results/Statistiche.h"
#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

using namespace risultati;

namespace {

struct Giro {
    fake::Services fakes;
    modClavora s{fakes.services()};
    Giro(float tempoObiettivo, std::initializer_list<float> velocita)
    {
        s.tempoObiettivo = tempoObiettivo;
        s.modoEsperto = tempoObiettivo < 0.3f;
        s.indiceModo = s.modoEsperto ? 1 : 0;
        size_t i = 1;
        for (float v : velocita)
            s.velocitaFrase[i++] = v;
        s.livelloCorrente = int((i - 2) / 5 + 1);
    }
};

} // namespace

TEST(Statistiche, beginnersLevel_givesTheSpeedsScoresAndSymbolOfTheExample)
{
    Giro r(0.4f, {2.0f, 2.5f, 3.1f, 1.2f, 2.6f});
    r.s.totaleBattute = 683;
    r.s.totaleErrori = 11;
    const Figure f = Calcola(r.s);
    const Livello &l = f.livelli[0];
    EXPECT_EQ(l.velocitaMinuto, (std::array<int, 5>{120, 150, 186, 72, 156}));
    EXPECT_EQ(l.punteggi, (std::array<int, 5>{80, 100, 100, 48, 100}));
    EXPECT_EQ(l.velocitaMediaMinuto, 137);
    EXPECT_EQ(l.punteggioLivello, 86);
    EXPECT_EQ(l.simbolo, 4);
    EXPECT_EQ(f.numeroLivelli, 1);
    EXPECT_EQ(f.punteggioComplessivo, 86);
    EXPECT_NEAR(f.rapportoErrori * 100, 1.61, 0.01);
    EXPECT_EQ(f.valutazione, 0);                                    // Ottimo
    EXPECT_EQ(Valutazione(683, 11, true), 3);                       // Insufficiente in expert mode
    EXPECT_EQ(RisorsaSimbolo(l.simbolo, f.serieSimboli), ":/images/results/icon424.png");
}

TEST(Statistiche, figuresAsShown_useTheLocalesDecimalSeparatorForTheRatioOnly)
{
    Giro r(0.4f, {2.0f, 2.5f, 3.1f, 1.2f, 2.6f});
    r.s.totaleBattute = 683;
    r.s.totaleErrori = 11;
    const Cifre it = Formatta(Calcola(r.s), QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(it.rapportoErrori, "1,6%");
    EXPECT_EQ(Formatta(Calcola(r.s), QLocale::c()).rapportoErrori, "1.6%");
    EXPECT_EQ(it.livelli[0].velocita, (std::array<QString, 5>{"120", "150", "186", "72", "156"}));
    EXPECT_EQ(it.livelli[0].punteggi, (std::array<QString, 5>{"80", "100", "100", "48", "100"}));
    EXPECT_EQ(it.livelli[0].velocitaMedia, "137");
    EXPECT_EQ(it.livelli[0].punteggio, "86");
    EXPECT_EQ(it.totaleBattute, "683");
    EXPECT_EQ(it.totaleErrori, "11");
    EXPECT_EQ(it.punteggioComplessivo, "86");
    EXPECT_EQ(it.velocitaComplessiva, "137");

    // Thousands are never grouped: 11 errors over 1500 keystrokes.
    r.s.totaleBattute = 1500;
    EXPECT_EQ(Formatta(Calcola(r.s), QLocale(QLocale::Italian, QLocale::Italy)).totaleBattute, "1500");
}

TEST(Statistiche, speedsPerMinute_roundHalvesAwayFromZero)
{
    EXPECT_EQ(VelocitaMinuto(0.025f), 2);     // 1.5 per minute
    EXPECT_EQ(VelocitaMinuto(0.0083333f), 0);
    EXPECT_EQ(VelocitaMinuto(2.275f), 137);   // 136.5
}

TEST(Statistiche, overallSpeed_isTheSumOfTheLevelAveragesPerMinuteOverTheLevels)
{
    // Level averages 1.1 and 1.2 per second: (2.3 * 60) / 2 = 69.
    Giro r(0.4f, {1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.2f, 1.2f, 1.2f, 1.2f, 1.2f});
    const Figure f = Calcola(r.s);
    EXPECT_EQ(f.numeroLivelli, 2);
    EXPECT_EQ(f.velocitaComplessivaMinuto, 69);
    EXPECT_FLOAT_EQ(f.sommaVelocitaLivelli, f.livelli[0].velocitaMedia + f.livelli[1].velocitaMedia);
}

TEST(Statistiche, sentenceScore_truncatesTheSingleProductAndKeepsNoFloor)
{
    Giro r(0.4f, {0.69999999f, 2.5f, 9.0f, 0.0f, 0.01f});
    const Livello l = CalcolaLivello(r.s.velocitaFrase, 1, 0.4f);
    EXPECT_EQ(l.punteggi, (std::array<int, 5>{27, 100, 100, 0, 0}));
    EXPECT_EQ(CalcolaLivello(r.s.velocitaFrase, 1, 0.2f).punteggi[2], 100);   // 9 per second in expert mode
}

TEST(Statistiche, symbolIndex_changesAtItsBoundaries)
{
    const std::pair<int, int> casi[] = {{-5, 0}, {0, 0}, {20, 0}, {21, 1}, {40, 1}, {41, 2},
                                        {60, 2}, {61, 3}, {80, 3}, {81, 4}, {100, 4}};
    for (auto [punteggio, indice] : casi)
        EXPECT_EQ(IndiceSimbolo(punteggio), indice) << punteggio;
}

TEST(Statistiche, errorRatioOnAThreshold_takesTheBetterWord)
{
    EXPECT_EQ(Valutazione(100, 2, false), 0);   // 2.0 %: Ottimo
    EXPECT_EQ(Valutazione(100, 3, false), 1);   // 3.0 %: Buono
    EXPECT_EQ(Valutazione(100, 4, false), 2);
    EXPECT_EQ(Valutazione(100, 5, false), 3);
    EXPECT_EQ(Valutazione(200, 1, true), 0);    // 0.5 %
    EXPECT_EQ(Valutazione(400, 3, true), 1);    // 0.75 %
    EXPECT_EQ(Valutazione(100, 1, true), 2);    // 1.0 %
    EXPECT_EQ(Valutazione(300, 3, true), 2);    // 1.0 % from an inexact ratio
    EXPECT_EQ(Valutazione(300, 6, false), 0);   // 2.0 %
    EXPECT_EQ(Valutazione(300, 9, false), 1);   // 3.0 %
}

TEST(Statistiche, twoLevels_averageOverTwoAndIgnoreTheThird)
{
    Giro r(0.4f, {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 9, 9, 9, 9, 9});
    r.s.livelloCorrente = 2;
    const Figure f = Calcola(r.s);
    EXPECT_EQ(f.numeroLivelli, 2);
    EXPECT_EQ(f.sommaPunteggiLivelli, 40 + 80);
    EXPECT_EQ(f.punteggioComplessivo, 60);
    EXPECT_EQ(f.velocitaComplessivaMinuto, 90);   // (1 + 2) / 2 per second
    EXPECT_EQ(f.livelli[2].punteggioLivello, 100);   // still computed for the PDF
}

TEST(Statistiche, noKeystrokes_showOneKeystrokeNoErrorsAndTheBestWord)
{
    Giro r(0.2f, {});
    r.s.livelloCorrente = 1;
    const Figure f = Calcola(r.s);
    EXPECT_EQ(f.totaleBattute, 1);
    EXPECT_EQ(f.totaleErrori, 0);
    EXPECT_EQ(f.rapportoErrori, 0.0);
    EXPECT_EQ(f.valutazione, 0);
    EXPECT_EQ(r.s.totaleBattute, 0);   // the run's own counter is untouched
    EXPECT_EQ(f.serieSimboli, 1);
}
