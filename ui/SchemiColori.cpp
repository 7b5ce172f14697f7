#include "ui/SchemiColori.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

const SchemaColori &Schema(int schema)
{
    if (schema < 0 || schema >= NUMERO_SCHEMI)
        schema = 0;
    return SCHEMI_COLORI[size_t(schema)];
}

void SfondoGradiente(QPainter &painter, const QRect &area, int schema)
{
    const SchemaColori &s = Schema(schema);
    const int alto = area.height() / 2;
    const int basso = area.height() - alto;
    GradientFill(painter, area.x(), area.y() + alto, area.width(), basso, s.centro, s.centro,
                 s.bassoSinistra, s.bassoDestra, true);
    GradientFill(painter, area.x(), area.y(), area.width(), alto, s.altoSinistra, s.altoDestra,
                 s.centro, s.centro, true);
}

namespace {

template <typename Pittore>
void sfondoDiWidget(QWidget *w, Pittore dipingi)
{
    if (!w || w->width() <= 0 || w->height() <= 0)
        return;
    QPixmap pm(w->size());
    {
        QPainter p(&pm);
        dipingi(p, QRect(QPoint(0, 0), w->size()));
    }
    QPalette pal = w->palette();
    pal.setBrush(w->backgroundRole(), QBrush(pm));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace

void SfondoGradiente(QWidget *finestra, int schema)
{
    sfondoDiWidget(finestra, [schema](QPainter &p, const QRect &r) { SfondoGradiente(p, r, schema); });
}

void SfondoBarra(QPainter &painter, const QRect &area)
{
    const uint32_t grigio = ColoreRGB(223, 223, 223);
    const uint32_t bianco = ColoreRGB(255, 255, 255);
    const int alto = area.height() / 2;
    GradientFill(painter, area.x(), area.y() + alto, area.width(), area.height() - alto, grigio,
                 grigio, grigio, grigio, true);
    GradientFill(painter, area.x(), area.y(), area.width(), alto, bianco, bianco, grigio, grigio,
                 true);
}

void SfondoBarra(QWidget *barra)
{
    sfondoDiWidget(barra, [](QPainter &p, const QRect &r) { SfondoBarra(p, r); });
}
