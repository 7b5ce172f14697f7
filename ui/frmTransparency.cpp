#include "ui/frmTransparency.h"

#include "ui/Caratteri.h"
#include "ui/modGradient.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <map>

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

// Between two entries an edge moving more than this is a horizontal edge (a
// step of the outline kept square); less is a slanted or curved one, smoothed.
constexpr int SaltoSpigolo = 8;

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

QPainterPath TracciatoDaCampate(const std::vector<uint32_t> &voci)
{
    // One span per entry's y: the widest, should entries share it.
    std::map<int, std::pair<int, int>> righe;
    for (uint32_t voce : voci) {
        const Campata c = DecodificaCampata(voce);
        if (c.destra <= c.sinistra)
            continue;
        auto [it, nuova] = righe.try_emplace(c.y, c.sinistra, c.destra);
        if (!nuova)
            it->second = {std::min(it->second.first, c.sinistra), std::max(it->second.second, c.destra)};
    }
    QPainterPath tracciato;
    if (righe.empty())
        return tracciato;

    // One side, top to bottom: x of each entry at the middle of its two rows;
    // a jump between entries becomes a horizontal edge where the rows meet.
    const auto lato = [&righe](bool sinistro) {
        QPolygonF punti;
        const auto x = [sinistro](const std::pair<int, int> &s) {
            return qreal(sinistro ? s.first : s.second);
        };
        auto prima = righe.begin();
        punti << QPointF(x(prima->second), prima->first);
        for (auto it = righe.begin(); it != righe.end(); ++it) {
            if (it != righe.begin()) {
                const auto prec = std::prev(it);
                if (std::abs(x(it->second) - x(prec->second)) > SaltoSpigolo) {
                    const qreal giunto = std::max(prec->first + 2, it->first);
                    punti << QPointF(x(prec->second), giunto) << QPointF(x(it->second), giunto);
                }
            }
            punti << QPointF(x(it->second), it->first + 1);
        }
        const auto ultima = std::prev(righe.end());
        punti << QPointF(x(ultima->second), ultima->first + 2);
        return punti;
    };
    QPolygonF contorno = lato(true);
    const QPolygonF destro = lato(false);
    for (auto it = destro.rbegin(); it != destro.rend(); ++it)
        contorno << *it;
    tracciato.addPolygon(contorno);
    tracciato.closeSubpath();
    return tracciato;
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

frmTransparency::frmTransparency(QWidget *principale, bool schermoGrande, Pausa pausa)
    : QWidget(principale), schermoGrande_(schermoGrande), pausa_(std::move(pausa))
{
    setObjectName("frmTransparency");
    // Never the keyboard's nor the mouse's: a click lands on the control
    // beneath, which closes the pop-up.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);   // it takes no input
    // Only the balloon is painted: outside it the main window shows.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);

    const QSize lato = DimensioneTwips(schermoGrande_) / TwipsPerPixel;
    resize(lato);
    sagoma_ = RegioneDaCampate(CampateSagoma(schermoGrande_)) & QRegion(rect());
    tracciato_ = TracciatoDaCampate(CampateSagoma(schermoGrande_));
    altezzaVisibile_ = lato.height();
    hide();
}

void frmTransparency::setTesto(const QString &testo)
{
    testo_ = testo;
    immagine_ = {};
    update();
}

void frmTransparency::setAlpha(int alpha)
{
    alpha = std::clamp(alpha, 0, 255);
    if (alpha == alpha_)
        return;
    alpha_ = alpha;
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

    const std::vector<int> posizioni =
        PosizioniScorrimento(fondoSchermo * TwipsPerPixel, obiettivo.y() * TwipsPerPixel);
    // On a short screen (or window) it rests partly below the edge: the hint
    // keeps to the part that shows.
    const int riposo = posizioni.back() / TwipsPerPixel;
    int fondo = fondoSchermo;
    if (parentWidget())
        fondo = std::min(fondo, parentWidget()->height());
    const int visibile = fondo > riposo ? std::min(height(), fondo - riposo) : height();
    if (visibile != altezzaVisibile_) {
        altezzaVisibile_ = visibile;
        immagine_ = {};
    }
    setAlpha(255);
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
    if (isVisible() && !dissolvenza_) {
        dissolvenza_ = true;
        QPointer<frmTransparency> io(this);
        for (int alpha = AlphaIniziale; alpha >= AlphaFinale; alpha -= PassoAlpha) {
            setAlpha(alpha);
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
        setAlpha(255);
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

const QImage &frmTransparency::immagine()
{
    // At the screen's own pixels: sharp on a scaled screen too.
    const qreal scala = devicePixelRatioF();
    if (!immagine_.isNull() && immagine_.devicePixelRatio() == scala)
        return immagine_;
    immagine_ = QImage(size() * scala, QImage::Format_ARGB32_Premultiplied);
    immagine_.setDevicePixelRatio(scala);
    immagine_.fill(Qt::transparent);
    QImage sfondo(size() * scala, QImage::Format_ARGB32_Premultiplied);
    sfondo.setDevicePixelRatio(scala);
    {
        QPainter g(&sfondo);
        GradientFill(g, 0, 0, width(), height(), ColoreAlto, ColoreAlto, ColoreBasso, ColoreBasso,
                     true);
    }
    QPainter p(&immagine_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(sfondo));
    p.drawPath(tracciato_);
    // The edge a pixel wide, inside the outline and blended into its outside.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ColoreBordo, 1.5));
    p.drawPath(tracciato_);
    p.setRenderHint(QPainter::Antialiasing, false);

    // The hint inside the balloon's body, below the tail.
    int corpo = 0;
    for (const QRect &r : sagoma_)
        if (r.width() > width() / 2) {
            corpo = r.top();
            break;
        }
    const int margine = schermoGrande_ ? 20 : 14;
    const QRect area = QRect(0, corpo, width(), std::max(0, altezzaVisibile_ - corpo))
                           .adjusted(margine, margine / 2, -margine, -margine / 2);
    p.setPen(ColoreTesto);
    p.setFont(FontTesto(schermoGrande_ ? 14 : 11, true));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, testo_);
    return immagine_;
}

void frmTransparency::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setOpacity(alpha_ / 255.0);
    p.drawImage(0, 0, immagine());
}
