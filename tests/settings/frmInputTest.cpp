// The learner-name dialog.
#include "settings/IniManager.h"
#include "tests/support/Sorgenti.h"
#include "settings/NomeUtente.h"
#include "settings/Segnalibro.h"
#include "settings/frmInput.h"
#include "tests/support/FakeServices.h"

#include <QCheckBox>
#include <QDir>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class NameDialog : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path;
    IniManager ini;
    fake::Services f;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Tastavia.ini");
    }
    void settings(const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString stored(const char *key)
    {
        IniManager r;
        r.setNome(path);
        r.setSezione("AccessName");
        return r.Leggi(key, "<none>");
    }
};

TEST_F(NameDialog, typedName_losesItsBlanksAndComesBackInUpperCase)
{
    frmInput dlg(ini, path, f.services());
    dlg.show();
    QTest::keyClicks(dlg.txtNomeUtente, " mario rossi ");
    EXPECT_EQ(dlg.txtNomeUtente->text(), "mario rossi ");  // the leading blank was refused
    QTest::mouseClick(dlg.cmdChiudi, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.nomeUtente(), "MARIO ROSSI");
    EXPECT_EQ(stored("Name"), "");        // not remembered
    EXPECT_EQ(stored("Remember"), "0");
}

TEST_F(NameDialog, name_stopsAtThirtyCharacters)
{
    frmInput dlg(ini, path, f.services());
    dlg.show();
    QTest::keyClicks(dlg.txtNomeUtente, QString(40, u'a'));
    EXPECT_EQ(dlg.txtNomeUtente->text().size(), 30);
}

TEST_F(NameDialog, checkBox_isEnabledOnlyWhileThereIsAName)
{
    settings("[AccessName]\r\nName=\r\nRemember=1\r\n");
    frmInput dlg(ini, path, f.services());
    dlg.show();
    EXPECT_FALSE(dlg.chkRemember->isEnabled());
    EXPECT_FALSE(dlg.chkRemember->isChecked());
    QTest::keyClicks(dlg.txtNomeUtente, "a");
    EXPECT_TRUE(dlg.chkRemember->isEnabled());
    dlg.chkRemember->setChecked(true);
    QTest::keyClick(dlg.txtNomeUtente, Qt::Key_Backspace);
    EXPECT_FALSE(dlg.chkRemember->isEnabled());
    EXPECT_FALSE(dlg.chkRemember->isChecked());
    dlg.accept();
    EXPECT_EQ(dlg.nomeUtente(), "");
    EXPECT_EQ(stored("Remember"), "0");
}

TEST_F(NameDialog, rememberedName_isShownSelectedAndKeptAtTheNextStart)
{
    {
        frmInput first(ini, path, f.services());
        first.show();
        QTest::keyClicks(first.txtNomeUtente, "anna");
        first.chkRemember->setChecked(true);
        first.accept();
        EXPECT_EQ(first.nomeUtente(), "ANNA");
    }
    EXPECT_EQ(stored("Name"), "ANNA");
    EXPECT_EQ(stored("Remember"), "1");

    frmInput next(ini, path, f.services());
    next.show();
    EXPECT_EQ(next.txtNomeUtente->text(), "ANNA");
    EXPECT_EQ(next.txtNomeUtente->selectedText(), "ANNA");
    EXPECT_TRUE(next.chkRemember->isChecked());
    EXPECT_TRUE(next.chkRemember->isEnabled());
}

TEST_F(NameDialog, untickedBox_erasesAStoredNameAndTheCloseBoxCountsAsOk)
{
    settings("[Options]\r\nSong=0\r\n[AccessName]\r\nName=MARIO\r\nRemember=1\r\n");
    frmInput dlg(ini, path, f.services());
    dlg.show();
    dlg.chkRemember->setChecked(false);
    dlg.close();
    EXPECT_EQ(dlg.nomeUtente(), "MARIO");
    EXPECT_EQ(stored("Name"), "");
    EXPECT_EQ(stored("Remember"), "0");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("[Options]\r\nSong=0\r\n"));
}

TEST_F(NameDialog, unwritableSettings_stillGiveTheName)
{
    const QString blocked = dir.filePath("file") + "/Tastavia.ini";
    settings("x");
    QFile::rename(path, dir.filePath("file"));
    frmInput dlg(ini, blocked, f.services());
    dlg.show();
    QTest::keyClicks(dlg.txtNomeUtente, "luca");
    dlg.chkRemember->setChecked(true);
    dlg.accept();
    EXPECT_EQ(dlg.nomeUtente(), "LUCA");
}

TEST_F(NameDialog, languageFile_givesTheFourTexts)
{
    frmInput dlg(ini, path, f.services(), [](const QString &id, const QString &) { return "T" + id; });
    EXPECT_EQ(dlg.lblBenvenuto->text(), "T0012");
    EXPECT_EQ(dlg.lblDigitaNome->text(), "T0096");
    EXPECT_EQ(dlg.chkRemember->text(), "T0138");
    EXPECT_EQ(dlg.cmdChiudi->text(), "T0066");

    frmInput builtIn(ini, path, f.services());
    EXPECT_EQ(builtIn.lblDigitaNome->text(), "Scrivi il tuo nome");
    EXPECT_EQ(builtIn.chkRemember->text(), "Ricorda il tuo nome al prossimo accesso");
    EXPECT_EQ(builtIn.cmdChiudi->text(), "OK");
}

