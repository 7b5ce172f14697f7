// What a new learner met while practising, each kept from coming back: keys
// acted on twice or taken from a dialog, dead keys passed on by the window,
// lists that forgot their files, markers and pictures left in the way.

#include "FinestraTest.h"

#include "keyboard/MappaTastiEsterna.h"
#include "keyboard/TastieraVirtuale.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

using Guasti = FinestraTest;

namespace {

QByteArray lezione(const char *prefisso)
{
    QByteArray t;
    for (int l = 1; l <= 3; ++l) {
        t += "[Livello" + QByteArray::number(l) + "]\r\n";
        for (int k = 1; k <= 5; ++k)
            t += QByteArray::number(k) + "=" + prefisso + " " + QByteArray::number(l) + " " +
                 QByteArray::number(k) + "\r\n";
    }
    return t;
}

} // namespace

// --- Keys the window previews ----------------------------------------------------

TEST_F(Guasti, escAndF1OnAPlainPanel_actOnce)
{
    apri();
    finestra->picNotebook->setFocus();
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsNo);
    QTest::keyClick(finestra->picNotebook, Qt::Key_Escape);
    EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
    QTest::keyClick(finestra->picNotebook, Qt::Key_F1);
    EXPECT_EQ(fakes.dialogs.shown.size(), 2u);   // one box: no help pages here
}

TEST_F(Guasti, escReleasedAfterItsPressClosedADialog_asksNothing)
{
    apri();
    finestra->cmdStart_Click();
    // The press went to the quit question, which closed; only the release comes here.
    QTest::keyRelease(finestra->txtInput, Qt::Key_Escape);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_FALSE(finestra->chiusa);
}

TEST_F(Guasti, deadKeyPassedOnByTheWindow_composesTheLetter)
{
    scrivi("Esercizi/festa.ftd", "[Livello1]\r\n1=f\xEAte\r\n");
    apri("/festa.ftd");
    finestra->cmdStart_Click();
    finestra->picNotebook->setFocus();   // the keys arrive elsewhere than the input line
    QTest::sendKeyEvent(QTest::Click, finestra->picNotebook, Qt::Key_F, "f", Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, finestra->picNotebook, Qt::Key_Dead_Circumflex, QString(),
                        Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, finestra->picNotebook, Qt::Key_E, "e", Qt::NoModifier);
    EXPECT_EQ(finestra->txtInput->text(), QString::fromUtf8("fê"));
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "t");
    EXPECT_EQ(stato->totaleErrori, 0);
}

TEST_F(Guasti, characterOutsideTheCodePage_isRejected)
{
    scrivi("Esercizi/q.ftd", "[Livello1]\r\n1=a?a?\r\n");
    apri("/q.ftd");
    finestra->cmdStart_Click();
    digita("a");
    QTest::sendKeyEvent(QTest::Click, finestra->txtInput, Qt::Key_unknown, QString(QChar(0x0416)),
                        Qt::NoModifier);
    EXPECT_EQ(stato->totaleErrori, 1);
    EXPECT_EQ(finestra->txtInput->text(), "a");
}

// --- Lists and runs ------------------------------------------------------------------

TEST_F(Guasti, courseLessonNotInUpperCase_isPractisedFromItsFile)
{
    scrivi("CorsoDattilo/mia.ftd", lezione("mia"));
    scrivi("CorsoDattilo/Lez.FTD", lezione("lez"));
    apri();
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    ASSERT_EQ(finestra->cboListFile->currentText(), "LEZ");
    finestra->cmdStart_Click();
    EXPECT_EQ(riga(), "lez 1 1");
    EXPECT_EQ(stato->fileEsercizio, cartella + "CorsoDattilo/Lez.FTD");
}

TEST_F(Guasti, informationWindowAtTheWelcome_leavesTheCourseLessonSelected)
{
    scrivi("CorsoDattilo/A01.ftd", lezione("a"));
    scrivi("CorsoDattilo/A02.ftd", lezione("b"));
    apri();
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    finestra->apriInfo = [](QWidget *, const frmInfo::Azioni &) { return false; };
    finestra->lblMenu_Click(2);
    EXPECT_EQ(finestra->cboListFile->currentText(), "A01");
    finestra->cmdStart_Click();
    EXPECT_EQ(riga(), "a 1 1");
}

TEST_F(Guasti, lastCourseLessonFinished_selectsTheFirstAgain)
{
    scrivi("CorsoDattilo/A01.ftd", lezione("a"));
    scrivi("CorsoDattilo/A02.ftd", lezione("b"));
    apri({}, "ANNA");
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    finestra->cboListFile->setCurrentIndex(1);
    for (int frase = 1; frase <= 15; ++frase) {
        finestra->cmdStart_Click();
        ASSERT_EQ(riga(), QString("b %1 %2").arg((frase - 1) / 5 + 1).arg((frase - 1) % 5 + 1));
        digita(riga());
    }
    finestra->cmdStart_Click();   // results "Continua", then the course goes on
    EXPECT_EQ(finestra->cboListFile->currentText(), "A01");
    finestra->cmdStart_Click();
    EXPECT_EQ(riga(), "a 1 1");
}

