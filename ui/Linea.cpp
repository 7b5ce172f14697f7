#include "ui/Linea.h"

#include <QPainter>
#include <algorithm>

Linea::Linea(QWidget *parent) : Linea(QLine(), parent) {}

Linea::Linea(const QLine &linea, QWidget *parent) : QWidget(parent), m_linea(linea)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    adatta();
}

void Linea::setLinea(const QLine &linea)
{
    m_linea = linea;
    adatta();
    update();
}

void Linea::setBorderColor(const QColor &c)
{
    m_colore = c;
    update();
}

void Linea::setBorderWidth(int w)
{
    m_spessore = std::max(1, w);
    adatta();
    update();
}

void Linea::adatta()
{
    // The bounding box with room for the pen on every side.
    const int m = (m_spessore + 1) / 2;
    const QRect box = QRect(m_linea.p1(), m_linea.p2()).normalized();
    setGeometry(box.adjusted(-m, -m, m, m));
}

void Linea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(m_colore, m_spessore));
    p.drawLine(m_linea.translated(-pos()));
}
