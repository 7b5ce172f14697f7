// The settings file and the course bookmark.
#include "settings/Impostazioni.h"
#include "settings/IniManager.h"
#include "settings/Segnalibro.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString cartella;
    IniManager ini;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        cartella = dir.path() + "/";
    }
    void settings(const QByteArray &bytes)
    {
        QFile f(fileImpostazioni(cartella));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    Impostazioni load(int installer = 1040)
    {
        Impostazioni imp;
        CaricaImpostazioni(ini, cartella, installer, imp);
        return imp;
    }
    void languageFile(const QString &name)
    {
        QDir(cartella).mkpath("Lang");
        QFile f(fileLingua(cartella, name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Strings]\r\n0012=Welcome\r\n");
    }
};

// ---- Loading ----

TEST_F(ProgramFolder, missingSettingsFile_givesEveryDefault)
{
    const Impostazioni imp = load();
    const Impostazioni def;
    EXPECT_EQ(imp.divisioneErgonomica, def.divisioneErgonomica);
    EXPECT_TRUE(imp.suonoAttivo);
    EXPECT_TRUE(imp.mappaTastiAttiva);
    EXPECT_TRUE(imp.evidenziaAttivo);
    EXPECT_EQ(imp.schemaColori, 0);
    EXPECT_EQ(imp.indiceModo, 0);
    EXPECT_FALSE(imp.tastieraSemplice);
    EXPECT_EQ(imp.linguaCorrente, "Italian");
    EXPECT_FALSE(imp.fileLinguaPresente);
    EXPECT_FALSE(QFile::exists(fileImpostazioni(cartella)));
}

TEST_F(ProgramFolder, flags_anyValueButZeroIsOnAndEmptyMeansDefault)
{
    settings("[Options]\r\nErgonomic=yes\r\nSong=\r\nKeyMap=0\r\nHighlight=no\r\n");
    const Impostazioni imp = load();
    EXPECT_TRUE(imp.divisioneErgonomica);
    EXPECT_TRUE(imp.suonoAttivo);        // empty counts as the default "1"
    EXPECT_FALSE(imp.mappaTastiAttiva);
    EXPECT_TRUE(imp.evidenziaAttivo);
}

TEST_F(ProgramFolder, category_onlyOneSelectsExpert)
{
    for (auto [text, expected] : {std::pair{"1", 1}, {"2", 0}, {"0", 0}, {"x", 0}, {"", 0}}) {
        settings(QByteArray("[Options]\r\nCategory=") + text + "\r\n");
        EXPECT_EQ(load().indiceModo, expected) << text;
    }
}

TEST_F(ProgramFolder, backColor_numericInRangeElseZero)
{
    for (auto [text, expected] : {std::pair{"7", 7}, {"10", 10}, {" 3 ", 3}, {"2.5", 2}, {"blue", 0},
                                   {"11", 0}, {"-1", 0}, {"99999999999", 0}, {"", 0}}) {
        settings(QByteArray("[Options]\r\nBackColor=") + text + "\r\n");
        EXPECT_EQ(load().schemaColori, expected) << text;
    }
}

TEST_F(ProgramFolder, simpleKeyb_nonZeroNumberIsOnAndTextLeavesItOff)
{
    for (auto [text, expected] : {std::pair{"1", true}, {"-1", true}, {"0", false}, {"yes", false}, {"", false}}) {
        settings(QByteArray("[Options]\r\nSimpleKeyb=") + text + "\r\n");
        EXPECT_EQ(load().tastieraSemplice, expected) << text;
    }
}

// ---- Language ----

TEST_F(ProgramFolder, noLanguageSet_comesFromTheInstallerLanguage)
{
    languageFile("French");
    const Impostazioni fr = load(1036);
    EXPECT_EQ(fr.linguaCorrente, "French");
    EXPECT_TRUE(fr.fileLinguaPresente);
    EXPECT_EQ(load(2057).linguaCorrente, "Italian");
    EXPECT_EQ(load(1031).linguaCorrente, "German");
    EXPECT_FALSE(load(1031).fileLinguaPresente);
}

TEST_F(ProgramFolder, languageSetInTheFile_winsOverTheInstaller)
{
    languageFile("English");
    settings("[Language]\r\nCurrentLanguage=English\r\n");
    const Impostazioni imp = load(1036);
    EXPECT_EQ(imp.linguaCorrente, "English");
    EXPECT_TRUE(imp.fileLinguaPresente);
}

TEST_F(ProgramFolder, languageNameWithAPath_hasNoLanguageFile)
{
    QDir(cartella).mkpath("Lang");
    QFile outside(cartella + "Evil.lng");
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    settings("[Language]\r\nCurrentLanguage=../Evil\r\n");
    const Impostazioni imp = load();
    EXPECT_EQ(imp.linguaCorrente, "../Evil");
    EXPECT_FALSE(imp.fileLinguaPresente);
}

// ---- Saving ----

TEST_F(ProgramFolder, saveThenLoad_givesTheSameValues)
{
    languageFile("Spanish");
    Impostazioni out;
    out.divisioneErgonomica = true;
    out.suonoAttivo = false;
    out.mappaTastiAttiva = false;
    out.evidenziaAttivo = false;
    out.schemaColori = 9;
    out.indiceModo = 1;
    out.tastieraSemplice = true;
    out.linguaCorrente = "Spanish";
    ASSERT_TRUE(SalvaImpostazioni(ini, cartella, out));
    const Impostazioni in = load(1040);
    EXPECT_EQ(in.divisioneErgonomica, out.divisioneErgonomica);
    EXPECT_EQ(in.suonoAttivo, out.suonoAttivo);
    EXPECT_EQ(in.mappaTastiAttiva, out.mappaTastiAttiva);
    EXPECT_EQ(in.evidenziaAttivo, out.evidenziaAttivo);
    EXPECT_EQ(in.schemaColori, out.schemaColori);
    EXPECT_EQ(in.indiceModo, out.indiceModo);
    EXPECT_EQ(in.tastieraSemplice, out.tastieraSemplice);
    EXPECT_EQ(in.linguaCorrente, out.linguaCorrente);
    EXPECT_TRUE(in.fileLinguaPresente);
}

TEST_F(ProgramFolder, save_writesEveryKeyAndKeepsTheRememberedName)
{
    settings("[AccessName]\r\nName=MARIO\r\nRemember=1\r\n");
    ASSERT_TRUE(SalvaImpostazioni(ini, cartella, Impostazioni{}));
    QFile f(fileImpostazioni(cartella));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(),
              "[AccessName]\r\nName=MARIO\r\nRemember=1\r\n"
              "[Options]\r\nErgonomic=0\r\nSong=1\r\nKeyMap=1\r\nHighlight=1\r\nSimpleKeyb=0\r\n"
              "BackColor=0\r\nCategory=0\r\n"
              "[Language]\r\nCurrentLanguage=\r\n");
}

