// The rules of the game and of training, driven as the window's timers and
// keys would drive them, on the fake clock and random source.

#include "GiocoTest.h"

#include <QRegularExpression>
#include <set>

namespace {

class Regole : public GiocoTest {
protected:
    void SetUp() override
    {
        GiocoTest::SetUp();
        nuoveRegole();
    }

    void nuoveRegole()
    {
        regole = std::make_unique<RegoleGioco>(*stato, CaricaTestiPredefiniti());
        regole->ImpostaArea(880, 550);
        regole->LeggiRecord();
        regole->prendiModifiche();
    }

    RegoleGioco::Avvio avvia(int opzione, const QString &personalizzato = {})
    {
        regole->setDifficolta(opzione);
        regole->setTxtCustom(personalizzato);
        return regole->cmdStart_Click();
    }

    // Every falling character struck at once.
    void colpisciTutti()
    {
        for (int i : visibili(*regole))
            regole->Form_KeyPress(codice(*regole, i));
    }

    // The tally's ticks until it ends (and the next turn is announced).
    int conteggio()
    {
        int passi = 0;
        while (regole->timerScoreAttivo() && passi < 100) {
            regole->timerScore_Timer();
            ++passi;
        }
        return passi;
    }

    void ticks(int n)
    {
        for (int k = 0; k < n && regole->timerLettersAttivo(); ++k)
            regole->timerLetters_Timer();
    }

    // The game's six turns, each character struck as soon as it is placed.
    void giocaSeiTurni()
    {
        for (int t = 0; t < RegoleGioco::TurniGioco; ++t) {
            colpisciTutti();
            conteggio();
        }
    }

    int bersaglio() const
    {
        int trovato = -1;
        for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
            if (regole->lblLetter(i).visibile && regole->lblLetter(i).colore == RegoleGioco::Rosso()) {
                EXPECT_EQ(trovato, -1) << "two targets";
                trovato = i;
            }
        return trovato;
    }

