// The practice material: built-in sentences, course lessons, exercises, texts.
#include "practice/FraseInterna.h"
#include "tests/support/Sorgenti.h"
#include "tests/material/Materiale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

using namespace materiale;

// ---------------------------------------------------------------- keyboard set

TEST(KeySet, literal_holdsTheTableEntriesOnceEach)
{
    const QString &s = caratteriTabella();
    EXPECT_EQ(s.size(), 121);
    EXPECT_EQ(QSet<QChar>(s.begin(), s.end()).size(), 121);
}

// ---------------------------------------------------------- built-in sentences

TEST(FraseInterna, numbersOutsideTheRange_giveEmptyText)
{
    for (int n : {-32768, -1, 0, 46, 100, 32767})
        EXPECT_TRUE(FraseInterna(n).isEmpty()) << n;
    for (int n = 1; n <= 45; ++n)
        EXPECT_FALSE(FraseInterna(n).trimmed().isEmpty()) << n;
}

TEST(FraseInterna, allSentences_areDistinctAndTypeable)
{
    QSet<QString> viste;
    for (int n = 1; n <= 45; ++n) {
        const QString f = FraseInterna(n);
        EXPECT_FALSE(viste.contains(f)) << n;
        viste.insert(f);
        const QString extra = n == 38 ? QStringLiteral("\n\u2019") : QStringLiteral("\n");
        EXPECT_EQ(senzaTasto(f, extra), QString()) << n;
        EXPECT_FALSE(f.contains(QRegularExpression(QStringLiteral("\\S@\\S")))) << n;
        EXPECT_FALSE(f.contains(QStringLiteral("www"), Qt::CaseInsensitive)) << n;
        EXPECT_FALSE(f.contains(QStringLiteral("http"), Qt::CaseInsensitive)) << n;
        for (const QString &riga : f.split(QStringLiteral("\r\n")))
            EXPECT_LE(riga.size(), 65) << n;
    }
}

TEST(FraseInterna, levelOne_isLowerCaseWordsWithoutDigitsOrPunctuation)
{
    bool accenti = false;
    for (int n = 1; n <= 15; ++n) {
        const QString f = FraseInterna(n);
        for (QChar c : f)
            EXPECT_TRUE(c.isLower() || c == u' ' || c == u'\'') << n << " " << QString(c).toStdString();
        const qsizetype parole = f.split(u' ', Qt::SkipEmptyParts).size();
        EXPECT_GE(parole, 6) << n;
        EXPECT_LE(parole, 12) << n;
        accenti = accenti || f.contains(QRegularExpression(QStringLiteral("[àâäéèêëîïôöùûüç]")));
    }
    EXPECT_TRUE(accenti);
}

TEST(FraseInterna, levelTwo_isOneCapitalisedSentenceOnOneLine)
{
    for (int n = 16; n <= 30; ++n) {
        const QString f = FraseInterna(n);
        EXPECT_TRUE(f.at(0).isUpper()) << n;
        EXPECT_TRUE(f.endsWith(u'.') || f.endsWith(u'!')) << n;
        EXPECT_FALSE(f.contains(u'\r') || f.contains(u'\n')) << n;
        EXPECT_FALSE(f.contains(QRegularExpression(QStringLiteral("\\d")))) << n;
    }
}

TEST(FraseInterna, levelThree_isTwoLinesWithDigitsAndSymbols)
{
    QString tutto;
    for (int n = 31; n <= 45; ++n) {
        const QString f = FraseInterna(n);
        EXPECT_EQ(f.count(QStringLiteral("\r\n")), 1) << n;
        EXPECT_EQ(f.count(u'\r'), 1) << n;
        EXPECT_EQ(f.count(u'\n'), 1) << n;
        EXPECT_FALSE(f.startsWith(QStringLiteral("\r\n")) || f.endsWith(QStringLiteral("\r\n"))) << n;
        EXPECT_TRUE(f.contains(QRegularExpression(QStringLiteral("\\d")))) << n;
        EXPECT_EQ(f.contains(u'\u2019'), n == 38) << n;
        tutto += f;
    }
    for (QChar c : QStringLiteral("+-=%€$#@*/"))
        EXPECT_TRUE(tutto.contains(c)) << QString(c).toStdString();
    EXPECT_TRUE(tutto.contains(QStringLiteral("  ")));
    EXPECT_TRUE(tutto.contains(QStringLiteral(" ,")));
}

// ------------------------------------------------------------- exercise files

