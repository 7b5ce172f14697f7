// Material that is not what its name says: a FIFO or a device named as an
// exercise, files too large, and files written by editors as UTF-8.

#include "app/Esercizi.h"
#include "app/Pratica.h"
#include "app/TestiClavora.h"
#include "app/modClavora.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace {

class FileStrani : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = QDir(dir.path()).absolutePath() + "/";
        QDir().mkpath(cartella + "Esercizi");
        QDir().mkpath(cartella + "CorsoDattilo");
        s = std::make_unique<modClavora>(fakes.services());
        s->cartellaProgramma = cartella;
        e = std::make_unique<Esercizi>(*s);
    }
    void scrivi(const QString &nome, const QByteArray &dati)
    {
        QFile f(cartella + nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(dati);
    }

    QTemporaryDir dir;
    QString cartella;
    fake::Services fakes;
    std::unique_ptr<modClavora> s;
    std::unique_ptr<Esercizi> e;
};

TEST_F(FileStrani, fifoDeviceOrFolderAsExercise_isRefusedWithinASecondAndSaysWhy)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(cartella + "Esercizi/coda.txt").constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(cartella + "Esercizi/coda.ftd").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", cartella + "Esercizi/zero.txt"));
    ASSERT_TRUE(QFile::link("/dev/zero", cartella + "Esercizi/zero.ftd"));
    QDir().mkpath(cartella + "Esercizi/cartella.ftd");
    for (const QString nome : {"coda.txt", "coda.ftd", "zero.txt", "zero.ftd", "cartella.ftd"}) {
        QElapsedTimer t;
        t.start();
        QString riga = "/" + nome;
        EXPECT_EQ(e->ApriDaRigaComando(riga), Esercizi::EsitoComando::Rifiutato) << nome.toStdString();
        EXPECT_TRUE(riga.isEmpty());
        EXPECT_TRUE(s->fileEsercizio.isEmpty());
        EXPECT_EQ(e->fileRifiutato, cartella + "Esercizi/" + nome);
        EXPECT_EQ(Esercizi::MotivoRifiuto(e->rifiuto, e->fileRifiutato, {}),
                  " (non è un file normale (una cartella, un dispositivo o una coda))");

        QString voce = nome;
        e->ScegliFile(voce, false);
        EXPECT_TRUE(s->fileEsercizio.isEmpty());
        EXPECT_EQ(e->fileRifiutato, cartella + "Esercizi/" + nome);

        s->fileEsercizio = cartella + "Esercizi/" + nome;   // swapped after it was chosen
        EXPECT_FALSE(e->CaricaFileTesto());
        EXPECT_EQ(e->rifiuto.esito, filesicuri::Esito::NonRegolare);
        EXPECT_TRUE(e->LeggiVoceEsercizio(s->fileEsercizio, 1, 1).isEmpty());
        s->fileEsercizio.clear();
        EXPECT_LT(t.elapsed(), 1000) << nome.toStdString();
    }
}

TEST_F(FileStrani, aChosenFileThatIsRefused_endsTheStartWithTheReason)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(cartella + "Esercizi/coda.ftd").constData(), 0600), 0);
    TestiClavora testi;
    Pratica p(*s, testi);
    Pratica::Scelta scelta;
    scelta.daLista = true;
    scelta.voce = "coda.ftd";
    scelta.listaVuota = false;
    const Pratica::EsitoAvvio esito = p.Avvia(scelta);
    EXPECT_EQ(esito.esito, Pratica::Avvio::ErroreFile);
    EXPECT_EQ(esito.fileNonLetto, cartella + "Esercizi/coda.ftd");
    EXPECT_EQ(esito.rifiuto.esito, filesicuri::Esito::NonRegolare);
}

TEST_F(FileStrani, filesOverTheirKindsLimit_areRefusedAndTheLimitIsTold)
{
    scrivi("Esercizi/lungo.txt", QByteArray(Esercizi::limiteFileTesto, 'a'));
    scrivi("Esercizi/lungo.ftd", "[Livello1]\r\n1=abc\r\n" + QByteArray(Esercizi::limiteFileEsercizio, ';'));
    QString riga = "/lungo.txt";
    EXPECT_EQ(e->ApriDaRigaComando(riga), Esercizi::EsitoComando::TroppoLungo);   // message 40, as ever
    riga = "/lungo.ftd";
    EXPECT_EQ(e->ApriDaRigaComando(riga), Esercizi::EsitoComando::Rifiutato);
    EXPECT_EQ(Esercizi::MotivoRifiuto(e->rifiuto, e->fileRifiutato, {}), " (supera il limite di 1000 KB)");
    s->fileEsercizio = cartella + "Esercizi/lungo.txt";
    EXPECT_FALSE(e->CaricaFileTesto());
    EXPECT_EQ(Esercizi::MotivoRifiuto(e->rifiuto, s->fileEsercizio, {}), " (supera il limite di 26 KB)");
}

TEST_F(FileStrani, utf8AndCodePage1252Exercises_giveTheSameLines)
{
    const QString riga = QString::fromUtf8("un été très chaud");
    const QByteArray corpo = "[Livello1]\r\n1=" + riga.toUtf8() + "\r\n2=f\xC3\xAAte\r\n";
    scrivi("Esercizi/utf8.ftd", corpo);
    scrivi("Esercizi/bom.ftd", "\xEF\xBB\xBF" + corpo);
    scrivi("Esercizi/ansi.ftd", "[Livello1]\r\n1=un \xE9t\xE9 tr\xE8s chaud\r\n2=f\xEAte\r\n");
    // Bytes that are no UTF-8 stay code page 1252, whatever they look like.
    scrivi("Esercizi/misto.ftd", "[Livello1]\r\n1=un \xE9t\xE9 tr\xE8s chaud\r\n2=f\xC3\xAAte \xE9\r\n");
    for (const QString nome : {"utf8.ftd", "bom.ftd", "ansi.ftd"}) {
        EXPECT_EQ(e->LeggiVoceEsercizio(cartella + "Esercizi/" + nome, 1, 1), riga) << nome.toStdString();
        EXPECT_EQ(e->LeggiVoceEsercizio(cartella + "Esercizi/" + nome, 1, 2), QString::fromUtf8("fête"));
    }
    EXPECT_EQ(e->LeggiVoceEsercizio(cartella + "Esercizi/misto.ftd", 1, 1), riga);
    EXPECT_EQ(e->LeggiVoceEsercizio(cartella + "Esercizi/misto.ftd", 1, 2), QString::fromUtf8("fÃªte é"));
}

} // namespace
