#include "ReportTest.h"
#include "tests/support/Sorgenti.h"

#include "platform/Testo.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <sys/resource.h>

using report::Caratteri;
using report::ContaCaratteri;
using report::GiudizioComplessivo;
using report::GiudizioErrori;
using report::GiudizioVelocita;
using report::ReportFreeTXT;

// --- Grades ------------------------------------------------------------------

TEST_F(ReportTest, beginnerAt120PerMinuteWithOnePointFivePercentErrors_isOttimo)
{
    esercizio(1000, 15, 500);
    ReportFreeTXT r(*stato);
    EXPECT_EQ(r.letteraVelocita(), 'B');
    EXPECT_EQ(r.letteraErrori(), 'O');
    EXPECT_EQ(r.ParolaComplessiva(), "Ottimo");
}

TEST_F(ReportTest, expertAt200PerMinuteWithPointSixPercentErrors_isBuono)
{
    esercizio(1000, 6, 300, true);
    ReportFreeTXT r(*stato);
    EXPECT_EQ(r.letteraVelocita(), 'B');
    EXPECT_EQ(r.letteraErrori(), 'B');
    EXPECT_EQ(r.ParolaVelocita(), "Buono");
    EXPECT_EQ(r.ParolaErrori(), "Buono");
    EXPECT_EQ(r.ParolaComplessiva(), "Buono");
}

TEST(GiudizioComplessivo, slowButExact_isBuono_andAnyInsufficiente_isInsufficiente)
{
    EXPECT_EQ(GiudizioComplessivo('S', 'O'), 1);
    EXPECT_EQ(GiudizioComplessivo('S', 'B'), 1);
    EXPECT_EQ(GiudizioComplessivo('O', 'S'), 2);
    for (QChar altra : {'O', 'B', 'S', 'I'}) {
        EXPECT_EQ(GiudizioComplessivo('I', altra), 3) << altra.toLatin1();
        EXPECT_EQ(GiudizioComplessivo(altra, 'I'), 3) << altra.toLatin1();
    }
    EXPECT_EQ(GiudizioComplessivo(QChar(), 'O'), -1);
    EXPECT_EQ(GiudizioComplessivo('O', QChar()), -1);
}

TEST(GiudizioVelocita, aThresholdItself_takesThePoorerWord)
{
    EXPECT_EQ(GiudizioVelocita(150.0f, false), 1);
    EXPECT_EQ(GiudizioVelocita(150.1f, false), 0);
    EXPECT_EQ(GiudizioVelocita(50.0f, false), 3);
    EXPECT_EQ(GiudizioVelocita(240.0f, true), 1);
    EXPECT_EQ(GiudizioVelocita(180.5f, true), 1);
    EXPECT_EQ(GiudizioVelocita(120.0f, true), 3);
    EXPECT_EQ(GiudizioVelocita(0.0f, false), 3);
}

TEST(GiudizioErrori, aThresholdItself_takesTheBetterWord_andNoKeystrokeGivesNone)
{
    EXPECT_EQ(GiudizioErrori(100, 2, false), 0);    // exactly 2.0 %
    EXPECT_EQ(GiudizioErrori(1000, 21, false), 1);
    EXPECT_EQ(GiudizioErrori(200, 1, true), 0);     // exactly 0.5 % in expert mode
    EXPECT_EQ(GiudizioErrori(1000, 6, true), 1);
    EXPECT_EQ(GiudizioErrori(1000, 11, true), 3);
    EXPECT_EQ(GiudizioErrori(0, 0, false), -1);
}

TEST_F(ReportTest, exactly150PerMinuteInBeginnerMode_isB_andExactlyTwoPercent_isO)
{
    esercizio(300, 6, 120);
    ReportFreeTXT r(*stato);
    EXPECT_EQ(r.letteraVelocita(), 'B');
    EXPECT_EQ(r.letteraErrori(), 'O');
}

// --- Characters by class ---------------------------------------------------------

TEST(ContaCaratteri, everyCodeOfTheCodePage_fallsInItsClass)
{
    QString tutti;
    for (int k = 0; k < 256; ++k)
        tutti += testo::daCodiceAnsi(k);
    const Caratteri c = ContaCaratteri(tutti);
    EXPECT_EQ(c.numMaiuscole, 26);
    EXPECT_EQ(c.numMinuscole, 26);
    EXPECT_EQ(c.numCifre, 10);
    EXPECT_EQ(c.numPunteggiatura, 6);
    EXPECT_EQ(c.numSpazi, 1);
    EXPECT_EQ(c.numSpeciali, 224 - 26 - 26 - 10 - 6 - 1);   // control codes count nowhere
}

