// The main window's life: load, title animation, welcome, the keys the window
// previews (Enter, Esc, Caps Lock, F1), the background and the unload.

#include "mainwindow/frmClavora.h"

#include "mainwindow/LineaInput.h"
#include "mainwindow/Pannelli.h"
#include "keyboard/MappaTastiEsterna.h"
#include "keyboard/TastieraVirtuale.h"
#include "ui/Accessibile.h"
#include "ui/Caratteri.h"
#include "ui/ClsResize.h"
#include "ui/Immagini.h"
#include "ui/SchemiColori.h"
#include "ui/cTooltip.h"
#include "ui/frmTransparency.h"
#include "ui/frmShadow.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <vector>

void ImpostaColori(QWidget *w, const QColor &sfondo, const QColor &testo)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, sfondo);
    p.setColor(QPalette::Base, sfondo);
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Text, testo);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

frmClavora::frmClavora(modClavora &stato, QWidget *parent)
    : QWidget(parent), s(stato), pratica(stato, testi), controlloLayout_(stato.servizi.keyboard)
{
    setWindowTitle("Tastavia");
    TestiPredefiniti(testi, s);
    CreaControlli();
    pratica.finestre.ShowWithBackdrop = [this](int selettore) { return ShowWithBackdrop(selettore); };
    pratica.finestre.SalvaSegnalibro = [this] { SalvaSegnalibro(); };
}

frmClavora::~frmClavora()
{
    qApp->removeEventFilter(this);
}

void frmClavora::CaricaImpostazioni()
{
    ::CaricaImpostazioni(s.gestoreIni, s.cartellaProgramma, s.servizi.desktop->installerLanguage(),
                         opzioni);
    s.suonoAttivo = opzioni.suonoAttivo;
    s.schemaColori = opzioni.schemaColori;
    s.linguaCorrente = opzioni.linguaCorrente;
    s.fileLinguaPresente = opzioni.fileLinguaPresente;
    SegnaOpzioneMenu(3, s.suonoAttivo);
    SegnaOpzioneMenu(4, opzioni.mappaTastiAttiva);
    SegnaOpzioneMenu(5, opzioni.evidenziaAttivo);
    optLevel[opzioni.indiceModo == 1 ? 1 : 0]->setChecked(true);
}

void frmClavora::SalvaImpostazioni()
{
    opzioni.evidenziaAttivo = picKeyword->evidenziaAttivo();
    opzioni.mappaTastiAttiva = picKeyword->mappaTastiAttiva();
    opzioni.divisioneErgonomica = picKeyword->divisioneErgonomica();
    opzioni.tastieraSemplice = picKeyword->tastieraSemplice();
    opzioni.suonoAttivo = s.suonoAttivo;
    opzioni.schemaColori = s.schemaColori;
    opzioni.indiceModo = s.indiceModo;
    opzioni.linguaCorrente = s.linguaCorrente;
    ::SalvaImpostazioni(s.gestoreIni, s.cartellaProgramma, opzioni);
    s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, this);
}

