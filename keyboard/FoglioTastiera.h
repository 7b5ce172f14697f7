#pragma once
// The keyboard reference sheet: the keyboard as shown, on a landscape page laid
// out in millimetres, with a title line and the program's name below it.

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class QRect;

namespace tastiera {

struct FoglioTastiera {
    QImage tastiera;    // the keyboard area as it is drawn on the screen
    QString titolo;     // "Tastiera francese (0410)  "
    QString firma;      // ten blanks and "Tastavia"
};

// Where the picture goes, in millimetres from the printable area's top-left
// corner; the title line starts at x 16, y 195 and the second line under it.
constexpr QRectF RettangoloTastieraMm(16, 25, 260, 94);
constexpr QPointF PosizioneTitoloMm(16, 195);

// Paints the sheet into `area`, the printable rectangle in device pixels, at
// the device's own resolution: the picture stretched over its rectangle, the
// title in "Arial" 10 pt bold, then the second line in "Arial" 8 pt italic.
void DisegnaFoglioTastiera(QPainter &p, const QRect &area, const FoglioTastiera &foglio);

} // namespace tastiera