TEST(ContaCaratteri, accentedLettersAndQuotes_areSpecial)
{
    const Caratteri c = ContaCaratteri(QString::fromUtf8("Été à l’île, «ça»"));
    EXPECT_EQ(c.numMaiuscole, 0);
    EXPECT_EQ(c.numMinuscole, 5);   // t, l, l, e, a
    EXPECT_EQ(c.numSpeciali, 8);    // É é à ’ î ç « »
    EXPECT_EQ(c.numPunteggiatura, 1);
    EXPECT_EQ(c.numSpazi, 3);
}

TEST(ContaCaratteri, outsideTheCodePage_countsOnceAsSpecial_neverAsAQuestionMark)
{
    const Caratteri c = ContaCaratteri(QString::fromUtf8("\u0141\U0001F600\t"));
    EXPECT_EQ(c.numSpeciali, 2);
    EXPECT_EQ(c.numPunteggiatura, 0);
}

TEST(ContaCaratteri, emptyText_givesSixZeros)
{
    EXPECT_EQ(ContaCaratteri(QString()), Caratteri{});
}

TEST(ContaParole, wordsAreRunsBetweenBlanksAndLineEnds_notTheBlanks)
{
    const struct {
        const char *testo;
        int parole;
    } casi[] = {{"", 0}, {"   ", 0}, {"un", 1}, {"l'eau va", 2}, {"  deux  mots  ", 2},
                {"fin.\r\nSuite", 2}, {"a\tb\nc", 3}};
    for (const auto &c : casi)
        EXPECT_EQ(report::ContaParole(QString::fromUtf8(c.testo)), c.parole) << c.testo;
}

// --- Figures as the window shows them ------------------------------------------

TEST_F(ReportTest, eightLines_showTheFiguresInTheLocale)
{
    esercizio(1000, 46, 277);
    stato->numParole = 180;
    ReportFreeTXT r(*stato, {}, italiano());
    const QStringList righe = r.RigheRisultati();
    ASSERT_EQ(righe.size(), 8);
    EXPECT_EQ(righe[0], "Tempo totale impiegato: 00:04:37");
    EXPECT_EQ(righe[1], "Numero  battute: 1000");
    EXPECT_EQ(righe[2], "Battute esatte: 954");
    EXPECT_EQ(righe[3], "Rapporto battute esatte/totali: 95,4%");
    EXPECT_EQ(righe[4], "Numero errori: 46");
    EXPECT_EQ(righe[5], "Rapporto errori/battute: 4,6%");
    EXPECT_EQ(righe[6], "Battute / min: 216,6");
    EXPECT_EQ(righe[7], "Parole contenute nel file: 180");
    EXPECT_EQ(r.Titolo(), "Risultati complessivi dell'esercizio");
}

TEST_F(ReportTest, noErrorAtAll_showsOneHundredPercentInItalian)
{
    esercizio(50, 0, 30);
    ReportFreeTXT r(*stato, {}, italiano());
    EXPECT_EQ(r.RigheRisultati()[3], "Rapporto battute esatte/totali: 100,0%");
}

TEST_F(ReportTest, noKeystrokeAndNoTime_showDashesInsteadOfDividingByZero)
{
    esercizio(0, 0, 0);
    ReportFreeTXT r(*stato);
    const QStringList righe = r.RigheRisultati();
    EXPECT_EQ(righe[1], "Numero  battute: 0");
    EXPECT_EQ(righe[3], "Rapporto battute esatte/totali: " + report::kTrattino);
    EXPECT_EQ(righe[5], "Rapporto errori/battute: " + report::kTrattino);
    EXPECT_EQ(righe[6], "Battute / min: " + report::kTrattino);
    EXPECT_EQ(r.ParolaVelocita(), report::kTrattino);
    EXPECT_EQ(r.ParolaErrori(), report::kTrattino);
    EXPECT_EQ(r.ParolaComplessiva(), report::kTrattino);
}

