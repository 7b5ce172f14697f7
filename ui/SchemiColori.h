#pragma once
// The eleven background schemes of the main window and the painters that use
// them: a window background in two halves, and the title bars of the
// secondary windows.

#include "ui/modGradient.h"

#include <QRect>
#include <array>
#include <cstdint>

class QPainter;
class QWidget;

struct SchemaColori {
    uint32_t altoSinistra, altoDestra, centro, bassoSinistra, bassoDestra;
};

constexpr int NUMERO_SCHEMI = 11;

constexpr std::array<SchemaColori, NUMERO_SCHEMI> SCHEMI_COLORI{{
    {ColoreRGB(24, 112, 54), ColoreRGB(11, 89, 101), ColoreRGB(255, 255, 255), ColoreRGB(230, 210, 35), ColoreRGB(120, 254, 253)},
    {ColoreRGB(24, 112, 54), ColoreRGB(11, 89, 101), ColoreRGB(0, 245, 245), ColoreRGB(196, 179, 23), ColoreRGB(3, 225, 225)},
    {ColoreRGB(0, 128, 192), ColoreRGB(0, 128, 192), ColoreRGB(0, 245, 245), ColoreRGB(0, 64, 128), ColoreRGB(0, 64, 128)},
    {ColoreRGB(255, 0, 0), ColoreRGB(255, 0, 0), ColoreRGB(255, 224, 224), ColoreRGB(100, 0, 0), ColoreRGB(100, 0, 0)},
    {ColoreRGB(105, 230, 0), ColoreRGB(105, 230, 0), ColoreRGB(246, 255, 190), ColoreRGB(0, 64, 0), ColoreRGB(0, 64, 0)},
    {ColoreRGB(190, 64, 255), ColoreRGB(190, 64, 255), ColoreRGB(255, 228, 255), ColoreRGB(89, 0, 126), ColoreRGB(89, 0, 126)},
    {ColoreRGB(252, 252, 0), ColoreRGB(252, 252, 0), ColoreRGB(255, 255, 168), ColoreRGB(83, 83, 0), ColoreRGB(83, 83, 0)},
    {ColoreRGB(255, 255, 168), ColoreRGB(212, 212, 212), ColoreRGB(223, 223, 223), ColoreRGB(148, 148, 148), ColoreRGB(168, 168, 115)},
    {ColoreRGB(255, 255, 128), ColoreRGB(128, 255, 255), ColoreRGB(0, 245, 245), ColoreRGB(255, 128, 128), ColoreRGB(125, 10, 0)},
    {0, 0, ColoreRGB(244, 244, 244), 0, 0},
    {0, 0, 0, 0, 0},
}};

// A scheme number outside 0..10 falls back to scheme 0.
const SchemaColori &Schema(int schema);

// Paints the rectangle in two halves, smooth: the bottom half first (top edge
// in the middle colour, bottom corners in the scheme's bottom colours), then
// the top half (top corners in the top colours, bottom edge in the middle).
void SfondoGradiente(QPainter &painter, const QRect &area, int schema);

// Gives the widget a background painted with the scheme, drawn before the
// widget's own painting and redrawn at each new size. Calling it again
// switches the scheme.
void SfondoGradiente(QWidget *finestra, int schema);

// Title bar of a secondary window: bottom half RGB(223,223,223), top half from
// white at the top to RGB(223,223,223).
void SfondoBarra(QPainter &painter, const QRect &area);
void SfondoBarra(QWidget *barra);