TEST_F(ProgramFolder, saveIntoAReadOnlyPlace_failsAndLosesNothing)
{
    QFile blocker(dir.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep");
    blocker.close();
    Impostazioni imp;
    imp.suonoAttivo = false;
    EXPECT_FALSE(SalvaImpostazioni(ini, dir.path() + "/blocked/", imp));
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), "keep");
}

// ---- Bookmarks ----

class Bookmarks : public ProgramFolder {
protected:
    fake::Services f;
    const QStringList messages{"m17", "m18", "m19", "m20", "m21", "m22"};
    void SetUp() override
    {
        ProgramFolder::SetUp();
        QDir(cartella).mkpath("CorsoDattilo");
    }
    void save(const QString &name, const QString &file, bool last)
    {
        SalvaSegnalibro(ini, f.dialogs, nullptr, cartella, name, file, last, messages);
    }
    QByteArray bmk() const
    {
        QFile b(fileSegnalibri(cartella));
        return b.open(QIODevice::ReadOnly) ? b.readAll() : QByteArray("<missing>");
    }
};

TEST_F(Bookmarks, yes_remembersTheExerciseNameWithoutFolderOrExtension)
{
    f.dialogs.answers = {platform::Dialogs::AnsYes};
    save("MARIO", cartella + "CorsoDattilo/LEZIONE04.v2.txt", false);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    const auto &box = f.dialogs.shown[0];
    EXPECT_EQ(box.title, "Tastavia");
    EXPECT_EQ(box.text, "m17\r\nm18\r\nm19\r\nm20\r\nm21\r\nm22");
    EXPECT_EQ(box.icon, platform::Dialogs::Question);
    EXPECT_EQ(box.buttons, platform::Dialogs::YesNoCancel);
    EXPECT_EQ(bmk(), "[MARIO]\r\nBookmark=LEZIONE04\r\n");
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, "MARIO"), "LEZIONE04");
}

