#include "mainwindow/Pannelli.h"

#include "ui/modGradient.h"

#include <QPaintEvent>
#include <QPainter>

PannelloNotebook::PannelloNotebook(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PannelloNotebook::paintEvent(QPaintEvent *e)
{
    if (sfondo_.isNull() || dimensione_ != size()) {
        dimensione_ = size();
        sfondo_ = ImmagineGradiente(width(), height(), ColoreRGB(60, 60, 60), ColoreRGB(60, 60, 60),
                                    ColoreRGB(190, 190, 190), ColoreRGB(190, 190, 190),
                                    LatoSfondoTenuto);
    }
    QPainter p(this);
    p.setClipRect(e->rect());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), sfondo_);
}

void PannelloMessaggio::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    for (int i = 1; i <= 10; ++i) {
        p.setPen(QColor(255 - 5 * i, 255 - 3 * i, 255 - i));
        p.drawRect(rect().adjusted(10 - i, 10 - i, i - 11, i - 11));
    }
}

RigaModello::RigaModello(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// What QLabel draws the same way through a kept layout: one left-aligned
// line of plain text, without frame, margin or indent.
bool RigaModello::unaRigaSemplice() const
{
    const QString t = text();
    return testoInMemoria && !t.isEmpty() && textFormat() == Qt::PlainText && !wordWrap() && isEnabled() &&
           alignment() == (Qt::AlignLeft | Qt::AlignTop) && frameWidth() == 0 && margin() == 0 && indent() <= 0 &&
           layoutDirection() == Qt::LeftToRight && !t.isRightToLeft() && !t.contains(u'\n') &&
           !t.contains(u'\r') && !t.contains(u'\t');
}

void RigaModello::paintEvent(QPaintEvent *e)
{
    const bool semplice = unaRigaSemplice();
    {
        QPainter p(this);
        const QWidget *sotto = parentWidget();
        p.fillRect(rect(), sotto->palette().brush(sotto->backgroundRole()));
        if (segno && segno->isVisible())
            p.fillRect(segno->geometry().translated(-pos()), segno->palette().brush(segno->backgroundRole()));
        if (semplice) {
            if (riga_.text() != text() || fontRiga_ != font()) {
                riga_ = QStaticText(text());
                riga_.setTextFormat(Qt::PlainText);
                riga_.setPerformanceHint(QStaticText::AggressiveCaching);
                fontRiga_ = font();
            }
            p.setFont(fontRiga_);
            p.setPen(palette().color(foregroundRole()));
            p.drawStaticText(contentsRect().topLeft(), riga_);
        }
    }
    if (!semplice)
        QLabel::paintEvent(e);
}
