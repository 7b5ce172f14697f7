#include "mainwindow/LineaInput.h"

#include "platform/Testo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionFrame>
#include <QtMath>
#include <QtWidgets/private/qlineedit_p.h>
#include <QtWidgets/private/qwidgetlinecontrol_p.h>

#include <algorithm>
#include <utility>

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
    // The two connections through which QLineEdit repaints all of itself at each key.
    controllo_ = static_cast<QLineEditPrivate *>(qt_widget_private(this))->control;
    if (disconnect(controllo_, SIGNAL(displayTextChanged(QString)), this, SLOT(update())))
        connect(controllo_, &QWidgetLineControl::displayTextChanged, this, &LineaInput::TestoMostratoCambiato);
    if (disconnect(controllo_, SIGNAL(cursorPositionChanged(int,int)), this,
                   SLOT(_q_cursorPositionChanged(int,int))))
        connect(controllo_, &QWidgetLineControl::cursorPositionChanged, this, &LineaInput::CursoreSpostato);
}

LineaInput::~LineaInput()
{
    // The widget lets go of its style before the style goes.
    setStyle(nullptr);
    delete stile_;
}

// Whether the text stays where the last paint put it: left-aligned, not
// scrolled, and still fitting its line after the change.
bool LineaInput::TestoFermo() const
{
    const auto *d = static_cast<const QLineEditPrivate *>(qt_widget_private(const_cast<LineaInput *>(this)));
    if (d->hscroll != 0 || fuoriRiga_ ||
        (QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) !=
            Qt::AlignLeft)
        return false;
    QStyleOptionFrame opzione;
    initStyleOption(&opzione);
    const QRect contenuto =
        style()->subElementRect(QStyle::SE_LineEditContents, &opzione, this).marginsRemoved(textMargins());
    // QLineEdit keeps two pixels on each side; one more for the caret.
    return qRound(larghezza_) + 1 < contenuto.width() - 2 * 2 - 1;
}

// Whether some character's ink leaves the line box: QLineEdit then centres a
// taller box and moves the whole text.
bool LineaInput::EsceDallaRiga(QStringView testo)
{
    const QFontMetrics fm = fontMetrics();
    for (QChar c : testo) {
        const size_t i = c.unicode();
        if (i >= inkFuori_.size())
            inkFuori_.resize(std::max<size_t>(i + 1, 0x180), -1);
        if (inkFuori_[i] < 0) {
            // A pixel inside on each side: the box of a whole text is rounded once, not by character.
            const QRect r = fm.boundingRect(c);
            inkFuori_[i] = (r.top() < -fm.ascent() + 1 || r.bottom() > fm.descent() - 1) ? 1 : 0;
        }
        if (inkFuori_[i] > 0)
            return true;
    }
    return false;
}

void LineaInput::TestoMostratoCambiato(const QString &nuovo)
{
    const QString vecchio = std::exchange(mostrato_, nuovo);
    const qreal prima = std::exchange(larghezza_, controllo_->naturalTextWidth());
    const bool fuoriPrima = fuoriRiga_;
    qsizetype comune = 0;
    const qsizetype n = std::min(vecchio.size(), nuovo.size());
    while (comune < n && vecchio.at(comune) == nuovo.at(comune))
        ++comune;
    fuoriRiga_ = comune == vecchio.size() && !fuoriPrima ? EsceDallaRiga(QStringView(nuovo).mid(comune))
                                                         : EsceDallaRiga(nuovo);
    if (fuoriPrima || !TestoFermo()) {
        update();
        return;
    }
    // From the character before the first changed one (a pair may join or
    // kern), to the end of the longer text, with room for overhanging ink
    // and the caret.
    const int origine = cursorRect().x() - controllo_->cursorRect().x();
    const int margine = fontMetrics().height();
    const int x0 = origine + qFloor(controllo_->cursorToX(int(std::max<qsizetype>(0, comune - 1)))) - margine;
    const int x1 = origine + qCeil(std::max(prima, larghezza_)) + margine;
    update(QRect(x0, 0, x1 - x0, height()) & rect());
}

void LineaInput::CursoreSpostato(int da, int a)
{
    const QRect ora = cursorRect();
    if (xCursore_ >= 0 && TestoFermo()) {
        const int x0 = std::min(xCursore_, ora.left()), x1 = std::max(xCursore_ + ora.width(), ora.right() + 1);
        update(QRect(x0, 0, x1 - x0, height()) & rect());
    } else {
        update();
    }
    xCursore_ = ora.left();
    emit cursorPositionChanged(da, a);
}

void LineaInput::changeEvent(QEvent *e)
{
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        inkFuori_.clear();
        fuoriRiga_ = EsceDallaRiga(mostrato_);
        larghezza_ = controllo_->naturalTextWidth();
    }
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
