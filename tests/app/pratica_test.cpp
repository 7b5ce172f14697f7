#include "FinestraTest.h"

#include "mainwindow/LineaInput.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <set>

using PraticaFinestra = FinestraTest;

namespace {

// Writes a course lesson or exercise (code page 1252 is plain ASCII here).
QByteArray lezione(int righePerLivello)
{
    QByteArray t;
    for (int l = 1; l <= 3; ++l) {
        t += "[Livello" + QByteArray::number(l) + "]\r\n";
        for (int k = 1; k <= righePerLivello; ++k)
            t += QByteArray::number(k) + "=riga " + QByteArray::number(l) + " " +
                 QByteArray::number(k) + "\r\n";
    }
    return t;
}

} // namespace

// --- A line of sentences -----------------------------------------------------

TEST_F(PraticaFinestra, typingTheModelLine_acceptsEveryCharacterAndCountsIt)
{
    apri();
    fakes.sound.played.clear();
    finestra->cmdStart_Click();
    const QString r = riga();
    ASSERT_FALSE(r.isEmpty());
    digita(r.left(5));
    EXPECT_EQ(finestra->pratica.battuteFrase(), 5);
    EXPECT_EQ(stato->totaleBattute, 5);
    EXPECT_EQ(stato->totaleErrori, 0);
    EXPECT_EQ(finestra->txtInput->text(), r.left(5));
    EXPECT_EQ(finestra->lblNumBatt[0]->text(), "5/5");
    EXPECT_EQ(fakes.sound.played.front(), 104);   // the line starts
    EXPECT_EQ(fakes.sound.played.back(), 107);    // accepted keys
}

TEST_F(PraticaFinestra, wrongKeyBeforeTheFirstAcceptedKey_soundsButIsNotCounted)
{
    apri();
    finestra->cmdStart_Click();
    fakes.sound.played.clear();
    digita("#");
    EXPECT_EQ(stato->totaleErrori, 0);
    EXPECT_EQ(fakes.sound.played, std::vector<int>{101});
    EXPECT_TRUE(finestra->txtInput->text().isEmpty());

    digita(riga().left(1));
    digita("#");
    EXPECT_EQ(stato->totaleErrori, 1);
    EXPECT_EQ(finestra->pratica.erroriFrase(), 1);
    EXPECT_EQ(finestra->lblNumBatt[1]->text(), "1/1");
    EXPECT_EQ(finestra->txtInput->text(), riga().left(1));   // the wrong key never appears
}

TEST_F(PraticaFinestra, enterBeforeTheFirstKey_isIgnoredSilently)
{
    apri();
    finestra->cmdStart_Click();
    fakes.sound.played.clear();
    digita("\r");
    EXPECT_TRUE(fakes.sound.played.empty());
    EXPECT_EQ(stato->totaleErrori, 0);
}

TEST_F(PraticaFinestra, keysArrivingWhileAKeyIsJudged_areJudgedAfterItInOrder)
{
    apri();
    finestra->cmdStart_Click();
    const QString r = riga();
    // A sound lets events run: the next key arrives in the middle of judging.
    bool inviato = false;
    stato->pausa = [&](int) {};
    fakes.sound.played.clear();
    finestra->txtInput->suTastoPremuto = [&, judge = finestra->txtInput->suTastoPremuto](int &k) {
        if (!inviato) {
            inviato = true;
            finestra->txtInput->Digita(r.at(1));
        }
        judge(k);
    };
    digita(r.left(1));
    EXPECT_EQ(finestra->txtInput->text(), r.left(2));
    EXPECT_EQ(stato->totaleErrori, 0);
}

TEST_F(PraticaFinestra, twoLineSentence_needsEnterAndSkipsTheLineFeed)
{
    QByteArray l = lezione(5);
    l.replace("1=riga 1 1", "1=abc\xA6\xA6" "def");
    scrivi("Esercizi/due.ftd", l);
    apri("/due.ftd");
    finestra->cmdStart_Click();
    ASSERT_EQ(riga(), "abc\r\ndef");
    digita("abc");
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "\r");
    const int altezzaPrima = finestra->shpIndex->y();
    digita("d");   // the second line is not reached without Enter
    EXPECT_EQ(stato->totaleErrori, 1);
    digita("\r");
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "d");   // never the LF
    EXPECT_GT(finestra->shpIndex->y(), altezzaPrima);
    EXPECT_EQ(finestra->shpIndex->width(), 0);
    digita("def");
    EXPECT_TRUE(finestra->cmdStart->isEnabled());
    EXPECT_EQ(stato->totaleBattute, 7);   // CR and LF count as two characters of the line
}

