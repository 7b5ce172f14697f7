#include "ui/Forma.h"

#include <QPainter>

Forma::Forma(QWidget *parent) : QWidget(parent) {}

void Forma::setFillColor(const QColor &c)
{
    if (c == m_riempimento)
        return;
    m_riempimento = c;
    update();
}

void Forma::setBorder(const QColor &c, int spessore)
{
    spessore = qMax(0, spessore);
    if (c == m_bordo && spessore == m_spessore)
        return;
    m_bordo = c;
    m_spessore = spessore;
    update();
}

void Forma::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_riempimento.isValid())
        p.fillRect(rect(), m_riempimento);
    if (m_spessore <= 0)
        return;
    // The border lies inside the rectangle, as wide as asked on every side.
    const int w = qMin(m_spessore, qMin(width(), height()) / 2 + 1);
    p.fillRect(0, 0, width(), w, m_bordo);
    p.fillRect(0, height() - w, width(), w, m_bordo);
    p.fillRect(0, w, w, height() - 2 * w, m_bordo);
    p.fillRect(width() - w, w, w, height() - 2 * w, m_bordo);
}
