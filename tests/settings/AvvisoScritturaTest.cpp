// Telling the learner that a file could not be saved.
#include "settings/AvvisoScrittura.h"
#include "settings/Impostazioni.h"
#include "settings/IniManager.h"
#include "tests/support/FakeServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class SaveWarning : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString cartella;
    IniManager ini;
    fake::Services f;
    AvvisoScrittura avviso;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        cartella = dir.path() + "/";
    }
    void readOnlySettings()
    {
        QFile file(fileImpostazioni(cartella));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Options]\r\nSong=1\r\n");
        file.close();
        ASSERT_EQ(::chmod(QFile::encodeName(file.fileName()).constData(), 0444), 0);
    }
};

TEST_F(SaveWarning, failedSave_isToldOnceWithTheFileAndTheReason)
{
    readOnlySettings();
    Impostazioni imp;
    imp.suonoAttivo = false;
    EXPECT_FALSE(SalvaImpostazioni(ini, cartella, imp));   // eight writes, several fail
    EXPECT_EQ(avviso.Avvisa(ini, f.dialogs, nullptr), 1);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const auto &box = f.dialogs.shown[0];
    EXPECT_EQ(box.title, "Tastavia");
    EXPECT_EQ(box.icon, platform::Dialogs::Warning);
    EXPECT_EQ(box.buttons, platform::Dialogs::Ok);
    EXPECT_EQ(box.text, "Impossibile salvare il file " + fileImpostazioni(cartella)
                            + QString::fromUtf8(" (il file è di sola lettura). Tastavia continua, ma queste "
                                                "modifiche non saranno ricordate al prossimo avvio."));

    // The same file failing again later in the run: no second box.
    SalvaImpostazioni(ini, cartella, imp);
    EXPECT_EQ(avviso.Avvisa(ini, f.dialogs, nullptr), 0);

    // Another file: its own box.
    ini.setNome(cartella + "CorsoDattilo/Tastavia.bmk");
    ini.setSezione("MARIO");
    EXPECT_EQ(ini.Scrivi("Bookmark", "L01"), 0);
    EXPECT_EQ(avviso.Avvisa(ini, f.dialogs, nullptr), 1);
    ASSERT_EQ(f.dialogs.shown.size(), 2u);
    EXPECT_TRUE(f.dialogs.shown[1].text.contains(QString::fromUtf8("(la cartella non consente di scrivere)")));
}

TEST_F(SaveWarning, successfulOrRefusedWrites_showNothing)
{
    Impostazioni imp;
    EXPECT_TRUE(SalvaImpostazioni(ini, cartella, imp));
    ini.setSezione("AccessName");
    EXPECT_EQ(ini.Scrivi("Name", "A\r\n[Options]"), 0);   // refused: the caller's fault, not the disk's
    ASSERT_EQ(::chmod(QFile::encodeName(fileImpostazioni(cartella)).constData(), 0444), 0);
    EXPECT_TRUE(SalvaImpostazioni(ini, cartella, imp));   // nothing changed: fine in a read-only file
    EXPECT_EQ(avviso.Avvisa(ini, f.dialogs, nullptr), 0);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(SaveWarning, everyReason_hasItsTextAndLanguageId)
{
    const struct { ErroreScrittura::Motivo motivo; const char *id; const char *italiano; } motivi[] = {
        {ErroreScrittura::SolaLettura, "0161", "il file è di sola lettura"},
        {ErroreScrittura::DiscoPieno, "0162", "il disco è pieno"},
        {ErroreScrittura::CartellaNonScrivibile, "0163", "la cartella non consente di scrivere"},
        {ErroreScrittura::FileInUso, "0164", "il file è bloccato da un altro programma"},
        {ErroreScrittura::Altro, "0165", "errore di scrittura"},
    };
    AvvisoScrittura tradotto([](const QString &id) { return "<" + id + (id == "0160" ? " %1 %2>" : ">"); });
    AvvisoScrittura senzaTesti([](const QString &) { return QString(); });   // id missing from the file
    for (const auto &m : motivi) {
        const ErroreScrittura e{"/x/Tastavia.ini", m.motivo};
        EXPECT_TRUE(avviso.Testo(e).contains(QString::fromUtf8(m.italiano))) << m.id;
        EXPECT_EQ(tradotto.Testo(e), QString("<0160 /x/Tastavia.ini <%1>>").arg(m.id));
        EXPECT_EQ(senzaTesti.Testo(e), avviso.Testo(e));
    }
}

} // namespace
