// The command line as a learner types it, the help page in the interface
// language, and a second start handing its file to the running instance.

#include "FinestraTest.h"
#include "tests/support/Sorgenti.h"

#include "app/IstanzaUnica.h"
#include "app/LineaDiComando.h"
#include "settings/modLanguageSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThread>
#include <thread>

namespace {

void crea(const QString &percorso, const QByteArray &testo = "x")
{
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(testo);
}

} // namespace

TEST(RigaComando, fileArgument_isFoundTheWaysALearnerNamesIt)
{
    QTemporaryDir radice;
    const QString programma = radice.path() + "/dati/";
    const QString qui = radice.path() + "/lavoro";
    crea(programma + "Esercizi/Le_marche.txt");
    crea(qui + "/mio.txt");
    crea(qui + "/Esercizi/Le_marche.txt", "la copia del corrente vince");
    const QString marche = QDir::cleanPath(programma + "Esercizi/Le_marche.txt");

    struct Caso {
        QStringList argomenti;
        QString atteso;
    } casi[] = {
        {{"Le_marche.txt"}, marche},                                  // a name in Esercizi/
        {{"/Le_marche.txt"}, marche},                                 // the old form
        {{"Esercizi/Le_marche.txt"}, qui + "/Esercizi/Le_marche.txt"},  // the current folder first
        {{"mio.txt"}, qui + "/mio.txt"},
        {{"../lavoro/mio.txt"}, qui + "/mio.txt"},
        {{qui + "/mio.txt"}, qui + "/mio.txt"},                       // absolute
        {{"--", "mio.txt"}, qui + "/mio.txt"},
        {{"manca.txt"}, "/manca.txt"},   // not found: the old form, for the practice to ignore
        {{}, ""},
    };
    for (const Caso &c : casi) {
        const LineaDiComando r = InterpretaArgomenti(c.argomenti, qui, programma);
        EXPECT_EQ(r.azione, LineaDiComando::Azione::Avvia) << c.argomenti.join(' ').toStdString();
        EXPECT_EQ(r.file, c.atteso) << c.argomenti.join(' ').toStdString();
    }
    // With only the program folder's copy, the relative name leads there.
    QFile::remove(qui + "/Esercizi/Le_marche.txt");
    EXPECT_EQ(InterpretaArgomenti({"Esercizi/Le_marche.txt"}, qui, programma).file, marche);
}

TEST(RigaComando, optionsAndErrors)
{
    using A = LineaDiComando::Azione;
    struct Caso {
        QStringList argomenti;
        A azione;
        QString errato;
    } casi[] = {
        {{"--help"}, A::Aiuto, ""},
        {{"-h"}, A::Aiuto, ""},
        {{"x.txt", "--version"}, A::Versione, ""},
        {{"--", "--help"}, A::Avvia, ""},   // after "--" a file named so
        {{"--colour"}, A::Errore, "--colour"},
        {{"a.txt", "b.txt"}, A::Errore, "b.txt"},
    };
    for (const Caso &c : casi) {
        const LineaDiComando r = InterpretaArgomenti(c.argomenti, "/", "/");
        EXPECT_EQ(r.azione, c.azione) << c.argomenti.join(' ').toStdString();
        EXPECT_EQ(r.errato, c.errato);
    }
}

TEST(RigaComando, helpAndVersion_speakTheInterfaceLanguageOfTheSettings)
{
    QTemporaryDir d;
    const QString cartella = d.path() + "/";
    QDir().mkpath(cartella + "Lang");
    QFile::copy(cartellaSorgenti() + QStringLiteral("/data/Lang/German.lng"), cartella + "Lang/German.lng");
    // No settings yet: the locale decides (1031 German); Italian without its file.
    EXPECT_TRUE(TestoAiutoRigaComando(LinguaRigaComando(cartella, 1031)).startsWith("Aufruf: tastavia"));
    EXPECT_TRUE(TestoAiutoRigaComando(LinguaRigaComando(cartella, 1033)).startsWith("Uso: tastavia"));
    crea(cartella + "Tastavia.ini", "[Language]\r\nCurrentLanguage=German\r\n");
    const QString aiuto = TestoAiutoRigaComando(LinguaRigaComando(cartella, 1040));
    EXPECT_TRUE(aiuto.contains("  --version   die Version anzeigen und beenden\n")) << aiuto.toStdString();
    EXPECT_TRUE(TestoVersioneRigaComando(LinguaRigaComando(cartella, 1040)).startsWith("Tastavia Version "));
    EXPECT_TRUE(TestoErroreRigaComando({}, "-x").startsWith("tastavia: Argomento non riconosciuto: -x\n"));
}