    std::unique_ptr<RegoleGioco> regole;
};

// --- Points and their display

TEST_F(Regole, pointsByHeight_aboveTheAreaAre100_andTop300Of550Is52)
{
    EXPECT_EQ(regole->PuntiAltezza(-30), 100);
    EXPECT_EQ(regole->PuntiAltezza(0), 100);
    EXPECT_EQ(regole->PuntiAltezza(71), 100);    // within the upper 15/115 of the area
    EXPECT_EQ(regole->PuntiAltezza(300), 52);    // floor(250 / 550 * 115)
    EXPECT_EQ(regole->PuntiAltezza(545), 1);
}

TEST_F(Regole, totals_zeroShowsEmpty_andANegativeTotalKeepsItsSign)
{
    EXPECT_EQ(RegoleGioco::FormatoPunti(0), "");
    EXPECT_EQ(RegoleGioco::FormatoPunti(-25), "-25");
    EXPECT_EQ(RegoleGioco::FormatoPunti(3600), "3,600");
}

// --- The game's turns

TEST_F(Regole, levels_facileSixLowerCase_medioTwelveOfBothCases_difficileEighteenDifferent)
{
    struct Atteso {
        int opzione;
        size_t colonne;
        int quota;
    };
    for (const Atteso a : {Atteso{0, 6, -50}, Atteso{1, 12, -160}, Atteso{2, 18, -220}}) {
        SCOPED_TRACE(a.opzione);
        nuoveRegole();
        avvia(a.opzione);
        const std::vector<int> v = visibili(*regole);
        ASSERT_EQ(v.size(), a.colonne);
        QString caratteri;
        bool maiuscola = false, minuscola = false;
        for (int i : v) {
            const Etichetta &l = regole->lblLetter(i);
            ASSERT_EQ(l.testo.size(), 1);
            const QChar c = l.testo.at(0);
            caratteri += c;
            EXPECT_GE(l.top, a.quota);
            EXPECT_LE(l.top, 0);
            EXPECT_TRUE(regole->velocitaLettera(i) == 2 || regole->velocitaLettera(i) == 3);
            const QColor atteso = c.isUpper()   ? RegoleGioco::Giallo()
                                  : c.isDigit() ? RegoleGioco::ColoreCifra()
                                                : RegoleGioco::Bianco();
            EXPECT_EQ(l.colore, atteso);
            maiuscola |= c.isUpper();
            minuscola |= c.isLower();
            const int u = c.unicode();
            const bool ammesso = a.opzione == 0   ? (c >= 'a' && c <= 'z')
                                 : a.opzione == 1 ? (c.isLetter() && u < 128)
                                                  : (c.isLetterOrNumber() && u < 128);
            EXPECT_TRUE(ammesso) << u;
        }
        EXPECT_EQ(std::set<QChar>(caratteri.begin(), caratteri.end()).size(), a.colonne);
        if (a.opzione == 1) {
            EXPECT_TRUE(maiuscola && minuscola) << caratteri.toStdString();
        }
    }
}

TEST_F(Regole, start_announcesTurnOneOfSix_thenTheCharactersFallEvery100ms)
{
    const QDateTime prima = fakes.clock.now();
    avvia(0);
    EXPECT_EQ(regole->lblMessage().testo, "Gioco 1/6");
    EXPECT_FALSE(regole->lblMessage().visibile);
    EXPECT_EQ(fakes.sound.played.front(), 112);
    EXPECT_EQ(suoni(104), 1);
    // The hold of one to two seconds and the 41 steps of the slide.
    EXPECT_GE(prima.secsTo(fakes.clock.now()), 2);
    EXPECT_TRUE(regole->inCorso());
    EXPECT_TRUE(regole->timerLettersAttivo());
    EXPECT_EQ(regole->intervalloLettere(), 100);
    EXPECT_TRUE(regole->cmdNuovoAbilitato());
    EXPECT_FALSE(regole->picLevelVisibile());
    EXPECT_TRUE(regole->pannelloGioco());
    EXPECT_EQ(regole->lblTotal().testo, "0");
}

TEST_F(Regole, keysDuringTheAnnouncement_areNotJudged_andTheButtonsAreOff)
{
    bool provato = false;
    duranteLaPausa = [&] {
        EXPECT_FALSE(regole->cmdNuovoAbilitato());
        EXPECT_FALSE(regole->cmdExitAbilitato());
        regole->Form_KeyPress('#');
        provato = true;
    };
    avvia(0);
    EXPECT_TRUE(provato);
    EXPECT_EQ(regole->punteggioTotale(), 0);
    EXPECT_EQ(suoni(101), 0);
}

TEST_F(Regole, doubleQuoteKey_neverCostsPoints)
{
    avvia(2);
    const int pausePrima = pause;
    regole->Form_KeyPress(RegoleGioco::CodiceVirgolette);
    EXPECT_EQ(regole->punteggioTotale(), 0);
    EXPECT_EQ(suoni(101), 0);
    EXPECT_EQ(pause, pausePrima);
    EXPECT_EQ(visibili(*regole).size(), 18u);
}

TEST_F(Regole, wrongKey_costs25AtOnce_andFreezesTheCharactersForUpToOneSecond)
{
    avvia(0);
    const QDateTime prima = fakes.clock.now();
    const int primaColonna = visibili(*regole).front();
    bool inPausa = false;
    duranteLaPausa = [&] {
        inPausa = true;
        EXPECT_TRUE(regole->erroreVisibile());
        EXPECT_FALSE(regole->timerLettersAttivo());
        EXPECT_EQ(regole->lblTotal().testo, "-25");
        EXPECT_EQ(regole->lblTotal().colore, RegoleGioco::Rosso());
        // A key in the pause is not judged, even the right one.
        regole->Form_KeyPress(codice(*regole, primaColonna));
    };
    regole->Form_KeyPress('#');
    EXPECT_TRUE(inPausa);
    EXPECT_LE(prima.secsTo(fakes.clock.now()), 1);
    EXPECT_EQ(regole->punteggioTotale(), -25);
    EXPECT_EQ(regole->lblTotal().testo, "-25");
    EXPECT_EQ(regole->lblTotal().colore, RegoleGioco::Blu());
    EXPECT_FALSE(regole->erroreVisibile());
    EXPECT_TRUE(regole->timerLettersAttivo());
    EXPECT_TRUE(regole->inCorso());
    EXPECT_TRUE(regole->lblLetter(primaColonna).visibile);
    EXPECT_EQ(suoni(101), 1);
}

TEST_F(Regole, caseMatters_anUpperCaseKeyForALowerCaseCharacterIsWrong)
{
    avvia(0);
    const int i = visibili(*regole).front();
    regole->Form_KeyPress(regole->lblLetter(i).testo.toUpper().at(0).unicode());
    EXPECT_EQ(regole->punteggioTotale(), -25);
    EXPECT_TRUE(regole->lblLetter(i).visibile);
}

TEST_F(Regole, struckCharacters_leaveSmiles_andTheTallyScoresEachByItsHeight)
{
    avvia(0);
    ticks(40);
    const std::vector<int> v = visibili(*regole);
    std::vector<int> attesi;
    for (int i : v) {
        const int top = regole->lblLetter(i).top;
        attesi.push_back(regole->PuntiAltezza(top));
        regole->Form_KeyPress(codice(*regole, i));
        EXPECT_FALSE(regole->lblLetter(i).visibile);
        EXPECT_TRUE(regole->lblSmileOK(i).visibile);
        EXPECT_EQ(regole->lblSmileOK(i).top, top);
        EXPECT_EQ(regole->lblSmileOK(i).left, regole->lblLetter(i).left);
    }
    EXPECT_FALSE(regole->inCorso());
    EXPECT_TRUE(regole->timerScoreAttivo());

    // One face a tick, lowest column first.
    regole->timerScore_Timer();
    EXPECT_TRUE(regole->lblScore(v[0]).visibile);
    EXPECT_EQ(regole->lblScore(v[0]).testo, QString::number(attesi[0]));
    EXPECT_EQ(regole->lblScore(v[0]).colore, RegoleGioco::VerdePunti());
    EXPECT_FALSE(regole->lblSmileOK(v[0]).visibile);
    EXPECT_TRUE(regole->lblSmileOK(v[1]).visibile);

    conteggio();
    int somma = 0;
    for (int p : attesi)
        somma += p;
    EXPECT_EQ(regole->punteggioTotale(), somma);
    EXPECT_EQ(regole->lblTotal().testo, RegoleGioco::FormatoPunti(somma, stato->localeInterfaccia()));
    EXPECT_EQ(regole->turno(), 2);
    EXPECT_EQ(regole->lblMessage().testo, "Gioco 2/6");
    EXPECT_TRUE(regole->inCorso());
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
        EXPECT_FALSE(regole->lblScore(i).visibile);
}

TEST_F(Regole, landedCharacters_leaveSadFaces_andCost10EachInTheTally)
{
    avvia(0);
    ticks(400);
    EXPECT_TRUE(visibili(*regole).empty());
    EXPECT_TRUE(regole->timerScoreAttivo());
    int tristi = 0;
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i)
        if (regole->lblSmileNOT(i).visibile) {
            ++tristi;
            EXPECT_EQ(regole->lblSmileNOT(i).top, 550 - 40);
        }
    EXPECT_EQ(tristi, 6);
    EXPECT_EQ(regole->punteggioTotale(), 0);   // the landings cost nothing yet

