#include "ui/frmTransparency.h"

#include "ui/Caratteri.h"
#include "ui/modGradient.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace {

// Top and bottom of the gradient, Windows colour values.
constexpr uint32_t ColoreAlto = 0x00D4E3FF;
constexpr uint32_t ColoreBasso = 0x0089B1FE;
const QColor ColoreBordo(196, 112, 58);
const QColor ColoreTesto(84, 38, 8);

// The fade of a closing pop-up: alpha 250 down to 50 in steps of 5.
constexpr int AlphaIniziale = 250;
constexpr int AlphaFinale = 50;
constexpr int PassoAlpha = 5;
constexpr int PausaPasso = 10;

// The pixels of a region that touch its outside: its outline, one pixel wide.
QRegion Contorno(const QRegion &r)
{
    const QRegion interno = r & r.translated(1, 0) & r.translated(-1, 0) & r.translated(0, 1) &
                            r.translated(0, -1);
    return r - interno;
}

} // namespace

Campata DecodificaCampata(uint32_t voce)
{
    if (voce > 999'999'999u)
        return {};
    return {int(voce / 1'000'000u), int(voce / 1000u % 1000u), int(voce % 1000u)};
}

QRegion RegioneDaCampate(const std::vector<uint32_t> &voci)
{
    QRegion r;
    for (uint32_t voce : voci) {
        const Campata c = DecodificaCampata(voce);
        if (c.destra <= c.sinistra)
            continue;
        // Both rows at once: (left, y) to (right, y + 2).
        r += QRect(c.sinistra, c.y, c.destra - c.sinistra, 2);
    }
    return r;
}

std::vector<uint32_t> EspandiSerie(const SerieCampate *serie, int numero)
{
    std::vector<uint32_t> voci;
    for (int i = 0; serie && i < numero; ++i) {
        int64_t v = serie[i].primo;
        for (int k = 0; k < serie[i].volte; ++k, v += serie[i].incremento)
            voci.push_back(uint32_t(v));
    }
    return voci;
}

QSize DimensioneTwips(bool schermoGrande)
{
    return schermoGrande ? QSize(7785, 4395) : QSize(5445, 3075);
}

std::vector<int> PosizioniScorrimento(int fondoSchermoTwips, int obiettivoTwips)
{
    std::vector<int> posizioni;
    for (int64_t top = fondoSchermoTwips; top >= obiettivoTwips; top -= PassoScorrimentoTwips)
        posizioni.push_back(int(top));
    if (posizioni.empty())
        posizioni.push_back(obiettivoTwips);
    return posizioni;
}

frmTransparency::frmTransparency(QWidget *proprietario, bool schermoGrande, bool windowsNT5,
                                 Pausa pausa)
    // A tip window: above every window, outside the window manager's care (so
    // that it can start below the screen's edge) and never activated; and
    // transparent to the mouse: a click lands on the window beneath, which
    // closes the pop-up.
    : QWidget(proprietario, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput),
      schermoGrande_(schermoGrande), windowsNT5_(windowsNT5), pausa_(std::move(pausa))
{
    setObjectName("frmTransparency");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, ColoreQt(ColoreAlto));
    setPalette(p);
    setEnabled(false);   // it takes no input

    const QSize lato = DimensioneTwips(schermoGrande_) / TwipsPerPixel;
    resize(lato);
    sagoma_ = RegioneDaCampate(CampateSagoma(schermoGrande_)) & QRegion(rect());
    bordo_ = Contorno(sagoma_);
}

void frmTransparency::setTesto(const QString &testo)
{
    testo_ = testo;
    update();
}

void frmTransparency::Apri(const QPoint &obiettivo, int fondoSchermo)
{
    if (aperto_)
        return;
    aperto_ = true;
    const int questa = ++apertura_;
    // Marked open before the slide: whatever closes it meanwhile (a key, Enter,
    // a click) finds it open and closes it.
    if (segnaVisibile_)
        segnaVisibile_(true);

    fondoSchermo_ = fondoSchermo;
    setMask(sagoma_);
    setWindowOpacity(1.0);
    const std::vector<int> posizioni =
        PosizioniScorrimento(fondoSchermo * TwipsPerPixel, obiettivo.y() * TwipsPerPixel);
    move(obiettivo.x(), posizioni.front() / TwipsPerPixel);
    show();
    raise();

    QPointer<frmTransparency> io(this);
    scorrimento_ = true;
    for (int top : posizioni) {
        move(obiettivo.x(), top / TwipsPerPixel);
        if (pausa_)
            pausa_(PausaPasso);
        if (!io)
            return;
        if (!aperto_ || apertura_ != questa)
            break;   // closed (or closed and opened again) during the pause
    }
    scorrimento_ = false;
}

void frmTransparency::Chiudi()
{
    if (!aperto_)
        return;
    aperto_ = false;
    if (segnaVisibile_)
        segnaVisibile_(false);
    // Without a compositor opacity does nothing: it goes at once.
    if (windowsNT5_ && isVisible() && !dissolvenza_) {
        dissolvenza_ = true;
        QPointer<frmTransparency> io(this);
        for (int alpha = AlphaIniziale; alpha >= AlphaFinale; alpha -= PassoAlpha) {
            setWindowOpacity(alpha / 255.0);
            if (pausa_)
                pausa_(PausaPasso);
            if (!io)
                return;
            if (aperto_)
                break;   // opened again during the fade
        }
        dissolvenza_ = false;
    }
    if (!aperto_) {
        hide();
        setWindowOpacity(1.0);
    }
}

void frmTransparency::closeEvent(QCloseEvent *event)
{
    // Closed from outside (the program ending): no fade.
    if (aperto_) {
        aperto_ = false;
        if (segnaVisibile_)
            segnaVisibile_(false);
    }
    event->accept();
}

void frmTransparency::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    GradientFill(p, 0, 0, width(), height(), ColoreAlto, ColoreAlto, ColoreBasso, ColoreBasso,
                 true);
    for (const QRect &r : bordo_)
        p.fillRect(r, ColoreBordo);

    // The hint inside the balloon's body, below the tail.
    int corpo = 0;
    for (const QRect &r : sagoma_)
        if (r.width() > width() / 2) {
            corpo = r.top();
            break;
        }
    // On a short screen the window rests partly below its edge: the hint keeps
    // to the part that shows.
    const int visibile = fondoSchermo_ > y() ? std::min(height(), fondoSchermo_ - y()) : height();
    const int margine = schermoGrande_ ? 20 : 14;
    const QRect area = QRect(0, corpo, width(), std::max(0, visibile - corpo))
                           .adjusted(margine, margine / 2, -margine, -margine / 2);
    p.setPen(ColoreTesto);
    p.setFont(FontTesto(schermoGrande_ ? 14 : 11, true));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, testo_);
}
