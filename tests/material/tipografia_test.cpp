// Typographic characters pasted into exercise and text files become the
// characters the keyboard types, when the files are read.
#include "practice/Esercizi.h"
#include "practice/modClavora.h"
#include "keyboard/TabellaTasti.h"
#include "platform/Tipografia.h"
#include "tests/material/Materiale.h"
#include "tests/support/FakeServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testo::NormalizzaTipografia;

TEST(Tipografia, quotesAndApostrophes_becomeStraightOnes)
{
    EXPECT_EQ(NormalizzaTipografia(u"l’été, l‘arbre, ‚bas‛, 5′"_qs), u"l'été, l'arbre, 'bas', 5'"_qs);
    EXPECT_EQ(NormalizzaTipografia(u"“Pour vous” „ici‟ ‹ là › 3″"_qs), u"\"Pour vous\" \"ici\" \" là \" 3\""_qs);
    EXPECT_EQ(NormalizzaTipografia(u"aujourdʼhui"_qs), u"aujourd'hui"_qs);
}

TEST(Tipografia, guillemets_becomeQuotesWithoutTheirInnerBlanks)
{
    // Plain, no-break and narrow no-break blanks inside « » all go.
    EXPECT_EQ(NormalizzaTipografia(u"Il a dit : « Bonjour ! »"_qs), u"Il a dit : \"Bonjour !\""_qs);
    EXPECT_EQ(NormalizzaTipografia(u"«\u00A0oui\u00A0» et «\u202Fnon\u202F»"_qs), u"\"oui\" et \"non\""_qs);
    EXPECT_EQ(NormalizzaTipografia(u"«serré»"_qs), u"\"serré\""_qs);
    EXPECT_EQ(NormalizzaTipografia(u"»"_qs), u"\""_qs);
}

TEST(Tipografia, ellipsisSpacesAndDashes_becomeWhatTheKeysType)
{
    EXPECT_EQ(NormalizzaTipografia(u"Peut-être…"_qs), u"Peut-être..."_qs);
    EXPECT_EQ(NormalizzaTipografia(u"Quoi\u202F? 30\u00A0% 2\u2009000 m"_qs), u"Quoi ? 30 % 2 000 m"_qs);
    EXPECT_EQ(NormalizzaTipografia(u"a–b—c‐d‑e−f―g‒h"_qs), u"a-b-c-d-e-f-g-h"_qs);
    // Nobody can see these, nobody can type them.
    EXPECT_EQ(NormalizzaTipografia(u"mi\u00ADdi\u200B \uFEFFfin\u2060"_qs), u"midi fin"_qs);
}

TEST(Tipografia, keyboardCharacters_stayAsTheyAre)
{
    const QString tutto = QString::fromUtf8(
        "aàâäzeéèêë€rtyuùûüiîïìoôöòpqsdfghjklmµwxcçvbn,?.;:/!§<>'\"-_()[]{}=+*%$£¤°²&#@|\\^`~ 0123456789"
        "\u00A6\u00A6\r\n\tÀÉŒœ");
    EXPECT_EQ(NormalizzaTipografia(tutto), tutto);
    EXPECT_EQ(NormalizzaTipografia(QString()), QString());
}

// The conversion where files are read: exercise lines and text files.
class FileIncollati : public ::testing::Test {
protected:
    void SetUp() override
    {
        servizi = fakes.services();
        stato = std::make_unique<modClavora>(servizi);
        stato->cartellaProgramma = dir.path() + "/";
        esercizi = std::make_unique<Esercizi>(*stato);
    }

    QString scrivi(const QString &nome, const QByteArray &dati)
    {
        const QString path = dir.filePath(nome);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(dati);
        return path;
    }

    QTemporaryDir dir;
    fake::Services fakes;
    platform::Services servizi;
    std::unique_ptr<modClavora> stato;
    std::unique_ptr<Esercizi> esercizi;
};