    regole->timerScore_Timer();
    EXPECT_EQ(suoni(111), 1);
    conteggio();
    EXPECT_EQ(regole->punteggioTotale(), -60);
    EXPECT_EQ(regole->lblTotal().testo, "-60");
}

TEST_F(Regole, aTick_marksNoMoveOfItsOwn_onlyTheLandings)
{
    avvia(0);
    regole->prendiModifiche();
    regole->timerLetters_Timer();
    // The moves are the window's frames to draw; a landing is marked.
    EXPECT_TRUE(regole->prendiModifiche().area.isEmpty());
    ticks(400);
    const RegoleGioco::Modifiche m = regole->prendiModifiche();
    EXPECT_FALSE(m.area.isEmpty());
}

TEST_F(Regole, capsLockBox_suspendsKeysAndBothTimers_andTheResumeRestoresThem)
{
    avvia(0);
    const RegoleGioco::Sospensione s = regole->Sospendi();
    EXPECT_FALSE(regole->inCorso());
    EXPECT_FALSE(regole->timerLettersAttivo());
    const int top = regole->lblLetter(visibili(*regole).front()).top;
    regole->timerLetters_Timer();   // a tick already queued does nothing
    regole->Form_KeyPress('#');
    EXPECT_EQ(regole->lblLetter(visibili(*regole).front()).top, top);
    EXPECT_EQ(regole->punteggioTotale(), 0);
    regole->Riprendi(s);
    EXPECT_TRUE(regole->inCorso());
    EXPECT_TRUE(regole->timerLettersAttivo());
    // A new game meanwhile: the old run is not started again.
    const RegoleGioco::Sospensione t = regole->Sospendi();
    regole->cmdNuovo_Click();
    regole->Riprendi(t);
    EXPECT_FALSE(regole->timerLettersAttivo());
}

