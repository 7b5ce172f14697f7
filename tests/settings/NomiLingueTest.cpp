// Learners' names as keys of the bookmark file, and language files written
// by a translator's editor as UTF-8 or code page 1252.

#include "settings/IniManager.h"
#include "settings/NomeUtente.h"
#include "settings/Segnalibro.h"
#include "settings/modLanguageSupport.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString nome(const QString &digitato)
{
    return NomeMaiuscolo(FiltraNome(digitato).testo).trimmed();
}

TEST(NomiDeiLearner, sameNameSameLearner_differentNamesDifferentLearners)
{
    const QString eAcuta = QString::fromUtf8("Jos\u00E9"), eDecomposta = QString::fromUtf8("Jose\u0301");
    struct Caso {
        QString a, b;
        bool stesso;
    } casi[] = {
        {QString::fromUtf8("Weiß"), "Weiss", false},
        {QString::fromUtf8("weiß"), QString::fromUtf8("WEIß"), true},
        {eAcuta, eDecomposta, true},
        {eAcuta, "Jose", false},
        {"anna", "ANNA", true},
    };
    for (const Caso &c : casi)
        EXPECT_EQ(nome(c.a) == nome(c.b), c.stesso) << c.a.toStdString() << " / " << c.b.toStdString();
    // Ordinary names keep the keys existing files already hold.
    EXPECT_EQ(nome(QString::fromUtf8(" Élise Müller ")), QString::fromUtf8("ÉLISE MÜLLER"));
    EXPECT_EQ(nome(eDecomposta), QString::fromUtf8("JOSÉ"));
    EXPECT_EQ(nome(QString::fromUtf8("Weiß")), QString::fromUtf8("WEIß"));
}

TEST(NomiDeiLearner, weissAndWeißKeepSeparateBookmarks)
{
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "CorsoDattilo");
    fake::Dialogs dialogs;
    IniManager ini;
    dialogs.answers.push_back(platform::Dialogs::AnsYes);
    dialogs.answers.push_back(platform::Dialogs::AnsYes);
    SalvaSegnalibro(ini, dialogs, nullptr, cartella, nome(QString::fromUtf8("Weiß")), "CorsoDattilo/LEZ03.ftd",
                    false, QStringList(6, "?"));
    SalvaSegnalibro(ini, dialogs, nullptr, cartella, nome("Weiss"), "CorsoDattilo/LEZ07.ftd", false,
                    QStringList(6, "?"));
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, nome(QString::fromUtf8("Weiß"))), "LEZ03");
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, nome("Weiss")), "LEZ07");
}

TEST(FileDiLingua, utf8WithOrWithoutMarkAndCodePage1252_giveTheSameTexts)
{
    QTemporaryDir dir;
    const QString testo = QString::fromUtf8("Vérifiez l'été – « ça »");
    const QByteArray utf8 = "[Strings]\r\n0037=" + testo.toUtf8() + "\r\n";
    struct Caso {
        const char *file;
        QByteArray dati;
    } casi[] = {
        {"utf8.lng", utf8},
        {"bom.lng", "\xEF\xBB\xBF" + utf8},
        {"ansi.lng", "[Strings]\r\n0037=V\xE9rifiez l'\xE9t\xE9 \x96 \xAB \xE7" "a \xBB\r\n"},
    };
    for (const Caso &c : casi) {
        QFile f(dir.filePath(c.file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.dati);
        f.close();
        EXPECT_EQ(modLanguageSupport::TestoLingua(dir.filePath(c.file), "0037"), testo) << c.file;
    }
}

TEST(FileDiLingua, fifoOrDeviceAsLanguageFile_isNeverReadAndNeverBlocks)
{
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Lang");
    ASSERT_EQ(::mkfifo(QFile::encodeName(cartella + "Lang/Coda.lng").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", cartella + "Lang/Zero.lng"));
    for (const QString lingua : {"Coda", "Zero"}) {
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(modLanguageSupport::FileLinguaPresente(cartella, lingua));
        EXPECT_EQ(modLanguageSupport::ProblemaFileLingua(cartella, lingua).esito, filesicuri::Esito::NonRegolare);
        EXPECT_TRUE(modLanguageSupport::TestoLingua(cartella + "Lang/" + lingua + ".lng", "0037").isEmpty());
        EXPECT_LT(t.elapsed(), 1000);
    }
}

} // namespace
