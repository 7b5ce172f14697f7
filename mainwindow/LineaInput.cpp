#include "mainwindow/LineaInput.h"

#include "platform/Testo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionFrame>

namespace {

// The line's panel (its background and rounded frame) drawn once for a size,
// state and palette, then copied: stroking the antialiased frame at every
// keystroke was most of what a keystroke cost.
class PannelloInMemoria : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement pe, const QStyleOption *opzione, QPainter *p,
                       const QWidget *w) const override
    {
        const auto *cornice = qstyleoption_cast<const QStyleOptionFrame *>(opzione);
        if (pe != PE_PanelLineEdit || !cornice || !w || !w->autoFillBackground()) {
            QProxyStyle::drawPrimitive(pe, opzione, p, w);
            return;
        }
        const qreal dpr = p->device()->devicePixelRatio();
        const QColor sfondo = w->palette().color(w->backgroundRole());
        if (pannello_.isNull() || dimensione_ != cornice->rect.size() || stato_ != cornice->state ||
            tavolozza_ != cornice->palette.cacheKey() || sfondo_ != sfondo || dpr_ != dpr ||
            spessore_ != cornice->lineWidth) {
            dimensione_ = cornice->rect.size();
            stato_ = cornice->state;
            tavolozza_ = cornice->palette.cacheKey();
            sfondo_ = sfondo;
            dpr_ = dpr;
            spessore_ = cornice->lineWidth;
            // On the colour the widget's own background fill gives, as on screen.
            pannello_ = QPixmap(dimensione_ * dpr);
            pannello_.setDevicePixelRatio(dpr);
            pannello_.fill(sfondo);
            QStyleOptionFrame inOrigine = *cornice;
            inOrigine.rect.moveTo(0, 0);
            QPainter pp(&pannello_);
            QProxyStyle::drawPrimitive(pe, &inOrigine, &pp, w);
        }
        p->drawPixmap(cornice->rect.topLeft(), pannello_);
    }

private:
    mutable QPixmap pannello_;
    mutable QSize dimensione_;
    mutable QStyle::State stato_;
    mutable qint64 tavolozza_ = 0;
    mutable QColor sfondo_;
    mutable qreal dpr_ = 0;
    mutable int spessore_ = -1;
};

} // namespace

LineaInput::LineaInput(QWidget *parent) : QLineEdit(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled);
    stile_ = new PannelloInMemoria;
    setStyle(stile_);
}

LineaInput::~LineaInput()
{
    // The widget lets go of its style before the style goes.
    setStyle(nullptr);
    delete stile_;
}

void LineaInput::Digita(QChar c)
{
    // Judging a key lets events run (sounds, the error flash, the end of a
    // line), so the next keys may arrive meanwhile: they wait their turn.
    if (inGiudizio_) {
        inAttesa_.append(c);
        return;
    }
    inGiudizio_ = true;
    GiudicaEDigita(c);
    while (!inAttesa_.isEmpty())
        GiudicaEDigita(inAttesa_.takeFirst());
    inGiudizio_ = false;
}

void LineaInput::GiudicaEDigita(QChar c)
{
    int codice = (c == '\r' || c == '\n') ? 13 : testo::codiceTasto(c);
    if (suTastoPremuto)
        suTastoPremuto(codice);
    // A locked line (before a line starts) takes nothing, like a rejected key.
    if (codice == 0 || codice == 8 || codice == 27 || isReadOnly())
        return;
    if (codice == 13) {
        insert(QString::fromUtf16(SeparatoreRighe));   // the second line of a sentence
        return;
    }
    insert(QString(testo::carattereTasto(codice)));
}

void LineaInput::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (suTastoGiu) {
        bool annulla = false;
        suTastoGiu(key, annulla);
        if (annulla)
            return;
    }
    if (testo::tastoMorto(key)) {
        tastoMorto_ = key;
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        tastoMorto_ = 0;
        Digita('\r');
        return;
    case Qt::Key_Backspace:
        tastoMorto_ = 0;
        Digita(QChar(8)); // judged like any key; the text is never edited by the learner
        return;
    case Qt::Key_Escape: {
        tastoMorto_ = 0;
        int codice = 27;
        if (suTastoPremuto)
            suTastoPremuto(codice);
        e->ignore(); // the window asks whether to quit
        return;
    }
    default:
        break;
    }
    const QString t = e->text();
    if (!t.isEmpty() && !(e->modifiers() & Qt::ControlModifier) && t.at(0).isPrint()) {
        const QString testo = tastoMorto_ ? testo::componiAccento(tastoMorto_, t) : t;
        tastoMorto_ = 0;
        for (QChar c : testo)
            Digita(c);
        return;
    }
    // Other keys (Delete, Home, paste shortcuts...) would edit what the learner typed.
    e->ignore();
}

void LineaInput::inputMethodEvent(QInputMethodEvent *e)
{
    for (QChar c : e->commitString())
        Digita(c);
    e->accept();
}

void LineaInput::mousePressEvent(QMouseEvent *e)
{
    if (suMousePremuto)
        suMousePremuto(e->button());
    if (e->button() != Qt::RightButton)
        QLineEdit::mousePressEvent(e);
}

void LineaInput::mouseReleaseEvent(QMouseEvent *e)
{
    QLineEdit::mouseReleaseEvent(e);
    if (suMouseRilasciato)
        suMouseRilasciato();
}

void LineaInput::contextMenuEvent(QContextMenuEvent *e)
{
    e->accept(); // no context menu: the right button only warns
}
