#include "practice/Punteggio.h"
#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

constexpr float principiante = 0.4f;
constexpr float esperto = 0.2f;

TestiFineRiga testiPredefiniti()
{
    TestiFineRiga t;
    t.testo6 = "Hai totalizzato ";
    t.testo7 = "punti e, digitando alla media di";
    t.testo8 = "battute";
    t.testo9 = "hai anche superato il tuo record precedente.";
    t.testo10 = "Premi il tasto Entrée per continuare.";
    t.testo33 = "punti, digitando alla media di";
    t.lodiNormali = {"Bene!", "Molto bene!", "Ottimo!", "Perfetto!", "Benissimo!", "Splendido!",
                     "Buon risultato!"};
    t.lodiRecord = {"Magnifico!", "Eccezionale!", "Sei grande!", "Fantastico!", "Eccellente!",
                    "Insuperabile!", "Sensazionale!"};
    t.unitaVelocita = "al minuto";
    return t;
}

// --- Speed and sentence score ---

TEST(SentenceScore, beginnerThirtyCharactersInTenSeconds_scoresFullMarks)
{
    const float v = VelocitaRiga(30, 10);
    EXPECT_FLOAT_EQ(v, 3.0f);
    EXPECT_EQ(PunteggioFrase(v, principiante), 100);
}

TEST(SentenceScore, beginnerFortyCharactersInFortySeconds_scoresForty)
{
    const float v = VelocitaRiga(40, 40);
    EXPECT_FLOAT_EQ(v, 1.0f);
    EXPECT_EQ(PunteggioFrase(v, principiante), 40);
}

TEST(SentenceScore, singlePrecisionProduct_isFlooredNotRounded)
{
    // 0.7 and 0.4 are both stored a hair off: the product is 27.99999...
    EXPECT_EQ(PunteggioFrase(0.69999999f, principiante), 27);
    EXPECT_EQ(PunteggioFrase(2.5f, principiante), 100);
    EXPECT_EQ(PunteggioFrase(5.0f, esperto), 100);
    EXPECT_EQ(PunteggioFrase(4.99f, esperto), 99);
}

TEST(SentenceScore, zeroScore_isShownAsOne)
{
    EXPECT_EQ(PunteggioFrase(0.02f, principiante), 1);
    EXPECT_EQ(PunteggioFrase(0.0f, esperto), 1);
}

TEST(SentenceScore, absurdSpeeds_stayInRange)
{
    EXPECT_EQ(PunteggioFrase(1e30f, principiante), 100);
    EXPECT_EQ(PunteggioFrase(std::numeric_limits<float>::infinity(), esperto), 100);
    EXPECT_EQ(PunteggioFrase(std::numeric_limits<float>::quiet_NaN(), esperto), 1);
}

TEST(LineSpeed, noWholeSecond_givesZeroForTheCallerToReplace)
{
    EXPECT_EQ(VelocitaRiga(25, 0), 0.0f);
    EXPECT_EQ(VelocitaRiga(25, -3), 0.0f);
    EXPECT_FLOAT_EQ(VelocitaRiga(7, 3), float(7.0 / 3.0));
}

TEST(LineSpeed, secondsOfALine_neverNegative)
{
    const QDateTime t0(QDate(2026, 1, 5), QTime(23, 59, 50));
    EXPECT_EQ(SecondiRiga(t0, t0.addSecs(15)), 15);   // across midnight
    EXPECT_EQ(SecondiRiga(t0, t0.addSecs(-5)), 0);
    EXPECT_EQ(SecondiRiga(QDateTime(), t0), 0);
}

// --- Level average ---

TEST(LevelAverage, expertSpeedsAboveTheCap_countAsTheCap)
{
    std::array<float, 16> v{};
    const float velocita[5] = {6, 5, 4, 3, 2};
    for (int i = 0; i < 5; ++i)
        v[size_t(6 + i)] = velocita[i];
    EXPECT_EQ(calcolaMediaLevel(v, 2, esperto), 76);
    EXPECT_EQ(calcolaMediaLevel(v, 1, esperto), 0);
}