TEST_F(FileIncollati, exerciseLine_keepsItsApostropheAfterTheKeyFilter)
{
    // Code page 1252: 0x92 is ’, 0x85 is …, 0x96 is –, 0xA0 a no-break space.
    const QString f = scrivi("incollato.ftd", "[Livello1]\r\n1=l\x92\xE9t\xE9 \x96 d\xE9j\xE0\x85\xA0!\xA6\xA6\xABoui\xBB\r\n");
    // The key filter of the program: letters, blanks, ' " - . ! and é è à.
    esercizi->filtroCaratteri = [](const QString &t) {
        QString out;
        for (QChar c : t)
            if (c.isLetterOrNumber() || QStringLiteral(" '\"-.!").contains(c))
                out += c;
        return out;
    };
    EXPECT_EQ(esercizi->LeggiVoceEsercizio(f, 1, 1), QString::fromUtf8("l'été - déjà... !\r\n\"oui\""));
}

TEST_F(FileIncollati, textFile_inUtf8_isConvertedBeforeItsLinesAreJoined)
{
    stato->fileEsercizio = scrivi("incollato.txt", QString::fromUtf8("« L’été… »\u00A0\r\nC’est — déjà — fini.").toUtf8());
    ASSERT_TRUE(esercizi->CaricaFileTesto());
    EXPECT_EQ(esercizi->rigaCorrente, QString::fromUtf8("\"L'été...\" C'est - déjà - fini."));
}

TEST_F(FileIncollati, frenchWritersCharacters_reachTheModelLineWholeWhereTheKeymapTypesThem)
{
    const QString riga = QString::fromUtf8("Le cœur de l’École\u202F: « Œuvre » — À bientôt…");
    const QString f = scrivi("francese.ftd", "\xEF\xBB\xBF[Livello1]\r\n1=" + riga.toUtf8() + "\r\n");
    stato->fileEsercizio = scrivi("francese.txt", riga.toUtf8());
    tastiera::TabellaTasti tabella;
    esercizi->filtroCaratteri = [&](const QString &t) { return tabella.FiltraCaratteri(t); };
    esercizi->tipizzabile = [&](QChar c) { return tabella.Scrive(c); };

    const std::optional<tastiera::LayoutTastiera> oss = tastiera::LayoutTastiera::daNomi("fr", "oss");
    ASSERT_TRUE(oss);
    tabella.ApplicaLayout(&*oss);
    EXPECT_EQ(esercizi->LeggiVoceEsercizio(f, 1, 1), riga);
    ASSERT_TRUE(esercizi->CaricaFileTesto());
    EXPECT_EQ(esercizi->rigaCorrente, riga);

    // Without a keymap that types them: their nearest forms, no letter lost.
    tabella.ApplicaLayout(nullptr);
    const QString vicina = QString::fromUtf8("Le coeur de l'Ecole : \"OEuvre\" - A bientôt...");
    EXPECT_EQ(esercizi->LeggiVoceEsercizio(f, 1, 1), vicina);
    ASSERT_TRUE(esercizi->CaricaFileTesto());
    EXPECT_EQ(esercizi->rigaCorrente, vicina);
}

TEST_F(FileIncollati, shippedLessons_readWholeInEitherEncoding)
{
    // The course's UTF-8 lessons (with a byte-order mark) and its code page
    // 1252 ones reach the model line as the tests read them, typography and all.
    int utf8 = 0;
    for (const QString &path : materiale::filesIn(QStringLiteral("CorsoDattilo"), QStringLiteral("*.ftd"))) {
        const QByteArray b = materiale::leggiFile(path);
        utf8 += b.startsWith(materiale::bomUtf8);
        const materiale::Sezioni s = materiale::leggiEsercizio(materiale::testoEsercizio(b));
        for (int livello = 1; livello <= 3; ++livello) {
            const auto &voci = s.value(QStringLiteral("LIVELLO%1").arg(livello));
            for (auto v = voci.begin(); v != voci.end(); ++v) {
                QStringList parti = NormalizzaTipografia(v.value()).split(materiale::separatore);
                for (QString &p : parti)
                    p = p.trimmed();
                EXPECT_EQ(esercizi->LeggiVoceEsercizio(path, livello, v.key().toInt()), parti.join(QStringLiteral("\r\n")))
                    << path.toStdString() << " " << livello << "/" << v.key().toStdString();
            }
        }
    }
    EXPECT_GE(utf8, 1);
}
