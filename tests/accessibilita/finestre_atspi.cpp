// The windows a screen reader must read, shown together on a real X server
// for atspi_dump.py: the main window with a line started, the name dialog,
// the results of a whole run and the text-file report. Runs until its
// standard input closes (or a minute passes), then tells whether sounds are
// on, which the dump switches through the command row's press action.

#include "mainwindow/LineaInput.h"
#include "tests/support/Sorgenti.h"
#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "settings/Impostazioni.h"
#include "settings/frmInput.h"
#include "settings/modLanguageSupport.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tastavia"));
    QTemporaryDir dir;
    const QString cartella = dir.path() + "/";
    QDir().mkpath(cartella + "Esercizi");
    QDir().mkpath(cartella + "CorsoDattilo");
    fake::Services fakes;
    fakes.screen.pixels = {1024, 768};
    modClavora stato(fakes.services());
    stato.cartellaProgramma = cartella;
    stato.nomeUtente = "ANNA";
    const QString lingua = qEnvironmentVariable("TASTAVIA_LINGUA", "Italian");
    if (lingua != "Italian") {
        QDir().mkpath(cartella + "Lang");
        QFile::copy(cartellaSorgenti() + "/data/Lang/" + lingua + ".lng",
                    cartella + "Lang/" + lingua + ".lng");
        QFile ini(cartella + "Tastavia.ini");
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Language]\r\nCurrentLanguage=" + lingua.toLatin1() + "\r\n");
    }
    const TestoLingua testi = modLanguageSupport::CreaTestoLingua([&stato] {
        return stato.fileLinguaPresente ? modLanguageSupport::FileDellaLingua(stato.cartellaProgramma,
                                                                              stato.linguaCorrente)
                                        : QString();
    });

    frmClavora principale(stato);
    principale.lingua = testi;
    principale.apriNome = [](QWidget *) { return 1; };
    principale.Form_Load({});
    principale.pratica.setStartAbilitato(false);
    principale.cmdStart_Click();   // a line: the input line says what comes next

    frmInput nome(stato.gestoreIni, fileImpostazioni(cartella), stato.servizi, testi);
    nome.setModal(false);
    nome.show();

    const float v[15] = {2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 2.2f, 1.9f, 2.8f, 2.4f, 2.1f, 1.7f, 2.9f, 3.3f, 2.0f, 2.6f};
    for (int i = 1; i <= 15; ++i)
        stato.velocitaFrase[size_t(i)] = v[i - 1];
    stato.livelloCorrente = 3;
    stato.tipoFineLivello = 2;
    stato.totaleBattute = 1874;
    stato.totaleErrori = 23;
    frmClassifica risultati(stato, testi);
    risultati.setModal(false);
    risultati.show();

    stato.modoFileTesto = true;
    stato.fileEsercizio = cartella + "Esercizi/Le_marche.txt";
    stato.totaleBattute = 2317;
    stato.totaleErrori = 41;
    stato.numParole = 402;
    stato.tempoEsercizio = QTime(0, 11, 24);
    frmReportFreeTXT report(stato, testi, nullptr, stato.localeInterfaccia());
    report.setModal(false);
    report.show();

    std::printf("pronto suono=%d\n%s\n", stato.suonoAttivo ? 1 : 0,
                principale.txtInput->accessibleDescription().toUtf8().constData());
    std::fflush(stdout);
    QSocketNotifier fine(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&fine, &QSocketNotifier::activated, &app, [&] {
        char c;
        if (::read(STDIN_FILENO, &c, 1) <= 0)
            app.quit();
    });
    QTimer::singleShot(60000, &app, &QApplication::quit);
    app.exec();
    std::printf("suono=%d\n", stato.suonoAttivo ? 1 : 0);
    principale.chiusa = true;
    return 0;
}
