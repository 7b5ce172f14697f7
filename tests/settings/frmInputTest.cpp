// The learner-name dialog.
#include "settings/IniManager.h"
#include "settings/frmInput.h"
#include "tests/support/FakeServices.h"

#include <QCheckBox>
#include <QFile>
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

// Run with --gtest_also_run_disabled_tests to refresh the picture in docs/.
TEST_F(NameDialog, DISABLED_screenshot_writesDocsPicture)
{
    settings("[AccessName]\r\nName=MARIO ROSSI\r\nRemember=1\r\n");
    frmInput dlg(ini, path, f.services());
    dlg.show();
    QTest::qWait(50);
    EXPECT_TRUE(dlg.grab().save(TASTAVIA_SOURCE_DIR "/docs/frmInput.png"));
}

} // namespace
