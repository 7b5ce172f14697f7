// The file layer: missing and unreadable files, failed and interrupted
// writes, and files in every encoding.
#include "settings/IniManager.h"
#include "tests/support/Sorgenti.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void spit(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

ino_t inode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

class IniFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("Tastavia.ini"); }
    IniManager ini;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ini.setNome(path());
        ini.setSezione("Options");
    }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// ---- Missing and unreadable files ----

TEST_F(IniFile, missingFile_readsDefaultsAndFirstWriteCreatesIt)
{
    EXPECT_EQ(ini.Leggi("Song", "1 "), "1");
    EXPECT_NE(ini.CancellaValore("Song"), 0);
    EXPECT_NE(ini.CancellaSezione(), 0);
    EXPECT_FALSE(QFile::exists(path()));  // deleting nothing creates nothing
    EXPECT_NE(ini.Scrivi("Song", "0"), 0);
    EXPECT_EQ(slurp(path()), "[Options]\r\nSong=0\r\n");
    EXPECT_EQ(ini.Leggi("song", "1"), "0");
}

TEST_F(IniFile, longValue_isStoredWholeAndReadBackCutTo254)
{
    const QString v(300, u'x');
    ASSERT_NE(ini.Scrivi("Long", v), 0);
    EXPECT_TRUE(slurp(path()).contains(QByteArray(300, 'x')));
    EXPECT_EQ(ini.Leggi("Long", ""), QString(254, u'x'));
}

TEST_F(IniFile, pathIsAFolder_readsDefaultAndRefusesWrites)
{
    ini.setNome(dir.path());
    EXPECT_EQ(ini.Leggi("k", "d"), "d");
    EXPECT_EQ(ini.Scrivi("k", "v"), 0);
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST_F(IniFile, oversizedFile_readsDefaultAndIsNeverRewritten)
{
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Options]\r\nSong=0\r\n");
        ASSERT_TRUE(f.resize(IniManager::kMaxFileBytes + 1));
    }
    EXPECT_EQ(ini.Leggi("Song", "1"), "1");
    EXPECT_EQ(ini.Scrivi("Song", "1"), 0);
    EXPECT_EQ(QFileInfo(path()).size(), IniManager::kMaxFileBytes + 1);
    EXPECT_TRUE(slurp(path()).startsWith("[Options]\r\nSong=0\r\n"));
}

TEST_F(IniFile, emptyName_readsDefaultAndWritesNothing)
{
    ini.setNome(QString());
    EXPECT_EQ(ini.Leggi("k", "d"), "d");
    EXPECT_EQ(ini.Scrivi("k", "v"), 0);
}

// ---- Writes that fail or change nothing ----