TEST_F(Bookmarks, noAndCancel_deleteOrKeepTheLearnersSection)
{
    f.dialogs.answers = {platform::Dialogs::AnsYes, platform::Dialogs::AnsYes,
                         platform::Dialogs::AnsCancel, platform::Dialogs::AnsNo};
    save("ANNA", "a/L01.txt", false);
    save("MARIO", "a/L02.txt", false);
    save("MARIO", "a/L03.txt", false);  // cancel: nothing changes
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, "MARIO"), "L02");
    save("MARIO", "a/L03.txt", false);  // no: the bookmark goes
    EXPECT_EQ(bmk(), "[ANNA]\r\nBookmark=L01\r\n");
}

TEST_F(Bookmarks, lastExercise_removesTheSectionWithoutAQuestion)
{
    f.dialogs.answers = {platform::Dialogs::AnsYes};
    save("MARIO", "a/L01.txt", false);
    save("MARIO", "a/L09.txt", true);
    EXPECT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(bmk(), "");
}

TEST_F(Bookmarks, noLearnerName_nothingIsReadOrWritten)
{
    QFile b(fileSegnalibri(cartella));
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("[]\r\nBookmark=X\r\n[ ]\r\nBookmark=Y\r\n");
    b.close();
    save("", "a/L01.txt", false);
    save("", "a/L01.txt", true);
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(bmk(), "[]\r\nBookmark=X\r\n[ ]\r\nBookmark=Y\r\n");
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, ""), "");
}

TEST_F(Bookmarks, learnerNameWithLineBreak_cannotRewriteOtherLearners)
{
    f.dialogs.answers = {platform::Dialogs::AnsYes};
    save("ANNA", "a/L01.txt", false);
    f.dialogs.answers = {platform::Dialogs::AnsYes};
    save("X]\r\n[ANNA", "a/L05.txt", false);
    EXPECT_EQ(LeggiSegnalibro(ini, cartella, "ANNA"), "L01");
}

TEST(IndiceSegnalibro, selectsTheEntryAfterTheExactMatch)
{
    const QStringList voci{"L01", "L02", "L03"};
    EXPECT_EQ(IndiceSegnalibro(voci, "L01"), 1);
    EXPECT_EQ(IndiceSegnalibro(voci, "L02"), 2);
    EXPECT_EQ(IndiceSegnalibro(voci, "L03"), 0);  // the last: start again
    EXPECT_EQ(IndiceSegnalibro(voci, "l01"), 0);  // case matters
    EXPECT_EQ(IndiceSegnalibro(voci, "GONE"), 0);
    EXPECT_EQ(IndiceSegnalibro(voci, ""), 0);
    EXPECT_EQ(IndiceSegnalibro({}, "L01"), 0);
}

TEST(NomeSenzaEstensione, cutsFolderAndEverythingFromTheFirstDot)
{
    EXPECT_EQ(nomeSenzaEstensioneSegnalibro("/x/y.d/LEZ01.a.txt"), "LEZ01");
    EXPECT_EQ(nomeSenzaEstensioneSegnalibro("LEZ02"), "LEZ02");
    EXPECT_EQ(nomeSenzaEstensioneSegnalibro("/x/.hidden"), "");
}

} // namespace