void frmClavora::Form_Load(const QString &comando)
{
    // 1-2: the whole screen; the command line.
    // The work area, not the whole screen: the desktop's panels and the
    // window's own frame stay on screen (a window manager maximizes it there).
    const QRect lavoro = s.servizi.screen->workArea();
    resize(lavoro.isValid() && !lavoro.isEmpty() ? lavoro.size() : QSize(800, 600));
    if (lavoro.isValid())
        move(lavoro.topLeft());
    s.fileEsercizio.clear();

    // 4-5: sizes of the large screen; the layout is made for 800 x 600.
    if (s.schermoGrande) {
        const QSize schermoPieno = size();
        resize(800, 600);
        ridimensionatore_ = std::make_unique<ClsResize>(this);
        ridimensionatore_->SizeFormToScreen();
        resize(schermoPieno);
        pratica.setLarghezzaIndicatore(390);
        separatore = " / ";
        fontTesto = 24;
        fontFrase = 16;
    }
    lblFraseCorr->setFont(FontTesto(fontFrase));
    pratica.esercizi.larghezzaEtichetta = picDisplay->width() - 10;   // the model line's width
    // The text-file progress bar fills the first screen-icon label's place.
    pratica.setLarghezzaProgresso(lblNumBatt[0]->width() * 2);

    // 6-11: settings, texts, mode, the run's speeds.
    CaricaImpostazioni();
    ApplicaTesti();
    backdrop_ = std::make_unique<Backdrop>(this, *s.servizi.clock);
    backdrop_->setPausa([this](int ms) {
        if (s.pausa)
            s.pausa(ms);
        return 258;
    });
    backdrop_->setFinestra(1, [this](QWidget *o) { return apriNome ? apriNome(o) : 0; });
    backdrop_->setFinestra(2, [this](QWidget *o) { return apriRisultati ? apriRisultati(o) : 0; });
    backdrop_->setFinestra(3, [this](QWidget *o) { return apriReport ? apriReport(o) : 0; });
    backdrop_->setNascondiPopup([this] { NascondiPopup(); });
    popup = new frmTransparency(this, s.schermoGrande, [this](int ms) {
        if (s.pausa)
            s.pausa(ms);
    });
    popup->setSuVisibile([this](bool visibile) { s.popupVisibile = visibile; });
    ImpostaFumetti();
    picKeyword->setEvidenziaAttivo(opzioni.evidenziaAttivo);
    picKeyword->setDivisioneErgonomica(opzioni.divisioneErgonomica);
    picKeyword->setTastieraSemplice(opzioni.tastieraSemplice);
    picKeyword->setMappaTastiAttiva(opzioni.mappaTastiAttiva);
    picKeyword->setSchermoGrande(s.schermoGrande);
    if (opzioni.mappaTastiAttiva)
        picKeyword->ColorTasti();
    if (optLevel[1]->isChecked())
        optLevel_Click(1);
    else
        ImpostaModo(0);

    // 14-15: the keyboard drawn, its markers ready.
    picKeyword->RipristinaTastiera();
    picKeyword->PreparaEvidenziatori();
    s.velocitaFrase.fill(0);

    // 13: the program's hand cursor on what can be clicked.
    const QPixmap mano = ImmaginePng(":/cursors/mano.png");
    const QCursor cursoreMano = mano.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(mano, 10, 2);
    for (QWidget *w : {static_cast<QWidget *>(cmdStart), static_cast<QWidget *>(cboListFile)})
        w->setCursor(cursoreMano);
    for (QLabel *l : lblMenu)
        l->setCursor(cursoreMano);
    for (QRadioButton *r : optMenu)
        r->setCursor(cursoreMano);
    for (QRadioButton *r : optLevel)
        r->setCursor(cursoreMano);
    picKeyword->setCursoreMano(cursoreMano);

    // 16-17: practice state and the progress marker.
    pratica.setStartAbilitato(false);
    pratica.setModoCorso(false);
    shpIndex->setGeometry(lblFraseCorr->x(), lblFraseCorr->y() + 2, 0,
                          QFontMetrics(lblFraseCorr->font()).height() + 2);

    // 18: Caps Lock is switched off before the window shows.
    if (s.TastoAttivo(20))
        s.SpegniBloccoMaiuscole();

    // 19: the keyboard panel in the middle, 20 pixels above the centre; the Caps
    // Lock picture to its left, clear of the model line.
    picNotebook->move((width() - picNotebook->width()) / 2,
                      (height() - picNotebook->height()) / 2 - 20);
    imgMappaTastiEsterna->move((width() - imgMappaTastiEsterna->width()) / 2,
                               picNotebook->geometry().bottom() + 6);
    imgX->move(qMax(2, picNotebook->x() - imgX->width() - 12), picNotebook->y() + 8);
    const int passoMenu = shpMenu[0]->width() + shpMenu[0]->width() / 3;
    for (int i = 0; i < 9; ++i) {
        // The progress command closes the row; the key of a character without
        // one shows after it.
        const int posto = i == 7 ? 8 : i == 8 ? 7 : i;
        shpMenu[size_t(i)]->move(picNotebook->x() + posto * passoMenu,
                                 qMax(2, picNotebook->y() - shpMenu[0]->height() - 6));
        lblMenu[size_t(i)]->move(shpMenu[size_t(i)]->pos());
    }

    // 20: show, with the menu disabled until the welcome is over.
    qApp->installEventFilter(this);
    // Maximized: a window manager fits it, frame and all, into the work area.
    // (Qt's offscreen platform has no desktop, only the screen it pretends.)
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        setWindowState(windowState() | Qt::WindowMaximized);
    show();
    Attivati();
    for (QLabel *l : lblMenu)
        l->setEnabled(false);
    update();
    QApplication::processEvents();

    // 12: the learner's keymap, switched to French only where it must and may.
    // Checked once the window shows: loading a keymap takes a moment, and its
    // warning needs the window.
    tastiera::AvvisoLayout avviso;
    avviso.dialogs = s.servizi.dialogs;
    avviso.finestra = this;
    avviso.titoloAttenzione = testi.titoloAttenzione;
    avviso.messaggio = [this](int n) { return testi.messaggio(n); };
    // The layout's help page, only when it is there: one box is enough.
    avviso.apriGuida = [this](int id) { s.ApriGuida(this, id, false); };
    esitoLayout_ = tastiera::VerificaLayout(controlloLayout_, avviso);
    tastieraVerificata_ = true;
    s.layoutPrecedente = controlloLayout_.layoutPrecedente();
    MostraAvvisoTastiera();
    // The keys, their captions and what the material may hold follow the keymap.
    tabella_.ApplicaLayout(controlloLayout_.modello() ? &*controlloLayout_.modello() : nullptr);
    picKeyword->AggiornaLegende();

    // 21-22: a file named on the command line; the kinds that have files.
    const auto aperto = comando.isEmpty() ? Esercizi::EsitoComando::Ignorato : pratica.ApriDaRigaComando(comando);
    if (aperto == Esercizi::EsitoComando::TroppoLungo) {
        s.servizi.dialogs->message(this, "Tastavia", testi.messaggio(40),
                                   platform::Dialogs::Information, platform::Dialogs::Ok);
        Chiudi();
        return;
    }
    if (aperto == Esercizi::EsitoComando::Rifiutato) {
        // A FIFO, a device or a folder named as the exercise: told, then the sentences.
        const Esercizi &e = pratica.esercizi;
        s.servizi.dialogs->message(this, "Tastavia",
                                   testi.messaggio(37) + "\r\n" + e.fileRifiutato +
                                       Esercizi::MotivoRifiuto(e.rifiuto, e.fileRifiutato, lingua),
                                   platform::Dialogs::Critical, platform::Dialogs::Ok);
    }
    AggiornaCategorie();

    // 23-26: title, name, welcome.
    AnimazioneTitolo();
    if (s.pausa)
        s.pausa(2);
    QApplication::processEvents();
    ShowWithBackdrop(1);
    if (chiusa)
        return;
    SalutoIniziale();
    shpProgressTime->resize(lblNumBatt[0]->width() * 2 + 1, shpProgressTime->height());
    for (QLabel *l : lblMenu)
        l->setEnabled(true);
    lblMenu[4]->setEnabled(!s.modoEsperto);   // expert mode never shows the key map
}

