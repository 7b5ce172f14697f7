// The in-memory INI core: reading, quotes, where writes go, what they keep,
// deletions, refusals and encodings.
#include "settings/IniDocument.h"

#include <gtest/gtest.h>

namespace {

using R = IniDocument::Result;

IniDocument doc(const QByteArray &bytes) { return IniDocument::fromBytes(bytes); }
// Reads through both entry points (the editable document and the plain
// reader of a file's bytes), which must always agree.
QString get(const QByteArray &bytes, const char *s, const char *k, const QString &def = QStringLiteral("DEF"))
{
    const QString section = QString::fromUtf8(s), key = QString::fromUtf8(k);
    const QString viaDocument = doc(bytes).read(section, key, def);
    EXPECT_EQ(IniDocument::read(bytes, section, key, def), viaDocument);
    return viaDocument;
}
QByteArray afterWrite(const QByteArray &bytes, const QString &s, const QString &k, const QString &v)
{
    IniDocument d = doc(bytes);
    EXPECT_NE(d.write(s, k, v), R::Refused);
    return d.toBytes();
}

// ---- Reading ----

TEST(IniRead, lineEndings_anyRunOfCrLfEndsALine)
{
    const QByteArray f = "[s]\r\na=1\nb=2\rc=3\r\r\n\n\rd=4";
    EXPECT_EQ(get(f, "s", "a"), "1");
    EXPECT_EQ(get(f, "s", "b"), "2");
    EXPECT_EQ(get(f, "s", "c"), "3");
    EXPECT_EQ(get(f, "s", "d"), "4");
}

TEST(IniRead, trimming_blanksAndControlSetAroundNamesAndValues)
{
    const QByteArray f = " \t[ s ]\x0b\n\x0c k = v  v \x1a\n";
    EXPECT_EQ(get(f, "s", "k"), "v  v");
    EXPECT_EQ(get(f, "  S ", " K\t"), "v  v");
}

TEST(IniRead, sectionHeaders_followTheFirstAndLastBracket)
{
    const QByteArray f = "[a]b]\nx=1\n[T] junk\nx=2\n[k]=v\nx=3\n[abc\nx=4\n";
    EXPECT_EQ(get(f, "a]b", "x"), "1");
    EXPECT_EQ(get(f, "T", "x"), "2");
    EXPECT_EQ(get(f, "k", "x"), "3");
    EXPECT_EQ(get(f, "k", "[abc"), "DEF");  // "[abc" has no "=": a bare name
}

TEST(IniRead, keyLines_firstEqualsSplitsAndCommentsAreOrdinary)
{
    const QByteArray f = "[s]\nk=a=b\n;k=x\n#h=y\nn=v ; note\ne=\nbare\n";
    EXPECT_EQ(get(f, "s", "k"), "a=b");
    EXPECT_EQ(get(f, "s", ";k"), "x");
    EXPECT_EQ(get(f, "s", "#h"), "y");
    EXPECT_EQ(get(f, "s", "n"), "v ; note");
    EXPECT_EQ(get(f, "s", "e"), "");          // empty is not missing
    EXPECT_EQ(get(f, "s", "bare"), "DEF");    // no "=": the default
    EXPECT_EQ(get(f, "s", "missing"), "DEF");
    EXPECT_EQ(get(f, "nosection", "k"), "DEF");
    EXPECT_EQ(get("", "s", "k"), "DEF");
}

TEST(IniRead, duplicates_firstSectionAndFirstKeyWin)
{
    const QByteArray f = "[S]\nk=1\nk=2\n[s]\nk=3\nj=4\n";
    EXPECT_EQ(get(f, "s", "k"), "1");
    EXPECT_EQ(get(f, "s", "j"), "DEF");  // only the first [s] is looked at
}

TEST(IniRead, keysBeforeAnySection_belongToNone)
{
    EXPECT_EQ(get("k=1\n[s]\nj=2\n", "s", "k"), "DEF");
}

TEST(IniRead, nul_endsNameAndValue)
{
    const char raw[] = "[s]\nk=ab\0cd\nn\0x=2\n";
    const QByteArray f(raw, sizeof raw - 1);
    EXPECT_EQ(get(f, "s", "k"), "ab");
    EXPECT_EQ(get(f, "s", "n"), "2");
}

TEST(IniRead, caseFolding_coversAccentedLettersOfCp1252)
{
    const QByteArray f = "[\xc0" "CC\xc8" "SSO]\n\x8a\xe9=1\n";  // [ÀCCÈSSO] Šé=1
    EXPECT_EQ(get(f, "àccèsso", "šÉ"), "1");
}

TEST(IniRead, default_losesTrailingSpacesOnly)
{
    EXPECT_EQ(get("", "s", "k", QStringLiteral("  default  ")), "  default");
}

TEST(IniRead, buffer_atMost254CharactersComeBack)
{
    const QByteArray v(300, 'x');
    const QString got = get("[s]\nk=" + v + "\n", "s", "k");
    EXPECT_EQ(got.size(), 254);
    EXPECT_EQ(get("", "s", "k", QString(300, u'd')).size(), 254);
    EXPECT_EQ(get("[s]\nk=" + QByteArray(254, 'y') + "\n", "s", "k").size(), 254);
}

// ---- Quotes ----

TEST(IniQuotes, matchingQuotes_lose_oneCharacterEachEnd)
{
    const QByteArray f = "[s]\na=\"a\"b\"\nb=\" a \"\nc=\"\"\nd='x'\ne=\"\nf=\"x'\ng=x\"\nh='\n";
    EXPECT_EQ(get(f, "s", "a"), "a\"b");
    EXPECT_EQ(get(f, "s", "b"), " a ");
    EXPECT_EQ(get(f, "s", "c"), "");
    EXPECT_EQ(get(f, "s", "d"), "x");
    EXPECT_EQ(get(f, "s", "e"), "\"");
    EXPECT_EQ(get(f, "s", "f"), "\"x'");
    EXPECT_EQ(get(f, "s", "g"), "x\"");
    EXPECT_EQ(get(f, "s", "h"), "'");
}

// ---- Where writes go ----

TEST(IniWritePlacement, missingFileOrSection_appendedWithoutBlankLine)
{
    EXPECT_EQ(afterWrite("", "Opt", "k", "v"), "[Opt]\r\nk=v\r\n");
    EXPECT_EQ(afterWrite("[a]\nx=1\n", "b", "k", "v"), "[a]\nx=1\n[b]\r\nk=v\r\n");
    // An unterminated last line is ended first.
    EXPECT_EQ(afterWrite("[a]\nx=1", "b", "k", "v"), "[a]\nx=1\r\n[b]\r\nk=v\r\n");
}

TEST(IniWritePlacement, missingKey_afterTheLastLineOfItsSection)
{
    EXPECT_EQ(afterWrite("[a]\nx=1\n\n[b]\ny=2\n", "a", "k", "v"), "[a]\nx=1\nk=v\r\n\n[b]\ny=2\n");
    EXPECT_EQ(afterWrite("[a]\n[b]\n", "A", "k", "v"), "[a]\nk=v\r\n[b]\n");
    EXPECT_EQ(afterWrite("[a]\n; note\n", "a", "k", "v"), "[a]\n; note\nk=v\r\n");
    EXPECT_EQ(afterWrite("[a]\nx=1", "a", "k", "v"), "[a]\nx=1\r\nk=v\r\n");
}

TEST(IniWritePlacement, existingKey_keepsTheFileSpellingAndChangesOnlyTheValue)
{
    EXPECT_EQ(afterWrite("[OPTIONS]\n  Song = 0  \n", "options", "SONG", "1"), "[OPTIONS]\n  Song = 1\n");
    EXPECT_EQ(afterWrite("[s]\nk=\r\n", "s", "k", "v"), "[s]\nk=v\r\n");
    EXPECT_EQ(afterWrite("[s]\nBare\nk=1\n", "s", "bare", "v"), "[s]\nBare=v\nk=1\n");
    EXPECT_EQ(afterWrite("[s]\nk=1\nk=2\n", "s", "k", "3"), "[s]\nk=3\nk=2\n");
}

TEST(IniWritePlacement, value_leadingBlanksDroppedAndEmptyWritesKeyEquals)
{
    EXPECT_EQ(afterWrite("", "s", "k", "   v "), "[s]\r\nk=v \r\n");
    EXPECT_EQ(afterWrite("", "s", "k", ""), "[s]\r\nk=\r\n");
    IniDocument d = doc("[s]\r\nk=\r\n");
    EXPECT_EQ(d.read("s", "k", "D"), "");
}

TEST(IniWritePlacement, sameValue_leavesTheFileUntouched)
{
    IniDocument d = doc("[s]\n k = Abc \n");
    EXPECT_EQ(d.write("S", "K", "Abc"), R::Unchanged);
    EXPECT_EQ(d.write("s", "k", "abc"), R::Changed);  // case matters for values
    EXPECT_EQ(d.toBytes(), "[s]\n k = abc\n");
}

// ---- What writes keep ----

TEST(IniBytes, unchangedLines_keepTheirExactBytes)
{
    const QByteArray original = "; top\r\n\r\n  [a]  \n\tx = 1 ; c\r\n[b]\rodd line\r\n#h\n\n[c]\r\nz=9";
    IniDocument d = doc(original);
    EXPECT_EQ(d.toBytes(), original);
    ASSERT_EQ(d.write("b", "new", "v"), R::Changed);
    EXPECT_EQ(d.toBytes().toStdString(),
              "; top\r\n\r\n  [a]  \n\tx = 1 ; c\r\n[b]\rodd line\r\n#h\nnew=v\r\n\n[c]\r\nz=9");
    ASSERT_EQ(d.write("a", "X", "2"), R::Changed);
    EXPECT_EQ(d.toBytes().toStdString(),
              "; top\r\n\r\n  [a]  \n\tx = 2\r\n[b]\rodd line\r\n#h\nnew=v\r\n\n[c]\r\nz=9");
}

// ---- Deleting ----

TEST(IniDelete, key_removesItsLineAndKeepsTheHeader)
{
    IniDocument d = doc("[a]\nk=1\n[b]\nj=2\n");
    EXPECT_EQ(d.removeKey("A", "K"), R::Changed);
    EXPECT_EQ(d.toBytes(), "[a]\n[b]\nj=2\n");
    EXPECT_EQ(d.removeKey("a", "k"), R::Unchanged);
    EXPECT_EQ(d.removeKey("zz", "k"), R::Unchanged);
}

TEST(IniDelete, section_removesEverythingUpToTheNextHeader)
{
    IniDocument d = doc("[a]\nk=1\n; comment\n\n[B]\nj=2\n; c\n[c]\nz=3");
    EXPECT_EQ(d.removeSection("b"), R::Changed);
    EXPECT_EQ(d.toBytes(), "[a]\nk=1\n; comment\n\n[c]\nz=3");
    EXPECT_EQ(d.removeSection("c"), R::Changed);
    EXPECT_EQ(d.toBytes(), "[a]\nk=1\n; comment\n\n");
    EXPECT_EQ(d.removeSection("nothere"), R::Unchanged);
}

// ---- Refusals ----

TEST(IniRefusals, emptyNames_areRefused)
{
    IniDocument d;
    EXPECT_EQ(d.write("", "k", "v"), R::Refused);
    EXPECT_EQ(d.write("s", "  ", "v"), R::Refused);
    EXPECT_EQ(d.removeKey("s", ""), R::Refused);
    EXPECT_EQ(d.removeSection(" "), R::Refused);
    EXPECT_EQ(d.toBytes(), "");
}

TEST(IniRefusals, lineBreaks_cannotInjectKeysOrSections)
{
    IniDocument d = doc("[AccessName]\r\nRemember=0\r\n");
    EXPECT_EQ(d.write("AccessName", "Name", "MARIO\r\nRemember=1"), R::Refused);
    EXPECT_EQ(d.write("AccessName", "Name", "X\n[Options]"), R::Refused);
    EXPECT_EQ(d.write("MARIO\r\n[Options]", "Bookmark", "x"), R::Refused);
    EXPECT_EQ(d.write("s", "k\n", "x"), R::Refused);
    EXPECT_EQ(d.toBytes(), "[AccessName]\r\nRemember=0\r\n");
}

TEST(IniRefusals, keysThatCouldNotBeReadBack_areRefused)
{
    IniDocument d;
    EXPECT_EQ(d.write("s", "a=b", "v"), R::Refused);     // would read as key "a"
    EXPECT_EQ(d.write("s", "[x]", "v"), R::Refused);     // would read as a header
    EXPECT_EQ(d.write("s", "[x", "v]"), R::Refused);
    EXPECT_EQ(d.write("s", "[x", "v"), R::Changed);      // no "]": an ordinary key
    EXPECT_EQ(d.read("s", "[x", ""), "v");
}

// ---- Encodings ----

TEST(IniEncoding, cp1252_readsAndWritesCodePage)
{
    IniDocument d = doc("[s]\nk=caff\xe8 \x80\n");
    EXPECT_EQ(d.read("s", "k", ""), QStringLiteral("caffè €"));
    ASSERT_EQ(d.write("s", "j", QStringLiteral("Œuvre ł")), R::Changed);
    EXPECT_EQ(d.toBytes(), "[s]\nk=caff\xe8 \x80\nj=\x8cuvre ?\r\n");
    // A name outside the code page is matched as it is stored.
    ASSERT_EQ(d.write(QStringLiteral("łukasz"), "k", "1"), R::Changed);
    EXPECT_EQ(d.read(QStringLiteral("łukasz"), "k", ""), "1");
    EXPECT_EQ(d.read("?ukasz", "k", ""), "1");
}

TEST(IniEncoding, utf8WithoutMark_isReadAsCp1252)
{
    EXPECT_EQ(get("[s]\nk=\xc3\xa8\n", "s", "k"), QStringLiteral("Ã¨"));
}

TEST(IniEncoding, utf8WithMark_isReadAndWrittenAsUtf8)
{
    IniDocument d = doc("\xef\xbb\xbf[s]\nk=\xc3\xa8\n");
    EXPECT_EQ(d.encoding(), IniDocument::Encoding::Utf8);
    EXPECT_EQ(d.read("s", "k", ""), QStringLiteral("è"));
    ASSERT_EQ(d.write("s", "j", QStringLiteral("ł€")), R::Changed);
    EXPECT_EQ(d.toBytes(), "\xef\xbb\xbf[s]\nk=\xc3\xa8\nj=\xc5\x82\xe2\x82\xac\r\n");
}

TEST(IniEncoding, markInsideAUtf8File_isAnOrdinaryCharacter)
{
    const QByteArray f = "\xef\xbb\xbf[s]\nk=1\n\xef\xbb\xbf[t]\nk=2\n";
    EXPECT_EQ(get(f, "s", "k"), "1");
    EXPECT_EQ(get(f, "t", "k"), "DEF");
}

TEST(IniEncoding, utf16BothOrders_areReadAndWrittenInTheirOrder)
{
    const QString text = QStringLiteral("[s]\r\nk=è\r\n");
    QByteArray le("\xff\xfe"), be("\xfe\xff");
    for (QChar c : text) {
        le += char(c.unicode() & 0xff);
        le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8);
        be += char(c.unicode() & 0xff);
    }
    for (const QByteArray &bytes : {le, be}) {
        IniDocument d = doc(bytes);
        EXPECT_EQ(d.read("s", "k", ""), QStringLiteral("è"));
        ASSERT_EQ(d.write("t", "n", QStringLiteral("ł")), R::Changed);
        IniDocument back = doc(d.toBytes());
        EXPECT_EQ(back.encoding(), d.encoding());
        EXPECT_EQ(back.read("t", "n", ""), QStringLiteral("ł"));
        EXPECT_EQ(back.read("s", "k", ""), QStringLiteral("è"));
        EXPECT_TRUE(d.toBytes().startsWith(bytes));
    }
}

TEST(IniEncoding, utf16OddLastByte_doesNotMisalignAppendedLines)
{
    const char raw[] = "\xff\xfe[\0s\0]\0\n\0k\0=\0v\0X";
    const QByteArray le(raw, sizeof raw - 1);
    IniDocument d = doc(le);
    EXPECT_EQ(d.toBytes(), le);
    ASSERT_EQ(d.write("t", "n", "1"), R::Changed);
    IniDocument back = doc(d.toBytes());
    EXPECT_EQ(back.read("t", "n", ""), "1");
    EXPECT_EQ(back.read("s", "k", ""), "v");
}

} // namespace
