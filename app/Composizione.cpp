#include "app/Composizione.h"

#include "app/frmClavora.h"
#include "app/modClavora.h"
#include "report/frmReportFreeTXT.h"
#include "results/frmClassifica.h"
#include "settings/Impostazioni.h"
#include "settings/frmInput.h"
#include "ui/frmInfo.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The game window arrives later; until then a window that says so.
int ApriGiocoProvvisorio(QWidget *proprietario)
{
    QDialog d(proprietario);
    d.setWindowTitle(QString::fromUtf8("Gioco & Allenamento"));
    auto *l = new QVBoxLayout(&d);
    l->addWidget(new QLabel(QString::fromUtf8(
        "Il gioco delle lettere che cadono e l'allenamento\n"
        "sui gruppi di caratteri arrivano con la prossima versione."), &d));
    auto *chiudi = new QPushButton("Chiudi", &d);
    QObject::connect(chiudi, &QPushButton::clicked, &d, &QDialog::accept);
    l->addWidget(chiudi, 0, Qt::AlignRight);
    return d.exec();
}

} // namespace

void ComponiFinestre(frmClavora &principale, modClavora &s)
{
    principale.apriNome = [&s](QWidget *proprietario) {
        frmInput dialogo(s.gestoreIni, fileImpostazioni(s.cartellaProgramma), s.servizi, {},
                         proprietario);
        const int r = dialogo.exec();
        s.nomeUtente = dialogo.nomeUtente();
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
    principale.apriGioco = [](QWidget *proprietario) { return ApriGiocoProvvisorio(proprietario); };
}
