// INI files shared with other processes and other users: concurrent writers,
// read-only files, folders that cannot be written, full disks.
#include "settings/AccessoFile.h"
#include "settings/IniDocument.h"
#include "settings/IniManager.h"
#include "tests/support/FileSystemPiccolo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/file.h>
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

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

void chmodOf(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Root passes every permission check, so tests of permissions run their body
// as user "nobody" in a child process when they run as root. The body's result
// is the exit status.
int asOrdinaryUser(const std::function<int()> &body)
{
    if (::geteuid() != 0)
        return body();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// What a failed write was recorded as: 0 when nothing was recorded.
int recorded(IniManager &ini)
{
    const QList<ErroreScrittura> errori = ini.prendiErrori();
    return errori.isEmpty() ? 0 : int(errori.last().motivo);
}

class IniShared : public ::testing::Test {
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
    // The folder and the file reachable by "nobody" when the body drops root.
    void openToEveryone(mode_t folderMode, mode_t fileMode)
    {
        if (QFile::exists(path()))
            chmodOf(path(), fileMode);
        chmodOf(dir.path(), folderMode);
    }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// ---- Two programs on one file ----

// Twenty rounds, one test each: two processes write 500 keys each at once.
class IniTwoWriters : public ::testing::TestWithParam<int> {};

TEST_P(IniTwoWriters, twoProcessesWritingAtOnce_loseNoKey)
{
    // tmpfs when there is one: the test is about locking, not about fsync.
    QTemporaryDir shm(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tastavia-XXXXXX") : QString());
    QTemporaryDir tmp;
    const QString file = (shm.isValid() ? shm.path() : tmp.path()) + "/Tastavia.ini";
    constexpr int kKeys = 500;
    spit(file, "[Options]\r\nSong=1\r\n");
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            IniManager mine;
            mine.setNome(file);
            mine.setSezione("Options");
            // A write that waited too long for the lock fails, as it should; the
            // writer tries it again. What must never happen is a success lost.
            int failed = 0;
            for (int k = 0; k < kKeys; ++k) {
                int tentativi = 0;
                while (mine.Scrivi(QString("w%1k%2").arg(w).arg(k), QString::number(k)) == 0 &&
                       ++tentativi < 5) {
                }
                failed += tentativi == 5;
            }
            ::_exit(failed > 0 ? 1 : 0);
        }
    }
    for (pid_t w : writers) {
        int status = 0;
        ::waitpid(w, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write failed five times running";
    }
    const IniDocument doc = IniDocument::fromBytes(slurp(file));
    int missing = 0;
    for (int w = 0; w < 2; ++w)
        for (int k = 0; k < kKeys; ++k)
            missing += doc.read("Options", QString("w%1k%2").arg(w).arg(k), "<none>") != QString::number(k);
    EXPECT_EQ(missing, 0) << "round " << GetParam();
    EXPECT_EQ(doc.read("Options", "Song", ""), "1");
}

INSTANTIATE_TEST_SUITE_P(Rounds, IniTwoWriters, ::testing::Range(0, 20));

TEST_F(IniShared, fileLockedByAnotherWriter_waitsBoundedAndFails)
{
    spit(path(), "[Options]\r\nSong=1\r\n");
    const int holder = ::open(QFile::encodeName(path()).constData(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    ini.setAttesaBloccoMs(150);
    EXPECT_EQ(ini.Scrivi("Song", "0"), 0);
    EXPECT_EQ(recorded(ini), int(ErroreScrittura::FileInUso));
    EXPECT_EQ(ini.Leggi("Song", "?"), "1");   // reading waits as long, then reads anyway
    ::close(holder);
    EXPECT_NE(ini.Scrivi("Song", "0"), 0);
    EXPECT_EQ(slurp(path()), "[Options]\r\nSong=0\r\n");
}

// ---- Permissions ----

TEST_F(IniShared, readOnlyFile_isRefusedForEveryUserAndKeepsItsMode)
{
    spit(path(), "[Options]\r\nSong=1\r\n");
    chmodOf(path(), 0444);
    EXPECT_EQ(ini.Scrivi("Song", "0"), 0);
    EXPECT_EQ(recorded(ini), int(ErroreScrittura::SolaLettura));
    EXPECT_EQ(ini.CancellaSezione(), 0);
    EXPECT_EQ(ini.Scrivi("Song", "1"), 1);   // nothing to change: no write, no failure
    EXPECT_EQ(slurp(path()), "[Options]\r\nSong=1\r\n");
    EXPECT_EQ(statOf(path()).st_mode & 07777, 0444u);
    EXPECT_EQ(filesInDir(), QStringList{"Tastavia.ini"});
}

TEST_F(IniShared, replacedFile_keepsItsModeAndOwner)
{
    spit(path(), "[Options]\r\nSong=1\r\n");
    chmodOf(path(), 0640);
    ASSERT_NE(ini.Scrivi("Song", "0"), 0);
    EXPECT_EQ(statOf(path()).st_mode & 07777, 0640u);
    if (::geteuid() == 0) {
        // Root saving a learner's file leaves it the learner's.
        ASSERT_EQ(::chown(QFile::encodeName(path()).constData(), 4321, 4322), 0);
        ASSERT_NE(ini.Scrivi("Song", "1"), 0);
        EXPECT_EQ(statOf(path()).st_uid, 4321u);
        EXPECT_EQ(statOf(path()).st_gid, 4322u);
        EXPECT_EQ(statOf(path()).st_mode & 07777, 0640u);
    }
    EXPECT_EQ(ini.Leggi("Song", "?"), ::geteuid() == 0 ? "1" : "0");
}

TEST_F(IniShared, writableFileInAFolderThatCannotBeWritten_isUpdatedInPlace)
{
    spit(path(), "; keep\r\n[Options]\r\nSong=1\r\n");
    const ino_t before = statOf(path()).st_ino;
    openToEveryone(0555, 0666);
    const QString file = path();
    const int r = asOrdinaryUser([&] {
        IniManager w;
        w.setNome(file);
        w.setSezione("Options");
        if (w.Scrivi("Song", "0") == 0)
            return 1;
        if (w.Scrivi("Added", QString(3000, u'x')) == 0)   // growing
            return 2;
        if (w.CancellaValore("Added") == 0)                 // shrinking
            return 3;
        return w.prendiErrori().isEmpty() ? 0 : 4;
    });
    chmodOf(dir.path(), 0700);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(slurp(path()), "; keep\r\n[Options]\r\nSong=0\r\n");
    EXPECT_EQ(statOf(path()).st_ino, before);
    EXPECT_EQ(statOf(path()).st_mode & 07777, 0666u);
    EXPECT_EQ(filesInDir(), QStringList{"Tastavia.ini"});
}

TEST_F(IniShared, missingFileInAFolderThatCannotBeWritten_failsAndSaysWhy)
{
    openToEveryone(0555, 0);
    const QString file = path();
    const int r = asOrdinaryUser([&] {
        IniManager w;
        w.setNome(file);
        w.setSezione("Options");
        if (w.Scrivi("Song", "0") != 0)
            return 100;
        return recorded(w);
    });
    chmodOf(dir.path(), 0700);
    EXPECT_EQ(r, int(ErroreScrittura::CartellaNonScrivibile));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(IniShared, fileOfAnotherUser_isReadOnlyForUs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the file away";
    spit(path(), "[Options]\r\nSong=1\r\n");
    openToEveryone(0777, 0644);   // root's file, a folder anyone may write
    const QString file = path();
    const int r = asOrdinaryUser([&] {
        IniManager w;
        w.setNome(file);
        w.setSezione("Options");
        if (w.Scrivi("Song", "0") != 0)
            return 100;
        return recorded(w);
    });
    chmodOf(dir.path(), 0700);
    EXPECT_EQ(r, int(ErroreScrittura::SolaLettura));
    EXPECT_EQ(slurp(path()), "[Options]\r\nSong=1\r\n");
    EXPECT_EQ(statOf(path()).st_uid, 0u);
}

// ---- Full disk ----

TEST_F(IniShared, fullFileSystem_failsSaysWhyAndLeavesTheFileAsItWas)
{
    const int r = filesystem_test::inFileSystemPiccolo(64 * 1024, [](const QString &folder) {
        const QString file = folder + "/Tastavia.ini";
        const QByteArray before = "[Options]\r\nSong=1\r\n";
        {
            QFile f(file);
            if (!f.open(QIODevice::WriteOnly) || f.write(before) != before.size())
                return 10;
        }
        if (!filesystem_test::riempi(folder, 0))
            return 11;
        IniManager w;
        w.setNome(file);
        w.setSezione("Options");
        if (w.Scrivi("Big", QString(20000, u'z')) != 0)
            return 12;
        if (recorded(w) != int(ErroreScrittura::DiscoPieno))
            return 13;
        if (slurp(file) != before)
            return 14;
        if (QDir(folder).entryList(QDir::Files | QDir::Hidden).size() != 2)
            return 15;   // a temporary file was left behind
        return 0;
    });
    if (r == filesystem_test::kNessunFileSystem)
        GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(r, 0);
}

// A kill between the write and the cut of an in-place save: the file as it
// is at that moment must read every key right, with no NUL and no old tail.
TEST_F(IniShared, inPlaceSaveStoppedBeforeItsCut_readsEveryKeyRight)
{
    spit(path(), "[Options]\r\nSong=1\r\n[AccessName]\r\nName=" + QByteArray(400, 'X') + "\r\nRemember=1\r\n");
    openToEveryone(0555, 0666);
    const QString file = path();
    const int r = asOrdinaryUser([&] {
        IniDocument letto;
        AccessoFile::primaDelTaglio = [&] { letto = IniDocument::fromBytes(slurp(file)); };
        IniManager w;
        w.setNome(file);
        w.setSezione("AccessName");
        const bool scritto = w.Scrivi("Name", "ANNA") != 0;   // shrinks the file by 400 bytes
        const QByteArray b = letto.toBytes();
        return scritto && !b.contains('\0') && !b.contains("XX") && letto.read("Options", "Song", "?") == "1" &&
                       letto.read("AccessName", "Name", "?") == "ANNA" && letto.read("AccessName", "Remember", "?") == "1"
                   ? 0 : 1;
    });
    chmodOf(dir.path(), 0700);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(slurp(path()), "[Options]\r\nSong=1\r\n[AccessName]\r\nName=ANNA\r\nRemember=1\r\n");
}

} // namespace
