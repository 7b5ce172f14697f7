#include "keyboard/MappaTastiEsterna.h"

#include "keyboard/TastieraVirtuale.h"

#include <QMouseEvent>
#include <QPainter>

namespace tastiera {

MappaTastiEsterna::MappaTastiEsterna(QWidget *parent) : QWidget(parent)
{
    setFixedSize(Larghezza, Altezza);
    setToolTip(QStringLiteral("Doppio click per riposizionare la mappa sulla tastiera"));
    hide();
}

void MappaTastiEsterna::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (immagine_.isNull())   // read when first shown: most learners never open the map
        immagine_ = immagineMappaTasti();
    p.drawPixmap(rect(), immagine_);
}

void MappaTastiEsterna::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doppioClick();
}

} // namespace tastiera
