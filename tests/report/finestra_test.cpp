// The report window: its buttons, its place above the other windows, the
// message of a failed PDF, and the pictures for the README.

#include "ReportTest.h"
#include "tests/support/Sorgenti.h"

#include "report/frmReportFreeTXT.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using FinestraReport = ReportTest;

TEST_F(FinestraReport, enterWritesAndOpensThePdf_andTheWindowStaysOpenButNoLongerOnTop)
{
    esercizio(1000, 15, 500);
    frmReportFreeTXT f(*stato);
    EXPECT_TRUE(f.primoPiano());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(f.cmdCreaPDF->isDefault());
    EXPECT_EQ(f.cmdCreaPDF->text(), "Crea file pdf");
    EXPECT_EQ(f.cmdChiudi->text(), "Chiudi");

    bool ancoraModale = false;
    QTimer::singleShot(0, &f, [&] {
        fakes.clock.ms += 600;   // keys typed on from the text are not taken
        QTest::keyClick(&f, Qt::Key_Return);
        EXPECT_FALSE(f.primoPiano());
        EXPECT_FALSE(f.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(QFile::exists(temp + "ANNA.pdf"));
        // Still in its modal loop afterwards: only "Chiudi" ends it.
        QTimer::singleShot(20, &f, [&] {
            ancoraModale = f.isVisible();
            f.cmdChiudi->click();
        });
    });
    f.exec();
    EXPECT_TRUE(ancoraModale);
    EXPECT_EQ(fakes.desktop.opened, QStringList{temp + "ANNA.pdf"});
    EXPECT_FALSE(QFile::exists(temp + "ANNA.pdf"));   // closing deletes it
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(FinestraReport, pdfThatCannotBeCreated_showsTheFileAndWhyWithTheErrorIcon)
{
    esercizio(100, 1, 60);
    fakes.desktop.temp = temp + "missing/";
    frmReportFreeTXT f(*stato);
    f.cmdCreaPDF->click();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].title, "Tastavia");
    EXPECT_EQ(fakes.dialogs.shown[0].text,
              "Impossibile scrivere il file PDF: spazio su disco esaurito o cartella non scrivibile.\r\n" + temp +
                  "missing/ANNA.pdf (non esiste)");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Critical);
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
}

TEST_F(FinestraReport, pdfWithoutAViewer_saysWhereTheFileIs)
{
    esercizio(100, 1, 60);
    fakes.desktop.viewer = false;
    frmReportFreeTXT f(*stato);
    f.cmdCreaPDF->click();
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_TRUE(fakes.dialogs.shown[0].text.startsWith("Nessun programma ha potuto aprire il file PDF."));
    EXPECT_TRUE(fakes.dialogs.shown[0].text.endsWith(": " + temp + "ANNA.pdf"));
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Information);
    EXPECT_TRUE(QFile::exists(temp + "ANNA.pdf"));
}

TEST_F(FinestraReport, escape_closesTheWindowAndDeletesThePdfOnce)
{
    esercizio(100, 1, 60);
    frmReportFreeTXT f(*stato);
    f.show();
    f.cmdCreaPDF->click();
    f.cmdCreaPDF->click();   // the same file, written and opened again
    EXPECT_EQ(fakes.desktop.opened.size(), 2);
    ASSERT_TRUE(QFile::exists(temp + "ANNA.pdf"));
    fakes.clock.ms += 600;
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(QFile::exists(temp + "ANNA.pdf"));
    EXPECT_EQ(f.report.caratteri(), report::Caratteri{});
}

TEST_F(FinestraReport, eightLines_arePaintedBelowTheTitle_oneUnderTheOther)
{
    esercizio(1000, 15, 500);
    frmReportFreeTXT f(*stato);
    const QImage img = f.grab().toImage();
    // Dark text pixels in the band of each line, starting at its x.
    const QFontMetrics m(QFont("Liberation Sans", 12));
    auto scura = [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = f.kXRighe; x < f.kXRighe + 40; ++x)
                if (qGray(img.pixel(x, y)) < 80)
                    return true;
        return false;
    };
    EXPECT_TRUE(scura(f.kYTitolo - 1, f.kYTitolo + 20));
    int y = f.kYRighe;
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(scura(y, y + m.height())) << i;
        y += m.height() + f.kSpazioRighe;
    }
    EXPECT_LT(y, f.picBar->y() + 12);   // the last line ends above the buttons' strip
}

// Pictures for the README: run with TASTAVIA_SCREENSHOTS=1 (skipped otherwise).
TEST_F(FinestraReport, screenshots)
{
    if (qEnvironmentVariableIsEmpty("TASTAVIA_SCREENSHOTS"))
        GTEST_SKIP() << "set TASTAVIA_SCREENSHOTS=1 to write the pictures";
    esercizio(1873, 27, 731);
    stato->numParole = 318;
    stato->fileEsercizio = temp + "Esercizi/Le_voyage_en_train.txt";
    stato->testoDaAnalizzare = QString::fromUtf8(
        "Le train de 8 h 12 quitte la gare. Les voyageurs s'installent, "
        "regardent défiler les champs : « Quel beau matin ! »");
    frmReportFreeTXT f(*stato, {}, nullptr, italiano());
    f.show();
    QCoreApplication::processEvents();
    const QString docs = cartellaSorgenti() + "/docs/";
    f.grab().save(docs + "report.png");

    f.cmdCreaPDF->click();
    ASSERT_TRUE(QFile::exists(temp + "ANNA.pdf"));
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm missing";
    QProcess p;
    p.start("pdftoppm", {"-png", "-r", "60", "-singlefile", temp + "ANNA.pdf", docs + "report-pdf"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
}
