#include "ui/FinestraSecondaria.h"

#include <QWidget>
#include <QWindow>

void SempreInPrimoPiano(QWidget *window, bool on)
{
    if (!window)
        return;
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    // Setting a shown widget's flags hides it, which would end a modal dialog's
    // exec(): once there is a native window the flag goes to it directly.
    if (QWindow *nativa = window->windowHandle()) {
        window->overrideWindowFlags(flags);
        nativa->setFlags(flags);
    } else {
        window->setWindowFlags(flags);
    }
}

void BordoDialogo(QWidget *window)
{
    if (!window)
        return;
    window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