TEST_F(PraticaFinestra, deadKeyLetterFromTheInputMethod_isJudgedLikeATypedOne)
{
    scrivi("Esercizi/festa.ftd", "[Livello1]\r\n1=f\xEAte\r\n");
    apri("/festa.ftd");
    finestra->cmdStart_Click();
    ASSERT_EQ(riga(), "fête");
    digita("f");
    ASSERT_EQ(finestra->pratica.carattereAtteso(), "ê");
    QInputMethodEvent commit;
    commit.setCommitString("ê");
    QApplication::sendEvent(finestra->txtInput, &commit);
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "t");
    EXPECT_EQ(finestra->txtInput->text(), "fê");
    EXPECT_EQ(stato->totaleErrori, 0);
}

// --- Timing and scoring ----------------------------------------------------------

TEST_F(PraticaFinestra, lineTypedInTenSeconds_scoresItsSpeed)
{
    apri();
    finestra->cmdStart_Click();
    const QString r = riga();
    digita(r.left(r.size() - 1));
    fakes.clock.advance(10);
    digita(r.right(1));
    const float atteso = float(r.size()) / 10.0f;
    EXPECT_FLOAT_EQ(stato->velocitaFrase[1], atteso);
    EXPECT_TRUE(finestra->picMessaggio->isVisible());
    EXPECT_TRUE(finestra->cmdStart->isEnabled());
    EXPECT_FALSE(finestra->pratica.chiusuraInCorso());
}

TEST_F(PraticaFinestra, pauseOfThirtySeconds_leavesTheSpeedUnchanged)
{
    apri();
    finestra->cmdStart_Click();
    const QString r = riga();
    digita(r.left(2));
    fakes.clock.advance(4);
    fakes.dialogs.whileShown = [this](const fake::Dialogs::Shown &) { fakes.clock.advance(30); };
    QTest::keyClick(finestra->txtInput, Qt::Key_Pause);
    fakes.dialogs.whileShown = nullptr;
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.dialogs.shown.back().text, "Premi OK per proseguire.");
    EXPECT_TRUE(finestra->Timer1->isActive());
    fakes.clock.advance(6);
    digita(r.mid(2));
    EXPECT_FLOAT_EQ(stato->velocitaFrase[1], float(r.size()) / 10.0f);
}

TEST_F(PraticaFinestra, expertWithAThousandKeys_showsTheErrorHandByRatio)
{
    apri();
    finestra->optLevel_Click(1);
    finestra->cmdStart_Click();
    stato->totaleBattute = 999;
    stato->totaleErrori = 5;
    digita(riga().left(1));   // 1000 keys
    digita("#");              // 6 errors: 0.6 %
    EXPECT_EQ(finestra->lblSmile->accessibleName(), "A");
    stato->totaleErrori = 10;
    digita("#");              // 11 errors: 1.1 %
    EXPECT_EQ(finestra->lblSmile->accessibleName(), "D");
}

TEST_F(PraticaFinestra, countersStopAtTheirLimit)
{
    apri();
    finestra->cmdStart_Click();
    stato->totaleBattute = 32767;
    stato->totaleErrori = 32767;
    digita(riga().left(1));
    digita("#");
    EXPECT_EQ(stato->totaleBattute, 32767);
    EXPECT_EQ(stato->totaleErrori, 32767);
}

// --- Runs and levels ---------------------------------------------------------

TEST_F(PraticaFinestra, runOfFifteenSentences_opensResultsAfterEachLevelAndRestarts)
{
    apri();
    std::set<QString> viste;
    for (int frase = 1; frase <= 15; ++frase) {
        finestra->cmdStart_Click();
        ASSERT_EQ(finestra->pratica.esercizi.numeroFrase, frase);
        ASSERT_EQ(stato->livelloCorrente, (frase - 1) / 5 + 1);
        viste.insert(riga());
        digita(riga());
        ASSERT_TRUE(finestra->cmdStart->isEnabled()) << "sentence " << frase;
        EXPECT_EQ(risultatiAperti, (frase - 1) / 5);
    }
    EXPECT_EQ(viste.size(), 15u);   // no sentence twice in a run
    for (int f = 1; f <= 15; ++f)
        EXPECT_GT(stato->velocitaFrase[size_t(f)], 0.f);
    sceltaRisultati = 0;   // "Continua": a new run
    finestra->cmdStart_Click();
    EXPECT_EQ(risultatiAperti, 3);
    EXPECT_EQ(stato->tipoFineLivello, 2);
    EXPECT_FALSE(finestra->chiusa);
}

