// The language window: its list, the question before another language is
// taken, the translation's information and its own texts.
#include "settings/frmLanguage.h"
#include "settings/modLanguageSupport.h"
#include "tests/support/FakeServices.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LanguageWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString cartella;
    fake::Dialogs dialogs;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        cartella = dir.path() + "/";
    }

    void lingua(const QString &nome, const QByteArray &contenuto = "[Strings]\r\n")
    {
        QDir(cartella).mkpath("Lang");
        QFile f(cartella + "Lang/" + nome + ".lng");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }

    QStringList voci(const frmLanguage &w)
    {
        QStringList v;
        for (int i = 0; i < w.cboFileLanguage->count(); ++i)
            v << w.cboFileLanguage->itemText(i);
        return v;
    }

    TestoLingua lookup(const QString &nome)
    {
        const QString file = modLanguageSupport::FileDellaLingua(cartella, nome);
        return modLanguageSupport::CreaTestoLingua([file] { return file; });
    }
};

TEST_F(LanguageWindow, noLanguageFiles_listHoldsOnlyTheBuiltInItalian)
{
    frmLanguage w(cartella, "Italian", false, dialogs);
    EXPECT_EQ(voci(w), QStringList{"Italiano [Default]"});
    EXPECT_EQ(w.cboFileLanguage->currentText(), "Italiano [Default]");
    w.cmdChiudi_Click();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(w.linguaCorrente(), "Italian");
}

TEST_F(LanguageWindow, aVeryLongEntry_keepsTheWindowInsideTheScreen_andItsTooltipWhole)
{
    const QString lungo = QString(200, 'L');   // as long as a file name may be
    lingua(lungo);
    frmLanguage w(cartella, "Italian", false, dialogs);
    ASSERT_TRUE(w.screen());
    EXPECT_LE(w.width(), w.screen()->availableGeometry().width());
    EXPECT_LT(w.cboFileLanguage->sizeHint().width(), 600);
    EXPECT_EQ(w.cboFileLanguage->itemData(0, Qt::ToolTipRole).toString(), lungo);
}

TEST_F(LanguageWindow, fillingTheList_isNotAChoiceAndTheSameLanguageAsksNothing)
{
    lingua("English");
    lingua("German");
    frmLanguage w(cartella, "German", true, dialogs);
    EXPECT_EQ(voci(w), (QStringList{"Inglese", "Tedesco", "Italiano [Default]"}));
    EXPECT_EQ(w.cboFileLanguage->currentText(), "Tedesco");
    EXPECT_EQ(w.candidata(), "German");
    w.cboFileLanguage->setCurrentIndex(0);
    w.cboFileLanguage->setCurrentIndex(1);   // back to the current one
    w.cmdChiudi_Click();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(w.linguaCorrente(), "German");
}

TEST_F(LanguageWindow, anotherLanguage_isTakenOnlyAfterYes)
{
    lingua("English");
    lingua("French");
    {
        frmLanguage w(cartella, "Italian", false, dialogs);
        w.cboFileLanguage->setCurrentText("Francese");
        dialogs.answers.push_back(platform::Dialogs::AnsNo);
        w.cmdChiudi_Click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].title, "Tastavia");
        EXPECT_EQ(dialogs.shown[0].text, "Confermi l'impostazione della lingua selezionata? ( Francese )");
        EXPECT_EQ(dialogs.shown[0].icon, platform::Dialogs::Question);
        EXPECT_EQ(dialogs.shown[0].buttons, platform::Dialogs::YesNo);
        EXPECT_EQ(w.linguaCorrente(), "Italian");
    }
    frmLanguage w(cartella, "French", true, dialogs, lookup("French"));
    w.cboFileLanguage->setCurrentText("Italiano [Default]");
    w.cmdChiudi_Click();   // the fake answers Yes
    EXPECT_EQ(dialogs.shown.back().text, "Confermi l'impostazione della lingua selezionata? ( Italiano [Default] )");
    EXPECT_EQ(w.linguaCorrente(), "Italian");
}

TEST_F(LanguageWindow, information_namesTheTranslatorInAnInformationBox)
{
    lingua("English", "[Strings]\r\n0206=Current language:\r\n0207=Author:\r\n"
                      "0555=English\r\nInfoAuthor=Ann Smith\r\nMailAuthor=\r\n");
    frmLanguage w(cartella, "English", true, dialogs, lookup("English"));
    w.cmdInfo_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Current language: English\r\n\r\nAuthor: Ann Smith");
    EXPECT_EQ(dialogs.shown[0].title, "Tastavia");
    EXPECT_EQ(dialogs.shown[0].icon, platform::Dialogs::Information);
}

TEST_F(LanguageWindow, texts_comeFromTheLanguageOrAreTheBuiltInOnes)
{
    lingua("English", "[Strings]\r\n0200=Language selection\r\n0202=Select the language to use\r\n"
                      "0203=&Close\r\n0204=Confirms and closes\r\n0205=About this translation\r\n");
    frmLanguage en(cartella, "English", true, dialogs, lookup("English"));
    EXPECT_EQ(en.windowTitle(), "Language selection");
    EXPECT_EQ(en.lblSeleziona->text(), "Select the language to use");
    EXPECT_EQ(en.cmdChiudi->text(), "&Close");
    EXPECT_EQ(en.cmdChiudi->toolTip(), "Confirms and closes");
    EXPECT_EQ(en.cmdInfo->toolTip(), "About this translation");

    frmLanguage it(cartella, "Italian", false, dialogs);
    EXPECT_EQ(it.windowTitle(), "Scelta lingua");
    EXPECT_EQ(it.lblSeleziona->text(), "Seleziona la lingua da usare");
    EXPECT_EQ(it.cmdChiudi->text(), "&Chiudi");
    EXPECT_EQ(it.cmdInfo->toolTip(), "Informazioni sulla traduzione");
}

} // namespace
