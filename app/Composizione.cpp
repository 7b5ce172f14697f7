#include "app/Composizione.h"

#include "mainwindow/frmClavora.h"
#include "practice/modClavora.h"
#include "game/FrmPlay.h"
#include "keyboard/TabellaTasti.h"
#include "progress/RegistratoreProgressi.h"
#include "progress/frmProgressi.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "settings/Impostazioni.h"
#include "settings/Segnalibro.h"
#include "settings/frmInput.h"
#include "settings/frmLanguage.h"
#include "settings/modLanguageSupport.h"
#include "ui/frmInfo.h"

#include <QTimer>
#include <memory>

namespace {

// The learner's history beside the settings file; the store is opened by the
// first line written or the progress window, never at start-up.
struct Progressi {
    Progressi(modClavora &s)
        : archivio(s.cartellaProgramma + progressi::NomeArchivio),
          registratore(archivio, *s.servizi.clock, [this](QChar c) {
              return int(tabella.TastiDellaVoce(tabella.CercaVoce(c)).size());
          })
    {
        registratore.fonteStudente = [&s] { return s.nomeUtente.trimmed(); };
    }
    tastiera::TabellaTasti tabella;
    progressi::ArchivioProgressi archivio;
    progressi::RegistratoreProgressi registratore;
};

std::shared_ptr<Progressi> ComponiProgressi(frmClavora &principale, modClavora &s, const TestoLingua &lingua)
{
    // Kept alive by the window's hook; the engine, a member of the window, goes first.
    auto progressi = std::make_shared<Progressi>(s);
    principale.pratica.registro = &progressi->registratore;
    // A store that cannot be written never stops practice: told once, after the line.
    // (The path, not the recorder's owner: that would keep itself alive.)
    progressi->registratore.suErrore = [&principale, &s, lingua,
                                        percorso = progressi->archivio.percorso()](progressi::Esito) {
        QTimer::singleShot(0, &principale, [&principale, &s, lingua, percorso] {
            s.servizi.dialogs->message(&principale, QStringLiteral("Tastavia"),
                                       Testo(lingua, QStringLiteral("0472"),
                                             QStringLiteral("Non è possibile registrare i progressi in %1. "
                                                            "Gli esercizi continuano senza registrazione."))
                                           .arg(percorso),
                                       platform::Dialogs::Warning, platform::Dialogs::Ok);
        });
    };
    principale.apriProgressi = [&s, lingua, progressi](QWidget *proprietario) {
        const QString segnalibro = LeggiSegnalibro(s.gestoreIni, s.cartellaProgramma, s.nomeUtente);
        progressi::frmProgressi finestra(s, progressi->archivio, s.nomeUtente.trimmed(), segnalibro, lingua,
                                         proprietario);
        finestra.exec();
        return finestra.esercizioMirato();
    };
    return progressi;
}

} // namespace

void ComponiFinestre(frmClavora &principale, modClavora &s)
{
    // One text lookup for every window: the current language's file, read at
    // every call, so windows opened after a change of language take the new one.
    const TestoLingua lingua = modLanguageSupport::CreaTestoLingua([&s] {
        return s.fileLinguaPresente ? modLanguageSupport::FileDellaLingua(s.cartellaProgramma, s.linguaCorrente)
                                    : QString();
    });
    principale.lingua = lingua;
    // An empty answer keeps the warning's built-in text.
    s.avvisoScrittura.setTestoLingua([lingua](const QString &id) { return lingua(id, QString()); });

    principale.apriNome = [&s, lingua](QWidget *proprietario) {
        frmInput dialogo(s.gestoreIni, fileImpostazioni(s.cartellaProgramma), s.servizi, lingua, proprietario);
        const int r = dialogo.exec();
        s.nomeUtente = dialogo.nomeUtente();
        s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, proprietario);
        return r;
    };
    principale.apriInfo = [&s, lingua](QWidget *proprietario, const frmInfo::Azioni &azioni) {
        frmInfo::Azioni conLingua = azioni;
        // A new language reaches the information window at once, the main window when it closes.
        conLingua.apriLingua = [&s, lingua](QWidget *finestra) {
            frmLanguage scelta(s.cartellaProgramma, s.linguaCorrente, s.fileLinguaPresente, *s.servizi.dialogs,
                               lingua, finestra);
            scelta.exec();
            if (scelta.linguaCorrente() == s.linguaCorrente)
                return;
            s.linguaCorrente = scelta.linguaCorrente();
            s.fileLinguaPresente = modLanguageSupport::FileLinguaPresente(s.cartellaProgramma, s.linguaCorrente);
            modLanguageSupport::InstallaTraduzioniQt(s.fileLinguaPresente ? s.linguaCorrente
                                                                          : modLanguageSupport::kItaliano);
        };
        frmInfo info(conLingua, lingua, proprietario);
        info.exec();
        return info.stampaRichiesta();
    };
    principale.apriRisultati = [&s, lingua](QWidget *proprietario) {
        frmClassifica risultati(s, lingua, proprietario);
        risultati.exec();
        return s.sceltaRisultati;
    };
    principale.apriReport = [&s, lingua](QWidget *proprietario) {
        frmReportFreeTXT report(s, lingua, proprietario, s.localeInterfaccia());
        return report.exec();
    };
    const auto progressi = ComponiProgressi(principale, s, lingua);
    principale.apriGioco = [&s, lingua, progressi](QWidget *proprietario) {
        FrmPlay gioco(s, lingua, proprietario);
        gioco.regole.registro = &progressi->registratore;
        return gioco.exec();
    };
}