TEST(LevelAverage, slowLevel_hasNoLowerBound)
{
    std::array<float, 16> v{};
    for (int i = 11; i <= 15; ++i)
        v[size_t(i)] = 0.01f;
    EXPECT_EQ(calcolaMediaLevel(v, 3, principiante), 0);
}

TEST(LevelAverage, arithmeticFaults_giveZero)
{
    std::array<float, 16> v{};
    v.fill(2.0f);
    EXPECT_EQ(calcolaMediaLevel(v, 0, principiante), 0);
    EXPECT_EQ(calcolaMediaLevel(v, 4, principiante), 0);
    EXPECT_EQ(calcolaMediaLevel(v, 1, 0.0f), 0);
    EXPECT_EQ(calcolaMediaLevel(v, 1, principiante), 80);
}

TEST(LevelLabel, afterThreeSentencesOfLevelTwo_showsIntegerMean)
{
    std::array<float, 16> v{};
    int16_t somma = 0;
    EXPECT_EQ(MediaDopoFrase(somma, 6, 2, 50, v, principiante), 50);
    EXPECT_EQ(MediaDopoFrase(somma, 7, 2, 71, v, principiante), 60);
    EXPECT_EQ(MediaDopoFrase(somma, 8, 2, 90, v, principiante), 70);
    EXPECT_EQ(somma, 211);
}

TEST(LevelLabel, fifthSentence_usesLevelScoreAndRestartsTheSum)
{
    std::array<float, 16> v{};
    for (int i = 1; i <= 5; ++i)
        v[size_t(i)] = 2.0f;
    int16_t somma = 300;
    EXPECT_EQ(MediaDopoFrase(somma, 5, 1, 80, v, principiante), 80);
    EXPECT_EQ(somma, 0);
}

TEST(LevelLabel, sentenceOutsideItsLevel_leavesLabelAndSumAlone)
{
    std::array<float, 16> v{};
    int16_t somma = 40;
    EXPECT_FALSE(MediaDopoFrase(somma, 3, 2, 90, v, principiante).has_value());
    EXPECT_FALSE(MediaDopoFrase(somma, 3, 0, 90, v, principiante).has_value());
    EXPECT_EQ(somma, 40);
}

TEST(LevelLabel, runawaySum_saturates)
{
    std::array<float, 16> v{};
    int16_t somma = 32700;
    EXPECT_EQ(MediaDopoFrase(somma, 2, 1, 100, v, principiante), 32767 / 2);
    EXPECT_EQ(somma, 32767);
}

// --- Icon bands ---

TEST(IconBand, beginnerBands_runWorstToBest)
{
    EXPECT_EQ(FasciaPunteggio(-5, 0), 0);
    EXPECT_EQ(FasciaPunteggio(20, 0), 0);
    EXPECT_EQ(FasciaPunteggio(21, 0), 1);
    EXPECT_EQ(FasciaPunteggio(40, 0), 1);
    EXPECT_EQ(FasciaPunteggio(41, 0), 2);
    EXPECT_EQ(FasciaPunteggio(60, 0), 2);
    EXPECT_EQ(FasciaPunteggio(61, 0), 3);
    EXPECT_EQ(FasciaPunteggio(80, 0), 3);
    EXPECT_EQ(FasciaPunteggio(81, 0), 4);
    EXPECT_EQ(FasciaPunteggio(100, 0), 4);
}

TEST(IconBand, expertBands_areShiftedByFive)
{
    EXPECT_EQ(FasciaPunteggio(1, 1), 5);
    EXPECT_EQ(FasciaPunteggio(40, 1), 6);
    EXPECT_EQ(FasciaPunteggio(55, 1), 7);
    EXPECT_EQ(FasciaPunteggio(80, 1), 8);
    EXPECT_EQ(FasciaPunteggio(100, 1), 9);
}

// --- Records ---

TEST(Record, firstSentenceWithTheBestTime_narrowsTheBarButIsNoRecord)
{
    const EsitoRecord e = ValutaRecord(300, 120, true);
    EXPECT_TRUE(e.restringiBarra);
    EXPECT_FALSE(e.record);
    EXPECT_EQ(e.suono, 102);
}