TEST_F(PraticaFinestra, terminaAfterTheFirstLevel_endsTheProgram)
{
    apri();
    for (int frase = 1; frase <= 5; ++frase) {
        finestra->cmdStart_Click();
        digita(riga());
    }
    sceltaRisultati = 1;
    finestra->cmdStart_Click();
    EXPECT_EQ(risultatiAperti, 1);
    EXPECT_EQ(stato->tipoFineLivello, 1);
    EXPECT_TRUE(finestra->chiusa);
}

TEST_F(PraticaFinestra, courseLessonWithFiveLines_givesThemInOrder)
{
    scrivi("CorsoDattilo/LEZ01.ftd", lezione(5));
    apri();
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    ASSERT_EQ(finestra->cboListFile->currentText(), "LEZ01");
    for (int k = 1; k <= 5; ++k) {
        finestra->cmdStart_Click();
        EXPECT_EQ(riga(), QString("riga 1 %1").arg(k));
        digita(riga());
    }
}

TEST_F(PraticaFinestra, courseLessonWithFifteenLines_drawsFiveWithoutRepeats)
{
    scrivi("CorsoDattilo/LEZ01.ftd", lezione(15));
    apri();
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    std::set<QString> viste;
    for (int k = 1; k <= 5; ++k) {
        finestra->cmdStart_Click();
        EXPECT_TRUE(riga().startsWith("riga 1 ")) << riga().toStdString();
        viste.insert(riga());
        digita(riga());
    }
    EXPECT_EQ(viste.size(), 5u);
}

// --- Text files ------------------------------------------------------------------

TEST_F(PraticaFinestra, textFileMode_takesEveryKeyAndScrollsTheInput)
{
    scrivi("Esercizi/testo.txt", "Il etait une fois\r\nune longue histoire de mots a taper encore.");
    apri("/testo.txt");
    EXPECT_TRUE(stato->modoFileTesto);
    finestra->cmdStart_Click();
    EXPECT_EQ(riga(), "Il etait une fois une longue histoire de mots a taper encore.");
    digita("I");
    fakes.sound.played.clear();
    QTest::keyClick(finestra->txtInput, Qt::Key_Backspace);
    QTest::keyClick(finestra->txtInput, Qt::Key_Return);
    EXPECT_TRUE(fakes.sound.played.empty());
    EXPECT_EQ(stato->totaleBattute, 1);
    digita("x");   // wrong, but typed and counted
    EXPECT_EQ(stato->totaleErrori, 1);
    EXPECT_EQ(finestra->txtInput->text(), "Ix");
    digita(riga().mid(2, 40));
    EXPECT_EQ(finestra->txtInput->text().size(), 29);
    EXPECT_EQ(finestra->txtInput->text(), (QString("Ix") + riga().mid(2, 40)).right(29));
    EXPECT_GE(stato->numParole, 5);
}

TEST_F(PraticaFinestra, textFileTypedToTheEnd_opensTheReportAndEndsWhenFromTheCommandLine)
{
    scrivi("Esercizi/breve.txt", "ciao a tutti");
    apri("/breve.txt");
    finestra->cmdStart_Click();
    digita(riga());
    EXPECT_EQ(reportAperti, 1);
    EXPECT_TRUE(finestra->chiusa);
}

TEST_F(PraticaFinestra, unreadableTextFile_showsTheErrorAndResets)
{
    scrivi("Esercizi/binario.txt", QByteArray("abc\0def", 7));
    apri();
    finestra->optMenu[3]->setChecked(true);
    finestra->optMenu_Click(3);
    finestra->cmdStart_Click();
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_TRUE(fakes.dialogs.shown.back().text.startsWith("Errore nell'apertura del file:\r\n"));
    EXPECT_TRUE(stato->fileEsercizio.isEmpty());
    EXPECT_FALSE(stato->modoFileTesto);
    EXPECT_TRUE(finestra->cmdStart->isEnabled());
}

