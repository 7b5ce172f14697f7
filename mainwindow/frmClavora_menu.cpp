// The main window's commands: menu labels, kinds of material, file list and mode.

#include "mainwindow/frmClavora.h"
#include "mainwindow/LineaInput.h"
#include "mainwindow/Pannelli.h"
#include "keyboard/FoglioTastiera.h"
#include "keyboard/TastieraVirtuale.h"
#include "platform/Testo.h"
#include "settings/Segnalibro.h"
#include "ui/frmInfo.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>

namespace {

// The readable files of a folder with the given extension, any case, by name.
// Filtered here rather than with a name filter, which would compile a regular
// expression (and load the regex library) for every listing.
QFileInfoList fileDi(const QString &cartella, const QString &estensione)
{
    QFileInfoList out;
    for (const QFileInfo &f : QDir(cartella).entryInfoList(QDir::Files | QDir::Readable, QDir::Name))
        if (f.suffix().compare(estensione, Qt::CaseInsensitive) == 0)
            out << f;
    return out;
}

} // namespace

QString VoceFileTesto(const QString &nome, qint64 lunghezza)
{
    const long long t1 = qMax(1LL, testo::arrotonda(double(lunghezza) / 300.0));
    const long long t2 = qMax(1LL, testo::arrotonda(double(lunghezza) / 220.0));
    if (t1 == t2)
        return nome + "    (" + QString::number(t1) + " min)";
    return nome + "    (" + QString::number(t1) + " ÷ " + QString::number(t2) + " min)";
}

void frmClavora::lblMenu_Click(int indice)
{
    switch (indice) {
    case 0:
        Chiudi();
        break;
    case 1:
        ComandoRicomincia();
        break;
    case 2: {
        NascondiPopup();
        const QString linguaPrima = s.linguaCorrente;
        s.Suona(105);
        frmInfo::Azioni azioni;
        azioni.apriGuida = [this] { s.ApriGuida(this, 0); };
        azioni.stampanteDisponibile = s.StampanteDisponibile();
        const bool stampa = apriInfo && apriInfo(this, azioni);
        Attivati();
        // The new language first: the print question speaks it.
        if (s.linguaCorrente != linguaPrima)
            CambiaLingua();
        if (stampa)
            StampaTastiera();
        picDisplay->setFocus();
        pratica.RichiediRiavvio();
        cmdStart_Click();
        break;
    }
    case 3:
        s.suonoAttivo = !s.suonoAttivo;
        SegnaOpzioneMenu(3, s.suonoAttivo);
        s.SuonaEffetto(111);
        break;
    case 4:
        picKeyword->CambiaMappaTasti(pratica.carattereAtteso(), pratica.fermaLampeggio(),
                                     s.modoFileTesto);
        SegnaOpzioneMenu(4, picKeyword->mappaTastiAttiva());
        break;
    case 5:
        picKeyword->CambiaEvidenziazione(pratica.carattereAtteso(), s.modoFileTesto);
        if (!picKeyword->evidenziaAttivo())
            picKeyword->NascondiErroreTasto();   // the wrong-key marker goes with the highlight
        SegnaOpzioneMenu(5, picKeyword->evidenziaAttivo());
        s.Suona(111);
        break;
    case 6:
        s.schemaColori = s.schemaColori >= 10 ? 0 : s.schemaColori + 1;
        update();
        s.Suona(111);
        break;
    case 7:
        lblMenu[7]->hide();
        shpMenu[7]->hide();
        if (!pratica.carattereAtteso().isEmpty())
            txtInput->Digita(pratica.carattereAtteso().at(0));
        break;
    case 8:
        ApriProgressi();
        break;
    default:
        break;
    }
}

void frmClavora::SegnaOpzioneMenu(int indice, bool attiva)
{
    shpMenu[size_t(indice)]->setFillColor(attiva ? QColor(128, 255, 255) : QColor());
}

void frmClavora::GrigioListaFile(bool grigio)
{
    QPalette p = cboListFile->palette();
    const QPalette normale = QApplication::palette(cboListFile);
    for (QPalette::ColorRole ruolo : {QPalette::Button, QPalette::Base})
        p.setColor(ruolo, grigio ? QColor(223, 223, 223) : normale.color(ruolo));
    cboListFile->setPalette(p);
}

