#include "ui/GuardiaTasti.h"

#include "platform/Services.h"

#include <QChildEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

GuardiaTasti::GuardiaTasti(QWidget *finestra, const platform::Clock *clock, int attesaMs)
    : QObject(finestra), finestra_(finestra), clock_(clock), attesaMs_(attesaMs)
{
    sorveglia(finestra);
    if (finestra->isVisible() && clock_)
        mostrataAlle_ = clock_->tickMs();
}

void GuardiaTasti::sorveglia(QObject *o)
{
    o->installEventFilter(this);
    for (QObject *figlio : o->children())
        if (figlio->isWidgetType())
            sorveglia(figlio);
}

bool GuardiaTasti::pronta() const
{
    if (mostrataAlle_ < 0)
        return false;
    return !clock_ || clock_->tickMs() - mostrataAlle_ >= attesaMs_;
}

bool GuardiaTasti::eventFilter(QObject *o, QEvent *e)
{
    switch (e->type()) {
    case QEvent::Show:
        if (o == finestra_ && mostrataAlle_ < 0)
            mostrataAlle_ = clock_ ? clock_->tickMs() : 0;
        return false;
    case QEvent::Hide:
        if (o == finestra_) {
            mostrataAlle_ = -1;
            premuti_.clear();
        }
        return false;
    case QEvent::ChildAdded: {
        QObject *figlio = static_cast<QChildEvent *>(e)->child();
        if (figlio->isWidgetType())
            sorveglia(figlio);
        return false;
    }
    case QEvent::KeyPress: {
        // Judged the same at every step of its way from the focus widget up
        // to the window: the answer depends on the key and the time only.
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->isAutoRepeat() || !pronta())
            return true;
        premuti_.insert(k->key());
        return false;
    }
    case QEvent::KeyRelease: {
        // Only the release of a key pressed here: Space clicks a button on release.
        const auto *k = static_cast<QKeyEvent *>(e);
        const bool nostro = premuti_.contains(k->key());
        if (o == finestra_ && !k->isAutoRepeat())
            premuti_.remove(k->key());
        return !nostro;
    }
    default:
        return false;
    }
}

void SoloPredefinitoSuInvio(QDialog *dialogo)
{
    for (QPushButton *b : dialogo->findChildren<QPushButton *>())
        if (!b->isDefault())
            b->setAutoDefault(false);
}
