// The course as a whole and the French of all the material: what each lesson
// brings, in what order, how much of real prose it unlocks, the spacing rule,
// the spelling, and the documentation that lists the lessons.
#include "practice/FraseInterna.h"
#include "tests/support/Sorgenti.h"
#include "settings/Segnalibro.h"
#include "tests/material/Materiale.h"
#include "ui/Caratteri.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

using namespace materiale;

namespace {

struct Lezione {
    QString nome;                        // file name without ".ftd"
    std::array<QStringList, 3> livelli;  // the values of each level, in key order
    QString caratteri;                   // every character typed, "¦¦" counted as Enter
};

const QList<Lezione> &corso()
{
    static const QList<Lezione> lezioni = [] {
        QList<Lezione> out;
        for (const QString &path : filesIn(QStringLiteral("CorsoDattilo"), QStringLiteral("*.ftd"))) {
            Lezione l;
            l.nome = QFileInfo(path).completeBaseName();
            const Sezioni s = leggiEsercizio(testoEsercizio(leggiFile(path)));
            for (int livello = 1; livello <= 3; ++livello) {
                const auto &voci = s.value(QStringLiteral("LIVELLO%1").arg(livello));
                for (int k = 1; voci.contains(QString::number(k)); ++k) {
                    const QString v = voci.value(QString::number(k));
                    l.livelli[size_t(livello - 1)] << v;
                    l.caratteri += QString(v).replace(separatore, QStringLiteral("\r"));
                }
            }
            out << l;
        }
        return out;
    }();
    return lezioni;
}

// The characters each lesson uses for the first time in the course.
const QList<QSet<QChar>> &nuoviPerLezione()
{
    static const QList<QSet<QChar>> lezioni = [] {
        QList<QSet<QChar>> out;
        QSet<QChar> visti;
        for (const Lezione &l : corso()) {
            QSet<QChar> nuovi;
            for (QChar c : l.caratteri)
                if (!visti.contains(c))
                    nuovi.insert(c);
            visti.unite(nuovi);
            out << nuovi;
        }
        return out;
    }();
    return lezioni;
}

int primaLezione(QChar c)
{
    const QList<QSet<QChar>> &nuovi = nuoviPerLezione();
    for (qsizetype i = 0; i < nuovi.size(); ++i)
        if (nuovi[i].contains(c))
            return int(i);
    return -1;
}

// The order docs/materiale.md lists characters in: every typeable character once.
const QString &ordineDoc()
{
    static const QString s = QString::fromUtf8(
        "abcdefghijklmnopqrstuvwxyz\u00E9\u00E8\u00E0\u00F9\u00E7\u00E2\u00EA\u00EE\u00F4\u00FB"
        "\u00E4\u00EB\u00EF\u00F6\u00FC\u00EC\u00F2\u02C6'-,;:!\"?./()"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890%\u00B0+=*\u20AC$\u00A3\u00A4&_<>\u00B5\u00A7\u00B2"
        "@#{}[]|\\^`~ \r") + francesi();
    return s;
}

// How docs/materiale.md writes a set of characters: blank and Enter by name,
// the two that Markdown would take for itself as entities.
QString mostra(const QSet<QChar> &caratteri)
{
    QStringList out;
    for (QChar c : ordineDoc()) {
        if (!caratteri.contains(c))
            continue;
        if (c == u' ')
            out << QStringLiteral("space");
        else if (c == u'\r')
            out << QStringLiteral("Enter");
        else if (c == QChar(0x202F))
            out << QStringLiteral("narrow no-break space");
        else if (c == u'|')
            out << QStringLiteral("&#124;");
        else if (c == u'`')
            out << QStringLiteral("&#96;");
        else
            out << QString(c);
    }
    return out.isEmpty() ? QStringLiteral("(review)") : out.join(u' ');
}

// The words of the shipped prose texts, each with its typographic apostrophes straightened.
const QStringList &paroleDeiTesti()
{
    static const QStringList parole = [] {
        QStringList out;
        const QRegularExpression parola(QStringLiteral("\\p{L}+(?:['\\x{2019}-]\\p{L}+)*"));
        for (const QString &path : filesIn(QStringLiteral("Esercizi"), QStringLiteral("*.txt"))) {
            const QString t = testoDi(path);
            for (auto it = parola.globalMatch(t); it.hasNext();)
                out << it.next().captured().replace(QChar(0x2019), u'\'');
        }
        return out;
    }();
    return parole;
}

// Share of the prose words typeable with the characters taught up to each lesson, in whole percent.
QList<int> prosaDigitabile()
{
    QList<int> out;
    QSet<QChar> noti;
    for (const QSet<QChar> &nuovi : nuoviPerLezione()) {
        noti.unite(nuovi);
        qsizetype si = 0;
        for (const QString &p : paroleDeiTesti())
            si += std::all_of(p.begin(), p.end(), [&](QChar c) { return noti.contains(c); });
        out << int(std::lround(100.0 * double(si) / double(paroleDeiTesti().size())));
    }
    return out;
}

// The share of each letter (lower-cased) and of the apostrophe among the
// letters and apostrophes of the shipped prose, in percent.
QMap<QChar, double> frequenzaLettere()
{
    QMap<QChar, double> quota;
    double tutte = 0;
    for (const QString &p : paroleDeiTesti())
        for (QChar c : p)
            if (c.isLetter() || c == u'\'') {
                quota[c.toLower()] += 1;
                tutte += 1;
            }
    for (double &q : quota)
        q = 100.0 * q / tutte;
    return quota;
}

// Every line of shipped material the learner types, with where it comes from.
struct Riga {
    QString dove;
    QString testo;
    int livelloCorso = 0;   // 1..3 for course lines, 0 for the rest
    int lezione = -1;
};

QList<Riga> tutteLeRighe()
{
    QList<Riga> out;
    for (qsizetype i = 0; i < corso().size(); ++i)
        for (int livello = 1; livello <= 3; ++livello)
            for (const QString &v : corso()[i].livelli[size_t(livello - 1)])
                for (const QString &parte : v.split(separatore))
                    out << Riga{corso()[i].nome + QStringLiteral(" L%1").arg(livello), parte, livello, int(i)};
    for (const QString &path : filesIn(QStringLiteral("Esercizi"), QStringLiteral("*.ftd"))) {
        const Sezioni s = leggiEsercizio(testoEsercizio(leggiFile(path)));
        for (auto sez = s.begin(); sez != s.end(); ++sez)
            for (const QString &v : sez.value())
                for (const QString &parte : v.split(separatore))
                    out << Riga{QFileInfo(path).fileName() + u' ' + sez.key(), parte};
    }
    for (int n = 1; n <= 45; ++n)
        for (const QString &parte : FraseInterna(n).split(QStringLiteral("\r\n")))
            out << Riga{QStringLiteral("sentence %1").arg(n), parte};
    for (const QString &path : filesIn(QStringLiteral("Esercizi"), QStringLiteral("*.txt")))
        for (const QString &parte : testoDi(path).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            out << Riga{QFileInfo(path).fileName(), parte};
    return out;
}

// Words as the spelling check sees them: letters with inner apostrophes and
// hyphens; tokens with digits (3e, 1er, 2^3) and single letters (key drills,
// unit letters) are not words.
QStringList parole(const QString &t)
{
    static const QRegularExpression parola(QStringLiteral("[\\p{L}\\p{N}]+(?:['\\x{2019}-][\\p{L}\\p{N}]+)*"));
    QStringList out;
    for (auto it = parola.globalMatch(t); it.hasNext();) {
        const QString p = it.next().captured();
        if (p.size() > 1 && !p.contains(QRegularExpression(QStringLiteral("\\d"))))
            out << p;
    }
    return out;
}

// The words hunspell's French dictionary does not know.
QSet<QString> sconosciute(const QSet<QString> &parole)
{
    QProcess p;
    p.start(QStringLiteral("hunspell"), {"-d", "fr_FR", "-i", "UTF-8", "-l"});
    if (!p.waitForStarted())
        return {};
    QStringList elenco(parole.begin(), parole.end());
    elenco.sort();
    p.write((elenco.join(u'\n') + u'\n').toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(120000);
    const QStringList righe = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return QSet<QString>(righe.begin(), righe.end());
}

bool hunspellFrancese()
{
    return !QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty() &&
           QFile::exists(QStringLiteral("/usr/share/hunspell/fr_FR.dic"));
}

// Key names are not French words, but a lesson has to name the key.
const QSet<QString> eccezioniOrtografia = {QStringLiteral("AltGr")};

} // namespace

// ------------------------------------------------------------------ the lessons

TEST(Course, lessonNames_numberedInOrderAndSayingWhatTheyTeach)
{
    const QRegularExpression forma(QStringLiteral("^(\\d\\d)_[A-Z0-9_]+$"));
    ASSERT_GE(corso().size(), 30);
    for (qsizetype i = 0; i < corso().size(); ++i) {
        const QString &nome = corso()[i].nome;
        const auto m = forma.match(nome);
        ASSERT_TRUE(m.hasMatch()) << nome.toStdString();
        EXPECT_EQ(m.captured(1).toInt(), i + 1) << nome.toStdString();
        EXPECT_GT(nome.size(), 3) << "a number alone tells nothing";
        for (const QStringList &livello : corso()[i].livelli)
            EXPECT_EQ(livello.size(), 15) << nome.toStdString() << ": fifteen lines, five drawn";
    }
}

TEST(Course, eachLesson_bringsAtMostSixNewCharacters_capitalsSeven)
{
    const QList<QSet<QChar>> nuovi = nuoviPerLezione();
    for (qsizetype i = 0; i < nuovi.size(); ++i) {
        const bool maiuscole = std::all_of(nuovi[i].begin(), nuovi[i].end(), [](QChar c) { return c.isUpper(); });
        EXPECT_LE(nuovi[i].size(), maiuscole ? 7 : 6) << corso()[i].nome.toStdString() << ": "
                                                      << mostra(nuovi[i]).toStdString();
    }
}

TEST(Course, usesEveryKeyTableCharacterFrenchNeeds)
{
    QSet<QChar> usati;
    for (const Lezione &l : corso())
        for (QChar c : l.caratteri)
            usati.insert(c);
    QSet<QChar> mai;
    for (QChar c : caratteriTipizzabili())
        if (!usati.contains(c))
            mai.insert(c);
    // ˆ (code 136) and ¤ are not French; ì and ò are Italian, ä and ö German
    // or Swedish: French words have none of them.
    const QSet<QChar> nonServono = {QChar(0x2C6), QChar(0xA4), QChar(0xEC), QChar(0xF2), QChar(0xE4), QChar(0xF6)};
    EXPECT_TRUE(nonServono.contains(mai)) << mostra(mai - nonServono).toStdString();
    EXPECT_EQ(senzaTasto(QStringList(usati.begin(), usati.end()).join(QString())), QString());
}

TEST(Course, wordsFromTheFirstLesson_lettersInFrenchFrequencyOrder)
{
    // Real words from the start: the first lesson brings e and i besides the
    // index fingers' home keys f and j.
    for (QChar c : QStringLiteral("eifj"))
        EXPECT_EQ(primaLezione(c), 0) << QString(c).toStdString();
    // A letter is never taught after one four times rarer in real prose. f and
    // j come first whatever their frequency; below 0.1 % the order is free.
    const QMap<QChar, double> quota = frequenzaLettere();
    ASSERT_GT(quota.value(u'e'), 10.0);
    for (auto a = quota.begin(); a != quota.end(); ++a) {
        if (a.value() < 0.1 || QStringLiteral("fj").contains(a.key()))
            continue;
        EXPECT_GE(primaLezione(a.key()), 0) << QString(a.key()).toStdString() << " is never taught";
        for (auto b = quota.begin(); b != quota.end(); ++b)
            if (a.value() >= 4 * b.value() && primaLezione(b.key()) >= 0 && !QStringLiteral("fj").contains(b.key())) {
                EXPECT_LE(primaLezione(a.key()), primaLezione(b.key()))
                    << QString(a.key()).toStdString() << " (" << a.value() << " %) after "
                    << QString(b.key()).toStdString() << " (" << b.value() << " %)";
            }
    }
    const int primaDiZywx = std::max(primaLezione(QChar(0xE9)), primaLezione(u'\''));
    for (QChar c : QStringLiteral("zywx"))
        EXPECT_GT(primaLezione(c), primaDiZywx) << QString(c).toStdString();
}

TEST(Course, fromTheSecondLesson_sentencesBeginWithACapitalAndEndWithAStop)
{
    ASSERT_GE(corso().size(), 2);
    for (qsizetype i = 1; i < corso().size(); ++i)
        for (const QString &frase : corso()[i].livelli[2]) {
            ASSERT_FALSE(frase.isEmpty());
            EXPECT_FALSE(frase.front().isLower()) << corso()[i].nome.toStdString() << ": " << frase.toStdString();
            EXPECT_TRUE(QStringLiteral(".!?\u2026\u00BB\"").contains(frase.back()))
                << corso()[i].nome.toStdString() << ": " << frase.toStdString();
        }
}

TEST(Course, aReviewFollowsTheLettersTheCapitalsAndTheDigits)
{
    const QList<QSet<QChar>> nuovi = nuoviPerLezione();
    // The lesson that completes a group, and the first lesson of the next group.
    auto completa = [&](const QString &gruppo) {
        int ultima = -1;
        for (QChar c : gruppo)
            ultima = std::max(ultima, primaLezione(c));
        return ultima;
    };
    auto ripassoDopo = [&](int da, const std::function<bool(QChar)> &prossimo) {
        for (qsizetype i = da + 1; i < nuovi.size(); ++i) {
            const QSet<QChar> n = nuovi[i] - QSet<QChar>{u'\r'};
            if (n.isEmpty())
                return true;
            if (std::any_of(n.begin(), n.end(), prossimo))
                return false;
        }
        return false;
    };
    EXPECT_TRUE(ripassoDopo(completa(QStringLiteral("abcdefghijklmnopqrstuvwxyz")),
                            [](QChar c) { return c.isUpper(); }));
    EXPECT_TRUE(ripassoDopo(completa(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
                            [](QChar c) { return c.isDigit(); }));
    EXPECT_TRUE(ripassoDopo(completa(QStringLiteral("0123456789")), [](QChar) { return true; }));
}

TEST(Course, afterTheSeventhLesson_twoThirdsOfRealProseIsTypeable)
{
    ASSERT_GT(paroleDeiTesti().size(), 3000);
    const QList<int> quota = prosaDigitabile();
    ASSERT_GE(quota.size(), 7);
    EXPECT_GE(quota[6], 65);
    EXPECT_EQ(quota.last(), 100) << "every word of the texts, capitals included";
}

TEST(Course, aBookmarkNamingAnOldLesson_fallsBackToTheFirstLesson)
{
    // The list shows the file names upper-cased, as the bookmark stores them.
    QStringList voci;
    for (const Lezione &l : corso()) {
        voci << l.nome.toUpper();
        EXPECT_EQ(voci.last(), l.nome) << "a lower-case name would not be found from its list entry";
    }
    EXPECT_EQ(IndiceSegnalibro(voci, QStringLiteral("LEZIONE08")), 0);
    EXPECT_EQ(IndiceSegnalibro(voci, QStringLiteral("LEZIONE21")), 0);
    EXPECT_EQ(IndiceSegnalibro(voci, voci[4]), 5);
}

TEST(Course, documentation_listsEachLessonWithItsNewCharactersAndProseShare)
{
    const QString &tutti = caratteriTipizzabili();
    ASSERT_EQ(ordineDoc().size(), tutti.size());
    ASSERT_EQ(QSet<QChar>(ordineDoc().begin(), ordineDoc().end()), QSet<QChar>(tutti.begin(), tutti.end()));

    const QString doc = QString::fromUtf8(leggiFile(cartellaSorgenti() + QStringLiteral("/docs/materiale.md")));
    const QRegularExpression riga(QStringLiteral("^\\| `(\\d\\d_[A-Z0-9_]+)` \\| (.*) \\| (\\d+)% \\|$"),
                                  QRegularExpression::MultilineOption);
    QStringList nomi, caratteri, quote;
    for (auto it = riga.globalMatch(doc); it.hasNext();) {
        const auto m = it.next();
        nomi << m.captured(1);
        caratteri << m.captured(2);
        quote << m.captured(3);
    }
    const QList<QSet<QChar>> nuovi = nuoviPerLezione();
    const QList<int> quota = prosaDigitabile();
    ASSERT_EQ(nomi.size(), corso().size());
    for (qsizetype i = 0; i < corso().size(); ++i) {
        EXPECT_EQ(nomi[i], corso()[i].nome);
        EXPECT_EQ(caratteri[i], mostra(nuovi[i])) << corso()[i].nome.toStdString();
        EXPECT_EQ(quote[i].toInt(), quota[i]) << corso()[i].nome.toStdString();
    }
}

// --------------------------------------------------------------- all material

TEST(Material, everyLine_putsABlankBeforeHighSignsUnitsAndCurrencies)
{
    // ; : ! ? and % °C € $ £ follow a blank, as French typography wants: a
    // plain one, or the narrow no-break space where the material teaches it.
    for (const Riga &r : tutteLeRighe()) {
        for (qsizetype i = 1; i < r.testo.size(); ++i) {
            const QChar c = r.testo.at(i);
            const bool segno = QStringLiteral(";:!?%\u20AC$\u00A3").contains(c) ||
                               (c == QChar(0xB0) && r.testo.mid(i + 1, 1) == QStringLiteral("C"));
            EXPECT_FALSE(segno && r.testo.at(i - 1) != u' ' && r.testo.at(i - 1) != QChar(0x202F))
                << r.dove.toStdString() << ": " << r.testo.toStdString();
        }
    }
}

TEST(Material, narrowNoBreakSpace_beforeHighSignsAndInsideGuillemetsOnly_everywhereOnceTaught)
{
    const QChar fine(0x202F);
    const int da = primaLezione(fine);
    ASSERT_GT(da, 0);
    for (const Riga &r : tutteLeRighe()) {
        const QString &t = r.testo;
        const bool insegnata = r.lezione >= da;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QChar prima = i > 0 ? t.at(i - 1) : QChar();
            const QChar dopo = i + 1 < t.size() ? t.at(i + 1) : QChar();
            if (t.at(i) == fine) {
                EXPECT_TRUE(prima == QChar(0xAB) || QStringLiteral(";:!?\u00BB").contains(dopo))
                    << r.dove.toStdString() << ": " << t.toStdString();
            }
            if (t.at(i) == QChar(0xAB)) {
                EXPECT_EQ(dopo, fine) << r.dove.toStdString() << ": " << t.toStdString();
            }
            if (t.at(i) == QChar(0xBB) || (insegnata && i > 0 && QStringLiteral(";:!?").contains(t.at(i)))) {
                EXPECT_EQ(prima, fine) << r.dove.toStdString() << ": " << t.toStdString();
            }
        }
    }
}

TEST(Material, daysMonthsAndSeasons_capitalisedOnlyAtTheStartOfASentence)
{
    const QRegularExpression nome(QStringLiteral(
        "\\b(Lundi|Mardi|Mercredi|Jeudi|Vendredi|Samedi|Dimanche|Janvier|Février|Mars|Avril|Mai|Juin|"
        "Juillet|Août|Septembre|Octobre|Novembre|Décembre|Printemps|Automne|Hiver)\\b"));
    const QRegularExpression inizio(QStringLiteral("(^|[.!?\u2026] |^[-\u2014] )(\"|\u00AB\u202F)?$"));
    for (const Riga &r : tutteLeRighe())
        for (auto it = nome.globalMatch(r.testo); it.hasNext();) {
            const auto m = it.next();
            EXPECT_TRUE(inizio.match(r.testo.left(m.capturedStart())).hasMatch())
                << r.dove.toStdString() << ": " << r.testo.toStdString();
        }
}

TEST(Material, hunspell_knowsEveryWordOfTheWordsAndSentences)
{
    if (!hunspellFrancese())
        GTEST_SKIP() << "hunspell with the fr_FR dictionary is not installed";
    QSet<QString> tutte;
    QMap<QString, QString> dove;
    for (const Riga &r : tutteLeRighe()) {
        // Key drills (course level 1) are not words; from the first lesson on,
        // levels 2 and 3 are.
        if (r.livelloCorso == 1)
            continue;
        for (const QString &p : parole(r.testo)) {
            tutte.insert(p);
            if (!dove.contains(p))
                dove[p] = r.dove + QStringLiteral(": ") + r.testo;
        }
    }
    ASSERT_GT(tutte.size(), 2000);
    const QSet<QString> ignote = sconosciute(tutte) - eccezioniOrtografia;
    for (const QString &p : ignote)
        ADD_FAILURE() << p.toStdString() << " in " << dove.value(p).toStdString();
    // The check itself works: a misspelling is caught.
    EXPECT_EQ(sconosciute({QStringLiteral("lété"), QStringLiteral("été")}), QSet<QString>{QStringLiteral("lété")});
}

TEST(Material, everyExerciseLine_fitsTheModelLineUncut)
{
    // Exercise lines wider than the model line lose their end when read.
    const QFontMetrics fm(FontTesto(12));
    constexpr int larghezzaRiga = 592;
    for (const Riga &r : tutteLeRighe()) {
        if (r.dove.startsWith(QStringLiteral("sentence")) || r.dove.endsWith(QStringLiteral(".txt")))
            continue;
        EXPECT_LE(fm.horizontalAdvance(r.testo), larghezzaRiga) << r.dove.toStdString() << ": "
                                                                 << r.testo.toStdString();
    }
}

TEST(TextFiles, eachText_isATitledPassageForOneSitting)
{
    for (const QString &path : filesIn(QStringLiteral("Esercizi"), QStringLiteral("*.txt"))) {
        SCOPED_TRACE(QFileInfo(path).fileName().toStdString());
        const QString testo = testoDi(path);
        const QStringList righe = testo.split(QStringLiteral("\r\n"));
        ASSERT_GE(righe.size(), 3);
        // The title, then a blank line: typed, it reads "Title. First sentence".
        EXPECT_TRUE(righe[0].endsWith(u'.'));
        EXPECT_TRUE(righe[1].isEmpty());
        // Fifteen minutes at 220 keystrokes a minute.
        EXPECT_LE(testo.size(), 15 * 220);
    }
}