// --- End of the game and best totals

TEST_F(Regole, sixTurns_endTheGame_andABetterTotalIsStoredReadBackAndCelebrated)
{
    avvia(0);
    giocaSeiTurni();
    EXPECT_EQ(regole->turno(), 7);
    EXPECT_EQ(regole->punteggioTotale(), 3600);
    EXPECT_TRUE(regole->lblMessage().visibile);
    EXPECT_EQ(regole->lblMessage().testo, QString::fromUtf8("Il gioco è finito"));
    EXPECT_FALSE(regole->inCorso());
    EXPECT_FALSE(regole->timerLettersAttivo());
    EXPECT_FALSE(regole->timerScoreAttivo());
    EXPECT_EQ(leggi("TastaviaWinner.ini"), QByteArray("[ANNA]\r\nDifficulty1=3600\r\n"));
    EXPECT_EQ(regole->recordLivelli()[0], 3600);
    EXPECT_EQ(regole->recordCorrente(), 0);   // until the next Start
    EXPECT_EQ(regole->lblWinner().testo, "3.600");
    EXPECT_EQ(suoni(103), 1);
    EXPECT_EQ(regole->coloreTrofeo(), RegoleGioco::Nero());
    EXPECT_EQ(regole->lblWinner().colore, RegoleGioco::Nero());
    EXPECT_TRUE(regole->cmdNuovoAbilitato());

    regole->cmdNuovo_Click();
    avvia(0);
    EXPECT_EQ(regole->recordCorrente(), 3600);
    EXPECT_EQ(regole->lblWinner().testo, "3.600");
}

TEST_F(Regole, newBestThatCannotBeWritten_isCelebratedAsNotKept_andToldAtTheEnd)
{
    const QByteArray file = "[ANNA]\r\nDifficulty1=10\r\n";
    scrivi("TastaviaWinner.ini", file);
    QFile(cartella + "TastaviaWinner.ini").setPermissions(QFileDevice::ReadOwner);
    nuoveRegole();
    int detti = 0;
    QObject::connect(regole.get(), &RegoleGioco::recordPerso, [&] {
        ++detti;
        EXPECT_EQ(suoni(103), 1);   // after the celebration
    });
    avvia(0);
    giocaSeiTurni();
    EXPECT_EQ(leggi("TastaviaWinner.ini"), file);
    EXPECT_TRUE(regole->recordNonSalvato());
    EXPECT_EQ(detti, 1);
    EXPECT_EQ(regole->lblMessage().testo,
              QString::fromUtf8("Il gioco è finito - Nuovo record, ma non è stato possibile salvarlo."));
    EXPECT_EQ(regole->lblWinner().testo, "3.600");
}