void frmClavora::AnimazioneTitolo()
{
    const QFont prima = lblFraseCorr->font();
    lblFraseCorr->setFont(FontMonospazio(s.schermoGrande ? 30 : 22, true));
    lblFraseCorr->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const QString titolo = "Tastavia";
    for (int i = 1; i <= titolo.size() && !chiusa; ++i) {
        lblFraseCorr->setText(titolo.left(i));
        lblFraseCorr->repaint();
        if (s.pausa)
            s.pausa(180);
        s.Suona(107);
    }
    if (s.pausa)
        s.pausa(300);
    // The title stays centred behind the name dialog until the welcome replaces it.
    lblFraseCorr->setFont(prima);
}

void frmClavora::SalutoIniziale()
{
    update();
    lblFraseCorr->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblFraseCorr->setGeometry(5, 0, picDisplay->width() - 10, 82);
    lblFraseCorr->setWordWrap(true);
    QString t = testi.messaggio(11) + " " + s.nomeUtente;
    s.Suona(110);
    lblFraseCorr->setText(t);
    QApplication::processEvents();
    if (s.pausa)
        s.pausa(125);
    t += "\r\n" + testi.messaggio(12);
    lblFraseCorr->setText(t);
    QApplication::processEvents();
    if (s.pausa)
        s.pausa(125);
    if (s.fileEsercizio.isEmpty() && fontiDisponibili) {
        picMenu->show();
        t += testi.messaggio(13);
    }
    picLevel->show();
    QApplication::processEvents();
    lblFraseCorr->setText(t);
    s.AttendiSecondi(1, true);
    if (chiusa)
        return;
    pratica.setStartAbilitato(true);
    FlashBotton();
    ApriPopup();
    if (chiusa)
        return;
    picNotebook->setFocus();
}

// The window takes the keyboard back: after a dialog, and at every Start. Without
// a window manager nothing else would, and keys would bypass dead-key composition.
void frmClavora::Attivati()
{
    if (chiusa || !isVisible())
        return;
    activateWindow();
}

int frmClavora::ShowWithBackdrop(int selettore)
{
    NascondiPopup();   // the backdrop goes over the whole window
    s.dialogoDaMostrare = selettore;
    if (selettore == 2 || selettore == 3)
        s.Suona(106);
    const int r = backdrop_ ? backdrop_->ShowWithBackdrop(selettore) : 0;
    QApplication::processEvents();
    Attivati();
    return r;
}