TEST_F(IniFile, missingFolder_writeFailsAndCreatesNothing)
{
    ini.setNome(dir.filePath("nofolder/Tastavia.ini"));
    EXPECT_EQ(ini.Scrivi("Song", "1"), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nofolder")));
}

TEST_F(IniFile, fileWhereTheFolderShouldBe_writeFailsAndTheFileStays)
{
    spit(dir.filePath("CorsoDattilo"), "not a folder");
    ini.setNome(dir.filePath("CorsoDattilo/Tastavia.bmk"));
    EXPECT_EQ(ini.Scrivi("Bookmark", "L1"), 0);
    EXPECT_EQ(ini.CancellaSezione(), 1);  // nothing to delete in a file that cannot exist
    EXPECT_EQ(slurp(dir.filePath("CorsoDattilo")), "not a folder");
}

TEST_F(IniFile, diskFull_writeFailsAndLeavesTheFileAsItWas)
{
    const QByteArray before = "; keep me\r\n[Options]\r\nSong=0\r\n";
    spit(path(), before);

    // A file size limit stands in for a full disk.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = old;
    tight.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const int32_t r = ini.Scrivi("Big", QString(4000, u'z'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r, 0);
    EXPECT_EQ(slurp(path()), before);
    EXPECT_EQ(filesInDir(), QStringList{"Tastavia.ini"});  // no temporary file left behind
}

TEST_F(IniFile, sameValueOrRefusedWrite_leavesTheFileUntouched)
{
    spit(path(), "[Options]\nSong = 1\n");
    const ino_t before = inode(path());
    EXPECT_NE(ini.Scrivi("song", "1"), 0);
    EXPECT_EQ(ini.Scrivi("", "1"), 0);
    EXPECT_EQ(ini.Scrivi("Song", "1\r\n[Hack]"), 0);
    EXPECT_EQ(inode(path()), before);
    EXPECT_EQ(slurp(path()), "[Options]\nSong = 1\n");
}

TEST_F(IniFile, write_replacesTheFileInsteadOfEditingItInPlace)
{
    spit(path(), "[Options]\nSong=1\n");
    const ino_t before = inode(path());
    ASSERT_NE(ini.Scrivi("Song", "0"), 0);
    EXPECT_NE(inode(path()), before);
    EXPECT_EQ(slurp(path()), "[Options]\nSong=0\n");
}

// ---- Crashes ----

TEST_F(IniFile, leftoverTemporaryFile_isIgnoredByReadsAndWrites)
{
    spit(path(), "[Options]\r\nSong=0\r\n");
    spit(path() + ".Ab12Cd", "[Options]\r\nSo");  // what a killed write leaves beside the file
    EXPECT_EQ(ini.Leggi("Song", "1"), "0");
    EXPECT_NE(ini.Scrivi("Song", "1"), 0);
    EXPECT_EQ(slurp(path()), "[Options]\r\nSong=1\r\n");
}

TEST_F(IniFile, writeKilledMidway_leavesTheOldOrTheNewFileNeverAMix)
{
    // A big file, so that the kill often lands while it is being written.
    IniDocument doc;
    for (int i = 0; i < 3000; ++i)
        doc.write("Options", QString("k%1").arg(i), QString(200, QChar(u'a' + i % 26)));
    doc.write("Options", "Flag", "0");
    const QByteArray base = doc.toBytes();
    IniDocument a = doc, b = doc;
    a.write("Options", "Flag", "A");
    b.write("Options", "Flag", "B");
    const QByteArray versions[] = {base, a.toBytes(), b.toBytes()};
    spit(path(), base);

    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            IniManager w;
            w.setNome(path());
            w.setSezione("Options");
            for (int i = 0;; ++i)
                w.Scrivi("Flag", i % 2 ? "A" : "B");
        }
        usleep(useconds_t(3000 + round * 2500));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const QByteArray now = slurp(path());
        EXPECT_TRUE(now == versions[0] || now == versions[1] || now == versions[2])
            << "round " << round << ": " << now.size() << " bytes";
    }
    const QString flag = ini.Leggi("Flag", "?");
    EXPECT_TRUE(flag == "0" || flag == "A" || flag == "B");
}

// ---- Encodings on disk ----

TEST_F(IniFile, everyEncoding_readsTheSameTextAndKeepsItsOwnWhenWritten)
{
    const QString data = cartellaSorgenti() + QStringLiteral("/tests/settings/data/");
    for (const char *name : {"cp1252.ini", "utf8-bom.ini", "utf16le.ini", "utf16be.ini"}) {
        SCOPED_TRACE(name);
        const QByteArray original = slurp(data + name);
        spit(path(), original);
        ini.setSezione("strings");
        EXPECT_EQ(ini.Leggi("0012", ""), QStringLiteral("Benvenuto nel corso più bello €"));
        EXPECT_EQ(ini.Leggi("infoauthor", ""), QStringLiteral("Zoë"));
        ASSERT_NE(ini.Scrivi("MailAuthor", QStringLiteral("zoë@example.org")), 0);
        const QByteArray after = slurp(path());
        EXPECT_TRUE(after.startsWith(original));
        EXPECT_EQ(ini.Leggi("MailAuthor", ""), QStringLiteral("zoë@example.org"));
    }
}

TEST_F(IniFile, utf8WithoutMark_isTakenForCodePage1252)
{
    ini.setNome(cartellaSorgenti() + QStringLiteral("/tests/settings/data/utf8-nobom.ini"));
    ini.setSezione("Strings");
    EXPECT_EQ(ini.Leggi("InfoAuthor", ""), QStringLiteral("ZoÃ«"));
}

} // namespace