TEST_F(ReportTest, underOneSecond_dashesTheSpeedsButStillGradesTheErrors)
{
    esercizio(3, 0, 0);
    ReportFreeTXT r(*stato);
    EXPECT_EQ(r.RigheRisultati()[6], "Battute / min: " + report::kTrattino);
    EXPECT_EQ(r.RigheRisultati()[5], "Rapporto errori/battute: 0.0%");
    EXPECT_EQ(r.ParolaErrori(), "Ottimo");
    EXPECT_EQ(r.ParolaComplessiva(), report::kTrattino);
}

TEST_F(ReportTest, languageTexts_replaceTheBuiltInOnesOnlyWithALanguageFile)
{
    esercizio(100, 1, 60);
    const TestoLingua inglese = [](const QString &id, const QString &predefinito) {
        if (id == "0139")
            return QString("Excellent");
        if (id == "0131")
            return QString("Errors");
        return predefinito;
    };
    stato->fileLinguaPresente = true;
    ReportFreeTXT r(*stato, inglese);
    EXPECT_EQ(r.ParolaErrori(), "Excellent");
    EXPECT_EQ(r.RigheRisultati()[4], "Errors: 1");
    EXPECT_EQ(r.testo(12), "Risultati ottenuti da:");

    stato->fileLinguaPresente = false;
    EXPECT_EQ(ReportFreeTXT(*stato, inglese).ParolaErrori(), "Ottimo");
}

// --- The PDF -------------------------------------------------------------------------

TEST_F(ReportTest, pdf_isWrittenUnderTheLearnersNameAndOpenedWithoutWaiting)
{
    esercizio(1000, 15, 500);
    ReportFreeTXT r(*stato);
    EXPECT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
    EXPECT_EQ(r.percorsoPDF(), temp + "ANNA.pdf");
    EXPECT_TRUE(QFile::exists(temp + "ANNA.pdf"));
    EXPECT_EQ(fakes.desktop.opened, QStringList{temp + "ANNA.pdf"});
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(ReportTest, pdfOfAnOddName_isWrittenUnderASafeName_whileTheHeaderKeepsTheName)
{
    esercizio(100, 1, 60);
    stato->nomeUtente = "../ANNA/B";
    ReportFreeTXT r(*stato);
    ASSERT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
    EXPECT_EQ(r.percorsoPDF(), temp + "_._ANNA_B.pdf");
    EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList{"_._ANNA_B.pdf"});
    if (!HaPdftotext())
        GTEST_SKIP() << "pdftotext missing";
    EXPECT_TRUE(TestoDelPdf(r.percorsoPDF()).contains("Risultati ottenuti da: ../ANNA/B"));
}

TEST_F(ReportTest, pdfWithNoLearnerName_isTastaviaPdf)
{
    esercizio(100, 1, 60);
    stato->nomeUtente.clear();
    ReportFreeTXT r(*stato);
    ASSERT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
    EXPECT_EQ(r.percorsoPDF(), temp + "Tastavia.pdf");
    EXPECT_EQ(r.nomeReport(), "Tastavia");
}

TEST_F(ReportTest, pdfThatCannotBeCreated_namesTheFileAndWhy_andOpensNothing)
{
    esercizio(100, 1, 60);
    fakes.desktop.temp = temp + "missing/folder/";
    ReportFreeTXT r(*stato);
    const auto esito = r.GeneraPDF();
    EXPECT_EQ(esito.tipo, ReportFreeTXT::EsitoPDF::NonCreato);
    EXPECT_EQ(esito.messaggio,
              "Impossibile scrivere il file PDF: spazio su disco esaurito o cartella non scrivibile.\r\n" + temp +
                  "missing/folder/ANNA.pdf (non esiste)");
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
    EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportTest, pdfWhoseWriteFails_givesAMessageAndLeavesNoBrokenFile)
{
    esercizio(100, 1, 60);
    ReportFreeTXT r(*stato);
    ASSERT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
    QFile f(r.percorsoPDF());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray prima = f.readAll();
    f.close();
    fakes.desktop.opened.clear();

    // Files may grow to 2000 bytes only: the second write fails half-way.
    rlimit vecchio{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vecchio), 0);
    const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    rlimit piccolo = vecchio;
    piccolo.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &piccolo), 0);
    const auto esito = r.GeneraPDF();
    setrlimit(RLIMIT_FSIZE, &vecchio);
    std::signal(SIGXFSZ, segnale);

    EXPECT_EQ(esito.tipo, ReportFreeTXT::EsitoPDF::NonScritto);
    EXPECT_TRUE(esito.messaggio.endsWith(r.percorsoPDF() + " (il disco è pieno)")) << esito.messaggio.toStdString();
    EXPECT_TRUE(fakes.desktop.opened.isEmpty());
    // The earlier report whole, or none at all: never half a document.
    if (f.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(f.readAll(), prima);
    }
    EXPECT_TRUE(QDir(temp).entryList(QDir::Files).size() <= 1);
}