TEST(Record, laterSentenceBelowTheBar_isARecord)
{
    const EsitoRecord e = ValutaRecord(120, 100, false);
    EXPECT_TRUE(e.restringiBarra);
    EXPECT_TRUE(e.record);
    EXPECT_EQ(e.suono, 103);

    const EsitoRecord pari = ValutaRecord(120, 120, false);
    EXPECT_FALSE(pari.restringiBarra);
    EXPECT_FALSE(pari.record);
    EXPECT_EQ(pari.suono, 102);
}

TEST(Record, barRows_fadeTowardsBlackInTheLevelColour)
{
    EXPECT_EQ(ColoreRigaRecord(1, 0), 0x00FF00u);
    EXPECT_EQ(ColoreRigaRecord(2, 1), 0x00F5F5u);
    EXPECT_EQ(ColoreRigaRecord(3, 2), 0x0000EBu);
    EXPECT_EQ(ColoreRigaRecord(3, 40), 0u);
}

// --- Random draw ---

TEST(RandomDraw, drawsAcrossTheWholeRange)
{
    fake::Random r;
    fake::Clock c;
    r.queued = {0.0, 0.999999, 0.5};
    EXPECT_EQ(NumeroCasuale(r, c, 1, 7), 1);
    EXPECT_EQ(NumeroCasuale(r, c, 1, 7), 7);
    EXPECT_EQ(NumeroCasuale(r, c, 1, 7), 4);
}

TEST(RandomDraw, faultySource_staysInRange)
{
    fake::Random r;
    fake::Clock c;
    r.queued = {1.0, -0.5};
    EXPECT_EQ(NumeroCasuale(r, c, 1, 7), 7);
    EXPECT_EQ(NumeroCasuale(r, c, 1, 7), 1);
}

// --- Message ---

TEST(Message, noPraiseBelowFortyOne_andTwoBlanksBeforeTheScore)
{
    const QString m = ComponiMessaggio(testiPredefiniti(), 40, 1.0f, false, 0);
    EXPECT_EQ(m, QString("Hai totalizzato  40 punti, digitando alla media di 60 battute al minuto"
                         "\r\n Premi il tasto Entrée per continuare."));
}

TEST(Message, praisedLine_startsWithThePraiseWord)
{
    const QString m = ComponiMessaggio(testiPredefiniti(), 85, 2.1333333f, false, 0);
    EXPECT_EQ(m, QString("Bene! Hai totalizzato  85 punti, digitando alla media di 128 battute "
                         "al minuto\r\n Premi il tasto Entrée per continuare."));
}

TEST(Message, record_usesRecordPraiseAndRecordLine)
{
    const QString m = ComponiMessaggio(testiPredefiniti(), 100, 3.0f, true, 6);
    EXPECT_EQ(m, QString("Sensazionale! Hai totalizzato  100 punti e, digitando alla media di 180 "
                         "battute al minuto\r\nhai anche superato il tuo record precedente. "
                         "Premi il tasto Entrée per continuare."));
    const QString basso = ComponiMessaggio(testiPredefiniti(), 30, 1.0f, true, 6);
    EXPECT_TRUE(basso.startsWith("Hai totalizzato  30 punti e,"));
}

TEST(Message, praiseIndexOutOfRange_isBroughtIntoTheList)
{
    EXPECT_TRUE(ComponiMessaggio(testiPredefiniti(), 90, 2.0f, false, 9).startsWith("Buon risultato! "));
    EXPECT_TRUE(ComponiMessaggio(testiPredefiniti(), 90, 2.0f, false, -1).startsWith("Bene! "));
    TestiFineRiga vuoti = testiPredefiniti();
    vuoti.lodiNormali.clear();
    EXPECT_TRUE(ComponiMessaggio(vuoti, 90, 2.0f, false, 0).startsWith(" Hai totalizzato"));
}

TEST(Message, speedPerMinute_roundsHalvesToEven)
{
    EXPECT_EQ(BattuteAlMinuto(2.125f), 128);   // 127.5
    EXPECT_EQ(BattuteAlMinuto(0.375f), 22);    // 22.5
    EXPECT_EQ(BattuteAlMinuto(0.025f), 2);     // 1.5 (a hair above in single precision)
    EXPECT_EQ(BattuteAlMinuto(5.0f), 300);
}

} // namespace
