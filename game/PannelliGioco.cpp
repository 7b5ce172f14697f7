#include "game/PannelliGioco.h"

#include <QStylePainter>
#include <cstdlib>

#include "game/RegoleGioco.h"
#include "ui/Caratteri.h"
#include "ui/Immagini.h"
#include "ui/modGradient.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t barraAlto = ColoreRGB(227, 246, 243);
constexpr uint32_t barraBasso = ColoreRGB(157, 197, 228);

uint32_t Windows(const QColor &c)
{
    return ColoreRGB(c.red(), c.green(), c.blue());
}

// Dark enough for white, yellow and light-blue characters on it.
QColor Scuro(const QColor &c, double fattore)
{
    return QColor(int(c.red() * fattore), int(c.green() * fattore), int(c.blue() * fattore));
}

} // namespace

// --- The play area

AreaGioco::AreaGioco(const RegoleGioco &regole, QWidget *parent) : QWidget(parent), regole_(regole)
{
    setObjectName(QStringLiteral("PicPlay"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::ClickFocus);
}

void AreaGioco::ImpostaSfondo(const QColor &sinistra, const QColor &destra, const QPixmap &imgNotes)
{
    const QSize dimensione = size();
    sfondo_ = QPixmap(dimensione);
    {
        QPainter p(&sfondo_);
        GradientFill(p, 0, 0, dimensione.width(), dimensione.height(), Windows(Scuro(sinistra, 0.35)),
                     Windows(Scuro(destra, 0.35)), Windows(Scuro(sinistra, 0.12)),
                     Windows(Scuro(destra, 0.12)), true);
    }
    altezzaBlocco_ = imgNotes.isNull() ? 32 : imgNotes.height();
    blocco_ = QPixmap(dimensione.width(), altezzaBlocco_);
    {
        QPainter p(&blocco_);
        GradientFill(p, 0, 0, blocco_.width(), blocco_.height(), Windows(sinistra), Windows(destra),
                     Windows(Scuro(sinistra, 0.7)), Windows(Scuro(destra, 0.7)), true);
        if (!imgNotes.isNull())
            p.drawPixmap((blocco_.width() - imgNotes.width()) / 2, 0, imgNotes);
        p.setPen(QColor(255, 255, 255, 160));
        p.drawLine(0, altezzaBlocco_ - 1, blocco_.width(), altezzaBlocco_ - 1);
    }
    facciaOK_ = ImmaginePng(QStringLiteral(":/images/game/faccia-ok.png"));
    facciaNOT_ = ImmaginePng(QStringLiteral(":/images/game/faccia-no.png"));
    glifi_.clear();
    update();
}

void AreaGioco::Fotogramma(double frazione)
{
    QRegion mosse;
    const QSize d = RegoleGioco::DimensioneLettera;
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i) {
        const int top = regole_.topDisegno(i, frazione);
        int &prima = disegnati_[size_t(i)];
        if (top == prima)
            continue;
        const Etichetta &l = regole_.lblLetter(i);
        // Still wholly behind the strip at the top: nothing to see move.
        if (l.visibile && std::max(top, prima) + d.height() > altezzaBlocco_)
            mosse += QRect(l.left, std::min(top, prima), d.width(), d.height() + std::abs(top - prima));
        prima = top;
    }
    if (!mosse.isEmpty())
        update(mosse);
}

const QPixmap &AreaGioco::glifo(const QString &testo, const QColor &colore)
{
    const quint64 chiave = (quint64(testo.isEmpty() ? 0 : testo.at(0).unicode()) << 32) | colore.rgb();
    auto trovato = glifi_.constFind(chiave);
    if (trovato != glifi_.constEnd())
        return *trovato;
    const QSize d = RegoleGioco::DimensioneLettera;
    QPixmap pm(d);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setFont(FontMonospazio(36, true));
    p.setPen(colore);
    p.drawText(QRect(QPoint(0, 0), d), Qt::AlignCenter, testo);
    p.end();
    return *glifi_.insert(chiave, pm);
}

