#include "FinestraTest.h"
#include "tests/support/Sorgenti.h"

#include "keyboard/TastieraVirtuale.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using Menu = FinestraTest;

TEST_F(Menu, textFileEntries_showTheirTypingMinutes)
{
    scrivi("Esercizi/corto.txt", QByteArray(450, 'a'));
    scrivi("Esercizi/medio.txt", QByteArray(900, 'a'));
    scrivi("Esercizi/enorme.txt", QByteArray(26000, 'a'));
    apri();
    finestra->optMenu[3]->setChecked(true);
    finestra->optMenu_Click(3);
    QStringList voci;
    for (int i = 0; i < finestra->cboListFile->count(); ++i)
        voci << finestra->cboListFile->itemText(i);
    EXPECT_EQ(voci, QStringList({"corto.txt    (2 min)",
                                 QString::fromUtf8("medio.txt    (3 ÷ 4 min)")}));
    // Choosing an entry practises its file, without the estimate.
    finestra->cboListFile->setCurrentIndex(1);
    finestra->cmdStart_Click();
    EXPECT_EQ(stato->fileEsercizio, cartella + "Esercizi/medio.txt");
    EXPECT_TRUE(stato->modoFileTesto);
}

TEST_F(Menu, kindsWithoutFiles_stayDisabled)
{
    scrivi("Esercizi/solo.txt", "testo");
    apri();
    EXPECT_FALSE(finestra->optMenu[1]->isEnabled());
    EXPECT_FALSE(finestra->optMenu[2]->isEnabled());
    EXPECT_TRUE(finestra->optMenu[3]->isEnabled());
    EXPECT_FALSE(finestra->cboListFile->isEnabled());
}

TEST_F(Menu, courseList_continuesAfterTheBookmarkedLesson)
{
    for (const char *n : {"A01.ftd", "A02.ftd", "A03.ftd"})
        scrivi(QString("CorsoDattilo/") + n, "[Livello1]\r\n1=abc\r\n");
    scrivi("CorsoDattilo/Tastavia.bmk", "[ANNA]\r\nBookmark=A02\r\n");
    apri({}, "ANNA");
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    EXPECT_EQ(finestra->cboListFile->currentText(), "A03");

    // Another learner starts from the beginning.
    apri({}, "BRUNO");
    finestra->optMenu[1]->setChecked(true);
    finestra->optMenu_Click(1);
    EXPECT_EQ(finestra->cboListFile->currentText(), "A01");
}

TEST_F(Menu, expertMode_turnsTheKeyMapOffAndBeginnerLeavesItOff)
{
    apri();
    ASSERT_TRUE(finestra->picKeyword->mappaTastiAttiva());
    finestra->optLevel_Click(1);
    EXPECT_FALSE(finestra->picKeyword->mappaTastiAttiva());
    EXPECT_FALSE(finestra->lblMenu[4]->isEnabled());
    EXPECT_FLOAT_EQ(stato->tempoObiettivo, 0.2f);
    finestra->optLevel_Click(0);
    EXPECT_TRUE(finestra->lblMenu[4]->isEnabled());
    EXPECT_FALSE(finestra->picKeyword->mappaTastiAttiva());
}

TEST_F(Menu, colourSchemes_cycleFromTenBackToZero)
{
    apri();
    stato->schemaColori = 10;
    finestra->lblMenu_Click(6);
    EXPECT_EQ(stato->schemaColori, 0);
}

TEST_F(Menu, soundToggle_alwaysPlaysItsClick)
{
    apri();
    ASSERT_TRUE(stato->suonoAttivo);
    fakes.sound.played.clear();
    finestra->lblMenu_Click(3);
    EXPECT_FALSE(stato->suonoAttivo);
    EXPECT_EQ(fakes.sound.played, std::vector<int>{111});
}

TEST_F(Menu, characterWithoutAKey_isTypedByLabelSeven)
{
    apri();
    finestra->cmdStart_Click();
    finestra->pratica.esercizi.rigaCorrente = QString::fromUtf8("l’a");
    finestra->pratica.RicominciaRiga();
    digita("l");
    EXPECT_EQ(finestra->pratica.carattereAtteso(), QString::fromUtf8("’"));
    EXPECT_TRUE(finestra->lblMenu[7]->isVisibleTo(finestra.get()));
    finestra->lblMenu_Click(7);
    EXPECT_FALSE(finestra->lblMenu[7]->isVisibleTo(finestra.get()));
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "a");
    EXPECT_EQ(stato->totaleErrori, 0);
}

