// Files other users and programs can put in our way: material that is a FIFO
// or a device, a temporary folder shared with others, names planted there.

#include "platform/FileSicuri.h"
#include "platform/SystemServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using filesicuri::Esito;

mode_t modo(const QString &p)
{
    struct stat st {};
    ::lstat(QFile::encodeName(p).constData(), &st);
    return st.st_mode;
}

void scrivi(const QString &p, const QByteArray &dati)
{
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dati);
}

TEST(LetturaMateriale, onlyRegularFilesWithinTheLimitAreRead_neverBlocking)
{
    QTemporaryDir dir;
    scrivi(dir.filePath("ok.ftd"), "[Livello1]\n1=abc\n");
    scrivi(dir.filePath("grande.txt"), QByteArray(2000, 'a'));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("coda.txt")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.txt")));
    struct Caso {
        QString file;
        Esito atteso;
    } casi[] = {
        {dir.filePath("ok.ftd"), Esito::Ok},
        {dir.filePath("grande.txt"), Esito::TroppoGrande},
        {dir.filePath("coda.txt"), Esito::NonRegolare},   // nobody writes: a blocking open would hang
        {dir.filePath("zero.txt"), Esito::NonRegolare},   // endless: read whole it would fill memory
        {"/dev/zero", Esito::NonRegolare},
        {dir.path(), Esito::NonRegolare},
        {dir.filePath("manca.ftd"), Esito::Mancante},
    };
    for (const Caso &c : casi) {
        for (bool soloControllo : {false, true}) {
            QElapsedTimer t;
            t.start();
            const filesicuri::Lettura l = filesicuri::LeggiFileRegolare(c.file, 1000, soloControllo);
            EXPECT_LT(t.elapsed(), 1000) << c.file.toStdString();
            EXPECT_EQ(l.esito, c.atteso) << c.file.toStdString();
            EXPECT_EQ(l.dati.isEmpty(), c.atteso != Esito::Ok || soloControllo) << c.file.toStdString();
        }
    }
    EXPECT_EQ(filesicuri::LeggiFileRegolare(dir.filePath("ok.ftd"), 1000).dati, "[Livello1]\n1=abc\n");
}

TEST(CartellaPrivata, runtimeFolderOfOursGivesAClosedSubfolder_otherwiseAnUnforeseeableOne)
{
    QTemporaryDir runtime, condivisa;
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0700), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(condivisa.path()).constData(), 01777), 0);

    const auto r = filesicuri::PreparaCartellaPrivata(runtime.path(), condivisa.path());
    EXPECT_EQ(r.percorso, runtime.path() + "/tastavia/");
    EXPECT_EQ(modo(r.percorso) & 07777, 0700u);
    // Made too open earlier: closed again.
    ::chmod(QFile::encodeName(r.percorso).constData(), 0755);
    EXPECT_EQ(filesicuri::PreparaCartellaPrivata(runtime.path(), condivisa.path()).percorso, r.percorso);
    EXPECT_EQ(modo(r.percorso) & 07777, 0700u);

    // A runtime folder others can enter, or none: a new folder in the shared one.
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0755), 0);
    for (const QString &rt : {runtime.path(), QString(), QStringLiteral("relativa")}) {
        const auto c = filesicuri::PreparaCartellaPrivata(rt, condivisa.path());
        ASSERT_FALSE(c.percorso.isEmpty());
        EXPECT_TRUE(c.percorso.startsWith(condivisa.path() + "/tastavia-")) << c.percorso.toStdString();
        EXPECT_EQ(modo(c.percorso) & 07777, 0700u);
        EXPECT_TRUE(filesicuri::CartellaDi(c.percorso, ::geteuid(), true));
    }
    EXPECT_EQ(QDir(condivisa.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 3);
}

TEST(CartellaPrivata, unusableTemporaryFolder_saysWhichAndWhy_andMakesNothing)
{
    QTemporaryDir dir;
    const QString manca = dir.filePath("manca");
    struct Caso {
        QString temp;
        QString provata;
        int errore;
    } casi[] = {
        {manca, manca, ENOENT},
        {manca + "/", manca, ENOENT},
        {QStringLiteral("relativa"), QStringLiteral("relativa"), ENOENT},   // never the working folder
    };
    for (const Caso &c : casi) {
        const auto r = filesicuri::PreparaCartellaPrivata({}, c.temp);
        EXPECT_TRUE(r.percorso.isEmpty());
        EXPECT_EQ(r.provata, c.provata);
        EXPECT_EQ(r.errore, c.errore);
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists("relativa"));
}

TEST(CartellaPrivata, theDesktopServiceUsesTmpdirAsItIs_neverTheRootFolder)
{
    QTemporaryDir dir;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmpdir = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(dir.filePath("manca")));
    {
        platform::SystemServices sistema;
        EXPECT_TRUE(sistema.services().desktop->tempPath().isEmpty());
        EXPECT_EQ(sistema.services().desktop->tempProblem().cartella, dir.filePath("manca"));
        EXPECT_EQ(sistema.services().desktop->tempProblem().errore, ENOENT);
    }
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    QString fatta;
    {
        platform::SystemServices sistema;
        fatta = sistema.services().desktop->tempPath();
        EXPECT_TRUE(fatta.startsWith(dir.path() + "/tastavia-")) << fatta.toStdString();
        EXPECT_EQ(sistema.services().desktop->tempPath(), fatta);   // one folder per run
    }
    EXPECT_FALSE(QFileInfo::exists(fatta));   // and it goes with the run
    runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
}

TEST(FilePrivato, aLinkOrAFileAtTheNameIsReplaced_neverFollowed)
{
    QTemporaryDir dir;
    const QString bersaglio = dir.filePath("profilo");
    scrivi(bersaglio, "il file del learner\n");
    const QString cartella = filesicuri::PreparaCartellaPrivata({}, dir.path()).percorso;
    ASSERT_FALSE(cartella.isEmpty());
    ASSERT_TRUE(QFile::link(bersaglio, cartella + "ANNA.pdf"));
    scrivi(cartella + "LUCA.pdf", "vecchio");
    for (const QString nome : {"ANNA.pdf", "LUCA.pdf", "NUOVO.pdf"}) {
        EXPECT_EQ(filesicuri::ScriviFilePrivato(cartella + nome, "%PDF-1.3 ... %%EOF"), 0);
        EXPECT_TRUE(S_ISREG(modo(cartella + nome)));
        EXPECT_EQ(modo(cartella + nome) & 07777, 0600u) << nome.toStdString();
    }
    QFile f(bersaglio);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "il file del learner\n");
    EXPECT_EQ(QDir(cartella).entryList(QDir::Files | QDir::Hidden).size(), 3);   // no temporary file left
    EXPECT_EQ(filesicuri::ScriviFilePrivato(dir.filePath("manca/X.pdf"), "x"), ENOENT);
}

} // namespace