bool frmClavora::eventFilter(QObject *o, QEvent *e)
{
    // Menu labels: a click runs their command; the hover marker follows the mouse.
    for (int i = 0; i < 9; ++i) {
        if (o != lblMenu[size_t(i)])
            continue;
        // Pressed by the keyboard (Tab to it, then Space or Enter) or by a
        // screen reader, a command acts as clicked.
        const auto *tasto = e->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(e) : nullptr;
        const bool daTastiera = tasto && !tasto->isAutoRepeat() &&
                                (tasto->key() == Qt::Key_Space || tasto->key() == Qt::Key_Return ||
                                 tasto->key() == Qt::Key_Enter);
        if (daTastiera || e->type() == accessibile::EventoPremuto) {
            if (lblMenu[size_t(i)]->isEnabled() && !pratica.chiusuraInCorso()) {
                shpEV->hide();
                lblMenu_Click(i);
            }
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease && lblMenu[size_t(i)]->isEnabled()) {
            shpEV->hide();
            lblMenu_Click(i);
            return true;
        }
        if (e->type() == QEvent::Enter || e->type() == QEvent::FocusIn) {
            shpEV->setGeometry(shpMenu[size_t(i)]->geometry().adjusted(-2, -2, 2, 2));
            shpEV->show();
            shpEV->raise();
        } else if (e->type() == QEvent::Leave || e->type() == QEvent::FocusOut) {
            shpEV->hide();
        }
    }
    // A click anywhere in the window (a list that opens too) sends the pop-up away.
    if (e->type() == QEvent::MouseButtonPress && s.popupVisibile) {
        auto *cliccato = qobject_cast<QWidget *>(o);
        if (cliccato && cliccato->window() == this)
            NascondiPopup();
    }
    // A key pressed while another window had the keyboard is not ours to release.
    if (o == this && e->type() == QEvent::WindowDeactivate)
        tastiPremuti_.clear();
    // The window previews every key of its own widgets.
    auto *w = qobject_cast<QWidget *>(o);
    if (!w || w->window() != this)
        return false;
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (!k->isAutoRepeat())
            tastiPremuti_.insert(k->key());
        if (k->isAutoRepeat() && pratica.chiusuraInCorso())
            return true;
        const int codice = (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) ? 13 : 0;
        if (Form_KeyPress(codice))
            return true;
        // Keys that reach another widget of the window (or the window itself, when
        // it is not the active one) still go to the input line; a key the line
        // ignored travels up to its parents and must not come back.
        if (!inoltroInCorso_ && o != txtInput && txtInput->isEnabled() && !txtInput->isReadOnly()) {
            txtInput->setFocus();
            inoltroInCorso_ = true;
            QApplication::sendEvent(txtInput, e);
            inoltroInCorso_ = false;
            return true;
        }
    } else if (e->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(e);
        // Once per key: the release also travels from a child to its parents,
        // and a key pressed in a dialog is released here after the dialog closed.
        if (!k->isAutoRepeat() && tastiPremuti_.remove(k->key()))
            Form_KeyUp(k->key());
    }
    return false;
}

// True when the key is swallowed.
bool frmClavora::Form_KeyPress(int tasto)
{
    if (pratica.chiusuraInCorso())
        return true;
    if (tasto == 13 && pratica.startAbilitato()) {
        pratica.setStartAbilitato(false);
        cmdStart_Click();
    }
    return false;
}

// A keymap changed in the desktop since it was last read: its keys from now on.
void frmClavora::AggiornaTastiera()
{
    if (!controlloLayout_.AggiornaModello(esitoLayout_))
        return;
    tabella_.ApplicaLayout(controlloLayout_.modello() ? &*controlloLayout_.modello() : nullptr);
    picKeyword->AggiornaLegende();
    MostraAvvisoTastiera();
}

void frmClavora::changeEvent(QEvent *e)
{
    // Xwayland takes the compositor's keymap when one of its windows gets the
    // keyboard: a keymap that did not look French at start is read again then.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && tastieraVerificata_ &&
        esitoLayout_ != tastiera::ControlloLayout::Esito::Francese &&
        esitoLayout_ != tastiera::ControlloLayout::Esito::Cambiato)
        AggiornaTastiera();
    QWidget::changeEvent(e);
}

