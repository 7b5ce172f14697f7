#pragma once
// Four-corner colour gradient. Colours are Windows colour values 0x00BBGGRR
// (red in the low byte), as the settings and the colour tables store them.

#include <QColor>
#include <QImage>
#include <QSize>
#include <cstdint>

class QPainter;

constexpr uint32_t ColoreRGB(int r, int g, int b)
{
    return uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16);
}

inline QColor ColoreQt(uint32_t colore)
{
    return QColor(int(colore & 0xFF), int((colore >> 8) & 0xFF), int((colore >> 16) & 0xFF));
}

// The scratch side for a target side: the smallest 2^k - 1 not below it,
// at most 255 (100 -> 127, 300 -> 255, 1 -> 1, 0 -> 0). A smaller cap
// (2^k - 1 too) suits a picture kept for smooth stretching: a bilinear
// stretch of a straight blend is the same blend at any scratch size.
int LatoScratch(int latoDestinazione, int latoMassimo = 255);
QSize DimensioniScratch(int larghezza, int altezza);

// Side of the scratch pictures kept for window backgrounds: 63 x 63 draws the
// same blends as 255 x 255 in a sixteenth of the memory.
constexpr int LatoSfondoTenuto = 63;

// The scratch picture for a target of the given size: LatoScratch on each
// side, corners exactly the four colours, straight blends in between (edges
// interpolated in single precision, rounded to the nearest byte). Null when
// the target is empty.
QImage ImmagineGradiente(int larghezza, int altezza, uint32_t altoSinistra, uint32_t altoDestra,
                         uint32_t bassoSinistra, uint32_t bassoDestra, int latoMassimo = 255);

// Paints the rectangle with the gradient, stretching the scratch picture onto
// it; smooth asks for a filtered stretch. The painter's hints are restored.
void GradientFill(QPainter &painter, int x, int y, int larghezza, int altezza,
                  uint32_t altoSinistra, uint32_t altoDestra, uint32_t bassoSinistra,
                  uint32_t bassoDestra, bool smooth);

// The pale blue background of the small dialogs (the name and the language).
void SfondoDialogo(QPainter &painter, const QRect &area);
