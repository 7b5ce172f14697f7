// The exercise aimed at weak keys: taught characters only, the weakest in most
// words, read back by the engine as an ordinary exercise file.

#include "progress/EsercizioMirato.h"
#include "tests/support/Sorgenti.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace progressi;

namespace {

const QString cartellaDati = cartellaSorgenti() + QStringLiteral("/data/");

void Scrivi(const QString &percorso, const QByteArray &b)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

} // namespace

TEST(ListaParole, shippedListHoldsFiveThousandFrenchWordsWithAccents)
{
    const QStringList parole = LeggiParole(cartellaDati + "Parole/francais.txt");
    EXPECT_GE(parole.size(), 5000);
    EXPECT_TRUE(parole.contains("école"));
    EXPECT_GE(parole.filter(QChar(u'è')).size(), 100);
    EXPECT_FALSE(parole.contains("the"));
    EXPECT_TRUE(LeggiParole(cartellaDati + "manca.txt").isEmpty());
}

TEST(CorsoInsegnato, charactersOfTheLessonsUpToTheBookmark)
{
    QTemporaryDir dir;
    Scrivi(dir.filePath("LEZ01.ftd"), "[Livello1]\r\n1=fff jjj\r\n");
    Scrivi(dir.filePath("LEZ02.ftd"), "\xEF\xBB\xBF[Livello1]\r\n1=dd kk\xC2\xA6\xC2\xA6\x65\r\n");
    Scrivi(dir.filePath("LEZ03.ftd"), "[Livello1]\r\n1=\xE9t\xE9\r\n");
    EXPECT_EQ(CaratteriInsegnati(dir.path(), "lez02"), "f jdke");
    EXPECT_EQ(CaratteriInsegnati(dir.path(), "LEZ03"), "f jdke\u00e9t");
    EXPECT_EQ(CaratteriInsegnati(dir.path(), ""), "");
    EXPECT_EQ(CaratteriInsegnati(dir.path(), "LEZ99"), "");
}

TEST(EsercizioMirato, usesOnlyTaughtCharactersAndAimsAtTheWeakest)
{
    const QStringList parole = LeggiParole(cartellaDati + "Parole/francais.txt");
    const struct {
        const char *caso;
        QString mirati, ammessi;
    } casi[] = {
        {"free", u"éèç"_qs, QString()},
        {"course", u"éru"_qs, u"qsdfghjklm azertyuiopé"_qs},
        {"a digit no word holds", u"7e"_qs, u"azertyuiop qsdfghjklm7"_qs},
    };
    for (const auto &c : casi) {
        SCOPED_TRACE(c.caso);
        fake::Random random;
        const EsercizioMirato e = ComponiEsercizio(parole, c.mirati, c.ammessi, random);
        EXPECT_EQ(e.mirati, c.mirati);
        int righe = 0;
        for (int l = 0; l < 3; ++l) {
            ASSERT_EQ(e.livelli[size_t(l)].size(), 5);
            for (const QString &riga : e.livelli[size_t(l)]) {
                ++righe;
                EXPECT_GE(riga.size(), 10) << riga.toStdString();
                EXPECT_LE(riga.size(), 44) << riga.toStdString();
                for (QChar ch : riga)
                    EXPECT_TRUE(c.ammessi.isEmpty() || c.ammessi.contains(ch)) << riga.toStdString();
                int mirate = 0, tutte = 0;
                for (const QString &parola : riga.split(' ')) {
                    ++tutte;
                    mirate += std::any_of(c.mirati.begin(), c.mirati.end(),
                                          [&](QChar m) { return parola.contains(m); });
                }
                EXPECT_GE(mirate * 10, tutte * 6) << riga.toStdString();   // most words
            }
        }
        EXPECT_EQ(righe, 15);
        EXPECT_GE(e.paroleMirate * 10, e.paroleTotali * 7);
    }
}

TEST(EsercizioMirato, fileTextIsAnExerciseOfFiveLinesALevel)
{
    EsercizioMirato e;
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 5; ++r)
            e.livelli[size_t(l)] << QString("été %1 %2").arg(l).arg(r);
    const QByteArray t = TestoEsercizio(e);
    EXPECT_TRUE(t.startsWith("\xEF\xBB\xBF[Livello1]\r\n1=\xC3\xA9t\xC3\xA9 0 0\r\n"));
    EXPECT_TRUE(t.contains("[Livello3]\r\n1=été 2 0\r\n2=été 2 1"));
    EXPECT_TRUE(t.endsWith("5=été 2 4\r\n"));
}
