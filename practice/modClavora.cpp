#include "practice/modClavora.h"

#include "platform/FileSicuri.h"
#include "settings/modLanguageSupport.h"

#include <QCoreApplication>
#include <limits>
#include <QFile>

const char *const testoRisoluzioneMinima =
    "La risoluzione minima per l'utilizzo di questo programma è:\r\n"
    "800 x 600 pixel.\r\n"
    "Modificare la risoluzione video e, quindi, riprovare.\r\n\r\n"
    "Best visual results if used with 800x600 pixel monitor.\r\n"
    "Modify your video settings and try again.";

modClavora::modClavora(platform::Services s) : servizi(s)
{
    nomeModo = QStringLiteral("Principiante");
}

void modClavora::SuonaEffetto(int id)
{
    if (servizi.sound)
        servizi.sound->play(id);
    QCoreApplication::processEvents();
}

bool modClavora::TastoAttivo(int virtualKey) const
{
    // Only Caps Lock (20) is ever asked about.
    return virtualKey == 20 && servizi.keyboard && servizi.keyboard->capsLockOn();
}

void modClavora::SpegniBloccoMaiuscole()
{
    if (servizi.keyboard)
        servizi.keyboard->capsLockOff();
}

bool modClavora::FileEsiste(const QString &path)
{
    // Without blocking, and only a regular file: a FIFO could hang the open for ever.
    return filesicuri::LeggiFileRegolare(path, std::numeric_limits<qint64>::max(), true).esito ==
           filesicuri::Esito::Ok;
}

QString modClavora::PaginaGuida(int contextId) const
{
    const QString pagina = contextId <= 0 ? QStringLiteral("index.html")
                                          : QString::number(contextId) + QStringLiteral(".html");
    const QString guida = cartellaProgramma + QStringLiteral("Guida/");
    QStringList cartelle;
    // The language's pages beside its language file's name; a name from the
    // settings file never leads out of Guida/.
    if (fileLinguaPresente && !linguaCorrente.isEmpty() && !linguaCorrente.contains('/') &&
        !linguaCorrente.startsWith('.'))
        cartelle << guida + linguaCorrente + "/";
    cartelle << guida;
    for (const QString &c : cartelle)
        for (const QString &p : {pagina, QStringLiteral("index.html")})   // topic missing: contents
            if (FileEsiste(c + p))
                return c + p;
    return {};
}

bool modClavora::ApriGuida(QWidget *window, int contextId, bool avvisa)
{
    const QString pagina = contextId <= 0 ? QStringLiteral("index.html")
                                          : QString::number(contextId) + QStringLiteral(".html");
    const QString path = PaginaGuida(contextId);
    if (path.isEmpty()) {
        if (avvisa)
            servizi.dialogs->message(window, QStringLiteral("Tastavia"),
                                     msgGuidaMancante + QStringLiteral(" ") + QStringLiteral("Guida/") + pagina,
                                     platform::Dialogs::Information, platform::Dialogs::Ok);
        return false;
    }
    platform::Dialogs *dialogs = servizi.dialogs;
    const QString testo = msgGuidaNonAperta + QStringLiteral("\r\n") + path;
    servizi.desktop->openFileOr(path, [dialogs, window, testo] {
        dialogs->message(window, QStringLiteral("Tastavia"), testo, platform::Dialogs::Information,
                         platform::Dialogs::Ok);
    });
    return true;
}

QString modClavora::NomeFile(const QString &path)
{
    const qsizetype p = path.lastIndexOf('/');
    return p < 0 ? QString() : path.mid(p + 1);
}

QString modClavora::NomeSenzaEstensione(const QString &path)
{
    const QString nome = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype punto = nome.indexOf('.');
    return punto < 0 ? nome : nome.left(punto);
}

void modClavora::AttendiSecondi(int seconds, bool processEvents)
{
    const QDateTime inizio = servizi.clock->now();
    // Sleeps in the event loop in short steps until enough second boundaries passed.
    Q_UNUSED(processEvents); // every caller lets events run, and so does the pause
    while (pausa && inizio.secsTo(servizi.clock->now()) < seconds)
        pausa(20);
}

bool modClavora::VersioneNT5() const
{
    return servizi.screen && servizi.screen->compositing();
}

bool modClavora::StampanteDisponibile() const
{
    return servizi.printer && servizi.printer->available();
}

DecisioneAvvio DecidiSchermo(QSize pixels)
{
    DecisioneAvvio d;
    d.risoluzioneSufficiente = pixels.width() >= 800 && pixels.height() >= 600;
    d.schermoGrande = pixels.width() > 1000 || pixels.height() > 750;
    return d;
}

QLocale modClavora::localeInterfaccia() const
{
    return modLanguageSupport::LocaleInterfaccia(linguaCorrente, fileLinguaPresente);
}