void AreaGioco::paintEvent(QPaintEvent *e)
{
    // A tick changes up to 18 narrow columns spread over the whole width: the
    // background is copied rectangle by rectangle, and only the labels that
    // meet the changed region are drawn.
    const QRegion &regione = e->region();
    QPainter p(this);
    for (const QRect &parte : regione) {
        pixelDipinti_ += qint64(parte.width()) * parte.height();
        if (sfondo_.isNull())
            p.fillRect(parte, Qt::black);
        else
            p.drawPixmap(parte, sfondo_, parte);
    }

    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i) {
        const Etichetta &l = regole_.lblLetter(i);
        if (l.visibile && !l.testo.isEmpty()) {
            const QRect q(QPoint(l.left, disegnati_[size_t(i)]), RegoleGioco::DimensioneLettera);
            if (regione.intersects(q))
                p.drawPixmap(q.topLeft(), glifo(l.testo, l.colore));
        }
    }
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i) {
        for (const Etichetta *f : {&regole_.lblSmileOK(i), &regole_.lblSmileNOT(i)}) {
            if (!f->visibile)
                continue;
            const QRect q = RegoleGioco::rettangoloFaccia(*f);
            if (regione.intersects(q))
                p.drawPixmap(q, f == &regole_.lblSmileOK(i) ? facciaOK_ : facciaNOT_);
        }
    }
    bool fontPunti = false;
    for (int i = 0; i < RegoleGioco::NumeroColonne; ++i) {
        const Etichetta &s = regole_.lblScore(i);
        if (!s.visibile)
            continue;
        const QRect q = RegoleGioco::rettangoloPunti(s);
        if (!regione.intersects(q))
            continue;
        if (!fontPunti) {
            p.setFont(FontTesto(18, true));
            fontPunti = true;
        }
        p.setPen(s.colore);
        p.drawText(q, Qt::AlignCenter, s.testo);
    }
    // The strip at the top stands in front: characters come out from behind it.
    // Only the parts of it the region holds: characters move behind it.
    const QRect blocco = picBlocco();
    for (const QRect &parte : regione)
        if (const QRect r = parte.intersected(blocco); !r.isEmpty())
            p.drawPixmap(r.topLeft(), blocco_, r.translated(-blocco.topLeft()));

    const Etichetta &m = regole_.lblMessage();
    const QRect q = regole_.rettangoloMessaggio();
    if (m.visibile && regione.intersects(q)) {
        p.setFont(FontTesto(20, true));
        p.setPen(QColor(0, 0, 0, 150));
        p.drawText(q.translated(2, 2), Qt::AlignCenter, m.testo);
        p.setPen(QColor(255, 240, 140));
        p.drawText(q, Qt::AlignCenter, m.testo);
    }
}

// --- Speed slider

CursoreVelocita::CursoreVelocita(QWidget *parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(1, 4);
    setInvertedAppearance(true);   // 4, the slowest, at the left
}

QStyleOptionSlider CursoreVelocita::opzioniDisegno() const
{
    // Drawn as the mirror value on a slider that is not inverted: the same
    // place for the handle, the groove filled from the left.
    QStyleOptionSlider o;
    initStyleOption(&o);
    o.upsideDown = !o.upsideDown;
    o.sliderPosition = o.maximum + o.minimum - o.sliderPosition;
    o.sliderValue = o.maximum + o.minimum - o.sliderValue;
    return o;
}

void CursoreVelocita::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    const QStyleOptionSlider o = opzioniDisegno();
    p.drawComplexControl(QStyle::CC_Slider, o);
}

// --- Options panel

void PannelloOpzioni::EvidenziaGruppo(int topEtichetta)
{
    topBarra_ = topEtichetta - 2;
    update();
}

void PannelloOpzioni::paintEvent(QPaintEvent *e)
{
    // Drawn once for each place of the bar; every repaint of a control on it
    // (an option's focus frame, a slider) copies from the picture.
    if (sfondo_.size() != size() || barraDisegnata_ != topBarra_) {
        sfondo_ = QPixmap(size());
        QPainter p(&sfondo_);
        const QRect r = rect();
        GradientFill(p, 0, 0, r.width(), r.height(), ColoreRGB(252, 253, 255), ColoreRGB(252, 253, 255),
                     ColoreRGB(226, 234, 244), ColoreRGB(226, 234, 244), true);
        if (topBarra_ >= 0)
            GradientFill(p, 6, topBarra_, 694, 25, barraAlto, barraAlto, barraBasso, barraBasso, true);
        p.setPen(QColor(104, 132, 170));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        barraDisegnata_ = topBarra_;
    }
    QPainter p(this);
    p.drawPixmap(e->rect(), sfondo_, e->rect());
}

// --- Bottom strip

void StrisciaInferiore::paintEvent(QPaintEvent *e)
{
    // The score labels on the strip change often: their background is copied.
    if (sfondo_.size() != size()) {
        sfondo_ = QPixmap(size());
        QPainter p(&sfondo_);
        GradientFill(p, 0, 0, width(), height(), barraAlto, barraAlto, barraBasso, barraBasso, true);
    }
    QPainter p(this);
    p.drawPixmap(e->rect(), sfondo_, e->rect());
}

// --- Training clock

OrologioAllenamento::OrologioAllenamento(const RegoleGioco &regole, QWidget *parent)
    : QWidget(parent), regole_(regole)
{
    setObjectName(QStringLiteral("picProgressRound"));
}

void OrologioAllenamento::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF quadrante = QRectF(rect()).adjusted(2, 2, -2, -2);
    p.setPen(QPen(QColor(70, 90, 120), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(quadrante);
    const auto &o = regole_.orologio();
    if (!o)
        return;
    // A line at angle t points to (sin t, cos t) with y downwards: on the
    // screen that is t - 90 degrees counter-clockwise from 3 o'clock.
    const double primo = std::max(o->primo, o->ultimo) * 180.0 / M_PI;
    const double ultimo = std::min(o->primo, o->ultimo) * 180.0 / M_PI;
    const double ampiezza = std::min(primo - ultimo, 360.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 30));
    if (ampiezza >= 359.5)
        p.drawEllipse(quadrante.adjusted(1, 1, -1, -1));
    else if (ampiezza > 0)
        p.drawPie(quadrante.adjusted(1, 1, -1, -1), int(std::lround((ultimo - 90.0) * 16)),
                  int(std::lround(ampiezza * 16)));
    else {
        p.setPen(QPen(QColor(20, 20, 30), 1.5));
        p.drawLine(quadrante.center(), QPointF(quadrante.center().x(), quadrante.bottom()));
    }
}