TEST_F(ReportTest, countingTwice_givesTheSameCounts_andClosingZeroesThem)
{
    esercizio(100, 1, 60);
    stato->testoDaAnalizzare = QString::fromUtf8("Le 3 août, à l'école: 12 élèves!");
    ReportFreeTXT r(*stato);
    EXPECT_EQ(r.caratteri(), Caratteri{});
    r.GeneraPDF();
    const Caratteri prima = r.caratteri();
    EXPECT_EQ(prima, ContaCaratteri(stato->testoDaAnalizzare));
    r.GeneraPDF();
    EXPECT_EQ(r.caratteri(), prima);
    r.Chiudi();
    EXPECT_EQ(r.caratteri(), Caratteri{});
}

TEST_F(ReportTest, closing_deletesTheReportItWrote_butNoOtherFileOfTheSameName)
{
    esercizio(100, 1, 60);
    {
        ReportFreeTXT r(*stato);
        r.GeneraPDF();
        ASSERT_TRUE(QFile::exists(temp + "ANNA.pdf"));
        r.Chiudi();
        EXPECT_FALSE(QFile::exists(temp + "ANNA.pdf"));
    }
    // The results' report of the same learner, left by another window.
    QFile altro(temp + "ANNA.pdf");
    ASSERT_TRUE(altro.open(QIODevice::WriteOnly));
    altro.write("%PDF-1.3\n");
    altro.close();
    ReportFreeTXT r(*stato);
    r.Chiudi();
    EXPECT_TRUE(QFile::exists(temp + "ANNA.pdf"));
}

namespace {

// A word's baseline in centimetres from the foot of the page, worked out from
// the bottom of its box (Arial's descent is 0.212 of its 1.117 height).
double Base(const Parola &p)
{
    const double base = p.yMax - (p.yMax - p.yMin) * 0.212 / 1.117;
    return (842.0 - base) * 2.54 / 72;
}

double Cm(double punti)
{
    return punti * 2.54 / 72;
}

// Whether a word starts at (x, y) cm; the places it was found otherwise.
testing::AssertionResult ParolaA(const std::vector<Parola> &parole, const QString &testo, double x,
                                 double y)
{
    QString altrove;
    for (const Parola &p : parole) {
        if (p.testo != testo)
            continue;
        if (std::abs(Cm(p.xMin) - x) < 0.03 && std::abs(Base(p) - y) < 0.05)
            return testing::AssertionSuccess();
        altrove += QString(" (%1, %2)").arg(Cm(p.xMin), 0, 'f', 3).arg(Base(p), 0, 'f', 3);
    }
    return testing::AssertionFailure() << testo.toStdString() << " not at (" << x << ", " << y
                                       << "); found at" << altrove.toStdString();
}

// Left and right edge of the words on the line of baseline y.
std::pair<double, double> Estremi(const std::vector<Parola> &parole, double y)
{
    double sinistra = 1e9, destra = 0;
    for (const Parola &p : parole)
        if (std::abs(Base(p) - y) < 0.1) {
            sinistra = std::min(sinistra, Cm(p.xMin));
            destra = std::max(destra, Cm(p.xMax));
        }
    return {sinistra, destra};
}

} // namespace