TEST_F(Regole, equalBestTotal_isNotARecord)
{
    const QByteArray file = "[ANNA]\r\nDifficulty1=3600\r\n; kept as it is\r\n";
    scrivi("TastaviaWinner.ini", file);
    nuoveRegole();
    avvia(0);
    EXPECT_EQ(regole->lblWinner().testo, "3.600");
    giocaSeiTurni();
    EXPECT_EQ(regole->punteggioTotale(), 3600);
    EXPECT_EQ(leggi("TastaviaWinner.ini"), file);
    EXPECT_EQ(suoni(103), 0);
}

TEST_F(Regole, emptyLearnerName_theFileIsNeverTouched)
{
    stato->nomeUtente.clear();
    stato->gestoreIni.setNome({});
    nuoveRegole();
    EXPECT_FALSE(regole->lblWinner().visibile);
    avvia(0);
    giocaSeiTurni();
    EXPECT_EQ(regole->punteggioTotale(), 3600);
    EXPECT_FALSE(QFile::exists(cartella + "TastaviaWinner.ini"));
    EXPECT_TRUE(stato->gestoreIni.nome().isEmpty());
    EXPECT_EQ(suoni(103), 0);
}

TEST_F(Regole, newGameDuringTheErrorPause_leavesTheOldRunStopped)
{
    avvia(0);
    duranteLaPausa = [&] { regole->cmdNuovo_Click(); };
    regole->Form_KeyPress('#');
    EXPECT_TRUE(regole->picLevelVisibile());
    EXPECT_FALSE(regole->inCorso());
    EXPECT_FALSE(regole->timerLettersAttivo());
    EXPECT_FALSE(regole->timerScoreAttivo());
    EXPECT_FALSE(regole->erroreVisibile());
    EXPECT_TRUE(visibili(*regole).empty());
    // Keys now change nothing.
    regole->Form_KeyPress('#');
    EXPECT_EQ(regole->punteggioTotale(), -25);
}

TEST_F(Regole, newGameDuringTheCelebration_endsIt)
{
    avvia(0);
    for (int t = 0; t < 5; ++t) {
        colpisciTutti();
        conteggio();
    }
    colpisciTutti();
    // The tally's ticks do not pause: the first pause is the celebration's.
    int passi = 0;
    std::function<void()> conta = [&] {
        if (++passi == 3)
            regole->cmdNuovo_Click();
        else
            duranteLaPausa = conta;
    };
    duranteLaPausa = conta;
    conteggio();
    EXPECT_EQ(passi, 3);
    EXPECT_EQ(suoni(103), 1);
    EXPECT_TRUE(regole->picLevelVisibile());
    EXPECT_EQ(regole->coloreTrofeo(), RegoleGioco::Nero());
    EXPECT_EQ(regole->lblWinner().colore, RegoleGioco::Nero());
}

// --- Training

TEST_F(Regole, training_lastsHsTimeTimes150Seconds_countedFromTheEndOfTheAnnouncement)
{
    regole->setHsTime(2);
    const QDateTime start = fakes.clock.now();
    avvia(3);
    const QDateTime dopo = fakes.clock.now();
    EXPECT_GE(start.secsTo(dopo), 2);
    EXPECT_EQ(regole->fineAllenamento(), dopo.addSecs(300));
    EXPECT_FLOAT_EQ(regole->gradiPerSecondo(), 1.2f);
    EXPECT_EQ(regole->lblWinner().testo, "ND");
    EXPECT_TRUE(regole->pannelloAllenamento());

    int secondi = 0;
    while (regole->timerLettersAttivo() && secondi < 1000) {
        fakes.clock.advance(1);
        ++secondi;
        regole->timerLetters_Timer();
    }
    EXPECT_EQ(secondi, 301);   // over once the end is in the past
    EXPECT_FALSE(regole->inCorso());
    EXPECT_TRUE(regole->lblMessage().visibile);
    EXPECT_EQ(regole->lblMessage().testo, " Allenamento terminato");
}

