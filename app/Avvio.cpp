// The process entry.

#include "app/frmClavora.h"
#include "app/modClavora.h"
#include "platform/SystemServices.h"
#include "ui/basSleep.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

void copiaCartella(const QString &da, const QString &a)
{
    QDir().mkpath(a);
    const QDir sorgente(da);
    for (const QFileInfo &f : sorgente.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString destinazione = a + "/" + f.fileName();
        if (f.isDir())
            copiaCartella(f.filePath(), destinazione);
        else if (!QFileInfo::exists(destinazione))
            QFile::copy(f.filePath(), destinazione);
    }
}

} // namespace

// The program folder: the executable's own when it can be written (settings
// live beside the program); otherwise a data folder of this installation,
// seeded once from the installed data with the same layout.
QString CartellaProgramma()
{
    const QString exe = QCoreApplication::applicationDirPath();
    if (QFileInfo(exe).isWritable())
        return exe + "/";
    const QString dati =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Tastavia";
    for (const char *cartella : {"CorsoDattilo", "Esercizi", "Lang", "Guida"})
        if (QFileInfo(exe + "/" + cartella).isDir())
            copiaCartella(exe + "/" + cartella, dati + "/" + cartella);
    QDir().mkpath(dati);
    return dati + "/";
}

int AvvioProgramma(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tastavia");
    QApplication::setWindowIcon(QIcon(":/images/tastavia.svg"));
    platform::SystemServices sistema;
    platform::Services servizi = sistema.services();

    if (!servizi.instance->tryLock())
        return 0;

    const DecisioneAvvio d = DecidiSchermo(servizi.screen->size());
    if (!d.risoluzioneSufficiente) {
        servizi.dialogs->message(nullptr, "Tastavia", QString::fromUtf8(testoRisoluzioneMinima),
                                 platform::Dialogs::Critical, platform::Dialogs::Ok);
        return 0;
    }

    modClavora stato(servizi);
    stato.schermoGrande = d.schermoGrande;
    stato.windowsNT5 = stato.VersioneNT5();
    stato.cartellaProgramma = CartellaProgramma();
    stato.pausa = [&stato](int ms) { PauseWithEvents(*stato.servizi.clock, ms); };

    QStringList argomenti = QCoreApplication::arguments();
    argomenti.removeFirst();
    frmClavora finestra(stato);
    finestra.Form_Load(argomenti.join(' '));
    if (finestra.chiusa)
        return 0;
    return app.exec();
}
