// Language files and the text lookup: reading a file's texts, the built-in
// text for whatever a file cannot give, the choice of language and the
// language list, and Qt's own button texts.
#include "settings/Impostazioni.h"
#include "tests/support/Sorgenti.h"
#include "settings/IniManager.h"
#include "settings/modLanguageSupport.h"
#include "tests/support/FakeServices.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace ml = modLanguageSupport;

namespace {

class Lingue : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString cartella;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        cartella = dir.path() + "/";
    }

    QString scrivi(const QString &nome, const QByteArray &contenuto)
    {
        QDir(cartella).mkpath("Lang");
        const QString percorso = cartella + "Lang/" + nome + ".lng";
        QFile f(percorso);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
        return percorso;
    }

    // The lookup the program hands its windows, on one file.
    ::TestoLingua lookup(const QString &percorso)
    {
        return ml::CreaTestoLingua([percorso] { return percorso; });
    }
};

// ---- Reading a language file ----

TEST_F(Lingue, valueWithBlanksAroundIt_isReadWithoutThem)
{
    const QString f = scrivi("English", "[Strings]\r\n0012=   Welcome to Tastavia!  \t\r\n0013=\"  quoted  \"\r\n");
    EXPECT_EQ(ml::TestoLingua(f, "0012"), "Welcome to Tastavia!");
    EXPECT_EQ(ml::TestoLingua(f, "0013"), "quoted");
    EXPECT_EQ(lookup(f)("0012", "Benvenuto"), "Welcome to Tastavia!");
}

TEST_F(Lingue, missingKey_sectionOrFile_givesTheBuiltInText)
{
    const QString f = scrivi("English", "[Strings]\r\n0012=Welcome\r\n0013=\r\n0014\r\n[Other]\r\n0015=x\r\n");
    const ::TestoLingua t = lookup(f);
    EXPECT_EQ(t("0099", "Predefinito"), "Predefinito");
    EXPECT_EQ(t("0013", "Vuoto"), "Vuoto");           // an empty value gives no text either
    EXPECT_EQ(t("0014", "Senza uguale"), "Senza uguale");
    EXPECT_EQ(t("0015", "Altra sezione"), "Altra sezione");
    EXPECT_EQ(lookup(cartella + "Lang/Missing.lng")("0012", "Benvenuto"), "Benvenuto");
    EXPECT_EQ(lookup(QString())("0012", "Benvenuto"), "Benvenuto");
    EXPECT_EQ(ml::TestoLingua(f, "0099"), "");
}

TEST_F(Lingue, brokenFiles_giveTheBuiltInTextNeverACrash)
{
    QByteArray binario;
    for (int i = 0; i < 4096; ++i)
        binario += char((i * 37 + 11) % 256);
    binario += QByteArray(64, '\0');
    EXPECT_EQ(lookup(scrivi("Binary", binario))("0012", "Benvenuto"), "Benvenuto");

    QByteArray enorme = "[Strings]\r\n0012=Welcome\r\n";
    enorme += QByteArray(int(ml::kMaxBytesFile), 'x');
    EXPECT_EQ(lookup(scrivi("Huge", enorme))("0012", "Benvenuto"), "Benvenuto");

    EXPECT_EQ(lookup(scrivi("NoSection", "0012=Welcome\r\n"))("0012", "Benvenuto"), "Benvenuto");

    // A folder where the file should be.
    QDir(cartella).mkpath("Lang/Folder.lng");
    EXPECT_EQ(lookup(cartella + "Lang/Folder.lng")("0012", "Benvenuto"), "Benvenuto");
}

TEST_F(Lingue, valueOver511Characters_givesTheBuiltInTextAndUpTo511AreKept)
{
    const QByteArray lungo511(511, 'a'), lungo512(512, 'b');
    const QString f = scrivi("English", "[Strings]\r\n0001=" + lungo511 + "\r\n0002=" + lungo512 + "\r\n0003=x" +
                                            QByteArray(1, '\0') + "hidden\r\n");
    const ::TestoLingua t = lookup(f);
    EXPECT_EQ(t("0001", "uno"), QString(lungo511));
    EXPECT_EQ(t("0002", "due"), "due");
    EXPECT_EQ(t("0003", "tre"), "x");   // a NUL ends the value
}