namespace {

void controllaEsercizio(const QString &path)
{
    SCOPED_TRACE(QFileInfo(path).fileName().toStdString());
    const QByteArray b = leggiFile(path);
    ASSERT_FALSE(b.isEmpty());
    EXPECT_TRUE(soloCrLf(b));
    const QString testo = testoEsercizio(b);
    EXPECT_FALSE(testo.contains(QChar(0xFFFD)));
    // Code page 1252 unless the text needs a character it lacks (the narrow
    // no-break space): then UTF-8 with a byte-order mark, as the reader expects.
    const bool serveUtf8 = !inCp1252(testo);
    EXPECT_EQ(b.startsWith(bomUtf8), serveUtf8) << "UTF-8 with a mark exactly when code page 1252 cannot hold the text";
    if (b.startsWith(bomUtf8)) {
        EXPECT_EQ(testo.toUtf8(), b.mid(bomUtf8.size())) << "not valid UTF-8";
        EXPECT_FALSE(testo.contains(QChar(0xFEFF))) << "a second mark";
    }
    // UTF-8 by mistake shows up as Ã or Â followed by another high character.
    EXPECT_FALSE(testo.contains(QRegularExpression(QStringLiteral("[ÃÂ][\\x{80}-\\x{FF}]"))));

    const Sezioni s = leggiEsercizio(testo);
    for (int livello = 1; livello <= 3; ++livello) {
        const QString nome = QStringLiteral("LIVELLO%1").arg(livello);
        ASSERT_TRUE(s.contains(nome)) << livello;
        const auto &voci = s[nome];
        EXPECT_FALSE(voci.value(QStringLiteral("1")).isEmpty()) << livello;
        // A missing line would silently fall back to a built-in sentence.
        const int righe = voci.value(QStringLiteral("6")).isEmpty() ? 5 : 15;
        for (int k = 1; k <= righe; ++k) {
            const QString v = voci.value(QString::number(k));
            EXPECT_FALSE(v.isEmpty()) << livello << "/" << k;
            // The reader takes a pair of outer quotes off, as Windows does.
            EXPECT_FALSE(v.size() >= 2 && v.front() == v.back() && (v.front() == u'"' || v.front() == u'\''))
                << "outer quotes would be lost: " << livello << "/" << k;
            EXPECT_EQ(senzaTasto(v, separatore), QString()) << livello << "/" << k;
            const QStringList parti = v.split(separatore);
            EXPECT_LE(parti.size(), 2) << livello << "/" << k;
            for (const QString &p : parti) {
                EXPECT_FALSE(p.trimmed().isEmpty()) << livello << "/" << k;
                EXPECT_FALSE(p.contains(u'\u00A6')) << "lone broken bar " << livello << "/" << k;
                EXPECT_LE(p.trimmed().size(), 58) << livello << "/" << k;
            }
        }
        if (righe == 5) {
            EXPECT_FALSE(voci.contains(QStringLiteral("7"))) << livello;
        }
    }
}

} // namespace

TEST(CourseLessons, everyLesson_hasThreeFullTypeableLevels)
{
    const QStringList lezioni = filesIn(QStringLiteral("CorsoDattilo"), QStringLiteral("*.ftd"));
    EXPECT_GE(lezioni.size(), 20);
    for (const QString &p : lezioni)
        controllaEsercizio(p);
}

TEST(CustomExercises, everyExercise_hasThreeFullTypeableLevels)
{
    const QStringList esercizi = filesIn(QStringLiteral("Esercizi"), QStringLiteral("*.ftd"));
    EXPECT_GE(esercizi.size(), 6);
    int cinqueRighe = 0;
    for (const QString &p : esercizi) {
        controllaEsercizio(p);
        const Sezioni s = leggiEsercizio(testoEsercizio(leggiFile(p)));
        cinqueRighe += s.value(QStringLiteral("LIVELLO1")).value(QStringLiteral("6")).isEmpty();
    }
    EXPECT_GE(cinqueRighe, 2);
}

TEST(TextFiles, everyText_isBelowTheSizeLimitAndTypeable)
{
    const QStringList testi = filesIn(QStringLiteral("Esercizi"), QStringLiteral("*.txt"));
    EXPECT_GE(testi.size(), 4);
    int utf8 = 0;
    for (const QString &p : testi) {
        SCOPED_TRACE(QFileInfo(p).fileName().toStdString());
        const QByteArray b = leggiFile(p);
        ASSERT_FALSE(b.isEmpty());
        EXPECT_LT(b.size(), 26000) << "longer files are refused";
        EXPECT_FALSE(b.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(soloCrLf(b));
        QString testo = QString::fromUtf8(b);
        if (testo.toUtf8() == b && testo.contains(QRegularExpression(QStringLiteral("[^\\x{0}-\\x{7F}]"))))
            ++utf8;
        else
            testo = daCp1252(b);
        // Typographic quotes are converted while typing; tabs and LF are not.
        EXPECT_EQ(senzaTasto(testo, QStringLiteral("\n\u2019\u201C\u201D")), QString());
    }
    EXPECT_EQ(utf8, 1);
}

TEST(HelpPages, indexAndLayoutPage_exist)
{
    for (const char *nome : {"index.html", "1001.html"}) {
        const QByteArray b = leggiFile(cartellaSorgenti() + QStringLiteral("/data/Guida/") + QLatin1String(nome));
        EXPECT_TRUE(b.contains("<html")) << nome;
        EXPECT_TRUE(b.toLower().contains("charset=\"utf-8\"") || b.toLower().contains("charset=utf-8")) << nome;
    }
}
