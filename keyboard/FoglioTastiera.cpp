#include "keyboard/FoglioTastiera.h"

#include "ui/Caratteri.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace tastiera {

void DisegnaFoglioTastiera(QPainter &p, const QRect &area, const FoglioTastiera &foglio)
{
    // Device pixels per millimetre; the fonts keep their point sizes on any device.
    QPaintDevice *d = p.device();
    const double mmX = (d ? d->logicalDpiX() : 96) / 25.4;
    const double mmY = (d ? d->logicalDpiY() : 96) / 25.4;
    const auto punto = [&](double x, double y) {
        return QPointF(area.left() + x * mmX, area.top() + y * mmY);
    };

    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r = RettangoloTastieraMm;
    if (!foglio.tastiera.isNull())
        p.drawImage(QRectF(punto(r.left(), r.top()), punto(r.right(), r.bottom())), foglio.tastiera);

    // Each line is written with its top at the current position, and the
    // position moves down by the line's height.
    p.setPen(Qt::black);
    QPointF riga = punto(PosizioneTitoloMm.x(), PosizioneTitoloMm.y());
    const auto scrivi = [&](const QFont &font, const QString &testo) {
        p.setFont(font);
        const QFontMetricsF fm(font, d);
        p.drawText(QRectF(riga, QSizeF(fm.horizontalAdvance(testo) + 1, fm.height())),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, testo);
        riga.ry() += fm.height();
    };
    scrivi(FontTesto(10, true), foglio.titolo);
    QFont corsivo = FontTesto(8);
    corsivo.setItalic(true);
    scrivi(corsivo, foglio.firma);
    p.restore();
}

} // namespace tastiera