TEST_F(Lingue, aFileChangedOnDisk_isReadAgain_andEachKeyReadsAsTheProfileFunctionsDo)
{
    const QString f = scrivi("English", "[Strings]\r\n0012=Welcome\r\n");
    const ::TestoLingua t = lookup(f);
    EXPECT_EQ(t("0012", "Benvenuto"), "Welcome");
    scrivi("English", "[Strings]\r\n0012=Hello again\r\n");
    EXPECT_EQ(t("0012", "Benvenuto"), "Hello again");
    // Replaced by an editor's save: the same size, another file.
    const QString nuovo = cartella + "Lang/new.tmp";
    QFile n(nuovo);
    ASSERT_TRUE(n.open(QIODevice::WriteOnly));
    n.write("[Strings]\r\n0012=Hello AGAIN\r\n");
    n.close();
    ASSERT_EQ(::rename(QFile::encodeName(nuovo).constData(), QFile::encodeName(f).constData()), 0);
    EXPECT_EQ(t("0012", "Benvenuto"), "Hello AGAIN");
    QFile::remove(f);
    EXPECT_EQ(t("0012", "Benvenuto"), "Benvenuto");

    // The texts kept in memory answer as a fresh read of the file would.
    const QByteArray strano = "[strings]\r\n0001=first\r\n0001=second\r\n0002\r\n0002=late\r\n"
                              " 0003 = 'quoted' \r\n0004=\r\n[Other]\r\n0005=other\r\n[STRINGS]\r\n0006=again\r\n";
    const ::TestoLingua s = lookup(scrivi("Odd", strano));
    for (const char *id : {"0001", "0002", "0003", "0004", "0005", "0006", " 0001 "})
        EXPECT_EQ(s(id, "?"), ml::TestoOPredefinito(ml::LeggiProfilo(strano, ml::kSezione, id), "?")) << id;
}

TEST_F(Lingue, languageText_keepsTheBlanksAndLineBreaksAroundTheBuiltInText)
{
    const QString f = scrivi("English", "[Strings]\r\n0007=You scored\r\n0014=Choose a file\r\n0307=Training starts\r\n");
    const ::TestoLingua t = lookup(f);
    EXPECT_EQ(t("0007", "Hai totalizzato "), "You scored ");
    EXPECT_EQ(t("0014", "\r\nSeleziona dalla lista"), "\r\nChoose a file");
    EXPECT_EQ(t("0307", " Inizio allenamento"), " Training starts");
    EXPECT_EQ(ml::TestoOPredefinito(QString("  x  "), "a"), "x");
    EXPECT_EQ(ml::TestoOPredefinito(std::nullopt, " a "), " a ");
    EXPECT_EQ(ml::TestoOPredefinito(QString("   "), " a "), " a ");
}

// ---- Choosing the language ----

TEST_F(Lingue, installerFrench_withAFrenchFile_startsInFrench)
{
    scrivi("French", "[Strings]\r\n0012=Bienvenue dans Tastavia !\r\n");
    fake::Desktop desktop;
    desktop.language = 1036;
    IniManager ini;
    Impostazioni imp;
    CaricaImpostazioni(ini, cartella, desktop.installerLanguage(), imp);
    ASSERT_EQ(imp.linguaCorrente, "French");
    ASSERT_TRUE(imp.fileLinguaPresente);
    EXPECT_EQ(lookup(ml::FileDellaLingua(cartella, imp.linguaCorrente))("0012", "Benvenuto"),
              QString::fromUtf8("Bienvenue dans Tastavia !"));
}

TEST(LinguaInstallatore, valuesMapToLanguagesAndAnythingElseIsItalian)
{
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("1031"), "German");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("1033"), "English");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("1034"), "Spanish");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("1036"), "French");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("1040"), "Italian");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("2057"), "Italian");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore(""), "Italian");
    EXPECT_EQ(ml::LinguaDaValoreInstallatore("French"), "Italian");

    fake::Desktop desktop;
    desktop.language = 1036;
    EXPECT_EQ(ml::LinguaInstallatore(&desktop), "1036");
    EXPECT_EQ(ml::LinguaInstallatore(nullptr), "");
}

