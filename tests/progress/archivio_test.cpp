// The store on disk: what survives a killed program, a damaged file, two
// programs at once, an older schema, and a store that cannot be written.

#include "progress/ArchivioProgressi.h"
#include "progress/StatisticheProgressi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace progressi;

namespace {

Lotto UnaRiga(const QString &studente, int n, int giorno = 20260105)
{
    Lotto l;
    l.studente = studente;
    Sessione s;
    s.quando = 1767600000 + n;
    s.giorno = giorno;
    s.velocita = 100 + n % 50;
    s.punteggio = 50;
    s.battute = 40;
    s.errori = 2;
    l.sessioni.push_back(s);
    Carattere c;
    c.giorno = giorno;
    c.carattere = u'é';
    c.attesi = 3;
    c.battute = 3;
    c.errori = 1;
    c.tempi[5] = 3;
    l.caratteri.push_back(c);
    l.confusioni.push_back({giorno, u'é', u'è', 1});
    return l;
}

int64_t Conta(const QString &percorso, const char *sql)
{
    sqlite3 *db = nullptr;
    int64_t n = -1;
    if (sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return n;
}

class Archivio : public ::testing::Test {
protected:
    QString percorso() const { return dir.filePath(NomeArchivio); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Archivio, newStore_isPrivateWalAndCurrentVersion)
{
    ArchivioProgressi a(percorso());
    ASSERT_EQ(a.Apri(), Esito::Ok);
    ASSERT_EQ(a.Scrivi(UnaRiga("ANNA", 1)), Esito::Ok);
    EXPECT_EQ(QFileInfo(percorso()).permissions() & 0x0077, 0);   // nothing for group or others
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(percorso() + "-wal").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    EXPECT_EQ(Conta(percorso(), "PRAGMA user_version"), VersioneSchema);
    EXPECT_EQ(Conta(percorso(), "SELECT count(*) FROM sessioni WHERE studente = 'ANNA'"), 1);
}

// A program killed in the middle of its writes leaves every committed line.
TEST_F(Archivio, killedDuringWrites_keepsEveryCommittedRecord)
{
    int tubo[2];
    ASSERT_EQ(::pipe(tubo), 0);
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        ::close(tubo[0]);
        ArchivioProgressi a(percorso());
        for (int n = 1; n < 1000000; ++n) {
            if (a.Scrivi(UnaRiga("ANNA", n)) != Esito::Ok)
                ::_exit(2);
            const int32_t fatto = n;
            if (::write(tubo[1], &fatto, sizeof fatto) != sizeof fatto)
                ::_exit(3);
        }
        ::_exit(0);
    }
    ::close(tubo[1]);
    int32_t ultimo = 0, letto = 0;
    while (ultimo < 200 && ::read(tubo[0], &letto, sizeof letto) == sizeof letto)
        ultimo = letto;
    ::kill(figlio, SIGKILL);
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    while (::read(tubo[0], &letto, sizeof letto) == sizeof letto)
        ultimo = letto;
    ::close(tubo[0]);
    ASSERT_GE(ultimo, 200);

    ArchivioProgressi a(percorso());
    ASSERT_EQ(a.Apri(), Esito::Ok);
    EXPECT_TRUE(a.messoDaParte().isEmpty());
    const int64_t righe = Conta(percorso(), "SELECT count(*) FROM sessioni");
    EXPECT_GE(righe, ultimo);
    EXPECT_LE(righe, ultimo + 1);   // the one being written when killed, whole or not at all
    // Every write is whole: the character counts follow the lines one for one.
    EXPECT_EQ(Conta(percorso(), "SELECT sum(attesi) FROM caratteri"), righe * 3);
    EXPECT_EQ(Conta(percorso(), "SELECT sum(righe) FROM giorni"), righe);
    EXPECT_EQ(a.Scrivi(UnaRiga("ANNA", 0)), Esito::Ok);
}

// Files that are no store are moved aside (never deleted) and a fresh one made.
TEST_F(Archivio, damagedFile_isSetAsideAndAFreshStoreStarts)
{
    const struct {
        const char *caso;
        QByteArray contenuto;
    } casi[] = {
        {"text", QByteArray("[Options]\nSound=1\n").repeated(300)},
        {"zeros", QByteArray(8192, '\0').prepend("SQLite format 3")},
        {"cut header", QByteArray("SQLite format 3\0\x10\0\x01\x01", 20) + QByteArray(5000, 'x')},
    };
    for (const auto &c : casi) {
        SCOPED_TRACE(c.caso);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        {
            QFile f(percorso());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.contenuto);
        }
        ArchivioProgressi a(percorso());
        ASSERT_EQ(a.Scrivi(UnaRiga("", 1)), Esito::Ok) << a.ultimoErrore().toStdString();
        ASSERT_FALSE(a.messoDaParte().isEmpty());
        QFile aParte(a.messoDaParte());
        ASSERT_TRUE(aParte.open(QIODevice::ReadOnly));
        EXPECT_EQ(aParte.readAll(), c.contenuto);
        EXPECT_EQ(Conta(percorso(), "SELECT count(*) FROM sessioni"), 1);
    }
}

TEST_F(Archivio, twoProgramsWritingOneStore_loseNothing)
{
    constexpr int perProgramma = 150;
    pid_t figli[2];
    for (int p = 0; p < 2; ++p) {
        figli[p] = ::fork();
        ASSERT_GE(figli[p], 0);
        if (figli[p] == 0) {
            ArchivioProgressi a(percorso());
            for (int n = 0; n < perProgramma; ++n)
                if (a.Scrivi(UnaRiga(p == 0 ? "ANNA" : "LUCA", n)) != Esito::Ok)
                    ::_exit(1);
            ::_exit(0);
        }
    }
    for (pid_t f : figli) {
        int stato = 0;
        ::waitpid(f, &stato, 0);
        EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
    }
    EXPECT_EQ(Conta(percorso(), "SELECT count(*) FROM sessioni WHERE studente = 'ANNA'"), perProgramma);
    EXPECT_EQ(Conta(percorso(), "SELECT count(*) FROM sessioni WHERE studente = 'LUCA'"), perProgramma);
    // Both added to the same character rows.
    EXPECT_EQ(Conta(percorso(), "SELECT sum(attesi) FROM caratteri"), 2 * perProgramma * 3);
}

TEST_F(Archivio, storeOfTheFirstVersion_isMigratedWithItsRecords)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(percorso()).constData(), &db), SQLITE_OK);
    ASSERT_TRUE(ArchivioProgressi::Migra(db, 0, 1));
    ASSERT_EQ(sqlite3_exec(db,
        "INSERT INTO sessioni (studente, quando, giorno, evento, materiale, velocita, battute, errori)"
        " VALUES ('ANNA', 1767600000, 20260105, 0, 1, 120, 40, 4), ('ANNA', 1767600060, 20260105, 0, 1, 180, 40, 0);"
        "INSERT INTO caratteri VALUES ('ANNA', 20260105, 233, 7, 7, 2);",
        nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_EQ(Conta(percorso(), "PRAGMA user_version"), 1);

    ArchivioProgressi a(percorso());
    ASSERT_EQ(a.Scrivi(UnaRiga("ANNA", 1)), Esito::Ok) << a.ultimoErrore().toStdString();
    EXPECT_EQ(Conta(percorso(), "PRAGMA user_version"), VersioneSchema);
    Riepilogo r;
    ASSERT_TRUE(LeggiRiepilogo(a, "ANNA", 0, r));
    ASSERT_EQ(r.giorni.size(), 2u);   // the old lines summed into their day, the new one beside
    EXPECT_EQ(r.giorni[0].materiale, 0);
    EXPECT_EQ(r.giorni[1].righe, 2);
    EXPECT_DOUBLE_EQ(r.giorni[1].velocita, 150);
    ASSERT_EQ(r.caratteri.size(), 1u);
    EXPECT_EQ(r.caratteri[0].attesi, 7 + 3);
}

TEST_F(Archivio, unusableStores_answerWithoutThrowingAndAreLeftAlone)
{
    {   // a newer program's store
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(percorso()).constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE x (a); PRAGMA user_version = 99;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ArchivioProgressi a(percorso());
        EXPECT_EQ(a.Scrivi(UnaRiga("ANNA", 1)), Esito::Versione);
        EXPECT_EQ(Conta(percorso(), "PRAGMA user_version"), 99);
        QFile::remove(percorso());
    }
    if (::geteuid() != 0) {   // root writes read-only files anyway
        ArchivioProgressi nuovo(percorso());
        ASSERT_EQ(nuovo.Scrivi(UnaRiga("ANNA", 1)), Esito::Ok);
        QFile::setPermissions(percorso(), QFileDevice::ReadOwner);
        ArchivioProgressi a(percorso());
        EXPECT_EQ(a.Scrivi(UnaRiga("ANNA", 2)), Esito::SolaLettura);
        QFile::setPermissions(percorso(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    ArchivioProgressi senzaCartella(dir.filePath("manca/") + NomeArchivio);
    EXPECT_EQ(senzaCartella.Scrivi(UnaRiga("ANNA", 1)), Esito::NonAperto);
}

TEST(Tempi, classesAndMedian)
{
    EXPECT_EQ(ClasseTempo(0), 0);
    EXPECT_EQ(ClasseTempo(79), 0);
    EXPECT_EQ(ClasseTempo(80), 1);
    EXPECT_EQ(ClasseTempo(999), 10);
    EXPECT_EQ(ClasseTempo(600000), 15);
    Istogramma h{};
    EXPECT_EQ(Mediana(h), -1);
    h[5] = 4;   // 250..300 ms
    EXPECT_DOUBLE_EQ(Mediana(h), 275);
    h[10] = 4;  // and as many 800..1000 ms: the median at the top of the lower class
    EXPECT_DOUBLE_EQ(Mediana(h), 300);
}