using Guida = FinestraTest;

TEST_F(Guida, f1_opensThePageOfTheInterfaceLanguageWithItalianAsFallback)
{
    for (const char *p : {"Guida/index.html", "Guida/1001.html", "Guida/English/index.html",
                          "Guida/French/index.html", "Guida/German/index.html", "Guida/Spanish/index.html",
                          "Guida/German/1001.html"})
        crea(cartella + p);
    struct Caso {
        QString lingua;
        bool filePresente;
        int contesto;
        QString pagina;
    } casi[] = {
        {"Italian", false, 0, "Guida/index.html"},
        {"English", true, 0, "Guida/English/index.html"},
        {"French", true, 0, "Guida/French/index.html"},
        {"German", true, 1001, "Guida/German/1001.html"},
        {"Spanish", true, 0, "Guida/Spanish/index.html"},
        {"Spanish", true, 1001, "Guida/Spanish/index.html"},   // topic missing: the contents
        {"Portuguese", true, 1001, "Guida/1001.html"},         // no pages of its own: Italian
        {"English", false, 0, "Guida/index.html"},             // its language file missing
        {"../English", true, 0, "Guida/index.html"},
    };
    for (const Caso &c : casi) {
        stato->linguaCorrente = c.lingua;
        stato->fileLinguaPresente = c.filePresente;
        fakes.desktop.opened.clear();
        EXPECT_TRUE(stato->ApriGuida(nullptr, c.contesto));
        ASSERT_EQ(fakes.desktop.opened.size(), 1);
        EXPECT_EQ(fakes.desktop.opened[0], cartella + c.pagina) << c.lingua.toStdString();
    }
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(Guida, f1WithoutAProgramToOpenThePage_tellsWhereItIs)
{
    crea(cartella + "Guida/English/index.html");
    crea(cartella + "Guida/index.html");
    crea(cartella + "Tastavia.ini", "[Language]\r\nCurrentLanguage=English\r\n");
    QDir().mkpath(cartella + "Lang");
    QFile::copy(cartellaSorgenti() + QStringLiteral("/data/Lang/English.lng"), cartella + "Lang/English.lng");
    fakes.desktop.viewer = false;
    finestra = std::make_unique<frmClavora>(*stato);
    finestra->apriNome = [](QWidget *) { return 1; };
    const QString lng = cartella + "Lang/English.lng";
    finestra->lingua = modLanguageSupport::CreaTestoLingua([lng] { return lng; });
    finestra->Form_Load({});
    fakes.dialogs.shown.clear();
    QTest::keyClick(finestra->txtInput, Qt::Key_F1);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text,
              "No program opened the help. The page is at:\r\n" + cartella + "Guida/English/index.html");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, platform::Dialogs::Information);
}

TEST(IstanzaUnica, secondStart_handsItsFileToTheRunningInstance)
{
    QTemporaryDir d;
    const QString socket = d.path() + "/tastavia.socket";
    // A socket left by a run that crashed is replaced.
    crea(socket, "vecchio");
    auto prima = std::make_unique<IstanzaUnica>(socket);
    ASSERT_TRUE(prima->Ascolta());
    QSignalSpy ricevuti(prima.get(), &IstanzaUnica::comandoRicevuto);
    bool consegnato = false;
    std::thread seconda([&] { consegnato = ConsegnaAllaPrimaIstanza(socket, "/home/anna/Le marche.txt", 5000); });
    for (int i = 0; i < 100 && ricevuti.isEmpty(); ++i)
        QTest::qWait(50);
    seconda.join();
    EXPECT_TRUE(consegnato);
    ASSERT_EQ(ricevuti.size(), 1);
    EXPECT_EQ(ricevuti[0][0].toString(), "/home/anna/Le marche.txt");
    EXPECT_EQ(PercorsoSocketIstanza(d.path(), "/nessuna"), socket);
    // Only the learner may connect, and the socket goes with the instance.
    EXPECT_EQ(QFileInfo(socket).permissions() & 0x0077, 0);
    prima.reset();
    EXPECT_FALSE(QFileInfo::exists(socket));
}

