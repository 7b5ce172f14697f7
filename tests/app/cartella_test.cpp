// Where the program keeps its settings and material: beside itself in the build
// folder, in the learner's data folder once installed, filled from the shipped
// data and kept up to date with newer packages without losing the learner's edits.

#include "app/Composizione.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void scrivi(const QString &percorso, const QByteArray &testo, int secondi = 0)
{
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo);
    // A package brings its files with their own times: each version its own.
    f.setFileTime(QDateTime::fromSecsSinceEpoch(1700000000 + secondi), QFileDevice::FileModificationTime);
}

QByteArray leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// An installation under a prefix: the program in libexec/tastavia, the data where
// the build says it lies from there.
struct Installazione {
    QTemporaryDir radice;
    QString programma = radice.path() + "/libexec/tastavia";
    QString condivisi = QDir::cleanPath(programma + "/" TASTAVIA_DATI_INSTALLATI);
    QString dati = radice.path() + "/home/.local/share/Tastavia";

    Installazione() { QDir().mkpath(programma); }
    QString avvia(bool scrivibile = false) { return CartellaProgramma(programma, dati, scrivibile); }
};

} // namespace

TEST(CartellaProgramma, installedData_liesUnderShareBesideTheProgramsLibexecFolder)
{
    Installazione i;
    EXPECT_EQ(QDir(i.radice.path()).relativeFilePath(i.condivisi), "share/tastavia");
}

TEST(CartellaProgramma, installed_usesTheLearnersFolderFilledWithEverythingShipped)
{
    Installazione i;
    scrivi(i.condivisi + "/CorsoDattilo/01.ftd", "lezione");
    scrivi(i.condivisi + "/Lang/Deutsch.lng", "[Strings]");
    scrivi(i.condivisi + "/Guida/index.html", "<html>");
    scrivi(i.condivisi + "/Nuova/cartella/x.txt", "anche questa");

    // Even when the program's folder could be written (an installation into a
    // prefix of the user's own), settings never go beside an installed program.
    EXPECT_EQ(i.avvia(true), i.dati + "/");
    EXPECT_EQ(leggi(i.dati + "/CorsoDattilo/01.ftd"), "lezione");
    EXPECT_EQ(leggi(i.dati + "/Lang/Deutsch.lng"), "[Strings]");
    EXPECT_EQ(leggi(i.dati + "/Guida/index.html"), "<html>");
    EXPECT_EQ(leggi(i.dati + "/Nuova/cartella/x.txt"), "anche questa");
    EXPECT_FALSE(QFileInfo::exists(i.programma + "/Tastavia.ini"));
}

TEST(CartellaProgramma, newerPackage_addsNewFilesRefreshesUntouchedCopiesAndKeepsTheLearnersEdits)
{
    Installazione i;
    scrivi(i.condivisi + "/CorsoDattilo/01.ftd", "lezione 1");
    scrivi(i.condivisi + "/CorsoDattilo/02.ftd", "lezione 2");
    scrivi(i.condivisi + "/Esercizi/Prezzi.ftd", "prezzi");
    i.avvia();
    scrivi(i.dati + "/CorsoDattilo/02.ftd", "la mia lezione 2");
    scrivi(i.dati + "/CorsoDattilo/Tastavia.bmk", "[ANNA]");
    QFile::remove(i.dati + "/Esercizi/Prezzi.ftd");

    // The next version of the package.
    scrivi(i.condivisi + "/CorsoDattilo/01.ftd", "lezione 1 corretta", 60);
    scrivi(i.condivisi + "/CorsoDattilo/02.ftd", "lezione 2 corretta", 60);
    scrivi(i.condivisi + "/CorsoDattilo/03.ftd", "lezione 3", 60);
    i.avvia();

    EXPECT_EQ(leggi(i.dati + "/CorsoDattilo/01.ftd"), "lezione 1 corretta");
    EXPECT_EQ(leggi(i.dati + "/CorsoDattilo/02.ftd"), "la mia lezione 2");
    EXPECT_EQ(leggi(i.dati + "/CorsoDattilo/03.ftd"), "lezione 3");
    EXPECT_EQ(leggi(i.dati + "/CorsoDattilo/Tastavia.bmk"), "[ANNA]");
    // A shipped file the learner deleted stays deleted, even when a newer
    // package changes it.
    EXPECT_FALSE(QFileInfo::exists(i.dati + "/Esercizi/Prezzi.ftd"));
    scrivi(i.condivisi + "/Esercizi/Prezzi.ftd", "prezzi nuovi", 90);
    i.avvia();
    EXPECT_FALSE(QFileInfo::exists(i.dati + "/Esercizi/Prezzi.ftd"));

    // Once kept, the learner's version stays through later packages too.
    scrivi(i.condivisi + "/CorsoDattilo/02.ftd", "lezione 2 di nuovo", 120);
    i.avvia();
    EXPECT_EQ(leggi(i.dati + "/CorsoDattilo/02.ftd"), "la mia lezione 2");
}

