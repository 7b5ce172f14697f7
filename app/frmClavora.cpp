#include "app/frmClavora.h"

#include "app/LineaInput.h"
#include "keyboard/MappaTastiEsterna.h"
#include "keyboard/TastieraVirtuale.h"
#include "app/Punteggio.h"
#include "platform/Testo.h"
#include "settings/Impostazioni.h"
#include "settings/frmInput.h"
#include "ui/Caratteri.h"
#include "ui/ClsResize.h"
#include "ui/Immagini.h"
#include "ui/modGradient.h"
#include "ui/SchemiColori.h"
#include "ui/frmShadow.h"

#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

int ApriGiocoProvvisorio(QWidget *proprietario);

// A balloon text: its title in bold over the text.
QString Fumetto(const QString &titolo, const QString &testo)
{
    return "<b>" + titolo.toHtmlEscaped() + "</b><br>" + testo.toHtmlEscaped();
}

namespace {

QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

// The backgrounds are kept as small scratch pictures stretched smoothly on
// paint: 63 x 63 draws the same blends as 255 x 255 in a sixteenth of the memory.
constexpr int LatoSfondoTenuto = 63;

} // namespace

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
    : QWidget(parent), esercizi(stato), s(stato), controlloLayout_(stato.servizi.keyboard)
{
    setWindowTitle("Tastavia");
    CreaControlli();
    TestiPredefiniti();
    apriNome = [this](QWidget *proprietario) {
        frmInput dialogo(s.gestoreIni, fileImpostazioni(s.cartellaProgramma), s.servizi, {},
                         proprietario);
        const int r = dialogo.exec();
        s.nomeUtente = dialogo.nomeUtente();
        s.avvisoScrittura.Avvisa(s.gestoreIni, *s.servizi.dialogs, proprietario);
        return r;
    };
    apriRisultati = [this](QWidget *proprietario) {
        // Until the results window exists: ask whether to go on.
        const auto r = s.servizi.dialogs->message(
            proprietario, "Tastavia", testiMessaggi.value(10), platform::Dialogs::Question,
            platform::Dialogs::YesNo);
        return r == platform::Dialogs::AnsYes ? 0 : 1;
    };
    apriGioco = [](QWidget *proprietario) { return ApriGiocoProvvisorio(proprietario); };
    apriReport = [this](QWidget *proprietario) {
        // Until the text-file report exists: its figures in a box.
        s.servizi.dialogs->message(
            proprietario, "Tastavia",
            QString("%1: %2\r\n%3: %4\r\n%5: %6")
                .arg(testiMessaggi.value(8)).arg(s.totaleBattute)
                .arg("Errori").arg(s.totaleErrori)
                .arg("Tempo").arg(s.tempoEsercizio.toString("hh:mm:ss")),
            platform::Dialogs::Information, platform::Dialogs::Ok);
        return 0;
    };
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

frmClavora::~frmClavora()
{
    qApp->removeEventFilter(this);
}

void frmClavora::TestiPredefiniti()
{
    testiMessaggi = {
        "- Frasi interne ",
        "-  Primo livello: frase",
        "-  Secondo livello: frase ",
        "-  Terzo livello: frase ",
        "Con questo esercizio questo pulsante non è disponibile.",
        "Vuoi iniziare da capo le esercitazioni?",
        "Hai totalizzato ",
        "punti e, digitando alla media di",
        "battute",
        "hai anche superato il tuo record precedente.",
        "Premi il tasto Entrée per continuare.",
        "Ciao",
        "Per iniziare gli esercizi scegli il livello di difficoltà e premi il pulsante < Entrée> ",
        "\r\nSeleziona dalla lista il file con cui esercitarti",
        "La tastiera in uso non è impostata per la lingua",
        "Il programma, quindi, potrebbe non funzionare correttamente.",
        "francese",
        "Vuoi salvare il nome dell'esercizio che hai appena terminato?",
        "Se rispondi  Sì  la prossima volta che sceglierai di esercitarti con il corso di",
        "dattilografia  sarà  selezionato   automaticamente   l'esercizio   successivo.",
        "Se scegli No sarà cancellato l'eventuale riferimento al precedente esercizio",
        "e la prossima volta deciderai tu da dove iniziare.",
        "Se, invece, scegli Annulla non sarà fatta alcuna modifica.",
        "Vuoi stampare la tastiera di ",
        "(la tastiera verrà stampata esattamente come la vedi in questo momento)",
        "Vuoi chiudere il programma?",
        "(Se chiudi il programma adesso, tutti i dati verranno persi)",
        "Il tasto Blocca Maiuscole non deve essere premuto.",
        "Il pulsante destro del mouse non deve essere premuto!",
        "Principiante",
        "Esperto",
        "Tastiera francese",
        "Controllate le impostazioni della lingua nella guida in linea",
        "punti, digitando alla media di",
        "Modifica la divisione della tastiera alternando lo schema classico con quello adottato "
        "nelle tastiere ergomiche",
        "Ciao",
        "minuti",
        "Errore nell'apertura del file:",
        "Premi OK per proseguire.",
        "Tempo stimato per terminare l'esercizio:",
        "File di testo troppo lungo, scegliere un file di minori dimensioni e riprovare.",
        "File Tastavia",
        "File di testo",
    };
    lodiNormali = {"Bene!", "Molto bene!", "Ottimo!", "Perfetto!",
                   "Benissimo!", "Splendido!", "Buon risultato!"};
    lodiRecord = {"Magnifico!", "Eccezionale!", "Sei grande!", "Fantastico!",
                  "Eccellente!", "Insuperabile!", "Sensazionale!"};
    s.unitaVelocita = "al minuto";
    s.msgGuidaMancante = "Impossibile trovare il file della guida";
    s.nomeModo = testiMessaggi.at(s.indiceModo == 0 ? 29 : 30);
    titoloAttenzione = "Attenzione!";
}

// Geometry is laid out for an 800 x 600 screen; large screens scale it up.
void frmClavora::CreaControlli()
{
    setFont(FontTesto(9));

    picNotebook = new QWidget(this);
    picNotebook->setObjectName("picNotebook");
    picNotebook->setGeometry(89, 32, 622, 495);
    picNotebook->setFocusPolicy(Qt::StrongFocus);

    picDisplay = new QWidget(picNotebook);
    picDisplay->setObjectName("picDisplay");
    picDisplay->setGeometry(10, 8, 602, 168);
    ImpostaColori(picDisplay, rgb(255, 255, 240));

    shpIndex = new QFrame(picDisplay);
    shpIndex->setGeometry(5, 2, 0, 20);
    ImpostaColori(shpIndex, rgb(0, 0, 255));

    lblFraseCorr = new QLabel(picDisplay);
    lblFraseCorr->setObjectName("lblFraseCorr");
    lblFraseCorr->setGeometry(5, 0, 592, 60);
    lblFraseCorr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblFraseCorr->setTextFormat(Qt::PlainText);
    lblFraseCorr->setFont(FontTesto(fontFrase));
    lblFraseCorr->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblFraseCorr->setWordWrap(true);

    // The kinds of material and the file list.
    picMenu = new QWidget(picDisplay);
    picMenu->setGeometry(6, 84, 386, 80);
    ImpostaColori(picMenu, rgb(232, 240, 250));
    const char *nomiMenu[5] = {"Frasi interne", "Corso dattilo", "Esercizi", "File di testo",
                               "Gioco && Allenamento"};
    const char *fumettiMenu[5] = {
        "Consente di esercitarsi utilizzando le frasi interne",
        "Consente di esercitarsi utilizzando un corso di dattilografia",
        "Consente di esercitarsi utilizzando degli esercizi personalizzati",
        "Consente di esercitarsi utilizzando dei comuni file di testo",
        "Consente di accedere alla sezione allenamento e gioco"};
    for (int i = 0; i < 5; ++i) {
        optMenu[size_t(i)] = new QRadioButton(QString(nomiMenu[i]).replace("&&", "&&"), picMenu);
        optMenu[size_t(i)]->setToolTip(Fumetto("Esercitazioni e corsi", fumettiMenu[i]));
        optMenu[size_t(i)]->setToolTipDuration(15000);
        optMenu[size_t(i)]->setFont(FontSimboli(i == 4 ? 8 : 7));
        optMenu[size_t(i)]->setGeometry(6 + (i % 3) * 126, 4 + (i / 3) * 20, 124, 18);
        optMenu[size_t(i)]->setFocusPolicy(Qt::NoFocus);
        connect(optMenu[size_t(i)], &QRadioButton::clicked, this, [this, i] { optMenu_Click(i); });
    }
    optMenu[0]->setChecked(true);
    picMenu->hide();
    lblIconaEsercizio = new QLabel(picMenu);
    lblIconaEsercizio->setGeometry(6, 48, 26, 26);
    lblIconaEsercizio->setAlignment(Qt::AlignCenter);
    lblIconaEsercizio->setFont(FontSimboli(14));
    cboListFile = new QComboBox(picMenu);
    cboListFile->setGeometry(38, 50, 340, 24);
    cboListFile->setFocusPolicy(Qt::NoFocus);

    // Beginner or expert.
    picLevel = new QWidget(picDisplay);
    picLevel->setGeometry(398, 84, 198, 80);
    ImpostaColori(picLevel, rgb(232, 240, 250));
    for (int i = 0; i < 2; ++i) {
        optLevel[size_t(i)] = new QRadioButton(i == 0 ? "Principiante" : "Esperto", picLevel);
        optLevel[size_t(i)]->setToolTip(Fumetto(
            QString::fromUtf8("Livello di difficoltà"),
            i == 0 ? QString::fromUtf8("Imposta il programma in modalità principiante")
                   : QString::fromUtf8("Imposta il programma in modalità esperto")));
        optLevel[size_t(i)]->setToolTipDuration(15000);
        optLevel[size_t(i)]->setGeometry(10, 8 + i * 30, 180, 24);
        optLevel[size_t(i)]->setFocusPolicy(Qt::NoFocus);
        connect(optLevel[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { optLevel_Click(i); });
    }
    optLevel[0]->setChecked(true);
    picLevel->hide();

    // The end-of-line message.
    picMessaggio = new QWidget(picDisplay);
    picMessaggio->setGeometry(6, 70, 590, 94);
    ImpostaColori(picMessaggio, rgb(255, 255, 255));
    imgIconaPunteggio = new QLabel(picMessaggio);
    imgIconaPunteggio->setGeometry(14, 26, 40, 40);
    lblMessaggio = new QLabel(picMessaggio);
    lblMessaggio->setGeometry(64, 12, 516, 70);
    lblMessaggio->setWordWrap(true);
    lblMessaggio->setFont(FontTesto(11));
    picMessaggio->hide();
    picMessaggio->installEventFilter(this);

    txtInput = new LineaInput(picNotebook);
    txtInput->setObjectName("txtInput");
    txtInput->setGeometry(10, 182, 602, 30);
    txtInput->setFont(FontTesto(fontFrase));
    ImpostaColori(txtInput, rgb(156, 196, 228));
    txtInput->setReadOnly(true);
    txtInput->suTastoPremuto = [this](int &k) { txtInput_KeyPress(k); };
    txtInput->suTastoGiu = [this](int t, bool &annulla) { txtInput_KeyDown(t, annulla); };
    txtInput->suMousePremuto = [this](Qt::MouseButton b) {
        if (b != Qt::RightButton)
            return;
        txtInput->setEnabled(false);
        txtInput->setEnabled(true);
        txtInput->setFocus();
        s.servizi.dialogs->message(this, titoloAttenzione, testiMessaggi.value(28),
                                   platform::Dialogs::Warning, platform::Dialogs::Ok);
        txtInput->end(false);
    };
    txtInput->suMouseRilasciato = [this] { txtInput->end(false); };

    // Clock, gauge, record bar and counters.
    lblTime = new QLabel("00:00", picNotebook);
    lblTime->setGeometry(10, 218, 64, 24);
    lblTime->setAlignment(Qt::AlignCenter);
    lblTime->setFont(FontMonospazio(12, true));
    imgGradiente = new QLabel(picNotebook);
    imgGradiente->setGeometry(82, 220, 0, 14);
    imgGradiente->setScaledContents(false);
    picMax = new QLabel(picNotebook);
    picMax->setGeometry(82, 236, 300, 6);
    picMax->hide();
    shpProgressTime = new QFrame(picNotebook);
    shpProgressTime->setGeometry(82, 222, 0, 14);
    ImpostaColori(shpProgressTime, rgb(0, 128, 255));
    shpProgressTime->hide();
    for (int i = 0; i < 2; ++i) {
        lblNumBatt[size_t(i)] = new QLabel("0/0", picNotebook);
        lblNumBatt[size_t(i)]->setGeometry(392 + i * 90, 218, 86, 24);
        lblNumBatt[size_t(i)]->setAlignment(Qt::AlignCenter);
        lblNumBatt[size_t(i)]->setFont(FontTesto(10, true));
        ImpostaColori(lblNumBatt[size_t(i)], i == 0 ? rgb(220, 245, 220) : rgb(250, 225, 225));
    }
    lblNumBatt[0]->setToolTip("Battute");
    lblNumBatt[1]->setToolTip("Errori");
    lblSmile = new QLabel(picNotebook);
    lblSmile->setGeometry(574, 216, 38, 28);
    lblSmile->setAlignment(Qt::AlignCenter);
    lblSmile->setFont(FontSimboli(15));
    lblSmile->setToolTip("Rapporto errori/battute");

    // Level averages with their colour markers, and the mode's best and worst icons.
    imgMedia[1] = new QLabel(picNotebook);
    imgMedia[1]->setGeometry(10, 246, 20, 20);
    imgMedia[1]->setScaledContents(true);
    const int xMedia[3] = {36, 104, 172};
    const char *suggerimenti[3] = {"Media punteggi 1° livello", "Media punteggi 2° livello",
                                   "Media punteggi 3° livello"};
    for (int i = 0; i < 3; ++i) {
        lblMediaLevel[size_t(i + 3)] = new QLabel(picNotebook);
        lblMediaLevel[size_t(i + 3)]->setGeometry(xMedia[i], 250, 12, 12);
        lblMediaLevel[size_t(i)] = new QLabel(picNotebook);
        lblMediaLevel[size_t(i)]->setGeometry(xMedia[i] + 16, 246, 44, 20);
        lblMediaLevel[size_t(i)]->setAlignment(Qt::AlignCenter);
        lblMediaLevel[size_t(i)]->setFont(FontTesto(10, true));
        lblMediaLevel[size_t(i)]->setToolTip(suggerimenti[i]);
        ImpostaColori(lblMediaLevel[size_t(i)], rgb(245, 245, 245));
    }
    imgMedia[0] = new QLabel(picNotebook);
    imgMedia[0]->setGeometry(238, 246, 20, 20);
    imgMedia[0]->setScaledContents(true);
    lblNumeroFrase = new QLabel(picNotebook);
    lblNumeroFrase->setGeometry(300, 246, 60, 20);
    lblNumeroFrase->setAlignment(Qt::AlignCenter);
    lblNumeroFrase->setFont(FontTesto(10, true));
    imgPremi = new QLabel(picNotebook);
    imgPremi->setGeometry(456, 241, 38, 30);
    imgPremi->setAlignment(Qt::AlignCenter);
    imgPremi->setPixmap(ImmaginePng(":/images/practice/premi.png")
                            .scaled(38, 30, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    imgPremi->setToolTip(QString::fromUtf8("Premi Entrée"));
    imgPremi->hide();
    cmdStart = new QPushButton("Entrée ↵", picNotebook);
    cmdStart->setObjectName("cmdStart");
    cmdStart->setGeometry(500, 244, 112, 24);
    cmdStart->setFocusPolicy(Qt::NoFocus);
    cmdStart->setEnabled(false);
    connect(cmdStart, &QPushButton::clicked, this, [this] {
        cmdStart->setEnabled(false);
        cmdStart_Click();
    });

    // The keyboard, and its key map as one strip below the panel.
    picKeyword = new tastiera::TastieraVirtuale(tabella_, picNotebook);
    picKeyword->setObjectName("picKeyword");
    picKeyword->move(12, 272);
    picKeyword->resize(picKeyword->sizeHint());
    picKeyword->setContesto({[this] { return carattereAtteso; }, [this] { return fermaLampeggio; },
                             [this] { return s.modoFileTesto; }});
    connect(picKeyword, &tastiera::TastieraVirtuale::suono, this, [this](int id) { s.Suona(id); });
    imgMappaTastiEsterna = new tastiera::MappaTastiEsterna(this);
    imgMappaTastiEsterna->resize(imgMappaTastiEsterna->sizeHint());
    imgMappaTastiEsterna->hide();
    picKeyword->setMappaEsterna(imgMappaTastiEsterna);
    picKeyword->setImmagineErrore(ImmaginePng(":/images/practice/keyerror.png"));
    esercizi.filtroCaratteri = [this](const QString &t) { return tabella_.FiltraCaratteri(t); };
    esercizi.larghezzaTesto = [this](const QString &t) {
        return QFontMetrics(lblFraseCorr->font()).horizontalAdvance(t);
    };

    // The menu labels along the top.
    const char *simboli[8] = {"✖", "↺", "?", "♪", "☰", "▣", "◐", "✎"};
    const char *suggerimentiMenu[8] = {
        "Chiude il programma", "Ricomincia da capo", "Informazioni e guida",
        "Abilita o disabilita i suoni", "Visualizza o nasconde la mappa \"tasto/dito\"",
        "Evidenzia o nasconde i tasti da premere", "Cambia il colore dello sfondo", ""};
    for (int i = 0; i < 8; ++i) {
        shpMenu[size_t(i)] = new Forma(this);
        shpMenu[size_t(i)]->setGeometry(89 + i * 30, 5, 22, 22);
        lblMenu[size_t(i)] = new QLabel(simboli[i], this);
        lblMenu[size_t(i)]->setGeometry(89 + i * 30, 5, 22, 22);
        lblMenu[size_t(i)]->setAlignment(Qt::AlignCenter);
        lblMenu[size_t(i)]->setFont(FontSimboli(11));
        lblMenu[size_t(i)]->setToolTip(suggerimentiMenu[i]);
        lblMenu[size_t(i)]->installEventFilter(this);
    }
    shpMenu[7]->setFillColor(QColor(255, 255, 0));
    shpMenu[7]->setBorder(Qt::black, 0);
    // The hover marker: an orange frame that leaves the symbol beneath visible.
    shpEV = new Forma(this);
    shpEV->setBorder(QColor(255, 128, 0), 2);
    shpEV->setAttribute(Qt::WA_TransparentForMouseEvents);
    shpEV->hide();
    lblMenu[7]->hide();
    shpMenu[7]->hide();

    imgX = new QLabel("⇪", this);
    imgX->setGeometry(20, 40, 48, 48);
    imgX->setAlignment(Qt::AlignCenter);
    ImpostaColori(imgX, QColor(200, 0, 0), Qt::white);
    QFont fontX = FontSimboli(20, true);
    fontX.setPixelSize(28);
    imgX->setFont(fontX);
    imgX->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmClavora::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(400);
    connect(Timer2, &QTimer::timeout, this, &frmClavora::Timer2_Timer);
}

void frmClavora::Form_Load(const QString &comando)
{
    // 1-2: the whole screen; the command line.
    const QSize schermo = s.servizi.screen->size();
    resize(schermo.isValid() ? schermo : QSize(800, 600));
    rigaComando = comando;
    s.fileEsercizio.clear();

    // 4-5: sizes of the large screen; the layout is made for 800 x 600.
    if (s.schermoGrande) {
        const QSize schermoPieno = size();
        resize(800, 600);
        ridimensionatore_ = std::make_unique<ClsResize>(this);
        ridimensionatore_->SizeFormToScreen();
        resize(schermoPieno);
        larghezzaIndicatore = 390;
        separatore = " / ";
        fontTesto = 24;
        fontFrase = 16;
    }
    lblFraseCorr->setFont(FontTesto(fontFrase));
    esercizi.larghezzaEtichetta = picDisplay->width() - 10;   // the model line's width

    // 6-11: settings, texts, mode, the run's speeds.
    CaricaImpostazioni();
    backdrop_ = std::make_unique<Backdrop>(this, *s.servizi.clock, s.windowsNT5);
    backdrop_->setPausa([this](int ms) {
        if (s.pausa)
            s.pausa(ms);
        return 258;
    });
    backdrop_->setFinestra(1, [this](QWidget *o) { return apriNome(o); });
    backdrop_->setFinestra(2, [this](QWidget *o) { return apriRisultati(o); });
    backdrop_->setFinestra(3, [this](QWidget *o) { return apriReport(o); });
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
    richiestaRiavvio = false;
    cmdStart->setEnabled(false);
    modoCorso = false;
    posizione = 0;
    s.totaleErrori = 0;
    s.totaleBattute = 0;
    sommaPunti = 0;
    shpIndex->setGeometry(lblFraseCorr->x(), lblFraseCorr->y() + 2, 0,
                          QFontMetrics(lblFraseCorr->font()).height() + 2);

    // 18: Caps Lock is switched off before the window shows.
    if (s.TastoAttivo(20))
        s.SpegniBloccoMaiuscole();

    // 19: the keyboard panel in the middle, 20 pixels above the centre.
    picNotebook->move((width() - picNotebook->width()) / 2,
                      (height() - picNotebook->height()) / 2 - 20);
    imgMappaTastiEsterna->move((width() - imgMappaTastiEsterna->width()) / 2,
                               picNotebook->geometry().bottom() + 6);
    const int passoMenu = shpMenu[0]->width() + shpMenu[0]->width() / 3;
    for (int i = 0; i < 8; ++i) {
        shpMenu[size_t(i)]->move(picNotebook->x() + i * passoMenu,
                                 qMax(2, picNotebook->y() - shpMenu[0]->height() - 6));
        lblMenu[size_t(i)]->move(shpMenu[size_t(i)]->pos());
    }

    // 20: show, with the menu disabled until the welcome is over.
    qApp->installEventFilter(this);
    show();
    for (QLabel *l : lblMenu)
        l->setEnabled(false);
    update();
    QApplication::processEvents();

    // 12: the French layout, remembering the learner's own. Checked once the window
    // shows: loading a keymap takes a moment, and its warning needs the window.
    tastiera::AvvisoLayout avviso;
    avviso.dialogs = s.servizi.dialogs;
    avviso.finestra = this;
    avviso.titoloAttenzione = titoloAttenzione;
    avviso.messaggio = [this](int n) { return testiMessaggi.value(n); };
    avviso.apriGuida = [this](int id) { s.ApriGuida(this, id); };
    tastiera::VerificaLayout(controlloLayout_, avviso);
    s.layoutPrecedente = controlloLayout_.layoutPrecedente();

    // 21-22: a file named on the command line; the kinds that have files.
    if (!rigaComando.isEmpty()) {
        const auto esito = esercizi.ApriDaRigaComando(rigaComando);
        if (esito == Esercizi::EsitoComando::TroppoLungo) {
            s.servizi.dialogs->message(this, "Tastavia", testiMessaggi.value(40),
                                       platform::Dialogs::Information, platform::Dialogs::Ok);
            Chiudi();
            return;
        }
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
    const Qt::Alignment allineamento = lblFraseCorr->alignment();
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
    lblFraseCorr->setFont(prima);
    lblFraseCorr->setAlignment(allineamento);
}

void frmClavora::SalutoIniziale()
{
    update();
    lblFraseCorr->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblFraseCorr->setGeometry(5, 0, picDisplay->width() - 10, 82);
    lblFraseCorr->setWordWrap(true);
    QString t = testiMessaggi.value(11) + " " + s.nomeUtente;
    s.Suona(110);
    lblFraseCorr->setText(t);
    QApplication::processEvents();
    if (s.pausa)
        s.pausa(125);
    t += "\r\n" + testiMessaggi.value(12);
    lblFraseCorr->setText(t);
    QApplication::processEvents();
    if (s.pausa)
        s.pausa(125);
    if (s.fileEsercizio.isEmpty() && fontiDisponibili) {
        picMenu->show();
        t += testiMessaggi.value(13);
    }
    picLevel->show();
    QApplication::processEvents();
    lblFraseCorr->setText(t);
    s.AttendiSecondi(1, true);
    if (chiusa)
        return;
    cmdStart->setEnabled(true);
    FlashBotton();
    picNotebook->setFocus();
}

bool frmClavora::eventFilter(QObject *o, QEvent *e)
{
    // Menu labels: a click runs their command; the hover marker follows the mouse.
    for (int i = 0; i < 8; ++i) {
        if (o != lblMenu[size_t(i)])
            continue;
        if (e->type() == QEvent::MouseButtonRelease && lblMenu[size_t(i)]->isEnabled()) {
            shpEV->hide();
            lblMenu_Click(i);
            return true;
        }
        if (e->type() == QEvent::Enter) {
            shpEV->setGeometry(shpMenu[size_t(i)]->geometry().adjusted(-2, -2, 2, 2));
            shpEV->show();
            shpEV->raise();
        } else if (e->type() == QEvent::Leave) {
            shpEV->hide();
        }
    }
    // The keyboard panel: dark at the top, light at the bottom.
    if (o == picNotebook && e->type() == QEvent::Paint) {
        // The small scratch picture is made once per size and stretched over
        // the part being painted: cheap in time and in memory.
        if (sfondoNotebook_.isNull() || dimensioneNotebook_ != picNotebook->size()) {
            dimensioneNotebook_ = picNotebook->size();
            sfondoNotebook_ = ImmagineGradiente(picNotebook->width(), picNotebook->height(),
                                                ColoreRGB(60, 60, 60), ColoreRGB(60, 60, 60),
                                                ColoreRGB(190, 190, 190), ColoreRGB(190, 190, 190),
                                                LatoSfondoTenuto);
        }
        QPainter p(picNotebook);
        p.setClipRect(static_cast<QPaintEvent *>(e)->rect());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(picNotebook->rect(), sfondoNotebook_);
        return true;
    }
    // The message panel's shaded edge: ten lines, darker towards the inside.
    if (o == picMessaggio && e->type() == QEvent::Paint) {
        QPainter p(picMessaggio);
        p.fillRect(picMessaggio->rect(), Qt::white);
        for (int i = 1; i <= 10; ++i) {
            p.setPen(QColor(255 - 5 * i, 255 - 3 * i, 255 - i));
            p.drawRect(picMessaggio->rect().adjusted(10 - i, 10 - i, i - 11, i - 11));
        }
        return true;
    }
    // The window previews every key of its own widgets.
    auto *w = qobject_cast<QWidget *>(o);
    if (!w || w->window() != this)
        return false;
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->isAutoRepeat() && chiusuraInCorso)
            return true;
        const int codice = (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) ? 13 : 0;
        if (Form_KeyPress(codice))
            return true;
        // Keys typed while the input line has no focus still go to it; a key the
        // line ignored travels up to its parents and must not come back.
        if (!inoltroInCorso_ && QApplication::focusWidget() != txtInput &&
            txtInput->isEnabled() && !txtInput->isReadOnly()) {
            txtInput->setFocus();
            inoltroInCorso_ = true;
            QApplication::sendEvent(txtInput, e);
            inoltroInCorso_ = false;
            return true;
        }
    } else if (e->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (!k->isAutoRepeat())
            Form_KeyUp(k->key());
    }
    return false;
}

// True when the key is swallowed.
bool frmClavora::Form_KeyPress(int tasto)
{
    if (chiusuraInCorso)
        return true;
    if (tasto == 13 && cmdStart->isEnabled()) {
        cmdStart->setEnabled(false);
        cmdStart_Click();
    }
    return false;
}

void frmClavora::Form_KeyUp(int tasto)
{
    if (tasto == Qt::Key_Escape) {
        const auto r = s.servizi.dialogs->message(
            this, "Tastavia", testiMessaggi.value(25) + "\r\n" + testiMessaggi.value(26),
            platform::Dialogs::Question, platform::Dialogs::YesNo);
        if (r == platform::Dialogs::AnsYes) {
            Chiudi();
            return;
        }
    }
    if (tasto == Qt::Key_CapsLock && s.TastoAttivo(20)) {
        imgX->show();
        s.servizi.dialogs->message(this, titoloAttenzione, testiMessaggi.value(27),
                                   platform::Dialogs::Warning, platform::Dialogs::Ok);
        s.SpegniBloccoMaiuscole();
        imgX->hide();
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