// ---- Odd names ----

TEST_F(NameDialog, pastedLineBreak_becomesABlankAndTheNameIsRemembered)
{
    frmInput dlg(ini, path, f.services());
    dlg.show();
    QGuiApplication::clipboard()->setText("luigi\nverdi\r\n");
    dlg.txtNomeUtente->paste();
    EXPECT_EQ(dlg.txtNomeUtente->text(), "luigi verdi ");
    EXPECT_TRUE(dlg.lblCaratteriTolti->isHidden());   // nothing was dropped
    dlg.chkRemember->setChecked(true);
    dlg.accept();
    EXPECT_EQ(dlg.nomeUtente(), "LUIGI VERDI");
    EXPECT_EQ(stored("Name"), "LUIGI VERDI");
    EXPECT_EQ(stored("Remember"), "1");
}

TEST_F(NameDialog, controlCharactersAndCharactersTheFilesCannotHold_areDroppedAndSaidSo)
{
    frmInput dlg(ini, path, f.services());
    dlg.show();
    dlg.txtNomeUtente->insert(QString::fromUtf8("An\x01na\u200B\u202E \x7F"));
    EXPECT_EQ(dlg.txtNomeUtente->text(), "Anna ");
    EXPECT_FALSE(dlg.lblCaratteriTolti->isHidden());
    QTest::keyClicks(dlg.txtNomeUtente, "B");
    EXPECT_TRUE(dlg.lblCaratteriTolti->isHidden());   // the next clean edit hides the line

    dlg.txtNomeUtente->clear();
    dlg.txtNomeUtente->insert(QString::fromUtf8("Иван"));
    EXPECT_EQ(dlg.txtNomeUtente->text(), "");
    EXPECT_FALSE(dlg.lblCaratteriTolti->isHidden());
    EXPECT_FALSE(dlg.chkRemember->isEnabled());
    dlg.txtNomeUtente->insert(QString::fromUtf8("Zoë Œ € 😀"));
    EXPECT_EQ(dlg.txtNomeUtente->text(), QString::fromUtf8("Zoë Œ € "));
    dlg.accept();
    EXPECT_EQ(dlg.nomeUtente(), QString::fromUtf8("ZOË Œ €"));
}

TEST_F(NameDialog, learnersWithNamesBeyondTheCodePage_neverShareABookmark)
{
    // Before, "ИВАН" and "ОЛЬГ" were both stored as "????".
    const QString cartella = dir.path() + "/";
    QDir(cartella).mkpath("CorsoDattilo");
    QStringList nomi;
    for (const char *typed : {"Иван", "Ольг", "Ivan"}) {
        frmInput dlg(ini, path, f.services());
        dlg.show();
        dlg.txtNomeUtente->insert(QString::fromUtf8(typed));
        dlg.accept();
        nomi << dlg.nomeUtente();
    }
    EXPECT_EQ(nomi, QStringList({"", "", "IVAN"}));
    f.dialogs.answers = {platform::Dialogs::AnsYes};
    SalvaSegnalibro(ini, f.dialogs, nullptr, cartella, nomi[2], "a/L03.ftd", false, QStringList());
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, nomi[0]), "");
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, nomi[2]), "L03");
}

TEST_F(NameDialog, storedNameWithForbiddenCharacters_isCleanedWhenShown)
{
    settings(QByteArray("\xEF\xBB\xBF[AccessName]\r\nName=Ren\xC3\xA9\xE2\x80\x8B \xE4\xB8\xAD\r\nRemember=1\r\n"));
    frmInput dlg(ini, path, f.services());
    dlg.show();
    EXPECT_EQ(dlg.txtNomeUtente->text(), QString::fromUtf8("René "));
    EXPECT_FALSE(dlg.lblCaratteriTolti->isHidden());
}

TEST(NomeUtente, upperCase_staysInsideTheCodePage)
{
    // "ß" stays one letter: "SS" would make "Weiß" and "Weiss" one learner.
    EXPECT_EQ(NomeMaiuscolo(QString::fromUtf8("aµƒßÿšœé")), QString::fromUtf8("AµƒßŸŠŒÉ"));
    EXPECT_EQ(FiltraNome("a\t\tb\r\n\r\nc").testo, "a b c");
    EXPECT_FALSE(FiltraNome("a\t\tb").tolti);
    EXPECT_TRUE(FiltraNome(QString::fromUtf8("a\xC2\xAD")).tolti);   // soft hyphen: invisible in a name
}

// Run with --gtest_also_run_disabled_tests to refresh the picture in docs/.
TEST_F(NameDialog, DISABLED_screenshot_writesDocsPicture)
{
    settings("[AccessName]\r\nName=MARIO ROSSI\r\nRemember=1\r\n");
    frmInput dlg(ini, path, f.services());
    dlg.show();
    QTest::qWait(50);
    EXPECT_TRUE(dlg.grab().save(cartellaSorgenti() + QStringLiteral("/docs/frmInput.png")));
}

} // namespace
