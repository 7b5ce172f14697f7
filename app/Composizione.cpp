#include "app/Composizione.h"

#include "app/frmClavora.h"
#include "app/modClavora.h"
#include "game/FrmPlay.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "settings/Impostazioni.h"
#include "settings/frmInput.h"
#include "settings/frmLanguage.h"
#include "settings/modLanguageSupport.h"
#include "ui/frmInfo.h"

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
        frmReportFreeTXT report(s, lingua, proprietario);
        return report.exec();
    };
    principale.apriGioco = [&s, lingua](QWidget *proprietario) {
        FrmPlay gioco(s, lingua, proprietario);
        return gioco.exec();
    };
}
