// The results PDF: what it shows and where, the file it is written to, and
// what is left behind when it cannot be created or written out.

#include "LetturaPdf.h"
#include "RisultatiTest.h"

#include "pdf/clsPDFCreator.h"
#include "platform/SystemServices.h"
#include "results/PdfRisultati.h"

#include <QBuffer>
#include <QDirIterator>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace risultati;
using lettura::Parola;

namespace {

// Files may grow only to `byte` bytes while it lives: a full disk.
class DiscoPieno {
public:
    explicit DiscoPieno(rlim_t byte)
    {
        getrlimit(RLIMIT_FSIZE, &prima_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = prima_;
        r.rlim_cur = byte;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DiscoPieno() { setrlimit(RLIMIT_FSIZE, &prima_); }

private:
    rlimit prima_{};
};

// The words on the same line as `w`, left to right.
std::vector<Parola> RigaDi(const std::vector<Parola> &parole, const Parola &w)
{
    std::vector<Parola> riga;
    for (const Parola &x : parole)
        if (std::abs(x.y0 - w.y0) < 0.5)
            riga.push_back(x);
    std::sort(riga.begin(), riga.end(), [](const Parola &a, const Parola &b) { return a.x0 < b.x0; });
    return riga;
}

QStringList FileIn(const QString &cartella)
{
    QStringList nomi;
    QDirIterator it(cartella, QDir::Files | QDir::Hidden);
    while (it.hasNext())
        nomi << QFileInfo(it.next()).fileName();
    return nomi;
}

class PdfRisultati : public RisultatiTest {
protected:
    DatiReport dati() { return PreparaReport(*stato, {}, QLocale::c()); }

    EsitoPDF scrivi(const QString &percorso)
    {
        return ScriviPDF(percorso, dati(), &fakes.clock, &fakes.random);
    }

    // The edges the report computes, in millimetres.
    BordiPDF bordiInMm()
    {
        clsPDFCreator pdf(nullptr, nullptr);
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        pdf.setScaleMode(3);
        pdf.InitPDFStream(&b);
        pdf.LoadFont("Fn1", "Arial", 0);
        BordiPDF bordi = CalcolaBordi(pdf, CaricaTesti({}, false, ""));
        bordi.velocita *= 10;
        bordi.punteggio *= 10;
        return bordi;
    }
};

} // namespace

TEST_F(PdfRisultati, numbers_endExactlyAtTheComputedRightEdges)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 1.0f, 1.5f, 0.8f, 2.2f, 1.1f, 3.0f, 0.3f, 0.25f, 1.9f, 2.4f});
    stato->totaleBattute = 683;
    stato->totaleErrori = 11;
    const QString pdf = temp + "ANNA.pdf";
    ASSERT_EQ(scrivi(pdf), EsitoPDF::Creato);
    conserva(pdf, "risultati-tre-livelli.pdf");

    const BordiPDF bordi = bordiInMm();
    const auto parole = lettura::Parole(pdf);
    int righe = 0;
    for (const Parola &w : parole) {
        if (w.testo != "Frase" && w.testo != "Media:")
            continue;
        const auto riga = RigaDi(parole, w);
        ASSERT_GE(riga.size(), 4u);
        const Parola &punteggio = riga.back();
        const auto etichetta = std::find_if(riga.begin(), riga.end(),
                                            [](const Parola &x) { return x.testo == "Punteggio"; });
        ASSERT_NE(etichetta, riga.end());
        const Parola &velocita = *(etichetta - 1);
        const double bordoVelocita = bordi.velocita + (w.testo == "Media:" ? 1.0 : 0.0);
        EXPECT_NEAR(velocita.x1, bordoVelocita, 0.01) << velocita.testo.toStdString();
        EXPECT_NEAR(punteggio.x1, bordi.punteggio, 0.01) << punteggio.testo.toStdString();
        EXPECT_NEAR(w.x0, 25.0, 0.01);
        EXPECT_NEAR(etichetta->x0, 120.0, 0.01);
        ++righe;
    }
    EXPECT_EQ(righe, 18);   // 3 levels of 5 sentences and an average

    // The date is right-aligned at the right margin, the header at the left one.
    const Parola *titolo = lettura::Trova(parole, "Tastavia");
    ASSERT_TRUE(titolo);
    EXPECT_NEAR(titolo->x0, 20.0, 0.01);
    const Parola *ora = lettura::Trova(parole, "(09:00:00)");
    ASSERT_TRUE(ora);
    EXPECT_NEAR(ora->x1, 200.0, 0.01);
}

