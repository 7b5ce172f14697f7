// The figures of the results: the worked example of a beginner's level, the
// symbol and evaluation boundaries, and runs that stop early or typed nothing.

#include "app/modClavora.h"
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
    EXPECT_EQ(RisorsaSimbolo(l.simbolo, f.serieSimboli), ":/images/practice/icon424.png");
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