void frmClavora::optMenu_Click(int indice)
{
    cboListFile->clear();
    cboListFile->setEnabled(true);
    GrigioListaFile(false);
    pratica.setModoCorso(false);
    const QString esercizi = s.cartellaProgramma + "Esercizi/";
    switch (indice) {
    case 0:
        cboListFile->setEnabled(false);
        GrigioListaFile(true);
        s.fileEsercizio.clear();
        lblIconaEsercizio->setText("✍");
        break;
    case 1:
        RiempiCorso();
        pratica.setModoCorso(true);
        lblIconaEsercizio->setText("✎");
        break;
    case 2:
        for (const QFileInfo &f : fileDi(esercizi, "ftd"))
            cboListFile->addItem(f.fileName());
        cboListFile->setCurrentIndex(0);
        lblIconaEsercizio->setText("✐");
        break;
    case 3:
        for (const QFileInfo &f : fileDi(esercizi, "txt"))
            if (f.size() < Esercizi::limiteFileTesto)
                cboListFile->addItem(VoceFileTesto(f.fileName(), f.size()));
        cboListFile->setCurrentIndex(0);
        lblIconaEsercizio->setText("¶");
        break;
    case 4:
        pratica.setFermaLampeggio(false);
        Timer2->stop();
        imgPremi->hide();
        optMenu[0]->setChecked(true);
        optMenu_Click(0);
        NascondiPopup();
        if (apriGioco)
            apriGioco(this);
        Attivati();
        picDisplay->setFocus();
        pratica.RichiediRiavvio();
        cmdStart_Click();
        return;
    default:
        break;
    }
    s.Suona(111);
}

void frmClavora::RiempiCorso()
{
    const QString segnalibro = LeggiSegnalibro(s.gestoreIni, s.cartellaProgramma, s.nomeUtente);
    // The list shows the names in upper case; each entry keeps its real file
    // name, which a case-sensitive file system needs.
    QStringList voci;
    for (const QFileInfo &f : fileDi(s.cartellaProgramma + "CorsoDattilo/", "ftd")) {
        voci << f.fileName().section('.', 0, 0).toUpper();
        cboListFile->addItem(voci.back(), f.fileName());
    }
    cboListFile->setCurrentIndex(voci.isEmpty() ? -1 : IndiceSegnalibro(voci, segnalibro));
}

void frmClavora::SalvaSegnalibro()
{
    ::SalvaSegnalibro(s.gestoreIni, *s.servizi.dialogs, this, s.cartellaProgramma, s.nomeUtente,
                      s.fileEsercizio, cboListFile->count() == cboListFile->currentIndex() + 1,
                      testi.testiMessaggi.mid(17, 6));
    s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, this);
    Attivati();
}

// The progress window; after it the practice starts again, with the aimed
// exercise when its button made one.
void frmClavora::ApriProgressi()
{
    NascondiPopup();
    s.Suona(105);
    const QString mirato = apriProgressi ? apriProgressi(this) : QString();
    Attivati();
    picDisplay->setFocus();
    pratica.RichiediRiavvio();
    cmdStart_Click();
    if (mirato.isEmpty() || chiusa)
        return;
    optMenu[2]->setChecked(true);
    optMenu_Click(2);
    const int voce = cboListFile->findText(mirato);
    if (voce < 0)
        return;
    cboListFile->setCurrentIndex(voce);
    cmdStart_Click();
}