TEST_F(Regole, training_tickFollowsTheSpeedSlider_oneCharacterPixelPerTick)
{
    regole->setHsSpeed(1);
    avvia(4);
    EXPECT_EQ(regole->intervalloLettere(), 25);
    EXPECT_EQ(regole->caratteriAllenamento(), "qsdfjklmtuao");
    EXPECT_EQ(visibili(*regole).size(), 12u);
    for (int i : visibili(*regole)) {
        EXPECT_EQ(regole->velocitaLettera(i), 1);
        EXPECT_GE(regole->lblLetter(i).top, 0);
        EXPECT_LE(regole->lblLetter(i).top, 30);
    }
    regole->cmdNuovo_Click();
    regole->setHsSpeed(4);
    avvia(5);
    EXPECT_EQ(regole->intervalloLettere(), 100);
}

TEST_F(Regole, training_theLowestCharacterIsTheOneTarget_andAnyOtherKeyIsAnError)
{
    avvia(3);
    const int t = bersaglio();
    ASSERT_GE(t, 0);
    for (int i : visibili(*regole))
        EXPECT_LE(regole->lblLetter(i).top, regole->lblLetter(t).top);

    // Another falling character: an error, even though it is falling.
    int altra = -1;
    for (int i : visibili(*regole))
        if (regole->lblLetter(i).testo != regole->lblLetter(t).testo)
            altra = i;
    ASSERT_GE(altra, 0);
    regole->Form_KeyPress(codice(*regole, altra));
    EXPECT_EQ(regole->battuteErrate(), 1);
    EXPECT_EQ(regole->battuteEsatte(), 0);
    EXPECT_EQ(regole->lblDigKO(), "1");
    EXPECT_TRUE(regole->lblLetter(altra).visibile);
    EXPECT_EQ(suoni(101), 1);

    // The target: struck, and a character of the set takes a free column.
    const QString colpito = regole->lblLetter(t).testo;
    regole->Form_KeyPress(codice(*regole, t));
    EXPECT_EQ(regole->battuteEsatte(), 1);
    EXPECT_EQ(regole->lblDigOK(), "1");
    EXPECT_EQ(regole->lblTotDigit(), "2");
    EXPECT_FALSE(regole->lblLetter(t).visibile);
    EXPECT_TRUE(regole->lblLetter(t).testo.isEmpty());
    EXPECT_EQ(visibili(*regole).size(), 10u);
    for (int i : visibili(*regole))
        EXPECT_TRUE(regole->caratteriAllenamento().contains(regole->lblLetter(i).testo));
    EXPECT_GE(bersaglio(), 0);
}

TEST_F(Regole, training_averagePointsPerKeystroke_isFloored)
{
    avvia(3);
    // Let the target fall until it is worth an odd number of points.
    int t = bersaglio();
    while (regole->PuntiAltezza(regole->lblLetter(t).top - 5) % 2 == 0) {
        regole->timerLetters_Timer();
        t = bersaglio();
    }
    const int punti = regole->PuntiAltezza(regole->lblLetter(t).top - 5);
    ASSERT_LT(punti, 100);
    regole->Form_KeyPress(codice(*regole, t));
    regole->Form_KeyPress('#');
    EXPECT_EQ(regole->punteggioTotale(), punti);
    EXPECT_EQ(regole->lblScoreTraining(), QString::number(punti / 2) + " %");
}

