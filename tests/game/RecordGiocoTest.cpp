// The best totals in TastaviaWinner.ini: per learner, one key per level, and
// what a broken value reads as.

#include "game/RecordGioco.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Record : public ::testing::Test {
protected:
    void SetUp() override { file = FileRecord(QDir(dir.path()).absolutePath() + "/"); }

    void scrivi(const QByteArray &contenuto)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }

    QByteArray leggi() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    RecordLivelli leggiPer(const QString &nome, RecordLivelli attuali = {})
    {
        return LeggiRecord(ini, file, nome, attuali);
    }

    QTemporaryDir dir;
    QString file;
    IniManager ini;
};

TEST_F(Record, bestTotals_arePerLearner_sectionsMatchedWithoutRegardToCase)
{
    scrivi("[ANNA]\r\nDifficulty1=300\r\nDifficulty3=1250\r\n[MARCO]\r\nDifficulty2=80\r\n");
    EXPECT_EQ(leggiPer("ANNA"), (RecordLivelli{300, 0, 1250}));
    EXPECT_EQ(leggiPer("anna"), (RecordLivelli{300, 0, 1250}));
    EXPECT_EQ(leggiPer("MARCO"), (RecordLivelli{0, 80, 0}));
    EXPECT_EQ(leggiPer("LUCIA", {5, 5, 5}), (RecordLivelli{0, 0, 0}));
}

TEST_F(Record, missingFile_readsAsZeroOnEveryLevel)
{
    EXPECT_EQ(leggiPer("ANNA", {7, 7, 7}), (RecordLivelli{0, 0, 0}));
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Record, newBestOnMedio_changesOnlyDifficulty2OfThatLearner)
{
    scrivi("[anna]\r\nDifficulty1=300\r\ndifficulty2 = 90\r\nDifficulty3=1250\r\n\r\n[MARCO]\r\nDifficulty2=80\r\n");
    EXPECT_TRUE(ScriviRecord(ini, file, "ANNA", 1, 1400));
    EXPECT_EQ(leggi().toStdString(), QByteArray("[anna]\r\nDifficulty1=300\r\ndifficulty2 = 1400\r\nDifficulty3=1250\r\n\r\n"
                                  "[MARCO]\r\nDifficulty2=80\r\n").toStdString());
    EXPECT_EQ(leggiPer("ANNA"), (RecordLivelli{300, 1400, 1250}));
}

TEST_F(Record, firstBestOfANewLearner_addsTheirSection)
{
    scrivi("[MARCO]\r\nDifficulty2=80\r\n");
    EXPECT_TRUE(ScriviRecord(ini, file, "ANNA", 2, -5));
    EXPECT_EQ(leggi(), QByteArray("[MARCO]\r\nDifficulty2=80\r\n[ANNA]\r\nDifficulty3=-5\r\n"));
}

TEST_F(Record, valueMadeOfLetters_readsAsZero)
{
    scrivi("[ANNA]\r\nDifficulty1=molti\r\nDifficulty2=\r\nDifficulty3=12abc\r\n");
    EXPECT_EQ(leggiPer("ANNA", {9, 9, 9}), (RecordLivelli{0, 0, 0}));
}

TEST_F(Record, valueBeyond32Bits_keepsWhatTheLevelHad_andTheOtherLevelsAreStillRead)
{
    scrivi("[ANNA]\r\nDifficulty1=99999999999\r\nDifficulty2=40\r\nDifficulty3=-3000000000\r\n");
    EXPECT_EQ(leggiPer("ANNA", {11, 22, 33}), (RecordLivelli{11, 40, 33}));
}

TEST_F(Record, fraction_goesToTheNearestInteger_halvesToEven)
{
    EXPECT_EQ(ValoreRecord("2.5", QLocale::c()), 2);
    EXPECT_EQ(ValoreRecord("3.5", QLocale::c()), 4);
    EXPECT_EQ(ValoreRecord(" 17 ", QLocale::c()), 17);
    EXPECT_EQ(ValoreRecord("2147483647", QLocale::c()), 2147483647);
    EXPECT_EQ(ValoreRecord("2147483648", QLocale::c()), std::nullopt);
}

TEST_F(Record, numbersFollowTheLocale_andPlainDigitsAlwaysRead)
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(ValoreRecord("1.234", italiano), 1234);
    EXPECT_EQ(ValoreRecord("12,5", italiano), 12);
    EXPECT_EQ(ValoreRecord("3600", italiano), 3600);
}

TEST_F(Record, emptyLearnerName_neverTouchesTheFile)
{
    ini.setNome("altro.ini");
    ini.setSezione("Options");
    EXPECT_EQ(leggiPer("", {4, 5, 6}), (RecordLivelli{4, 5, 6}));
    EXPECT_FALSE(ScriviRecord(ini, file, "", 0, 100));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(ini.nome(), "altro.ini");
    EXPECT_EQ(ini.sezione(), "Options");
}

TEST_F(Record, failedWrite_isReportedToTheCaller_andLeavesNoFile)
{
    const QString altrove = dir.path() + "/manca/TastaviaWinner.ini";
    EXPECT_FALSE(ScriviRecord(ini, altrove, "ANNA", 0, 100));
    EXPECT_FALSE(QFile::exists(altrove));
}

TEST_F(Record, learnerNameWithALineBreak_isRefused_andInjectsNothing)
{
    scrivi("[MARCO]\r\nDifficulty1=80\r\n");
    EXPECT_FALSE(ScriviRecord(ini, file, "ANNA]\r\n[MARCO", 0, 99999));
    EXPECT_EQ(leggi(), QByteArray("[MARCO]\r\nDifficulty1=80\r\n"));
}

} // namespace
