#include "FinestraTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

TEST(DecisioneSchermo, limitsOfTheScreenSize)
{
    EXPECT_FALSE(DecidiSchermo({799, 600}).risoluzioneSufficiente);
    EXPECT_FALSE(DecidiSchermo({800, 599}).risoluzioneSufficiente);
    EXPECT_TRUE(DecidiSchermo({800, 600}).risoluzioneSufficiente);
    EXPECT_FALSE(DecidiSchermo({800, 600}).schermoGrande);
    EXPECT_FALSE(DecidiSchermo({1000, 750}).schermoGrande);
    EXPECT_TRUE(DecidiSchermo({1001, 600}).schermoGrande);
    EXPECT_TRUE(DecidiSchermo({800, 751}).schermoGrande);
}

using Avvio = FinestraTest;

TEST_F(Avvio, secondInstance_endsWithoutShowingAnything)
{
    fakes.instance.free = false;
    EXPECT_EQ(Avvia(fakes.services(), cartella, {}, [] { return 7; }), 0);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_TRUE(fakes.sound.played.empty());
}

TEST_F(Avvio, screenBelowTheMinimum_showsTheErrorAndEnds)
{
    fakes.screen.pixels = {640, 480};
    EXPECT_EQ(Avvia(fakes.services(), cartella, {}, [] { return 7; }), 0);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Critical);
    EXPECT_EQ(fakes.dialogs.shown[0].title, "Tastavia");
    EXPECT_TRUE(fakes.dialogs.shown[0].text.startsWith(
        QString::fromUtf8("La risoluzione minima per l'utilizzo di questo programma è:\r\n800 x 600 pixel.")));
    EXPECT_TRUE(fakes.dialogs.shown[0].text.endsWith("Modify your video settings and try again."));
}

TEST_F(Avvio, capsLockOnAtStart_isSwitchedOffBeforeTheWindowShows)
{
    fakes.keyboard.caps = true;
    apri();
    EXPECT_FALSE(fakes.keyboard.caps);
    EXPECT_EQ(fakes.keyboard.capsSwitchedOff, 1);
    EXPECT_TRUE(fakes.dialogs.shown.empty());   // no warning at start
}

TEST_F(Avvio, welcome_greetsTheLearnerAndInvitesToStart)
{
    apri({}, "ANNA");
    EXPECT_TRUE(finestra->lblFraseCorr->text().startsWith("Ciao ANNA\r\nPer iniziare gli esercizi"));
    EXPECT_TRUE(finestra->cmdStart->isEnabled());
    EXPECT_TRUE(finestra->Timer2->isActive());    // Enter blinks
    EXPECT_EQ(fakes.sound.played.back(), 110);
    for (QLabel *l : finestra->lblMenu)
        EXPECT_TRUE(l->isEnabled());
    EXPECT_EQ(stato->nomeModo, "Principiante");
    EXPECT_FLOAT_EQ(stato->tempoObiettivo, 0.4f);
}

TEST_F(Avvio, titleAnimation_playsOneClickPerLetter)
{
    apri();
    const auto clic = std::count(fakes.sound.played.begin(), fakes.sound.played.end(), 107);
    EXPECT_EQ(clic, 8);   // "Tastavia"
}

TEST_F(Avvio, frenchLayoutMissing_warnsAndOpensTheLayoutHelp)
{
    fakes.keyboard.layout = "us";
    fakes.keyboard.installed = {"us"};
    QDir().mkpath(cartella + "Guida");
    scrivi("Guida/1001.html", "<html></html>");
    apri();
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.dialogs.shown[0].title, "Attenzione!");
    EXPECT_TRUE(fakes.dialogs.shown[0].text.contains("francese"));
    EXPECT_TRUE(fakes.desktop.opened.contains(cartella + "Guida/1001.html"));
}

TEST_F(Avvio, frenchLayoutActivated_isGivenBackAtExit)
{
    fakes.keyboard.layout = "us";
    apri();
    EXPECT_EQ(fakes.keyboard.layout, "fr");
    finestra->lblMenu_Click(0);
    EXPECT_TRUE(finestra->chiusa);
    EXPECT_EQ(fakes.keyboard.layout, "us");
}

TEST_F(Avvio, escapeAnsweredNo_leavesTheLineRunning)
{
    apri();
    finestra->cmdStart_Click();
    digita(riga().left(2));
    ASSERT_TRUE(finestra->Timer1->isActive());
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsNo);
    QTest::keyClick(finestra->txtInput, Qt::Key_Escape);
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.dialogs.shown.back().text,
              "Vuoi chiudere il programma?\r\n(Se chiudi il programma adesso, tutti i dati verranno persi)");
    EXPECT_FALSE(finestra->chiusa);
    EXPECT_TRUE(finestra->Timer1->isActive());
    EXPECT_EQ(finestra->pratica.battuteFrase(), 2);
    digita(riga().mid(2, 1));
    EXPECT_EQ(finestra->pratica.battuteFrase(), 3);
}

TEST_F(Avvio, capsLockReleasedDuringPractice_warnsAndSwitchesItOff)
{
    apri();
    fakes.keyboard.caps = true;
    QTest::keyClick(finestra->txtInput, Qt::Key_CapsLock);
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.dialogs.shown.back().text, "Il tasto Blocca Maiuscole non deve essere premuto.");
    EXPECT_EQ(fakes.dialogs.shown.back().title, "Attenzione!");
    EXPECT_FALSE(fakes.keyboard.caps);
}

TEST_F(Avvio, settingsSurviveARestart)
{
    apri();
    finestra->lblMenu_Click(3);   // sounds off
    finestra->lblMenu_Click(6);   // next colour scheme
    finestra->lblMenu_Click(6);
    finestra->optLevel_Click(1);
    finestra->lblMenu_Click(0);
    ASSERT_TRUE(QFile::exists(cartella + "Tastavia.ini"));

    finestra.reset();
    nuovoStato();
    apri();
    EXPECT_FALSE(stato->suonoAttivo);
    EXPECT_EQ(stato->schemaColori, 2);
    EXPECT_EQ(stato->indiceModo, 1);
    EXPECT_FALSE(finestra->lblMenu[4]->isEnabled());   // expert: no key map
}

TEST_F(Avvio, helpMissing_saysSoInABox)
{
    apri();
    QTest::keyClick(finestra->txtInput, Qt::Key_F1);
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_TRUE(fakes.dialogs.shown.back().text.startsWith("Impossibile trovare il file della guida "));
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
}

TEST(CartellaProgramma, readOnlyInstallation_usesADataFolderSeededOnce)
{
    QTemporaryDir radice;
    const QString installata = radice.path() + "/lib/tastavia";
    const QString dati = radice.path() + "/dati/Tastavia";
    QDir().mkpath(installata + "/Esercizi");
    QFile f(installata + "/Esercizi/a.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("originale");
    f.close();

    EXPECT_EQ(CartellaProgramma(installata, dati, true), installata + "/");
    EXPECT_EQ(CartellaProgramma(installata, dati, false), dati + "/");
    QFile copia(dati + "/Esercizi/a.txt");
    ASSERT_TRUE(copia.open(QIODevice::ReadWrite));
    EXPECT_EQ(copia.readAll(), "originale");
    // The learner's own changes survive the next start.
    copia.resize(0);
    copia.write("mio");
    copia.close();
    CartellaProgramma(installata, dati, false);
    QFile ancora(dati + "/Esercizi/a.txt");
    ASSERT_TRUE(ancora.open(QIODevice::ReadOnly));
    EXPECT_EQ(ancora.readAll(), "mio");
}
