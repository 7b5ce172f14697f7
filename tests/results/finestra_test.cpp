// The results window: what it shows for the levels reached, its answer
// buttons, the print question and the PDF button with their messages.

#include "LetturaPdf.h"
#include "RisultatiTest.h"

#include "results/frmClassifica.h"
#include "ui/Immagini.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace risultati;

namespace {

class Finestra : public RisultatiTest {
protected:
    std::unique_ptr<frmClassifica> apri(TestoLingua lingua = {})
    {
        auto f = std::make_unique<frmClassifica>(*stato, std::move(lingua));
        f->show();
        QCoreApplication::processEvents();
        return f;
    }

    const fake::Dialogs::Shown &ultimoMessaggio() { return fakes.dialogs.shown.back(); }
};

} // namespace

TEST_F(Finestra, oneLevel_showsOneHeadingOneTableAndOneSymbol)
{
    velocita({2.0f, 2.5f, 3.1f, 1.2f, 2.6f});
    auto f = apri();
    EXPECT_TRUE(f->lbllivelli[0]->isVisible());
    EXPECT_FALSE(f->lbllivelli[1]->isVisible());
    EXPECT_FALSE(f->lbllivelli[2]->isVisible());
    EXPECT_TRUE(f->imgRisultato[0]->isVisible());
    EXPECT_FALSE(f->imgRisultato[1]->isVisible());
    EXPECT_EQ(f->lbllivelli[0]->text(), " Risultati primo livello - categoria:  Principiante");
    EXPECT_EQ(f->imgRisultato[0]->pixmap().toImage(), f->imgSimbolo[4].toImage());   // 86 points
    const QStringList righe = lettura::Righe(f->scritteTabelle());
    ASSERT_EQ(righe.size(), 6);
    EXPECT_EQ(righe[0], "Frase 1 battute / min = 120 Punteggio 80");
    EXPECT_EQ(righe[5], "Media: battute / min = 137 Punteggio 86");
    EXPECT_EQ(f->sommaPunteggiLivelli(), 86);
    EXPECT_EQ(stato->sceltaRisultati, -1);
    EXPECT_TRUE(f->lblShowMess->text().startsWith("Molto bene! Hai terminato l'esercizio di livello  1."));
}

TEST_F(Finestra, threeLevels_showEveryTableWithTheTablesAtTheirPlaces)
{
    velocita({1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}, true);
    auto f = apri();
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_TRUE(f->lbllivelli[k]->isVisible());
        EXPECT_TRUE(f->imgRisultato[k]->isVisible());
    }
    // Expert symbols: 20, 40 and 10 points.
    EXPECT_EQ(f->imgRisultato[0]->pixmap().toImage(), f->imgSimbolo[0].toImage());
    EXPECT_EQ(f->imgRisultato[1]->pixmap().toImage(), f->imgSimbolo[1].toImage());
    EXPECT_EQ(f->imgSimbolo[0].toImage(), ImmaginePng(":/images/results/icon425.png").toImage());
    const auto &s = f->scritteTabelle();
    ASSERT_EQ(s.size(), 3u * 6 * 4);
    EXPECT_DOUBLE_EQ(s.front().y, 16);
    EXPECT_DOUBLE_EQ(s.front().x, 8);
    EXPECT_DOUBLE_EQ(s[24].y, 50);
    EXPECT_DOUBLE_EQ(s[48].y, 85);
    EXPECT_TRUE(f->lblShowMess->text().startsWith("Complimenti!"));
}

TEST_F(Finestra, answerButtons_leaveTheirIndexAndTheCloseBoxLeavesMinusOne)
{
    velocita({2, 2, 2, 2, 2});
    for (int i = 0; i < 2; ++i) {
        auto f = apri();
        QTest::mouseClick(f->cmdRisp[size_t(i)], Qt::LeftButton);
        EXPECT_EQ(stato->sceltaRisultati, i);
        EXPECT_FALSE(f->isVisible());
    }
    auto f = apri();
    f->close();
    EXPECT_EQ(stato->sceltaRisultati, -1);
}