TEST_F(PdfRisultati, afterOneLevel_showsThreeLevelHeadingsButOnlyTheFiguresOfTheFirst)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({2.0f, 2.5f, 3.1f, 1.2f, 2.6f});
    stato->totaleBattute = 683;
    stato->totaleErrori = 11;
    const QString pdf = temp + "ANNA.pdf";
    ASSERT_EQ(scrivi(pdf), EsitoPDF::Creato);
    conserva(pdf, "risultati-un-livello.pdf");

    const QStringList righe = lettura::Righe(lettura::Parole(pdf));
    const lettura::TabellaLetta t = lettura::LeggiTabelle(righe);
    // The levels not played yet are blank, not rows of zeros.
    EXPECT_EQ(t.velocita, QStringList({"120", "150", "186", "72", "156"}));
    EXPECT_EQ(t.punteggi, QStringList({"80", "100", "100", "48", "100"}));
    EXPECT_EQ(t.medie, QStringList({"137"}));
    EXPECT_EQ(t.punteggiLivello, QStringList({"86"}));
    for (const char *livello : {"Livello 1 Categoria Principiante", "Livello 2 Categoria Principiante",
                                "Livello 3 Categoria Principiante"})
        EXPECT_TRUE(righe.contains(livello)) << livello;

    const lettura::TotaliLetti tot = lettura::LeggiTotali(righe);
    EXPECT_EQ(tot.velocita, "137");
    EXPECT_EQ(tot.punteggio, "86");
    EXPECT_EQ(tot.errori, "11");
    EXPECT_EQ(tot.battute, "683");
    EXPECT_EQ(tot.rapporto, "1.6%");
    EXPECT_EQ(tot.parola, "Ottimo");
    EXPECT_TRUE(righe.contains("Risultati ottenuti da: ANNA Monday, 05 January 2026 (09:00:00)"));
    EXPECT_TRUE(righe.contains(QString::fromUtf8(
        "L'esercizio corrente è stato eseguito utilizzando le frasi interne. Tastavia - © gli autori di Tastavia")));
    EXPECT_EQ(stato->totaleBattute, 683);
}

TEST_F(PdfRisultati, longName_isShortenedToEndBeforeTheDate)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({2, 2, 2, 2, 2});
    stato->nomeUtente = "Bartolomeo Massimiliano Ferdinando Della Rovere Sforza";
    const QString pdf = temp + "lungo.pdf";
    ASSERT_EQ(ScriviPDF(pdf, dati(), &fakes.clock, &fakes.random), EsitoPDF::Creato);
    const auto parole = lettura::Parole(pdf);
    const Parola *data = lettura::Trova(parole, "Monday,");
    ASSERT_TRUE(data);
    const auto fine = std::find_if(parole.begin(), parole.end(),
                                   [](const Parola &w) { return w.testo.endsWith(QChar(0x2026)); });
    ASSERT_NE(fine, parole.end());
    EXPECT_LT(fine->x1, data->x0 - 4.0);   // half a centimetre before the date
    EXPECT_TRUE(lettura::Righe(parole).contains(
        QString::fromUtf8("Risultati ottenuti da: Bartolomeo Massimiliano Ferdinando D… Monday, 05 January 2026 (09:00:00)")));
}

TEST_F(PdfRisultati, noKeystrokes_showOneKeystrokeAndTheBestWord)
{
    if (!lettura::PdftotextPresente())
        GTEST_SKIP() << "pdftotext missing";
    velocita({0, 0, 0, 0, 0}, true);
    const QString pdf = temp + "ANNA.pdf";
    ASSERT_EQ(scrivi(pdf), EsitoPDF::Creato);
    conserva(pdf, "risultati-nessuna-battuta.pdf");
    const lettura::TotaliLetti tot = lettura::LeggiTotali(lettura::Righe(lettura::Parole(pdf)));
    EXPECT_EQ(tot.battute, "1");
    EXPECT_EQ(tot.errori, "0");
    EXPECT_EQ(tot.rapporto, "0.0%");
    EXPECT_EQ(tot.parola, "Ottimo");
    EXPECT_EQ(stato->totaleBattute, 0);   // the run's counter is left as it was
}

TEST_F(PdfRisultati, dateAndTime_followTheLocaleWithoutATimeZone)
{
    const QDateTime quando(QDate(2026, 1, 5), QTime(14, 5, 9));
    EXPECT_EQ(DataOraPDF(quando, QLocale(QLocale::Italian, QLocale::Italy)),
              QString::fromUtf8("lunedì, 05 gennaio 2026 (14:05:09)"));
    EXPECT_EQ(DataOraPDF(quando, QLocale::c()), "Monday, 05 January 2026 (14:05:09)");
}