// The keyboard exactly as shown (the Enter prompt stopped, Enter raised) on a
// landscape sheet. Without a printer nothing is printed; the prompt, the
// pop-up and key 37's tooltip come back either way.
void frmClavora::StampaTastiera()
{
    pratica.setFermaLampeggio(true);
    const bool popupPrima = s.popupVisibile;
    NascondiPopup();
    picKeyword->DisegnaTasto(tastiera::TastoInvioBasso, 1);
    picKeyword->DisegnaTasto(tastiera::TastoInvioAlto, 1);
    picKeyword->repaint();

    // A language's question holds the program's name as "%1" with its own
    // punctuation; the built-in one ends before it.
    const QString domanda = testi.messaggio(23).contains(QLatin1String("%1"))
                                ? testi.messaggio(23).trimmed().replace(QLatin1String("%1"), QLatin1String("Tastavia"))
                                : testi.messaggio(23) + "Tastavia" + "?";
    const auto r = s.servizi.dialogs->message(
        this, "Tastavia", domanda + "\r\n" + testi.messaggio(24),
        platform::Dialogs::Question, platform::Dialogs::YesNo);
    Attivati();
    if (r == platform::Dialogs::AnsYes) {
        // No tooltip may cover the keyboard while it is taken.
        const QString tooltip37 = picKeyword->tooltipTasto37();
        picKeyword->setTooltipTasto37({});
        QToolTip::hideText();
        QApplication::processEvents();
        const tastiera::FoglioTastiera foglio{picKeyword->grab().toImage(),
                                              testi.messaggio(31) + " " + testi.foglioTastiera + "  ",
                                              QString(10, ' ') + "Tastavia"};
        if (s.StampanteDisponibile())
            s.servizi.printer->print("Tastavia", true, 1,
                                     [&foglio](QPainter &p, const QRect &area, int) {
                                         tastiera::DisegnaFoglioTastiera(p, area, foglio);
                                     });
        picKeyword->setTooltipTasto37(tooltip37);
    }
    if (chiusa)
        return;
    FlashBotton();
    if (popupPrima)
        ApriPopup();
}

void frmClavora::AggiornaCategorie()
{
    const bool corso = !fileDi(s.cartellaProgramma + "CorsoDattilo/", "ftd").isEmpty();
    const bool ftd = !fileDi(s.cartellaProgramma + "Esercizi/", "ftd").isEmpty();
    const bool txt = !fileDi(s.cartellaProgramma + "Esercizi/", "txt").isEmpty();
    optMenu[1]->setEnabled(corso);
    optMenu[2]->setEnabled(ftd);
    optMenu[3]->setEnabled(txt);
    fontiDisponibili = corso || ftd || txt || optMenu[4]->isEnabled();
    cboListFile->clear();
    cboListFile->setEnabled(false);
    GrigioListaFile(true);
}

void frmClavora::optLevel_Click(int indice)
{
    ImpostaModo(indice);
    if (picLevel->isVisible())
        s.Suona(111);
    if (indice == 1) {
        // Expert mode never shows the finger colours: on first, then toggled off.
        picKeyword->setMappaTastiAttiva(true);
        lblMenu_Click(4);
    }
    lblMenu[4]->setEnabled(indice == 0);
}

// What a Start takes from the lists: the kind and the current entry (its real
// file name when the entry keeps one).
Pratica::Scelta frmClavora::SceltaCorrente() const
{
    Pratica::Scelta scelta;
    scelta.daLista = !optMenu[0]->isChecked();
    scelta.listaVuota = cboListFile->count() == 0;
    if (cboListFile->currentIndex() >= 0) {
        const QVariant file = cboListFile->currentData();
        scelta.voce = file.isValid() ? file.toString() : cboListFile->currentText();
    }
    return scelta;
}

void frmClavora::ComandoDaAltraIstanza(const QString &file)
{
    QWidget *modale = QApplication::activeModalWidget();
    for (QWidget *w : {static_cast<QWidget *>(this), modale}) {
        if (!w || !w->isVisible())
            continue;
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->raise();
        w->activateWindow();
    }
    // A line being typed or a window open: the learner's work is not interrupted.
    if (file.isEmpty() || chiusa || modale || pratica.cronometroAttivo() || !pratica.startAbilitato())
        return;
    optMenu[0]->setChecked(true);
    optMenu_Click(0);
    const auto aperto = pratica.ApriDaRigaComando(file);
    if (aperto == Esercizi::EsitoComando::TroppoLungo) {
        s.fileEsercizio.clear();
        pratica.ApriDaRigaComando(QString());
        s.servizi.dialogs->message(this, "Tastavia", testi.messaggio(40), platform::Dialogs::Information,
                                   platform::Dialogs::Ok);
    } else if (aperto == Esercizi::EsitoComando::Rifiutato) {
        const Esercizi &e = pratica.esercizi;
        s.servizi.dialogs->message(this, "Tastavia",
                                   testi.messaggio(37) + "\r\n" + e.fileRifiutato +
                                       Esercizi::MotivoRifiuto(e.rifiuto, e.fileRifiutato, lingua),
                                   platform::Dialogs::Critical, platform::Dialogs::Ok);
    }
}
