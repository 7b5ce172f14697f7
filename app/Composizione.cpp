#include "app/Composizione.h"

#include "app/frmClavora.h"
#include "app/modClavora.h"
#include "game/FrmPlay.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "settings/Impostazioni.h"
#include "settings/frmInput.h"
#include "ui/frmInfo.h"

void ComponiFinestre(frmClavora &principale, modClavora &s)
{
    principale.apriNome = [&s](QWidget *proprietario) {
        frmInput dialogo(s.gestoreIni, fileImpostazioni(s.cartellaProgramma), s.servizi, {},
                         proprietario);
        const int r = dialogo.exec();
        s.nomeUtente = dialogo.nomeUtente();
        s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, proprietario);
        return r;
    };
    principale.apriInfo = [](QWidget *proprietario, const frmInfo::Azioni &azioni) {
        frmInfo info(azioni, proprietario);
        info.exec();
        return info.stampaRichiesta();
    };
    principale.apriRisultati = [&s](QWidget *proprietario) {
        frmClassifica risultati(s, {}, proprietario);
        risultati.exec();
        return s.sceltaRisultati;
    };
    principale.apriReport = [&s](QWidget *proprietario) {
        frmReportFreeTXT report(s, {}, proprietario);
        return report.exec();
    };
    principale.apriGioco = [&s](QWidget *proprietario) {
        FrmPlay gioco(s, {}, proprietario);
        return gioco.exec();
    };
}