TEST_F(Lingue, languageNameInOtherLetterCase_findsItsFile)
{
    const QString f = scrivi("French", "[Strings]\r\n");
    EXPECT_EQ(ml::FileDellaLingua(cartella, "french"), f);
    EXPECT_TRUE(ml::FileLinguaPresente(cartella, "FRENCH"));
    EXPECT_FALSE(ml::FileLinguaPresente(cartella, "German"));
    EXPECT_FALSE(ml::FileLinguaPresente(cartella, "../Lang/French"));
    EXPECT_FALSE(ml::FileLinguaPresente(cartella, ""));
}

// ---- The language list ----

TEST_F(Lingue, noLanguageFiles_listOnlyTheBuiltInItalian)
{
    const ml::ElencoLingue e = ml::ElencoPerFinestra(cartella, "Italian");
    EXPECT_EQ(e.voci, QStringList{"Italian [Default]"});
    EXPECT_EQ(e.selezionata, 0);
    EXPECT_EQ(ml::ElencoPerFinestra(cartella, "French").voci, QStringList{"Italian [Default]"});
}

TEST_F(Lingue, languageFiles_listedByNameWithTheCurrentOneSelected)
{
    scrivi("Spanish", "");
    scrivi("English", "");
    scrivi("French", "");
    QFile(cartella + "Lang/notes.txt").open(QIODevice::WriteOnly);
    const ml::ElencoLingue e = ml::ElencoPerFinestra(cartella, "french");
    EXPECT_EQ(e.voci, (QStringList{"English", "French", "Spanish", "Italian [Default]"}));
    EXPECT_EQ(e.selezionata, 1);
    // The built-in Italian stays reachable, and is selected when no file matches.
    EXPECT_EQ(ml::ElencoPerFinestra(cartella, "Italian").selezionata, 3);
    EXPECT_EQ(ml::ElencoPerFinestra(cartella, "Klingon").selezionata, 3);
    EXPECT_EQ(ml::LinguaDellaVoce("Italian [Default]"), "Italian");
    EXPECT_EQ(ml::LinguaDellaVoce("French"), "French");
}

TEST_F(Lingue, translationInformation_namesLanguageAndTranslator)
{
    const QString f = scrivi("English", "[Strings]\r\n0206=Current language:\r\n0207=Author:\r\n"
                                        "0555=English\r\nInfoAuthor= Ann Smith \r\nMailAuthor=ann@example.org\r\n");
    EXPECT_EQ(ml::TestoInformazioni(lookup(f), true, "English"),
              "Current language: English\r\n\r\nAuthor: Ann Smith\r\nann@example.org");
    const QString senza = scrivi("German", "[Strings]\r\nInfoAuthor=\r\nMailAuthor=x@example.org\r\n");
    EXPECT_EQ(ml::TestoInformazioni(lookup(senza), true, "German"),
              "Lingua attuale: Tedesco\r\n\r\nAutore: Sconosciuto");
    EXPECT_EQ(ml::TestoInformazioni({}, false, "Italian"),
              "Lingua attuale: Italiano [Default]\r\n\r\nAutore: [Default]");
}

// ---- Qt's own texts ----

QString pulsante(QMessageBox &box, QMessageBox::StandardButton b)
{
    return box.button(b)->text().remove('&');
}

