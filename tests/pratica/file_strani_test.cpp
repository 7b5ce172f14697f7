// Material that is not what its name says: a FIFO or a device named as an
// exercise, and exercises written by editors as UTF-8.

#include "practice/Esercizi.h"
#include "practice/modClavora.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(FileStrani, fifoOrDeviceIsRefusedWithinASecond_utf8And1252GiveTheSameLines)
{
    QTemporaryDir dir;
    const QString esercizi = dir.path() + "/Esercizi/";
    QDir().mkpath(esercizi);
    fake::Services fakes;
    modClavora s(fakes.services());
    s.cartellaProgramma = dir.path() + "/";
    Esercizi e(s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(esercizi + "coda.txt").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", esercizi + "zero.ftd"));
    for (const QString nome : {"coda.txt", "zero.ftd"}) {
        QElapsedTimer t;
        t.start();
        QString riga = "/" + nome, voce = nome;
        EXPECT_EQ(e.ApriDaRigaComando(riga), Esercizi::EsitoComando::Rifiutato);
        EXPECT_EQ(Esercizi::MotivoRifiuto(e.rifiuto, e.fileRifiutato, {}),
                  " (non è un file normale (una cartella, un dispositivo o una coda))");
        e.ScegliFile(voce, false);
        EXPECT_EQ(e.fileRifiutato, esercizi + nome);
        s.fileEsercizio = esercizi + nome;   // swapped after it was chosen
        EXPECT_FALSE(e.CaricaFileTesto());
        EXPECT_TRUE(e.LeggiVoceEsercizio(s.fileEsercizio, 1, 1).isEmpty());
        EXPECT_LT(t.elapsed(), 1000) << nome.toStdString();
    }

    const QByteArray utf8 = QString::fromUtf8("[Livello1]\r\n1=un été très chaud\r\n").toUtf8();
    const QByteArray ansi = "[Livello1]\r\n1=un \xE9t\xE9 tr\xE8s chaud";
    for (const QByteArray &dati : {utf8, "\xEF\xBB\xBF" + utf8, ansi}) {
        QFile f(esercizi + "e.ftd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size());
        f.close();
        EXPECT_EQ(e.LeggiVoceEsercizio(esercizi + "e.ftd", 1, 1), QString::fromUtf8("un été très chaud"));
    }
}