void frmClavora::MostraAvvisoTastiera()
{
    // Above the command row, the width of the panel: it stops nothing.
    QString riga;
    if (esitoLayout_ == tastiera::ControlloLayout::Esito::NonFrancese)
        riga = testi.tastieraNonFrancese;
    else if (esitoLayout_ == tastiera::ControlloLayout::Esito::Cambiato && !s.layoutPrecedente.isEmpty())
        riga = QString(testi.tastieraCambiata).replace(QLatin1String("%1"), s.layoutPrecedente);
    if (riga.isEmpty()) {
        lblAvvisoTastiera->hide();
        return;
    }
    lblAvvisoTastiera->setText(riga);
    const int larghezza = picNotebook->width();
    const int altezza = lblAvvisoTastiera->heightForWidth(larghezza);
    const int sopra = shpMenu[0]->y() - altezza - 6;
    lblAvvisoTastiera->setGeometry(picNotebook->x(), qMax(2, sopra), larghezza, altezza);
    lblAvvisoTastiera->show();
    lblAvvisoTastiera->raise();
}

void frmClavora::Form_KeyUp(int tasto)
{
    // Any key sends the pop-up away; first, so that no box opens under it.
    NascondiPopup();
    if (tasto == Qt::Key_Escape) {
        const auto r = s.servizi.dialogs->message(
            this, "Tastavia", testi.messaggio(25) + "\r\n" + testi.messaggio(26),
            platform::Dialogs::Question, platform::Dialogs::YesNo);
        if (r == platform::Dialogs::AnsYes) {
            Chiudi();
            return;
        }
        Attivati();
    }
    if (tasto == Qt::Key_CapsLock && s.TastoAttivo(20)) {
        imgX->show();
        imgX->raise();
        s.servizi.dialogs->message(this, testi.titoloAttenzione, testi.messaggio(27),
                                   platform::Dialogs::Warning, platform::Dialogs::Ok);
        s.SpegniBloccoMaiuscole();
        imgX->hide();
        Attivati();
    }
    if (tasto == Qt::Key_F1)
        s.ApriGuida(this, 0);
    if (!chiusa && txtInput->isEnabled()) {
        txtInput->setFocus();
        txtInput->end(false);
    }
}

void frmClavora::paintEvent(QPaintEvent *e)
{
    // Two halves: the top from its corners to the middle colour, the bottom from
    // the middle colour to its corners; small scratch pictures stretched on paint.
    const int meta = height() / 2;
    if (sfondoAlto_.isNull() || schemaSfondo_ != s.schemaColori || dimensioneSfondo_ != size()) {
        const SchemaColori &c = Schema(s.schemaColori);
        schemaSfondo_ = s.schemaColori;
        dimensioneSfondo_ = size();
        sfondoAlto_ = ImmagineGradiente(width(), meta, c.altoSinistra, c.altoDestra, c.centro,
                                        c.centro, LatoSfondoTenuto);
        sfondoBasso_ = ImmagineGradiente(width(), height() - meta, c.centro, c.centro,
                                         c.bassoSinistra, c.bassoDestra, LatoSfondoTenuto);
    }
    QPainter p(this);
    p.setClipRect(e->rect());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, width(), meta), sfondoAlto_);
    p.drawImage(QRect(0, meta, width(), height() - meta), sfondoBasso_);
}

void frmClavora::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    // Resized by the learner or the window manager: the panels stay in the
    // middle, 20 pixels above the centre, with what is placed around them.
    if (!picNotebook)
        return;
    const QPoint posto((width() - picNotebook->width()) / 2, (height() - picNotebook->height()) / 2 - 20);
    const QPoint spostamento = posto - picNotebook->pos();
    if (spostamento.isNull())
        return;
    std::vector<QWidget *> intorno{picNotebook, imgMappaTastiEsterna, imgX, lblAvvisoTastiera, shpEV};
    for (size_t i = 0; i < shpMenu.size(); ++i)
        intorno.insert(intorno.end(), {shpMenu[i], lblMenu[i]});
    for (QWidget *w : intorno)
        if (w)
            w->move(w->pos() + spostamento);
}

void frmClavora::closeEvent(QCloseEvent *e)
{
    Form_Unload();
    e->accept();
}

void frmClavora::Chiudi()
{
    if (chiusa)
        return;
    Form_Unload();
    hide();
}

void frmClavora::Form_Unload()
{
    if (chiusa)
        return;
    chiusa = true;
    SalvaImpostazioni();
    fumettiMenu.reset();
    fumettiLivello.reset();
    Timer1->stop();
    Timer2->stop();
    controlloLayout_.RipristinaLayout();
    // Every other window of the program closes with this one.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    QApplication::processEvents();
    QCoreApplication::exit(0);
}