TEST(TraduzioniQt, messageBoxButtons_speakTheInterfaceLanguage)
{
    struct Caso {
        const char *lingua, *si, *no, *ok;
    };
    const Caso casi[] = {{"Italian", "Sì", "No", "OK"},
                         {"Italian [Default]", "Sì", "No", "OK"},
                         {"French", "Oui", "Non", "OK"},
                         {"German", "Ja", "Nein", "OK"},
                         {"English", "Yes", "No", "OK"}};
    for (const Caso &c : casi) {
        SCOPED_TRACE(c.lingua);
        ml::InstallaTraduzioniQt(c.lingua);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
        EXPECT_EQ(pulsante(box, QMessageBox::Yes), QString::fromUtf8(c.si));
        EXPECT_EQ(pulsante(box, QMessageBox::No), QString::fromUtf8(c.no));
        EXPECT_EQ(pulsante(box, QMessageBox::Ok), QString::fromUtf8(c.ok));
    }
    EXPECT_FALSE(ml::InstallaTraduzioniQt("English"));
    EXPECT_FALSE(ml::InstallaTraduzioniQt("Klingon"));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(pulsante(box, QMessageBox::Yes), "Yes");
}

} // namespace

namespace {

// The messages that name a box's buttons name them as the boxes show them.
TEST(TraduzioniQt, buttonNamesInTheShippedMessages_areThoseOfTheBoxes)
{
    const QString lang = cartellaSorgenti() + "/data/Lang/";
    for (const QString l : {"English", "French", "German", "Spanish"}) {
        SCOPED_TRACE(l.toStdString());
        ml::InstallaTraduzioniQt(l);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
        const QString file = lang + l + ".lng";
        EXPECT_TRUE(ml::TestoLingua(file, "0022").contains(pulsante(box, QMessageBox::Yes)))
            << pulsante(box, QMessageBox::Yes).toStdString();
        EXPECT_TRUE(ml::TestoLingua(file, "0024").contains(pulsante(box, QMessageBox::No)))
            << pulsante(box, QMessageBox::No).toStdString();
        EXPECT_TRUE(ml::TestoLingua(file, "0026").contains(pulsante(box, QMessageBox::Cancel)))
            << pulsante(box, QMessageBox::Cancel).toStdString();
        EXPECT_TRUE(ml::TestoLingua(file, "0122").contains(pulsante(box, QMessageBox::Ok)))
            << pulsante(box, QMessageBox::Ok).toStdString();
    }
    ml::InstallaTraduzioniQt("English");
}

} // namespace

// Names, numbers and dates follow the interface language, never the process locale.
TEST_F(Lingue, namesNumbersAndDates_followTheInterfaceLanguage)
{
    const QString fr = scrivi("French", "[Strings]\r\n0556=fran\xe7" "ais\r\n0557=allemand\r\n0560=[par d\xe9"
                                        "faut]\r\n");
    EXPECT_EQ(ml::NomeLingua(lookup(fr), "french"), QString::fromUtf8("français"));
    EXPECT_EQ(ml::NomeVoce(lookup(fr), "German"), "allemand");
    EXPECT_EQ(ml::NomeVoce(lookup(fr), "Italian [Default]"), QString::fromUtf8("Italiano [par défaut]"));
    EXPECT_EQ(ml::NomeVoce({}, "Klingon"), "Klingon");

    const QDate giorno(2026, 12, 7);
    const struct {
        const char *lingua;
        bool file;
        const char *data, *numero, *duePunti;
    } casi[] = {
        {"Italian", false, "lunedì, 07 dicembre 2026", "2.413", ":"},
        {"German", true, "Montag, 07. Dezember 2026", "2.413", ":"},
        {"German", false, "lunedì, 07 dicembre 2026", "2.413", ":"},   // no file: built-in Italian
        {"French", true, "lundi 07 décembre 2026", "2\u202f413", "\u00a0:"},
        {"Spanish", true, "lunes, 07 de diciembre de 2026", "2413", ":"},
        {"English", true, "Monday, 07 December 2026", "2,413", ":"},
        {"Klingon", true, "lunedì, 07 dicembre 2026", "2.413", ":"},
    };
    for (const auto &c : casi) {
        SCOPED_TRACE(c.lingua);
        const QLocale l = ml::LocaleInterfaccia(c.lingua, c.file);
        EXPECT_EQ(l.toString(giorno, ml::FormatoDataLunga(l)), QString::fromUtf8(c.data));
        EXPECT_EQ(l.toString(2413), QString::fromUtf8(c.numero));
        EXPECT_EQ(ml::DuePunti(l), QString::fromUtf8(c.duePunti));
    }
}