TEST_F(Guasti, fileChosenAfterACommandLineExerciseWasReset_isPractised)
{
    scrivi("Esercizi/a.ftd", lezione("prima"));
    scrivi("Esercizi/b.ftd", lezione("seconda"));
    apri("/a.ftd");
    finestra->apriInfo = [](QWidget *, const frmInfo::Azioni &) { return false; };
    finestra->lblMenu_Click(2);   // the information window resets the practice
    finestra->optMenu[2]->setChecked(true);
    finestra->optMenu_Click(2);
    finestra->cboListFile->setCurrentIndex(1);
    finestra->cmdStart_Click();
    EXPECT_EQ(riga(), "seconda 1 1");
}

TEST_F(Guasti, informationWindowAtTheWelcomeOfACommandLineText_thenEnter_givesNoFileError)
{
    scrivi("Esercizi/breve.txt", "ciao a tutti");
    apri("/breve.txt");
    finestra->apriInfo = [](QWidget *, const frmInfo::Azioni &) { return false; };
    finestra->lblMenu_Click(2);
    finestra->cmdStart_Click();
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_FALSE(riga().isEmpty());
}

// --- What the learner sees ---------------------------------------------------------------

TEST_F(Guasti, highlightTurnedOff_takesTheWrongKeyMarkerAway)
{
    apri();
    finestra->cmdStart_Click();
    digita(riga().left(1));
    digita(riga().at(1) == 'q' ? "w" : "q");
    ASSERT_TRUE(finestra->picKeyword->stato().erroreVisibile());
    finestra->lblMenu_Click(5);
    EXPECT_FALSE(finestra->picKeyword->stato().erroreVisibile());
}

TEST_F(Guasti, layoutWarningWithoutHelpPages_isTheOnlyBox)
{
    fakes.keyboard.layout = "us";
    fakes.keyboard.installed = {"us"};
    apri();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].title, "Attenzione!");
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
}

TEST_F(Guasti, twoLineSentence_showsABreakBetweenItsLinesInTheInput)
{
    scrivi("Esercizi/due.ftd", "[Livello1]\r\n1=abc\xA6\xA6" "def\r\n");
    apri("/due.ftd");
    finestra->cmdStart_Click();
    digita("abc\r\nde");
    EXPECT_EQ(finestra->txtInput->text(), QString::fromUtf8("abc ↵ de"));
}

TEST_F(Guasti, capsLockPictureAndTitle_leaveTheModelLineClear)
{
    for (QSize schermo : {QSize(800, 600), QSize(1280, 1024)}) {
        fakes.screen.pixels = schermo;
        stato->schermoGrande = DecidiSchermo(schermo).schermoGrande;
        Qt::Alignment dietroIlNome;
        QString titolo;
        finestra = std::make_unique<frmClavora>(*stato);
        finestra->apriNome = [&](QWidget *) {
            dietroIlNome = finestra->lblFraseCorr->alignment();
            titolo = finestra->lblFraseCorr->text();
            return 1;
        };
        finestra->Form_Load({});
        EXPECT_EQ(titolo, "Tastavia");
        EXPECT_TRUE(dietroIlNome & Qt::AlignHCenter);   // still centred behind the name dialog
        const QRect modello(finestra->lblFraseCorr->mapTo(finestra.get(), QPoint(0, 0)),
                            finestra->lblFraseCorr->size());
        EXPECT_FALSE(finestra->imgX->geometry().intersects(modello)) << schermo.width();
        EXPECT_GE(finestra->imgX->x(), 0);
    }
}

TEST_F(Guasti, kindsOfMaterialAndModes_showTheirWholeCaptions)
{
    for (QSize schermo : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)}) {
        fakes.screen.pixels = schermo;
        stato->schermoGrande = DecidiSchermo(schermo).schermoGrande;
        apri();
        for (QRadioButton *b : finestra->optMenu)
            EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString() << " " << schermo.width();
        for (QRadioButton *b : finestra->optLevel)
            EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString() << " " << schermo.width();
    }
}

TEST_F(Guasti, mainWindow_takesTheWorkArea_andKeepsItsPanelsInTheMiddleWhenResized)
{
    fakes.screen.area = QRect(0, 28, 1024, 712);   // a panel at the top and one at the bottom
    apri();
    EXPECT_EQ(finestra->pos(), QPoint(0, 28));
    EXPECT_EQ(finestra->size(), QSize(1024, 712));
    const QPoint menu = finestra->lblMenu[0]->pos() - finestra->picNotebook->pos();
    const QPoint mappa = finestra->imgMappaTastiEsterna->pos() - finestra->picNotebook->pos();
    for (QSize dimensione : {QSize(900, 700), QSize(1024, 712), QSize(1200, 760)}) {
        finestra->resize(dimensione);
        QCoreApplication::processEvents();
        const QRect pannello = finestra->picNotebook->geometry();
        EXPECT_EQ(pannello.x(), (dimensione.width() - pannello.width()) / 2) << dimensione.width();
        EXPECT_EQ(pannello.y(), (dimensione.height() - pannello.height()) / 2 - 20);
        EXPECT_EQ(finestra->lblMenu[0]->pos() - pannello.topLeft(), menu);
        EXPECT_EQ(finestra->imgMappaTastiEsterna->pos() - pannello.topLeft(), mappa);
    }
}
