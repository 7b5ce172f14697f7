#pragma once
// A window's panel as the screen holds it, beside a fresh paint of it: a widget
// that repaints only what changed must leave on screen what a whole paint gives.

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

struct ConfrontoSchermo {
    QImage schermo, nuovo;
};

inline ConfrontoSchermo ConfrontaConPitturaNuova(QWidget *finestra, const QWidget *pannello)
{
    // A timer that fired after the last paint (the clock) may have left a repaint pending.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    const QRect area(pannello->mapTo(finestra, QPoint(0, 0)), pannello->size());
    return {QGuiApplication::primaryScreen()
                ->grabWindow(finestra->winId())
                .toImage()
                .copy(area)
                .convertToFormat(QImage::Format_RGB32),
            finestra->grab(area).toImage().convertToFormat(QImage::Format_RGB32)};
}
