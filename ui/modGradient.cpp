#include "ui/modGradient.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

using Canali = std::array<int, 3>;  // red, green, blue

Canali canali(uint32_t c)
{
    return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)};
}

int aByte(float x)
{
    const float r = std::nearbyint(x);
    return r < 0.0f ? 0 : (r > 255.0f ? 255 : int(r));
}

// n + 1 entries from a to b; entry 0 is a, entry n is b.
std::vector<Canali> interpola(const Canali &a, const Canali &b, int n)
{
    std::vector<Canali> voci(size_t(n) + 1);
    for (int k = 0; k < 3; ++k) {
        const float passo = (b[k] == a[k] || n == 0) ? 0.0f : float(b[k] - a[k]) / float(n);
        for (int i = 0; i <= n; ++i)
            voci[size_t(i)][k] = aByte(float(a[k]) + passo * float(i));
    }
    return voci;
}

// Filtered stretch with the corner pixels of source and target aligned, so the
// corners keep their colours exactly (a plain bilinear stretch samples pixel
// centres and lets the neighbours bleed into the edges).
QImage stiraMorbido(const QImage &sorgente, int larghezza, int altezza)
{
    const int sw = sorgente.width(), sh = sorgente.height();
    struct Peso { int a, b; float t; };
    auto pesi = [](int n, int lato) {
        std::vector<Peso> v(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const float f = n > 1 ? float(i) * float(lato - 1) / float(n - 1) : 0.0f;
            const int a = std::min(int(f), lato - 1);
            v[size_t(i)] = {a, std::min(a + 1, lato - 1), f - float(a)};
        }
        return v;
    };
    const auto px = pesi(larghezza, sw);
    const auto py = pesi(altezza, sh);
    auto mescola = [](float a, float b, float t) { return a + (b - a) * t; };

    QImage destinazione(larghezza, altezza, QImage::Format_RGB32);
    std::vector<float> riga(size_t(sw) * 3);
    for (int y = 0; y < altezza; ++y) {
        const auto *r0 = reinterpret_cast<const QRgb *>(sorgente.constScanLine(py[size_t(y)].a));
        const auto *r1 = reinterpret_cast<const QRgb *>(sorgente.constScanLine(py[size_t(y)].b));
        const float ty = py[size_t(y)].t;
        for (int x = 0; x < sw; ++x) {
            riga[size_t(x) * 3] = mescola(float(qRed(r0[x])), float(qRed(r1[x])), ty);
            riga[size_t(x) * 3 + 1] = mescola(float(qGreen(r0[x])), float(qGreen(r1[x])), ty);
            riga[size_t(x) * 3 + 2] = mescola(float(qBlue(r0[x])), float(qBlue(r1[x])), ty);
        }
        auto *out = reinterpret_cast<QRgb *>(destinazione.scanLine(y));
        for (int x = 0; x < larghezza; ++x) {
            const Peso &w = px[size_t(x)];
            const float *a = &riga[size_t(w.a) * 3];
            const float *b = &riga[size_t(w.b) * 3];
            // Blends of bytes stay within 0..255: adding a half and truncating rounds.
            out[x] = qRgb(int(mescola(a[0], b[0], w.t) + 0.5f), int(mescola(a[1], b[1], w.t) + 0.5f),
                          int(mescola(a[2], b[2], w.t) + 0.5f));
        }
    }
    return destinazione;
}

} // namespace

int LatoScratch(int latoDestinazione, int latoMassimo)
{
    latoMassimo = qBound(1, latoMassimo, 255);
    int lato = 0;
    while (lato < latoDestinazione && lato < latoMassimo)
        lato = lato * 2 + 1;
    return lato;
}

QSize DimensioniScratch(int larghezza, int altezza)
{
    return QSize(LatoScratch(larghezza), LatoScratch(altezza));
}

QImage ImmagineGradiente(int larghezza, int altezza, uint32_t altoSinistra, uint32_t altoDestra,
                         uint32_t bassoSinistra, uint32_t bassoDestra, int latoMassimo)
{
    const int w = LatoScratch(larghezza, latoMassimo);
    const int h = LatoScratch(altezza, latoMassimo);
    if (w <= 0 || h <= 0)
        return QImage();

    // The blends span the written pixels exactly (w - 1 and h - 1 steps), so
    // the outermost rows and columns carry the corner colours themselves.
    const auto sinistra = interpola(canali(bassoSinistra), canali(altoSinistra), h - 1);
    const auto destra = interpola(canali(bassoDestra), canali(altoDestra), h - 1);

    QImage img(w, h, QImage::Format_RGB32);
    for (int i = 0; i < h; ++i) {
        // Row i counts from the bottom, as the blends do.
        const auto riga = interpola(sinistra[size_t(i)], destra[size_t(i)], w - 1);
        auto *pixel = reinterpret_cast<QRgb *>(img.scanLine(h - 1 - i));
        for (int j = 0; j < w; ++j)
            pixel[j] = qRgb(riga[size_t(j)][0], riga[size_t(j)][1], riga[size_t(j)][2]);
    }
    return img;
}

void GradientFill(QPainter &painter, int x, int y, int larghezza, int altezza,
                  uint32_t altoSinistra, uint32_t altoDestra, uint32_t bassoSinistra,
                  uint32_t bassoDestra, bool smooth)
{
    const QImage scratch = ImmagineGradiente(larghezza, altezza, altoSinistra, altoDestra,
                                             bassoSinistra, bassoDestra);
    if (scratch.isNull())
        return;
    if (smooth) {
        painter.drawImage(QPoint(x, y), stiraMorbido(scratch, larghezza, altezza));
        return;
    }
    // Nearest-pixel stretch, as an unfiltered blit would do.
    const bool filtrava = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(x, y, larghezza, altezza), scratch, QRectF(scratch.rect()));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, filtrava);
}

void SfondoDialogo(QPainter &painter, const QRect &area)
{
    QLinearGradient g(0, area.top(), 0, area.bottom() + 1);
    g.setColorAt(0, QColor(225, 239, 249));
    g.setColorAt(1, QColor(134, 182, 222));
    painter.fillRect(area, g);
}
