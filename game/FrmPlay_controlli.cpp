// The controls of the training-and-game window and where they sit.

#include "game/FrmPlay.h"

#include "practice/modClavora.h"
#include "game/PannelliGioco.h"
#include "ui/Caratteri.h"
#include "ui/Immagini.h"
#include "ui/SchemiColori.h"

#include <QLabel>
#include <algorithm>
#include <cmath>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QScreen>
#include <QTimer>

namespace {

QLabel *NuovaEtichetta(QWidget *parent, const QString &nome, const QFont &font, const QRect &posto,
                  Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(parent);
    l->setObjectName(nome);
    l->setFont(font);
    l->setGeometry(posto);
    l->setAlignment(allineamento);
    return l;
}

QLabel *Immagine(QWidget *parent, const QString &nome, const QString &png, const QRect &posto)
{
    auto *l = new QLabel(parent);
    l->setObjectName(nome);
    l->setGeometry(posto);
    l->setAlignment(Qt::AlignCenter);
    if (!png.isEmpty())
        l->setPixmap(ImmaginePng(png));
    return l;
}

void ColoreTesto(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

} // namespace

void FrmPlay::CreaControlli()
{
    setFont(FontTesto(9));
    const QPixmap mano = ImmaginePng(QStringLiteral(":/cursors/mano.png"));
    const QCursor cursoreMano = mano.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(mano, 10, 2);

    const QSize schermo = s.servizi.screen ? s.servizi.screen->size() : QSize(800, 600);
    const QSize gioco = s.schermoGrande ? QSize(880, 550) : QSize(755, 460);
    constexpr int altezzaStriscia = 80;
    const int left = (schermo.width() - gioco.width()) / 2;
    const int top = (schermo.height() - (altezzaStriscia + gioco.height())) / 2;
    resize(schermo);
    blocco_ = QRect(left, top, gioco.width(), gioco.height() + altezzaStriscia);

    PicPlay = new AreaGioco(regole, this);
    PicPlay->setGeometry(QRect(QPoint(left, top), gioco));
    picBottom = new StrisciaInferiore(this);
    picBottom->setObjectName(QStringLiteral("picBottom"));
    picBottom->setGeometry(left, top + gioco.height(), gioco.width(), altezzaStriscia);

    CreaStrisciaInferiore();
    CreaPannelloOpzioni();
    picLevel->move((gioco.width() - picLevel->width()) / 2, (gioco.height() - picLevel->height()) / 2);

    for (QWidget *w : std::initializer_list<QWidget *>{cmdStart, cmdExit, cmdNuovo, hsSpeed, hsTime})
        w->setCursor(cursoreMano);
    for (QRadioButton *o : optDifficulty)
        o->setCursor(cursoreMano);

    timerLetters = new QTimer(this);
    timerLetters->setTimerType(Qt::PreciseTimer);
    timerLetters->setObjectName(QStringLiteral("timerLetters"));
    timerScore = new QTimer(this);
    timerScore->setObjectName(QStringLiteral("timerScore"));
    // The drawing learns of each tick before the rules move the characters.
    connect(timerLetters, &QTimer::timeout, this, [this] {
        moto_.tick(ora());
        regole.timerLetters_Timer();
    });
    // Frames at the display's rate while the characters fall.
    timerFotogrammi = new QTimer(this);
    timerFotogrammi->setTimerType(Qt::PreciseTimer);
    timerFotogrammi->setObjectName(QStringLiteral("timerFotogrammi"));
    const QScreen *monitor = screen();
    const double frequenza = monitor && monitor->refreshRate() >= 20 ? monitor->refreshRate() : 60.0;
    timerFotogrammi->setInterval(std::max(4, int(std::lround(1000.0 / frequenza))));
    connect(timerFotogrammi, &QTimer::timeout, this, &FrmPlay::timerFotogrammi_Timer);
    connect(timerScore, &QTimer::timeout, &regole, &RegoleGioco::timerScore_Timer);
}

void FrmPlay::CreaPannelloOpzioni()
{
    picLevel = new PannelloOpzioni(PicPlay);
    picLevel->setObjectName(QStringLiteral("picLevel"));
    picLevel->resize(706, 330);

    lblGioco = NuovaEtichetta(picLevel, QStringLiteral("lblGioco"), FontTesto(12, true), QRect(44, 10, 300, 21));
    lblAllenamento =
        NuovaEtichetta(picLevel, QStringLiteral("lblAllenamento"), FontTesto(12, true), QRect(44, 84, 300, 21));
    ColoreTesto(lblGioco, QColor(20, 50, 100));
    ColoreTesto(lblAllenamento, QColor(20, 50, 100));
    Immagine(picLevel, QStringLiteral("imgSimboloGioco"), QStringLiteral(":/images/game/trofeo-piccolo.png"),
             QRect(14, 9, 24, 24));
    Immagine(picLevel, QStringLiteral("imgSimboloAllenamento"),
             QStringLiteral(":/images/game/cronometro.png"), QRect(14, 83, 24, 24));

    const QRect posti[RegoleGioco::NumeroOpzioni] = {
        {44, 44, 150, 24},  {204, 44, 150, 24},  {364, 44, 150, 24},  {44, 118, 210, 24},
        {274, 118, 210, 24}, {44, 146, 210, 24}, {274, 146, 230, 24}, {44, 178, 150, 24},
    };
    for (int i = 0; i < RegoleGioco::NumeroOpzioni; ++i) {
        auto *o = new QRadioButton(picLevel);
        o->setObjectName(QStringLiteral("optDifficulty%1").arg(i));
        o->setGeometry(posti[i]);
        o->setFont(i >= 3 && i <= 6 ? FontMonospazio(11, true) : FontTesto(11));
        connect(o, &QRadioButton::clicked, this, [this, i] { optDifficulty_Click(i); });
        optDifficulty[size_t(i)] = o;
    }

    txtCustom = new QLineEdit(picLevel);
    txtCustom->setObjectName(QStringLiteral("txtCustom"));
    txtCustom->setGeometry(204, 176, 250, 28);
    txtCustom->setFont(FontMonospazio(12, true));
    connect(txtCustom, &QLineEdit::textChanged, &regole, &RegoleGioco::setTxtCustom);

    lblVelocita = NuovaEtichetta(picLevel, QStringLiteral("lblVelocita"), FontTesto(10), QRect(44, 216, 300, 20));
    hsSpeed = new CursoreVelocita(picLevel);
    hsSpeed->setObjectName(QStringLiteral("hsSpeed"));
    hsSpeed->setPageStep(1);
    hsSpeed->setTickPosition(QSlider::TicksBelow);
    hsSpeed->setGeometry(44, 240, 280, 28);
    connect(hsSpeed, &QSlider::valueChanged, &regole, &RegoleGioco::setHsSpeed);

    lblTimeLbl = NuovaEtichetta(picLevel, QStringLiteral("lblTimeLbl"), FontTesto(10), QRect(384, 216, 200, 20));
    hsTime = new QSlider(Qt::Horizontal, picLevel);
    hsTime->setObjectName(QStringLiteral("hsTime"));
    hsTime->setRange(1, 4);
    hsTime->setPageStep(1);
    hsTime->setTickPosition(QSlider::TicksBelow);
    hsTime->setGeometry(384, 240, 200, 28);
    // Change and Scroll alike: every step refreshes the label.
    connect(hsTime, &QSlider::valueChanged, this, [this](int v) {
        regole.setHsTime(v);
        hsTime_Change();
    });
    lblTime = NuovaEtichetta(picLevel, QStringLiteral("lblTime"), FontTesto(10, true), QRect(594, 240, 100, 28));

    cmdStart = new QPushButton(picLevel);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setGeometry(293, 284, 120, 34);
    cmdStart->setFont(FontTesto(11, true));
    cmdStart->setDefault(true);
    cmdStart->setAutoDefault(false);
    connect(cmdStart, &QPushButton::clicked, this, &FrmPlay::cmdStart_Click);
}

void FrmPlay::CreaStrisciaInferiore()
{
    const int larghezza = picBottom->width();
    imgFrecciaReturn = Immagine(picBottom, QStringLiteral("imgFrecciaReturn"),
                                QStringLiteral(":/images/game/freccia.png"), QRect(8, 20, 40, 40));

    cmdExit = new QPushButton(picBottom);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setGeometry(54, 24, 90, 32);
    cmdExit->setFocusPolicy(Qt::NoFocus);
    cmdExit->setAutoDefault(false);
    connect(cmdExit, &QPushButton::clicked, this, &FrmPlay::cmdExit_Click);

    cmdNuovo = new QPushButton(picBottom);
    cmdNuovo->setObjectName(QStringLiteral("cmdNuovo"));
    cmdNuovo->setGeometry(150, 24, 40, 32);
    cmdNuovo->setIcon(QIcon(ImmaginePng(QStringLiteral(":/images/game/ricomincia.png"))));
    cmdNuovo->setIconSize(QSize(22, 22));
    cmdNuovo->setFocusPolicy(Qt::NoFocus);
    cmdNuovo->setAutoDefault(false);
    cmdNuovo->setEnabled(false);
    connect(cmdNuovo, &QPushButton::clicked, this, &FrmPlay::cmdNuovo_Click);

    imgErrore = Immagine(picBottom, QStringLiteral("imgErrore"), QStringLiteral(":/images/game/errore.png"),
                         QRect(198, 18, 44, 44));
    imgErrore->hide();

    const QRect pannello(250, 0, larghezza - 258, 80);
    picDisplayPlay = new QWidget(picBottom);
    picDisplayPlay->setObjectName(QStringLiteral("picDisplayPlay"));
    picDisplayPlay->setGeometry(pannello);
    picDisplayPlay->hide();
    trofeo_ = ImmaginePng(QStringLiteral(":/images/game/trofeo.png"));
    // The trophy's flash: the same picture, brightened to white.
    trofeoAcceso_ = trofeo_;
    if (!trofeoAcceso_.isNull()) {
        QPainter p(&trofeoAcceso_);
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        p.fillRect(trofeoAcceso_.rect(), QColor(255, 255, 255, 200));
    }
    lblImgWinner = Immagine(picDisplayPlay, QStringLiteral("lblImgWinner"), QString(), QRect(4, 16, 48, 48));
    lblImgWinner->setPixmap(trofeo_);
    lblWinner = NuovaEtichetta(picDisplayPlay, QStringLiteral("lblWinner"), FontTesto(20, true), QRect(58, 18, 150, 44));
    const int destra = pannello.width();
    lblTotal = NuovaEtichetta(picDisplayPlay, QStringLiteral("lblTotal"), FontTesto(26, true),
                         QRect(destra - 250, 12, 170, 56), Qt::AlignRight | Qt::AlignVCenter);
    lblPunti = NuovaEtichetta(picDisplayPlay, QStringLiteral("lblPunti"), FontTesto(12, true),
                         QRect(destra - 72, 28, 70, 24));
    ColoreTesto(lblPunti, QColor(20, 50, 100));
    if (s.nomeUtente.isEmpty()) {
        // No learner, no best totals: the points move to the panel's left end.
        lblImgWinner->hide();
        lblWinner->hide();
        lblTotal->setGeometry(4, 12, 170, 56);
        lblPunti->move(182, 28);
    }

    picDisplayTraining = new QWidget(picBottom);
    picDisplayTraining->setObjectName(QStringLiteral("picDisplayTraining"));
    picDisplayTraining->setGeometry(pannello);
    picDisplayTraining->hide();
    struct Contatore {
        QLabel **etichetta;
        const char *nome;
        const char *simbolo;
        QColor colore;
    };
    const Contatore contatori[4] = {
        {&lblDigOK, "lblDigOK", "ok", QColor(0, 110, 40)},
        {&lblDigKO, "lblDigKO", "ko", QColor(180, 0, 0)},
        {&lblTotDigit, "lblTotDigit", "totale", QColor(20, 50, 100)},
        {&lblScoreTraining, "lblScoreTraining", "media", QColor(20, 50, 100)},
    };
    int x = 4;
    for (const Contatore &c : contatori) {
        Immagine(picDisplayTraining, QStringLiteral("imgSimbolo_") + QLatin1String(c.nome),
                 QStringLiteral(":/images/game/%1.png").arg(QLatin1String(c.simbolo)), QRect(x, 28, 24, 24));
        *c.etichetta = NuovaEtichetta(picDisplayTraining, QLatin1String(c.nome), FontTesto(16, true),
                                 QRect(x + 28, 20, 78, 40));
        ColoreTesto(*c.etichetta, c.colore);
        x += 108;
    }
    picProgressRound = new OrologioAllenamento(regole, picDisplayTraining);
    picProgressRound->setGeometry(pannello.width() - 58, 15, 50, 50);
}

void FrmPlay::ColoriSfondo()
{
    // The window's background once, in the colour scheme; the play area takes
    // its colours from just left and right of it.
    sfondo_ = QImage(size(), QImage::Format_RGB32);
    {
        QPainter p(&sfondo_);
        SfondoGradiente(p, sfondo_.rect(), s.schemaColori);
        p.setPen(QPen(Qt::white, 1));
        const QRect b = blocco_.adjusted(26, 26, -27, -27);
        p.drawLine(0, b.top(), width(), b.top());
        p.drawLine(0, b.bottom(), width(), b.bottom());
        p.drawLine(b.left(), 0, b.left(), height());
        p.drawLine(b.right(), 0, b.right(), height());
    }
    const int y = std::clamp(blocco_.top() + 20, 0, height() - 1);
    const QColor sinistra = sfondo_.pixelColor(std::max(0, blocco_.left() - 1), y);
    const QColor destra = sfondo_.pixelColor(std::min(width() - 1, blocco_.right() + 1), y);
    PicPlay->ImpostaSfondo(sinistra, destra, ImmaginePng(QStringLiteral(":/images/game/note.png")));
}
