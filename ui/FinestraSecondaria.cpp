#include "ui/FinestraSecondaria.h"

#include <QWidget>

void SempreInPrimoPiano(QWidget *window, bool on)
{
    if (!window)
        return;
    const bool visibile = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visibile)
        window->show(); // changing a window flag hides the window
}

void BordoDialogo(QWidget *window)
{
    if (!window)
        return;
    window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