TEST_F(Finestra, esc_leavesTheWindowOpen)
{
    velocita({2, 2, 2, 2, 2});
    auto f = apri();
    QTest::keyClick(f.get(), Qt::Key_Escape);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(stato->sceltaRisultati, -1);
}

TEST_F(Finestra, enterAtOnce_orItsRepeat_leaveTheWindowOpen_andALaterEnterContinues)
{
    velocita({2, 2, 2, 2, 2});
    auto f = apri();
    // The Enter that ended the level, still held, and the next one of the
    // learner's rhythm (0.3 s later).
    QTest::sendKeyEvent(QTest::Press, f->cmdRisp[0], Qt::Key_Return, QString("\r"), Qt::NoModifier);
    QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(f->cmdRisp[0], &ripetuto);
    fakes.clock.ms += 300;
    QTest::keyClick(f->cmdRisp[0], Qt::Key_Return);
    QTest::keyClick(f->cmdRisp[0], Qt::Key_Space);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(stato->sceltaRisultati, -1);
    fakes.clock.ms += 300;
    QKeyEvent ripetutoDopo(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(f->cmdRisp[0], &ripetutoDopo);
    EXPECT_TRUE(f->isVisible());
    QTest::keyClick(f->cmdRisp[0], Qt::Key_Return);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(stato->sceltaRisultati, 0);
}

TEST_F(Finestra, titleBarClose_asksAsEscInTheMainWindow_yesEndsNoStays)
{
    velocita({2, 2, 2, 2, 2});
    auto f = apri();
    fakes.dialogs.answers = {platform::Dialogs::AnsNo, platform::Dialogs::AnsYes};
    EXPECT_FALSE(f->Form_QueryUnload());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(stato->sceltaRisultati, -1);
    EXPECT_EQ(ultimoMessaggio().text,
              "Vuoi chiudere il programma?\r\n(Se chiudi il programma adesso, tutti i dati verranno persi)");
    EXPECT_EQ(ultimoMessaggio().buttons, platform::Dialogs::YesNo);
    EXPECT_TRUE(f->Form_QueryUnload());
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(stato->sceltaRisultati, 1);   // as "Termina"
}

TEST_F(Finestra, afterTheLastLevel_statesTheOverallSpeedScoreAndEvaluation)
{
    velocita({2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    EXPECT_EQ(apri()->lblTotali, nullptr);   // not before the run is over
    velocita({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    stato->totaleBattute = 683;
    stato->totaleErrori = 11;
    auto f = apri();
    ASSERT_NE(f->lblTotali, nullptr);
    EXPECT_TRUE(f->lblTotali->isVisible());
    const QStringList righe = f->lblTotali->text().split('\n');
    ASSERT_EQ(righe.size(), 3);
    EXPECT_EQ(righe[0], "Risultati complessivi dell'esercizio");
    EXPECT_TRUE(righe[1].startsWith("Digitazioni ") && righe[1].endsWith(":  120     Punteggio: 80"))
        << righe[1].toStdString();
    EXPECT_TRUE(righe[2].startsWith("- Rapporto errori/battute: 1") && righe[2].endsWith("6%  (Ottimo)"))
        << righe[2].toStdString();
    EXPECT_TRUE(f->rect().contains(f->lblTotali->geometry()));
}

TEST_F(Finestra, printing_isOfferedOnlyWithAPrinter)
{
    velocita({2, 2, 2, 2, 2});
    fakes.printer.present = false;
    EXPECT_FALSE(apri()->cmdPrint->isEnabled());
    fakes.printer.present = true;
    EXPECT_TRUE(apri()->cmdPrint->isEnabled());
}

TEST_F(Finestra, printQuestionAnsweredNo_printsNothingAndSaysNothing)
{
    velocita({2, 2, 2, 2, 2});
    fakes.printer.present = true;
    auto f = apri();
    fakes.dialogs.answers.push_back(platform::Dialogs::AnsNo);
    f->cmdPrint->click();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text, "Vuoi eseguire la stampa dei risultati?");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Question);
    EXPECT_EQ(fakes.dialogs.shown[0].buttons, platform::Dialogs::YesNo);
    EXPECT_TRUE(fakes.printer.pages.empty());
}

TEST_F(Finestra, printing_putsOnePortraitPageAndSaysItWasSent)
{
    velocita({2, 2, 2, 2, 2});
    fakes.printer.present = true;
    auto f = apri();
    f->cmdPrint->click();
    ASSERT_EQ(fakes.printer.pages.size(), 1u);
    EXPECT_LT(fakes.printer.pages[0].width(), fakes.printer.pages[0].height());
    EXPECT_EQ(fakes.printer.document, "Tastavia - Stampa dei risultati");
    EXPECT_FALSE(f->erroreStampa());
    EXPECT_EQ(ultimoMessaggio().text, "Stampa inviata alla stampante.");
    EXPECT_EQ(ultimoMessaggio().icon, platform::Dialogs::Information);
    EXPECT_EQ(ultimoMessaggio().title, "Tastavia");
    // Something was drawn where the level's symbol goes (164, 70 mm at 96 dpi).
    const QImage &pagina = fakes.printer.pages[0];
    EXPECT_NE(pagina.pixelColor(int(171 * 96 / 25.4), int(77 * 96 / 25.4)), QColor(Qt::white));
}

TEST_F(Finestra, printerRefusingTheJob_showsThePrintError)
{
    velocita({2, 2, 2, 2, 2});
    lettura::StampantePdf stampante(temp + "stampa.pdf");
    stampante.rifiuta = true;
    stato->servizi.printer = &stampante;
    auto f = apri();
    f->cmdPrint->click();
    EXPECT_TRUE(f->erroreStampa());
    EXPECT_EQ(ultimoMessaggio().text, "Errore nella procedura di stampa.");
    EXPECT_EQ(ultimoMessaggio().icon, platform::Dialogs::Critical);
}

TEST_F(Finestra, pdfButton_writesTheReportOpensItAndClosingDeletesIt)
{
    velocita({2, 2, 2, 2, 2});
    auto f = apri();
    f->cmdPDF->click();
    const QString pdf = temp + "ANNA.pdf";
    EXPECT_EQ(f->percorsoPDF(), pdf);
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(fakes.desktop.opened, QStringList{pdf});
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    f->cmdRisp[0]->click();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(Finestra, pdfWithoutAViewer_saysWhereTheFileIsUntilTheWindowCloses)
{
    velocita({2, 2, 2, 2, 2});
    fakes.desktop.viewer = false;
    auto f = apri();
    f->cmdPDF->click();
    const QString pdf = temp + "ANNA.pdf";
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_TRUE(ultimoMessaggio().text.startsWith("Nessun programma ha potuto aprire il file PDF."));
    EXPECT_TRUE(ultimoMessaggio().text.endsWith(": " + pdf));
    EXPECT_EQ(ultimoMessaggio().icon, platform::Dialogs::Information);
    EXPECT_TRUE(QFileInfo::exists(pdf));
}

TEST_F(Finestra, pdfWhenTheDesktopHasNoViewer_isNotHandedOver_andSaysWhereItIs)
{
    velocita({2, 2, 2, 2, 2});
    fakes.desktop.gestore = QString();   // xdg-utils there, no application for PDF
    auto f = apri();
    f->cmdPDF->click();
    EXPECT_EQ(fakes.desktop.chiesti, QStringList{"application/pdf"});
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_TRUE(ultimoMessaggio().text.endsWith(": " + temp + "ANNA.pdf"));
    fakes.desktop.gestore = "org.gnome.Evince.desktop";
    f->cmdPDF->click();
    EXPECT_EQ(fakes.desktop.opened.size(), 1);
}

TEST_F(Finestra, pdfWithoutAName_isNamedAfterTheProgramAndSaysSoInItsHeader)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({2, 2, 2, 2, 2});
    stato->nomeUtente.clear();
    auto f = apri();
    f->CreaPDF();
    EXPECT_EQ(f->percorsoPDF(), temp + "Tastavia.pdf");
    const QStringList righe = lettura::Righe(lettura::Parole(f->percorsoPDF()));
    EXPECT_TRUE(righe.filter("Risultati ottenuti da: Tastavia").size() == 1) << righe.join("\n").toStdString();
    conserva(f->percorsoPDF(), "risultati-senza-nome.pdf");
}

TEST_F(Finestra, pdfThatCannotBeCreated_showsWhyAndOpensNothing)
{
    velocita({2, 2, 2, 2, 2});
    fakes.desktop.temp = dir.path() + "/missing/";
    auto f = apri();
    f->cmdPDF->click();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    // Nothing is open: the file and the reason, not "close the open PDF".
    EXPECT_EQ(ultimoMessaggio().text,
              "Impossibile scrivere il file PDF: spazio su disco esaurito o cartella non scrivibile.\r\n" +
                  dir.path() + "/missing/ANNA.pdf (non esiste)");
    EXPECT_EQ(ultimoMessaggio().icon, platform::Dialogs::Critical);
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
}

TEST_F(Finestra, pdfThatCannotBeWrittenOut_showsAMessageAndLeavesNoFile)
{
    velocita({2, 2, 2, 2, 2});
    auto f = apri();
    rlimit prima{};
    getrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit piccolo = prima;
    piccolo.rlim_cur = 1500;
    setrlimit(RLIMIT_FSIZE, &piccolo);
    f->CreaPDF();
    setrlimit(RLIMIT_FSIZE, &prima);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_TRUE(ultimoMessaggio().text.startsWith("Impossibile scrivere il file PDF"));
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
    EXPECT_TRUE(QDir(temp).isEmpty());
}

TEST_F(Finestra, withoutATemporaryFolder_saysWhichAndWhy_andWritesNothingAnywhere)
{
    velocita({2, 2, 2, 2, 2});
    fakes.desktop.temp.clear();
    fakes.desktop.problema = {"/manca/tmp", ENOENT};
    stato->nomeUtente = "ANNA_RISULTATI_SENZA_CARTELLA";
    auto f = apri();
    f->CreaPDF();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(ultimoMessaggio().text, "Impossibile usare la cartella temporanea /manca/tmp (non esiste): il file "
                                      "PDF non è stato creato.");
    EXPECT_TRUE(f->percorsoPDF().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/ANNA_RISULTATI_SENZA_CARTELLA.pdf"));
    EXPECT_FALSE(QFileInfo::exists("ANNA_RISULTATI_SENZA_CARTELLA.pdf"));
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
}

TEST_F(Finestra, languageFile_namesTheHeadingsAndTheButtons)
{
    velocita({2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    stato->fileLinguaPresente = true;
    stato->nomeModo = "Beginner";
    auto f = apri([](const QString &id, const QString &predefinito) {
        if (id == "0089")
            return QString("  Second level - category: ");
        if (id == "0112")
            return QString("Continue");
        return predefinito;
    });
    EXPECT_EQ(f->lbllivelli[1]->text(), " Second level - category: Beginner");
    EXPECT_EQ(f->cmdRisp[0]->text(), "Continue");
    EXPECT_EQ(f->cmdRisp[0]->toolTip(), "Continue");
    EXPECT_EQ(f->cmdRisp[1]->text(), "Termina");
}

TEST_F(Finestra, pdfButtonWhileTheWindowRunsModally_keepsItOpen)
{
    velocita({2, 2, 2, 2, 2});
    frmClassifica f(*stato);
    bool risposto = false;
    QTimer::singleShot(0, &f, [&] { f.cmdPDF->click(); });
    QTimer::singleShot(50, &f, [&] {
        risposto = true;
        f.cmdRisp[0]->click();
    });
    f.exec();
    EXPECT_TRUE(risposto);   // the window was still waiting for its answer
    EXPECT_EQ(stato->sceltaRisultati, 0);
    EXPECT_EQ(fakes.desktop.opened.size(), 1);
}