TEST_F(Regole, training_aLandingIsAWrongKeystroke_andTheCharacterStartsAgainAbove)
{
    avvia(3);
    const int t = bersaglio();
    const QString carattere = regole->lblLetter(t).testo;
    while (regole->battuteErrate() == 0)
        regole->timerLetters_Timer();
    EXPECT_EQ(regole->lblLetter(t).top, -5);
    EXPECT_EQ(regole->lblLetter(t).testo, carattere);
    EXPECT_TRUE(regole->lblLetter(t).visibile);
    EXPECT_EQ(regole->lblDigKO(), QString::number(regole->battuteErrate()));
    EXPECT_EQ(regole->lblScoreTraining(), "0 %");
    EXPECT_NE(bersaglio(), t);
}

TEST_F(Regole, training_theClockGrowsWithTheSecondsThatPass)
{
    avvia(3);
    regole->timerLetters_Timer();
    ASSERT_TRUE(regole->orologio().has_value());
    const float primo = regole->orologio()->primo;
    EXPECT_NEAR(primo, 2 * M_PI, 0.01);
    fakes.clock.advance(75);
    regole->prendiModifiche();
    regole->timerLetters_Timer();
    EXPECT_TRUE(regole->prendiModifiche().parti & RegoleGioco::Orologio);
    EXPECT_NEAR(regole->orologio()->ultimo, M_PI, 0.01);
    EXPECT_FLOAT_EQ(regole->orologio()->primo, primo);
}

TEST_F(Regole, customSet_withRepeatsAndBlanks_isCleanedAndStarts)
{
    EXPECT_EQ(avvia(7, "ab ab cd"), RegoleGioco::Avvio::Avviato);
    EXPECT_EQ(regole->txtCustom(), "abcd");
    EXPECT_EQ(regole->caratteriAllenamento(), "abcd");
    EXPECT_EQ(visibili(*regole).size(), 4u);
}

TEST_F(Regole, customSet_thatCleansToTwoCharacters_isRefusedAndEmptied)
{
    EXPECT_EQ(avvia(7, "aab "), RegoleGioco::Avvio::InsiemeCorto);
    EXPECT_TRUE(regole->txtCustom().isEmpty());
    EXPECT_TRUE(regole->picLevelVisibile());
    EXPECT_TRUE(fakes.sound.played.empty());
}

TEST_F(Regole, customSet_shorterThanFour_isRefusedAndLeftAsItIs)
{
    EXPECT_EQ(avvia(7, "abc"), RegoleGioco::Avvio::InsiemeCorto);
    EXPECT_EQ(regole->txtCustom(), "abc");
    EXPECT_FALSE(regole->inCorso());
}

TEST_F(Regole, customBox_refusesBlanksAndRepeats_butTellsCasesApart)
{
    EXPECT_FALSE(RegoleGioco::CarattereAmmesso("ab", ' '));
    EXPECT_FALSE(RegoleGioco::CarattereAmmesso("ab", 'a'));
    EXPECT_TRUE(RegoleGioco::CarattereAmmesso("ab", 'A'));
    EXPECT_FALSE(RegoleGioco::CarattereAmmesso("abcdefghijklmnopq", 'z'));
    // A leading blank is dropped too: a falling blank could not be seen.
    EXPECT_EQ(RegoleGioco::PulisciCaratteriPersonali(" a\tbA"), "abA");
}

TEST_F(Regole, backToChoosing_thenTrainingAfterAGame_usesOnlyTheTrainingSet)
{
    avvia(2);
    regole->cmdNuovo_Click();
    EXPECT_TRUE(regole->picLevelVisibile());
    EXPECT_FALSE(regole->pannelloGioco());
    EXPECT_TRUE(visibili(*regole).empty());
    EXPECT_FALSE(regole->cmdNuovoAbilitato());
    avvia(6);
    const QString insieme = QString::fromUtf8("qsdfjklmvbéxywz");
    EXPECT_EQ(visibili(*regole).size(), size_t(insieme.size()));
    for (int i : visibili(*regole))
        EXPECT_TRUE(insieme.contains(regole->lblLetter(i).testo));
    EXPECT_EQ(regole->lblDigOK(), "0");
    EXPECT_EQ(regole->lblTotDigit(), "0");
}

} // namespace