// --- The command line --------------------------------------------------------------

TEST_F(PraticaFinestra, commandLine_opensOnlyExistingExercisesOfTheRightKind)
{
    scrivi("Esercizi/a.ftd", lezione(5));
    scrivi("Esercizi/b.doc", "x");
    for (const QString &riga : {QString("a.ftd"), QString("/b.doc"), QString("/manca.txt"),
                                QString("/../Tastavia.ini")}) {
        apri(riga);
        EXPECT_TRUE(finestra->pratica.rigaComando().isEmpty()) << riga.toStdString();
        EXPECT_TRUE(stato->fileEsercizio.isEmpty()) << riga.toStdString();
    }
    apri("/ a.ftd ");
    EXPECT_EQ(stato->fileEsercizio, cartella + "Esercizi/a.ftd");
    EXPECT_FALSE(stato->modoFileTesto);
}

TEST_F(PraticaFinestra, oversizedTextFileOnTheCommandLine_endsTheProgram)
{
    scrivi("Esercizi/lungo.txt", QByteArray(26000, 'a'));
    apri("/lungo.txt");
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.dialogs.shown.back().text,
              "File di testo troppo lungo, scegliere un file di minori dimensioni e riprovare.");
    EXPECT_TRUE(finestra->chiusa);
}

TEST_F(PraticaFinestra, brokenExerciseFile_fallsBackToTheBuiltInSentences)
{
    // Level 1 has garbage and a line with no typeable character; level 2 is missing.
    scrivi("Esercizi/rotto.ftd", "garbage without equals\r\n[Livello1]\r\n1=\x01\x02\r\n"
                                 "2=ok ok\r\n=senza chiave\r\n\x01\x02\r\n[Livello3]\r\n");
    apri("/rotto.ftd");
    finestra->cmdStart_Click();
    EXPECT_FALSE(riga().isEmpty());       // key 1 filtered to nothing: a built-in sentence
    EXPECT_FALSE(riga().contains(QChar(1)));
    digita(riga());
    finestra->cmdStart_Click();
    EXPECT_EQ(riga(), "ok ok");
    for (int n = 3; n <= 5; ++n) {
        digita(riga());
        finestra->cmdStart_Click();
    }
    digita(riga());
    finestra->cmdStart_Click();           // level 2, which the file lacks
    EXPECT_EQ(stato->livelloCorrente, 2);
    EXPECT_FALSE(riga().isEmpty());
}

TEST_F(PraticaFinestra, overlongExerciseLine_isCutToTheModelLinesWidth)
{
    const QByteArray lunga(200, 'a');
    scrivi("Esercizi/lunga.ftd", "[Livello1]\r\n1=" + lunga + "\r\n");
    apri("/lunga.ftd");
    finestra->cmdStart_Click();
    EXPECT_GT(riga().size(), 3);
    EXPECT_LT(riga().size(), 200);
    EXPECT_LE(QFontMetrics(finestra->lblFraseCorr->font()).horizontalAdvance(riga()),
              finestra->lblFraseCorr->width());
}

TEST_F(PraticaFinestra, keysBeforeTheFirstLine_leaveTheLockedInputEmpty)
{
    apri();
    digita("abc");
    EXPECT_TRUE(finestra->txtInput->text().isEmpty());
    EXPECT_EQ(stato->totaleBattute, 0);
}

TEST(LineaInputPannello, panelCopiedFromMemory_looksAsTheStyleDrawsIt_andFollowsSizeAndColour)
{
    QLineEdit riferimento;
    LineaInput linea;
    const auto prepara = [&](QSize dimensione, QColor colore) {
        for (QLineEdit *e : {&riferimento, static_cast<QLineEdit *>(&linea)}) {
            QPalette p = e->palette();
            p.setColor(QPalette::Window, colore);
            p.setColor(QPalette::Base, colore);
            e->setPalette(p);
            e->setAutoFillBackground(true);
            e->setReadOnly(true);
            e->setText(QStringLiteral("Le chat dort"));
            e->resize(dimensione);
        }
    };
    prepara({602, 30}, QColor(156, 196, 228));
    EXPECT_EQ(linea.grab().toImage(), riferimento.grab().toImage());
    prepara({300, 44}, QColor(255, 220, 220));
    EXPECT_EQ(linea.grab().toImage(), riferimento.grab().toImage());
}