TEST(CartellaProgramma, fileNoLongerShipped_goesWhenUntouchedAndStaysWhenTheLearnerChangedIt)
{
    Installazione i;
    scrivi(i.condivisi + "/Esercizi/vecchio.txt", "vecchio");
    scrivi(i.condivisi + "/Esercizi/mio.txt", "spedito");
    scrivi(i.condivisi + "/Esercizi/resta.txt", "resta");
    i.avvia();
    scrivi(i.dati + "/Esercizi/mio.txt", "cambiato dal corsista");
    scrivi(i.dati + "/Esercizi/proprio.txt", "scritto dal corsista");

    // The next package withdraws two of them.
    QFile::remove(i.condivisi + "/Esercizi/vecchio.txt");
    QFile::remove(i.condivisi + "/Esercizi/mio.txt");
    i.avvia();
    EXPECT_FALSE(QFileInfo::exists(i.dati + "/Esercizi/vecchio.txt"));
    EXPECT_EQ(leggi(i.dati + "/Esercizi/mio.txt"), "cambiato dal corsista");
    EXPECT_EQ(leggi(i.dati + "/Esercizi/proprio.txt"), "scritto dal corsista");
    EXPECT_EQ(leggi(i.dati + "/Esercizi/resta.txt"), "resta");
    // The record is whole and names only what is still ours.
    const QByteArray registro = leggi(i.dati + "/.copie-installate");
    EXPECT_TRUE(registro.contains("Esercizi/resta.txt"));
    EXPECT_FALSE(registro.contains("Esercizi/vecchio.txt"));
    EXPECT_FALSE(registro.contains("Esercizi/mio.txt"));
}

TEST(CartellaProgramma, copiesOfUnknownOrigin_areKeptUnlessTheyMatchTheShippedFile)
{
    // A data folder from before copies were recorded, or one the record of
    // which was lost: a file that differs may be the learner's, so it stays.
    Installazione i;
    scrivi(i.condivisi + "/Esercizi/a.txt", "spedito");
    scrivi(i.condivisi + "/Esercizi/b.txt", "uguale");
    scrivi(i.dati + "/Esercizi/a.txt", "del corsista");
    scrivi(i.dati + "/Esercizi/b.txt", "uguale");
    scrivi(i.dati + "/.copie-installate", "rotto\nsenza campi\n");
    i.avvia();
    EXPECT_EQ(leggi(i.dati + "/Esercizi/a.txt"), "del corsista");

    // One found equal to the shipped file is ours from then on.
    scrivi(i.condivisi + "/Esercizi/a.txt", "spedito 2", 60);
    scrivi(i.condivisi + "/Esercizi/b.txt", "uguale 2", 60);
    i.avvia();
    EXPECT_EQ(leggi(i.dati + "/Esercizi/a.txt"), "del corsista");
    EXPECT_EQ(leggi(i.dati + "/Esercizi/b.txt"), "uguale 2");
}

TEST(CartellaProgramma, noLearnersFolderPossible_practisesFromTheShippedData)
{
    Installazione i;
    scrivi(i.condivisi + "/CorsoDattilo/01.ftd", "lezione");
    scrivi(i.radice.path() + "/home", "a file where the home folder should be");
    EXPECT_EQ(i.avvia(), i.condivisi + "/");
}
