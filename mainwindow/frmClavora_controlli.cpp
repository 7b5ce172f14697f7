// The main window's controls, laid out for an 800 x 600 screen; large screens
// scale them up (ClsResize).

#include "mainwindow/LineaInput.h"
#include "mainwindow/Pannelli.h"
#include "mainwindow/frmClavora.h"
#include "keyboard/MappaTastiEsterna.h"
#include "keyboard/TastieraVirtuale.h"
#include "ui/Accessibile.h"
#include "ui/Caratteri.h"
#include "ui/Immagini.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

} // namespace

// Geometry is laid out for an 800 x 600 screen; large screens scale it up.
void frmClavora::CreaControlli()
{
    setFont(FontTesto(9));

    picNotebook = new PannelloNotebook(this);
    picNotebook->setObjectName("picNotebook");
    picNotebook->setGeometry(89, 32, 622, 495);

    picDisplay = new QWidget(picNotebook);
    picDisplay->setObjectName("picDisplay");
    picDisplay->setGeometry(10, 8, 602, 168);
    ImpostaColori(picDisplay, rgb(255, 255, 240));

    shpIndex = new QFrame(picDisplay);
    // One colour all over: a resize repaints only the columns it adds or takes away.
    shpIndex->setAttribute(Qt::WA_StaticContents);
    shpIndex->setGeometry(5, 2, 0, 20);
    ImpostaColori(shpIndex, rgb(0, 0, 255));

    lblFraseCorr = new RigaModello(picDisplay);
    lblFraseCorr->segno = shpIndex;
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
    for (int i = 0; i < 5; ++i) {
        optMenu[size_t(i)] = new QRadioButton(QString(nomiMenu[i]).replace("&&", "&&"), picMenu);
        optMenu[size_t(i)]->setFont(FontSimboli(i == 4 ? 8 : 7));
        // The game's caption is the longest: it takes the rest of the second row;
        // the other three columns touch each other.
        optMenu[size_t(i)]->setGeometry(6 + (i % 3) * 126, 4 + (i / 3) * 20, i == 4 ? 250 : 126, 18);
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
        optLevel[size_t(i)]->setGeometry(10, 8 + i * 30, 180, 24);
        optLevel[size_t(i)]->setFocusPolicy(Qt::NoFocus);
        connect(optLevel[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { optLevel_Click(i); });
    }
    optLevel[0]->setChecked(true);
    picLevel->hide();

    // The end-of-line message.
    picMessaggio = new PannelloMessaggio(picDisplay);
    picMessaggio->setGeometry(6, 70, 590, 94);
    imgIconaPunteggio = new QLabel(picMessaggio);
    imgIconaPunteggio->setGeometry(14, 26, 40, 40);
    lblMessaggio = new QLabel(picMessaggio);
    lblMessaggio->setGeometry(64, 10, 516, 74);   // four lines, inside the shaded edge
    lblMessaggio->setWordWrap(true);
    lblMessaggio->setFont(FontTesto(11));
    picMessaggio->hide();

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
        s.servizi.dialogs->message(this, testi.titoloAttenzione, testi.messaggio(28),
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
        pratica.setStartAbilitato(false);
        cmdStart_Click();
    });

    // The keyboard, and its key map as one strip below the panel.
    picKeyword = new tastiera::TastieraVirtuale(tabella_, picNotebook);
    picKeyword->setObjectName("picKeyword");
    picKeyword->move(12, 272);
    picKeyword->resize(picKeyword->sizeHint());
    picKeyword->setContesto({[this] { return pratica.carattereAtteso(); },
                             [this] { return pratica.fermaLampeggio(); },
                             [this] { return s.modoFileTesto; }});
    connect(picKeyword, &tastiera::TastieraVirtuale::suono, this, [this](int id) { s.Suona(id); });
    imgMappaTastiEsterna = new tastiera::MappaTastiEsterna(this);
    imgMappaTastiEsterna->resize(imgMappaTastiEsterna->sizeHint());
    imgMappaTastiEsterna->hide();
    picKeyword->setMappaEsterna(imgMappaTastiEsterna);
    picKeyword->setImmagineErrore(ImmaginePng(":/images/practice/keyerror.png"));
    pratica.esercizi.filtroCaratteri = [this](const QString &t) { return tabella_.FiltraCaratteri(t); };
    pratica.esercizi.tipizzabile = [this](QChar c) { return tabella_.Scrive(c); };
    pratica.esercizi.larghezzaTesto = [this](const QString &t) {
        return QFontMetrics(lblFraseCorr->font()).horizontalAdvance(t);
    };

    CreaMenu();

    imgX = new QLabel("⇪", this);
    imgX->setGeometry(20, 40, 48, 48);
    imgX->setAlignment(Qt::AlignCenter);
    ImpostaColori(imgX, QColor(200, 0, 0), Qt::white);
    QFont fontX = FontSimboli(20, true);
    fontX.setPixelSize(28);
    imgX->setFont(fontX);
    imgX->hide();

    lblAvvisoTastiera = new QLabel(this);
    lblAvvisoTastiera->setObjectName("lblAvvisoTastiera");
    lblAvvisoTastiera->setWordWrap(true);
    lblAvvisoTastiera->setAlignment(Qt::AlignCenter);
    lblAvvisoTastiera->setMargin(4);
    lblAvvisoTastiera->setFont(FontTesto(9));
    lblAvvisoTastiera->setAutoFillBackground(true);
    ImpostaColori(lblAvvisoTastiera, QColor(255, 251, 214), Qt::black);
    lblAvvisoTastiera->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmClavora::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(400);
    connect(Timer2, &QTimer::timeout, this, &frmClavora::Timer2_Timer);

    // The engine's clock and Start follow its own values, never the other way.
    connect(&pratica, &Pratica::cronometroCambiato, this, [this](bool on) {
        if (on)
            Timer1->start();
        else
            Timer1->stop();
        lblTime->setAutoFillBackground(on);
    });
    connect(&pratica, &Pratica::startCambiato, cmdStart, &QPushButton::setEnabled);
}

// The menu labels along the top, their indicators and the hover marker.
void frmClavora::CreaMenu()
{
    const char *simboli[9] = {"✖", "↺", "?", "♪", "☰", "▣", "◐", "✎", "↗"};
    const char *suggerimentiMenu[9] = {
        "Chiude il programma", "Ricomincia da capo", "Informazioni e guida",
        "Abilita o disabilita i suoni", "Visualizza o nasconde la mappa \"tasto/dito\"",
        "Evidenzia o nasconde i tasti da premere", "Cambia il colore dello sfondo", "",
        "Progressi e tasti deboli"};
    for (int i = 0; i < 9; ++i) {
        shpMenu[size_t(i)] = new Forma(this);
        shpMenu[size_t(i)]->setGeometry(89 + i * 30, 5, 22, 22);
        lblMenu[size_t(i)] = new accessibile::EtichettaComando(QString::fromUtf8(simboli[i]), this);
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
}