TEST_F(ReportTest, pdfTextLines_sitWhereTheLayoutPutsThem)
{
    if (!HaPdftotext())
        GTEST_SKIP() << "pdftotext missing";
    esercizio(1000, 15, 500);
    stato->numParole = 180;
    stato->testoDaAnalizzare = "Abc 12!";
    ReportFreeTXT r(*stato, {}, italiano());
    ASSERT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
    const auto parole = ParoleDelPdf(r.percorsoPDF());
    ASSERT_FALSE(parole.empty());

    // Text that starts at its x: its first word, x and baseline in centimetres.
    const struct {
        QString parola;
        double x, y;
    } attese[] = {
        {"Tastavia", 2.0, 27.0},     {"Risultati", 2.0, 26.0},  {"Tempo", 2.5, 19.0},
        {"Numero", 2.5, 18.0},       {"Battute", 2.5, 17.0},    {"Rapporto", 2.5, 16.0},
        {"Numero", 2.5, 14.5},       {"Rapporto", 2.5, 13.5},   {"Valutazione:", 10.5, 13.5},
        {"Battute", 2.5, 12.0},      {"Valutazione:", 10.5, 12.0}, {"Battute", 2.5, 11.0},
        {"Parole", 2.5, 9.5},        {"Caratteri", 2.5, 8.5},   {"Caratteri", 10.5, 8.5},
        {"Caratteri", 2.5, 8.0},     {"Segni", 10.5, 8.0},      {"Spazi:", 2.5, 7.5},
        {"Caratteri", 10.5, 7.5},
    };
    for (const auto &a : attese)
        EXPECT_TRUE(ParolaA(parole, a.parola, a.x, a.y));
    // Every bullet sits at the left margin of its line.
    for (double y : {19.0, 18.0, 17.0, 16.0, 14.5, 13.5, 12.0, 11.0})
        EXPECT_NEAR(Estremi(parole, y).first, 2.0, 0.03) << y;

    // Centred on 10.5 cm: the title, the file name, the category, the whole grade.
    for (double y : {24.0, 22.8, 21.45, 5.0}) {
        const auto [sinistra, destra] = Estremi(parole, y);
        ASSERT_LT(sinistra, destra) << y;
        EXPECT_NEAR((sinistra + destra) / 2, 10.5, 0.03) << y;
    }
    // The date ends at the right margin.
    EXPECT_NEAR(Estremi(parole, 26.0).second, 20.0, 0.03);

    // The figures and grades on those lines.
    QStringList tutte;
    for (const Parola &p : parole)
        tutte << p.testo;
    const QString testo = tutte.join(' ');
    EXPECT_TRUE(testo.contains("Rapporto battute esatte/totali: 98,5%")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Battute / min: 120,0 Valutazione: Buono")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Valutazione: Ottimo")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Battute / sec: 2,0")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Caratteri maiuscoli (ABC): 1")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Segni di punteggiatura (;,:?!): 1")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Valutazione complessiva dell'esercizio: Ottimo")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("Categoria: Principiante")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("La_prova.txt")) << testo.toStdString();
}

TEST_F(ReportTest, pdfOfAnExerciseWithoutKeystrokes_showsDashes)
{
    if (!HaPdftotext())
        GTEST_SKIP() << "pdftotext missing";
    esercizio(0, 0, 0);
    ReportFreeTXT r(*stato, {}, italiano());
    ASSERT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
    const QString t = TestoDelPdf(r.percorsoPDF());
    EXPECT_TRUE(t.contains("Battute / min: " + report::kTrattino)) << t.toStdString();
    EXPECT_TRUE(t.contains("Rapporto errori/battute: " + report::kTrattino)) << t.toStdString();
    EXPECT_TRUE(t.contains("Valutazione complessiva dell'esercizio: " + report::kTrattino)) << t.toStdString();
}

TEST_F(ReportTest, pdf_passesEveryValidator)
{
    // The validators of every PDF; without them (shared/ beside the clone) the check skips.
    const QString controllo = cartellaSorgenti() + QStringLiteral("/../shared/tools/pdf/check_pdf.sh");
    if (!QFile::exists(controllo))
        GTEST_SKIP() << "check_pdf.sh not found";
    for (const char *strumento : {"qpdf", "pdfinfo", "mutool", "gs", "python3"})
        if (QStandardPaths::findExecutable(strumento).isEmpty())
            GTEST_SKIP() << strumento << " missing";
    for (bool esperto : {false, true}) {
        esercizio(esperto ? 0 : 1234, esperto ? 0 : 56, esperto ? 0 : 377, esperto);
        stato->testoDaAnalizzare = QString::fromUtf8("Un texte « français » (àéè) \\ [1]");
        ReportFreeTXT r(*stato, {}, italiano());
        ASSERT_EQ(r.GeneraPDF().tipo, ReportFreeTXT::EsitoPDF::Aperto);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("EXPECT_VERSION", "1.3");
        env.insert("EXPECT_PAGES", "1");
        env.insert("QUIET", "1");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start("bash", {controllo, r.percorsoPDF()});
        ASSERT_TRUE(p.waitForFinished(300000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
        r.Chiudi();
    }
}
