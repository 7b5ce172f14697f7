#pragma once
// What a screen reader needs of controls that are drawn rather than made of
// standard widgets: a symbol label that acts as a button (focusable, pressed
// by Space or Enter and by the assistive technology's press action), and a
// panel that is painted but whose words must be readable as text.

#include <QEvent>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace accessibile {

// The event a pressed command receives: the window that watches the label
// runs the command on it, after the assistive technology's call has returned.
inline const QEvent::Type EventoPremuto = QEvent::Type(QEvent::User + 428);

// Makes `etichetta` a command: reachable with Tab, a push button to
// assistive technology whose press action posts EventoPremuto to it. Its
// looks do not change.
void RendiComando(QWidget *etichetta);

// A label made a command at birth. A class of its own: the toolkit's own
// interface for a QLabel would otherwise be chosen before ours.
class EtichettaComando : public QLabel {
    Q_OBJECT
public:
    EtichettaComando(const QString &testo, QWidget *padre) : QLabel(testo, padre) { RendiComando(this); }
};

// The panel of PannelloTesto, for the same reason.
class Pannello : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// A transparent panel over `area` of `padre` that shows nothing and takes no
// mouse: to assistive technology a static text named `nome` whose text and
// description are `testo` (the painted figures beneath, one line each).
QWidget *PannelloTesto(QWidget *padre, const QRect &area);
void ImpostaTesto(QWidget *pannello, const QString &nome, const QString &testo);

} // namespace accessibile