TEST_F(Menu, informationWindow_offersPrintOnlyWithAPrinter)
{
    apri();
    bool stampaAbilitata = true;
    finestra->apriInfo = [&](QWidget *, const frmInfo::Azioni &azioni) {
        frmInfo info(azioni);
        stampaAbilitata = info.cmdStampa->isEnabled();
        EXPECT_EQ(info.lblVersione->text(), "Versione 1.0.0");
        return false;
    };
    fakes.sound.played.clear();
    finestra->lblMenu_Click(2);
    EXPECT_FALSE(stampaAbilitata);
    EXPECT_EQ(fakes.sound.played.front(), 105);

    fakes.printer.present = true;
    finestra->lblMenu_Click(2);
    EXPECT_TRUE(stampaAbilitata);
}

TEST_F(Menu, printingTheKeyboard_putsItOnOneLandscapePage)
{
    apri({}, "ANNA");
    fakes.printer.present = true;
    finestra->apriInfo = [](QWidget *, const frmInfo::Azioni &) { return true; };   // "Stampa"
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsNo);
    finestra->lblMenu_Click(2);
    EXPECT_TRUE(fakes.printer.pages.empty());   // the learner said no

    fakes.dialogs.answers.push_back(platform::Dialogs::AnsYes);
    finestra->lblMenu_Click(2);
    EXPECT_EQ(fakes.dialogs.shown.back().text.left(27), "Vuoi stampare la tastiera d");
    ASSERT_EQ(fakes.printer.pages.size(), 1u);
    const QImage &pagina = fakes.printer.pages.front();
    EXPECT_GT(pagina.width(), pagina.height());
    // The keyboard is centred across the page, below a tenth of its height.
    EXPECT_NE(pagina.pixelColor(pagina.width() / 2, pagina.height() / 2), QColor(Qt::white));
    EXPECT_EQ(pagina.pixelColor(pagina.width() / 2, pagina.height() / 20), QColor(Qt::white));
    EXPECT_EQ(pagina.pixelColor(2, pagina.height() / 2), QColor(Qt::white));
}

TEST_F(Menu, restart_asksTheNameAgainAndShowsTheWelcome)
{
    apri({}, "ANNA");
    finestra->cmdStart_Click();
    digita(riga().left(3));
    finestra->apriNome = [this](QWidget *) {
        stato->nomeUtente = "LUCA";
        return 1;
    };
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsYes);
    finestra->lblMenu_Click(1);
    EXPECT_EQ(fakes.dialogs.shown.back().text, "Vuoi iniziare da capo le esercitazioni?");
    EXPECT_TRUE(finestra->lblFraseCorr->text().startsWith("Ciao LUCA"));
    EXPECT_EQ(stato->totaleBattute, 0);
    EXPECT_EQ(finestra->pratica.esercizi.numeroFrase, 0);
}

TEST_F(Menu, progressCommand_startsTheAimedExerciseItMade)
{
    apri();
    EXPECT_FALSE(finestra->lblMenu[8]->toolTip().isEmpty());
    // At the end of the row, beside the other commands.
    EXPECT_EQ(finestra->lblMenu[8]->y(), finestra->lblMenu[6]->y());
    EXPECT_GT(finestra->lblMenu[8]->x(), finestra->lblMenu[6]->x());
    if (qEnvironmentVariableIsSet("TASTAVIA_SCREENSHOTS")) {
        const QRect riga = finestra->lblMenu[0]->geometry().united(finestra->lblMenu[8]->geometry());
        finestra->grab(riga.adjusted(-8, -6, 8, 6)).scaled(2 * (riga.width() + 16), 2 * (riga.height() + 12))
            .save(cartellaSorgenti() + QStringLiteral("/docs/progressi-comando.png"));
    }
    // The progress window made an aimed exercise: it is chosen from the
    // exercise list and its first line starts.
    scrivi("Esercizi/Mirato_é_è.ftd", "\xEF\xBB\xBF[Livello1]\r\n1=été élève\r\n2=a\r\n3=a\r\n4=a\r\n5=a\r\n"
                                     "[Livello2]\r\n1=a\r\n[Livello3]\r\n1=a\r\n");
    finestra->apriProgressi = [](QWidget *) { return QStringLiteral("Mirato_é_è.ftd"); };
    finestra->lblMenu_Click(8);
    EXPECT_TRUE(finestra->optMenu[2]->isChecked());
    EXPECT_EQ(finestra->cboListFile->currentText(), "Mirato_é_è.ftd");
    EXPECT_EQ(finestra->pratica.rigaCorrente(), "été élève");
    EXPECT_EQ(finestra->pratica.carattereAtteso(), "é");
    EXPECT_FALSE(finestra->lblMenu[8]->isEnabled());   // not while a line is typed

    // Closed without one: the practice starts again as after the information window.
    finestra->pratica.RichiediRiavvio();
    finestra->cmdStart_Click();
    finestra->apriProgressi = [](QWidget *) { return QString(); };
    finestra->lblMenu_Click(8);
    EXPECT_FALSE(finestra->pratica.cronometroAttivo());
    EXPECT_TRUE(finestra->lblMenu[8]->isEnabled());
}
