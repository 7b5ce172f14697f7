#include "platform/Testo.h"

#include <gtest/gtest.h>

using namespace testo;

// --- Code page 1252 ----------------------------------------------------------------

TEST(Cp1252, roundTripOfEveryByte_keepsTheBytes)
{
    QByteArray tutti;
    for (int b = 0; b < 256; ++b)
        tutti.append(char(b));
    EXPECT_EQ(aCp1252(daCp1252(tutti)), tutti);
}

TEST(Cp1252, windowsCharactersOfTheHighRange_mapToTheirCodes)
{
    EXPECT_EQ(codiceAnsi(QChar(0x20AC)), 128);   // €
    EXPECT_EQ(codiceAnsi(QChar(0x2019)), 146);   // ’
    EXPECT_EQ(codiceAnsi(QChar(0x0153)), 156);   // œ
    EXPECT_EQ(codiceAnsi(QChar(0x00E9)), 233);   // é
    EXPECT_EQ(daCodiceAnsi(0x80), QChar(0x20AC));
    EXPECT_EQ(daCodiceAnsi(0x92), QChar(0x2019));
}

TEST(Cp1252, charactersOutsideTheCodePage_becomeQuestionMarks)
{
    EXPECT_EQ(codiceAnsi(QChar(0x0416)), -1);
    EXPECT_EQ(aCp1252(QString::fromUtf8("aЖb")), "a?b");
    // A character beyond the basic plane is one "?", not two.
    EXPECT_EQ(aCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");
}

TEST(Cp1252, textDecoding_prefersValidUtf8AndFallsBackTo1252)
{
    EXPECT_EQ(decodificaTesto("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(decodificaTesto("\xEF\xBB\xBF" "caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(decodificaTesto("caf\xE9 \x80"), QString::fromUtf8("café €"));
}

// --- Number formats -----------------------------------------------------------------

TEST(Formato, roundingOfWholeNumbers_goesHalfToEven)
{
    const QLocale c(QLocale::C);
    EXPECT_EQ(formato(2.5, "0", c), "2");
    EXPECT_EQ(formato(3.5, "0", c), "4");
    EXPECT_EQ(formato(127.6, "##0", c), "128");
    EXPECT_EQ(formato(0, "##0", c), "0");
    EXPECT_EQ(formato(-1.5, "0", c), "-2");
}

TEST(Formato, decimalsAndPercentages_followTheLocale)
{
    const QLocale it(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(formato(0.125, "##0.0%", it), "12,5%");
    EXPECT_EQ(formato(0.05, "#0.0%", it), "5,0%");
    EXPECT_EQ(formato(3.14159, "0.0", it), "3,1");
    EXPECT_EQ(formato(0.5, "#.0", it), ",5");
    EXPECT_EQ(formato(1234567, "###,###", it), "1.234.567");
    EXPECT_EQ(formato(1234567, "###,###", QLocale(QLocale::C)), "1,234,567");
}

TEST(Formato, oneDecimal_roundsHalvesAwayFromZero_evenWhenBinaryFallsShort)
{
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const struct {
        double valore;
        const char *pattern, *atteso;
    } casi[] = {
        {1.0 / 16, "##0.0%", "6,3%"},   // 1 error in 16 keys
        {1.0 / 80, "#0.0%", "1,3%"},    // 0.0125 is a hair below in binary
        {0.0625, "0.0", "0,1"},         {0.25, "0.0", "0,3"},
        {-0.25, "0.0", "-0,3"},         {0.24999, "0.0", "0,2"},
        {2.5, "#.0", "2,5"},
    };
    for (const auto &c : casi)
        EXPECT_EQ(formato(c.valore, c.pattern, it), c.atteso) << c.valore << " " << c.pattern;
}

TEST(Formato, oddValues_giveATextNeverACrash)
{
    const QLocale c(QLocale::C);
    EXPECT_EQ(formato(std::numeric_limits<double>::quiet_NaN(), "0", c), "0");
    EXPECT_EQ(formato(std::numeric_limits<double>::infinity(), "0.0", c), "0.0");
    EXPECT_EQ(formato(0, "###,###", c), "");   // no digit is forced by "#"
    EXPECT_EQ(dueCifre(5), "05");
    EXPECT_EQ(dueCifre(59), "59");
}

TEST(NomeFileSicuro, namesThatWouldLeaveTheFolderOrHideTheFile_areMadeHarmless)
{
    EXPECT_EQ(testo::nomeFileSicuro("ANNA"), "ANNA");
    EXPECT_EQ(testo::nomeFileSicuro(QString::fromUtf8("Zoé Müller")), QString::fromUtf8("Zoé Müller"));
    EXPECT_EQ(testo::nomeFileSicuro("../../etc/passwd"), "_._.._etc_passwd");
    EXPECT_EQ(testo::nomeFileSicuro(".."), "_.");
    EXPECT_EQ(testo::nomeFileSicuro("A\nB\tC\x7f"), "A_B_C_");
    EXPECT_EQ(testo::nomeFileSicuro("a\\b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
}

TEST(NomeFileSicuro, longNames_leaveRoomForASuffixInAFileName)
{
    const QString lungo = testo::nomeFileSicuro(QString(254, QChar(0x00E9)));   // é, two bytes each
    EXPECT_LE(lungo.toUtf8().size(), 200);
    EXPECT_EQ(lungo, QString(100, QChar(0x00E9)));
    const QString emoji = testo::nomeFileSicuro(QString::fromUtf8("a").repeated(199) + QString::fromUtf8("😀"));
    EXPECT_EQ(emoji, QString("a").repeated(199));   // never half a character
}

TEST(Testo, deadKeyFollowedByABlankOrAnotherLetter_givesTheAccentItself)
{
    EXPECT_EQ(testo::componiAccento(Qt::Key_Dead_Circumflex, " "), "^");
    EXPECT_EQ(testo::componiAccento(Qt::Key_Dead_Diaeresis, "i"), QString::fromUtf8("ï"));
    EXPECT_EQ(testo::componiAccento(Qt::Key_Dead_Circumflex, "x"), "^x");
    EXPECT_EQ(testo::componiAccento(Qt::Key_Dead_Grave, "A"), QString::fromUtf8("À"));
    EXPECT_TRUE(testo::componiAccento(Qt::Key_A, "e").isEmpty());
}
