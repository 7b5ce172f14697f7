#include "app/LineaDiComando.h"

#include "settings/Impostazioni.h"
#include "settings/IniManager.h"
#include "settings/modLanguageSupport.h"
#include "ui/frmInfo.h"

#include <QDir>
#include <QFileInfo>

#ifndef TASTAVIA_DATI_INSTALLATI
#define TASTAVIA_DATI_INSTALLATI "../../share/tastavia"
#endif

namespace {

QString T(const TestoLingua &lingua, const char *id, const char16_t *predefinito)
{
    return Testo(lingua, QString::fromLatin1(id), QString::fromUtf16(predefinito));
}

bool eAiuto(const QString &a) { return a == u"--help" || a == u"-h"; }
bool eVersione(const QString &a) { return a == u"--version"; }

// The file a learner means by `nome`, or empty when none exists.
QString trovaFile(const QString &nome, const QString &cartellaCorrente, const QString &cartellaProgramma)
{
    QStringList candidati;
    if (QDir::isAbsolutePath(nome)) {
        candidati << nome;
    } else {
        candidati << cartellaCorrente + "/" + nome << cartellaProgramma + nome;
    }
    // A bare name, or the old "/name": a file of Esercizi/.
    QString semplice = nome;
    while (semplice.startsWith('/'))
        semplice.remove(0, 1);
    if (!semplice.isEmpty() && !semplice.contains('/'))
        candidati << cartellaProgramma + "Esercizi/" + semplice;
    for (const QString &c : candidati) {
        const QFileInfo f(c);
        // Anything but a folder: the practice itself refuses FIFOs and devices, with a reason.
        if (f.exists() && !f.isDir())
            return QDir::cleanPath(f.absoluteFilePath());
    }
    return {};
}

} // namespace

LineaDiComando::Azione SoloTesto(const QStringList &argomenti)
{
    for (const QString &a : argomenti) {
        if (a == u"--")
            break;
        if (eAiuto(a))
            return LineaDiComando::Azione::Aiuto;
        if (eVersione(a))
            return LineaDiComando::Azione::Versione;
    }
    return LineaDiComando::Azione::Avvia;
}

LineaDiComando InterpretaArgomenti(const QStringList &argomenti, const QString &cartellaCorrente,
                                   const QString &cartellaProgramma)
{
    LineaDiComando r;
    r.azione = SoloTesto(argomenti);
    if (r.azione != LineaDiComando::Azione::Avvia)
        return r;
    bool opzioni = true;
    QString nome;
    bool visto = false;
    for (const QString &a : argomenti) {
        if (opzioni && a == u"--") {
            opzioni = false;
            continue;
        }
        // "/name" is the old form of a file, never an option.
        if (opzioni && a.startsWith('-') && a.size() > 1) {
            r.azione = LineaDiComando::Azione::Errore;
            r.errato = a;
            return r;
        }
        if (visto) {
            r.azione = LineaDiComando::Azione::Errore;
            r.errato = a;
            return r;
        }
        nome = a;
        visto = true;
    }
    if (nome.trimmed().isEmpty())
        return r;
    r.file = trovaFile(nome, cartellaCorrente, cartellaProgramma);
    if (r.file.isEmpty()) {
        // Not found: the practice is given the name as the old form, and tells
        // the learner nothing more than it always did.
        QString semplice = nome;
        while (semplice.startsWith('/'))
            semplice.remove(0, 1);
        r.file = "/" + semplice;
    }
    return r;
}

QString TestoAiutoRigaComando(const TestoLingua &lingua)
{
    const auto riga = [](const QString &opzione, const QString &testo) {
        return QStringLiteral("  %1  %2\n").arg(opzione, -10).arg(testo);
    };
    return T(lingua, "0600", u"Uso: tastavia [OPZIONE] [FILE]") + "\n" +
           T(lingua, "0601", u"Corso di dattilografia per la tastiera francese AZERTY.") + "\n\n" +
           T(lingua, "0602", u"FILE: un esercizio (.ftd) o un file di testo (.txt) con cui iniziare: un percorso, "
                             u"oppure un nome della cartella Esercizi.") + "\n" +
           T(lingua, "0603", u"Se Tastavia \u00E8 gi\u00E0 aperto, la sua finestra torna in primo piano e vi si apre il FILE.") +
           "\n\n" + riga("--help", T(lingua, "0604", u"mostra questo aiuto ed esce")) +
           riga("--version", T(lingua, "0605", u"mostra la versione ed esce"));
}

QString TestoVersioneRigaComando(const TestoLingua &lingua)
{
    return QStringLiteral("Tastavia ") + frmInfo::testoVersione(lingua) + "\n";
}

QString TestoErroreRigaComando(const TestoLingua &lingua, const QString &errato)
{
    return "tastavia: " + T(lingua, "0606", u"Argomento non riconosciuto: %1").arg(errato) + "\n" +
           T(lingua, "0607", u"Per l'elenco delle opzioni: tastavia --help") + "\n";
}

QString CartellaImpostazioni(const QString &cartellaEseguibile, const QString &cartellaDati,
                             bool eseguibileScrivibile)
{
    const QString installati = QDir::cleanPath(cartellaEseguibile + "/" TASTAVIA_DATI_INSTALLATI);
    const bool installato = QFileInfo(installati).isDir();
    if (!installato && eseguibileScrivibile)
        return cartellaEseguibile + "/";
    if (QFileInfo(cartellaDati + "/Tastavia.ini").isFile())
        return cartellaDati + "/";
    return (installato ? installati : cartellaEseguibile) + "/";
}

TestoLingua LinguaRigaComando(const QString &cartella, int linguaInstallatore)
{
    IniManager ini;
    Impostazioni imp;
    CaricaImpostazioni(ini, cartella, linguaInstallatore, imp);
    if (!imp.fileLinguaPresente)
        return {};
    const QString file = modLanguageSupport::FileDellaLingua(cartella, imp.linguaCorrente);
    return modLanguageSupport::CreaTestoLingua([file] { return file; });
}
