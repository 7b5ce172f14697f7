#include "ui/Immagini.h"

#include <QImageReader>

QPixmap ImmaginePng(const QString &percorso)
{
    QImageReader lettore(percorso, "png");
    lettore.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(lettore.read());
}