TEST_F(PdfRisultati, oddNames_giveFilesInsideTheTemporaryFolder)
{
    velocita({2, 2, 2, 2, 2});
    const QString lunghissimo = QString(254, QChar(0x00C9));   // 508 bytes of UTF-8
    const QStringList nomi{"../../escape", "a/b/c", "..", ".", "con\x01trollo\n", "C:\\x", lunghissimo,
                           "ANNA MARIA"};
    for (const QString &nome : nomi) {
        const QString percorso = PercorsoPDF(temp, nome);
        EXPECT_EQ(QFileInfo(percorso).absolutePath() + "/", temp) << nome.toStdString();
        EXPECT_TRUE(percorso.endsWith(".pdf"));
        EXPECT_LE(QFileInfo(percorso).fileName().toUtf8().size(), 255);
        EXPECT_EQ(scrivi(percorso), EsitoPDF::Creato) << nome.toStdString();
        EXPECT_TRUE(QFileInfo::exists(percorso));
    }
    EXPECT_EQ(FileIn(temp).size(), nomi.size());
    EXPECT_EQ(FileIn(QDir(temp).absoluteFilePath("..")).size(), 0);   // nothing beside the folder
}

TEST_F(PdfRisultati, folderThatCannotHoldTheFile_isReportedAsNotCreated)
{
    velocita({2, 2, 2, 2, 2});
    EXPECT_EQ(scrivi(dir.path() + "/missing/folder/ANNA.pdf"), EsitoPDF::NonCreato);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/missing"));
}

TEST_F(PdfRisultati, fullDisk_isReportedAndLeavesNoFileBehind)
{
    velocita({2, 2, 2, 2, 2});
    const QString pdf = temp + "ANNA.pdf";
    {
        DiscoPieno disco(1500);
        EXPECT_EQ(scrivi(pdf), EsitoPDF::NonScritto);
    }
    EXPECT_TRUE(FileIn(temp).isEmpty()) << FileIn(temp).join(", ").toStdString();

    // An earlier report at the same place is never left broken: it stays as
    // it was, or (when the writer replaced it before the failure showed) it is
    // gone.
    ASSERT_EQ(scrivi(pdf), EsitoPDF::Creato);
    const QByteArray prima = [&] { QFile f(pdf); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    {
        DiscoPieno disco(1500);
        EXPECT_EQ(scrivi(pdf), EsitoPDF::NonScritto);
    }
    QFile f(pdf);
    if (f.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(f.readAll(), prima);
    }
    EXPECT_LE(FileIn(temp).size(), 1);
}

TEST_F(PdfRisultati, truncatedFile_isNotTakenForAFinishedReport)
{
    const QString pdf = temp + "mezzo.pdf";
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.3\r\n1 0 obj\r\n<<\r\n");
    f.close();
    EXPECT_FALSE(PdfCompleto(pdf));
    velocita({2, 2, 2, 2, 2});
    ASSERT_EQ(scrivi(pdf), EsitoPDF::Creato);
    EXPECT_TRUE(PdfCompleto(pdf));
}

namespace {

// Another user's plants in the shared temporary folder, at the names a report
// would have had there: a link to a file of the learner's, and a plain file.
TEST_F(PdfRisultati, plantsAtThePdfsNameInASharedFolder_areNeverTouched_thePdfIsPrivate)
{
    QTemporaryDir condivisa;
    const QString c = condivisa.path() + "/", profilo = temp + "profilo";
    ASSERT_EQ(::chmod(QFile::encodeName(c).constData(), 01777), 0);
    ASSERT_TRUE(QFile(profilo).open(QIODevice::WriteOnly) && QFile(c + "Tastavia.pdf").open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(profilo, c + "ANNA.pdf"));
    // Planted by a second user, where we may say so.
    [[maybe_unused]] const int r = ::lchown(QFile::encodeName(c + "ANNA.pdf").constData(), 65534, 65534);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmpdir = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(c + "manca"));
    EXPECT_TRUE(platform::SystemServices().services().desktop->tempPath().isEmpty());   // never "/"
    qputenv("TMPDIR", QFile::encodeName(c));
    velocita({2, 2, 2, 2, 2});
    {
        platform::SystemServices sistema;
        const QString privata = sistema.services().desktop->tempPath();
        ASSERT_TRUE(privata.startsWith(c + "tastavia-"));
        for (const QString nome : {"ANNA", "Tastavia"}) {
            ASSERT_EQ(scrivi(PercorsoPDF(privata, nome)), EsitoPDF::Creato);
            EXPECT_EQ(QFile::permissions(PercorsoPDF(privata, nome)), QFile::ReadOwner | QFile::WriteOwner |
                                                                          QFile::ReadUser | QFile::WriteUser);
        }
    }
    runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    EXPECT_EQ(QFileInfo(profilo).size(), 0);
    EXPECT_EQ(QFileInfo(c + "ANNA.pdf").symLinkTarget(), profilo);
    EXPECT_EQ(QFileInfo(c + "Tastavia.pdf").size(), 0);
    // The run's private folder went with it: only the plants are left.
    EXPECT_EQ(QDir(c).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), 2);
}

} // namespace
