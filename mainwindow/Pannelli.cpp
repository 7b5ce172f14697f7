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
            // Only what can show: the label may be wider than the panel that
            // holds it (text-file mode). The characters past the panel's edge
            // are left out, with a wide margin (kerned pairs make the text
            // shorter than its characters' widths added up), so the cut stays
            // out of sight.
            const QString t = text();
            if (fontRiga_ != font()) {
                fontRiga_ = font();
                larghezze_.clear();
                riga_ = QStaticText();
            }
            const QFontMetrics fm(fontRiga_);
            const int fino = std::min(width(), sotto->width() - x());
            const int limite = fino + fino / 8 + fm.height();
            qsizetype n = 0;
            for (int largo = 0; n < t.size() && largo <= limite; ++n) {
                const size_t c = t.at(n).unicode();
                if (c >= larghezze_.size())
                    larghezze_.resize(std::max<size_t>(c + 1, 0x180), -1);
                if (larghezze_[c] < 0)
                    larghezze_[c] = fm.horizontalAdvance(t.at(n));
                largo += larghezze_[c];
            }
            const QString mostrato = t.left(n + 3);
            if (riga_.text() != mostrato) {
                riga_ = QStaticText(mostrato);
                riga_.setTextFormat(Qt::PlainText);
                riga_.setPerformanceHint(QStaticText::AggressiveCaching);
            }
            p.setFont(fontRiga_);
            p.setPen(palette().color(foregroundRole()));
            p.drawStaticText(contentsRect().topLeft(), riga_);
        }
    }
    if (!semplice)
        QLabel::paintEvent(e);
}
