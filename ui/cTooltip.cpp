#include "ui/cTooltip.h"

#include "ui/modGradient.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int Margine = 8;       // inside the tip, around its contents
constexpr int LatoIcona = 16;
constexpr int SpazioIcona = 6;   // between the icon and the title
constexpr int SpazioTitolo = 4;  // between the title line and the text
constexpr int AltezzaPunta = 14; // the balloon's stem
constexpr int LargoPunta = 14;   // ... at its base
constexpr int Raggio = 8;        // the balloon's corners
constexpr int SottoMouse = 20;   // the stem points this far below the mouse

} // namespace

// The tip window: a title line (icon and bold title) over the text, in a
// balloon whose stem points at a screen point, or in a plain rectangle.
class FinestraFumetto : public QWidget {
public:
    struct Contenuto {
        QString titolo;
        int icona = 0;
        QString testo;
        bool fumetto = true;
        QColor sfondo, colore;
        int larghezzaMassima = 0;
    };

    FinestraFumetto(QWidget *proprietario, bool traslucida)
        : QWidget(proprietario, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
          traslucida_(traslucida)
    {
        setObjectName("cTooltip");
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
        // Chosen before the window exists: it decides the window's pixel format.
        if (traslucida_)
            setAttribute(Qt::WA_TranslucentBackground);
    }

    const Contenuto &contenuto() const { return c_; }
    // Where the title line and the text were laid out (widget pixels).
    QRect rettangoloTitolo() const { return titolo_; }
    QRect rettangoloTesto() const { return testo_; }

    void Mostra(const Contenuto &c, const QPoint &punto)
    {
        c_ = c;
        ensurePolished();   // the font of tips comes with the polish: measure with it
        const QFont normale = font();
        QFont grassetto = normale;
        grassetto.setBold(true);
        const QFontMetrics fmTitolo(grassetto), fmTesto(normale);

        // The title line keeps its height when the title is a blank.
        const int iconaLargo = c_.icona > 0 ? LatoIcona + SpazioIcona : 0;
        const QSize titolo(iconaLargo + fmTitolo.horizontalAdvance(c_.titolo),
                           std::max(fmTitolo.height(), c_.icona > 0 ? LatoIcona : 0));
        const int largo = c_.larghezzaMassima > 0 ? c_.larghezzaMassima : 100000;
        const QRect testo = fmTesto.boundingRect(
            QRect(0, 0, largo, 100000), c_.larghezzaMassima > 0 ? int(Qt::TextWordWrap) : 0, c_.testo);
        const QSize corpo(std::max(titolo.width(), testo.width()) + 2 * Margine,
                          titolo.height() + SpazioTitolo + testo.height() + 2 * Margine);

        const QScreen *schermo = QGuiApplication::screenAt(punto);
        if (!schermo)
            schermo = QGuiApplication::primaryScreen();
        const QRect area = schermo ? schermo->availableGeometry() : QRect(0, 0, 800, 600);
        const QPoint punta = punto + QPoint(0, SottoMouse);
        const int punteggio = c_.fumetto ? AltezzaPunta : 0;
        // Below the point, or above it when the screen ends first.
        const bool sopra = punta.y() + punteggio + corpo.height() > area.bottom() &&
                           punto.y() - punteggio - corpo.height() >= area.top();
        int x = punta.x() - (c_.fumetto ? 2 * LargoPunta : 0);
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - corpo.width()));
        const int yCorpo = sopra ? punto.y() - punteggio - corpo.height() : punta.y() + punteggio;
        const int y = sopra ? yCorpo : punta.y();
        const int alto = corpo.height() + punteggio;
        setGeometry(x, y, corpo.width(), alto);

        const QRect rCorpo(0, sopra ? 0 : punteggio, corpo.width(), corpo.height());
        titolo_ = QRect(rCorpo.left() + Margine, rCorpo.top() + Margine, titolo.width(), titolo.height());
        testo_ = QRect(rCorpo.left() + Margine, titolo_.bottom() + 1 + SpazioTitolo,
                       corpo.width() - 2 * Margine, testo.height());

        // The outline is drawn half a pixel inside the edges the mask keeps.
        QPainterPath corpoForma, punteruolo, corpoMaschera;
        if (c_.fumetto) {
            corpoForma.addRoundedRect(QRectF(rCorpo).adjusted(0.5, 0.5, -0.5, -0.5), Raggio, Raggio);
            corpoMaschera.addRoundedRect(QRectF(rCorpo), Raggio, Raggio);
            const int xp = std::clamp(punta.x() - x, Raggio,
                                      std::max(Raggio, corpo.width() - Raggio - LargoPunta));
            const qreal base = sopra ? rCorpo.bottom() - 1 : rCorpo.top() + 1;
            punteruolo.moveTo(xp, base);
            punteruolo.lineTo(xp, sopra ? alto - 0.5 : 0.5);
            punteruolo.lineTo(xp + LargoPunta, base);
            punteruolo.closeSubpath();
        } else {
            corpoForma.addRect(QRectF(rCorpo).adjusted(0.5, 0.5, -0.5, -0.5));
            corpoMaschera.addRect(QRectF(rCorpo));
        }
        forma_ = corpoForma.united(punteruolo);
        // Translucent, the painted shape is the shape; without a compositor a
        // mask cuts it (the corners then show the window beneath, never black).
        if (traslucida_)
            clearMask();
        else
            setMask(QRegion(corpoMaschera.toFillPolygon().toPolygon(), Qt::WindingFill) |
                    QRegion(punteruolo.toFillPolygon().toPolygon(), Qt::WindingFill));
        show();
        raise();
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(c_.colore, 1));
        p.setBrush(c_.sfondo);
        p.drawPath(forma_);
        p.setRenderHint(QPainter::Antialiasing, false);

        int x = titolo_.left();
        if (c_.icona > 0) {
            const QStyle::StandardPixmap icone[3] = {QStyle::SP_MessageBoxInformation,
                                                     QStyle::SP_MessageBoxWarning,
                                                     QStyle::SP_MessageBoxCritical};
            const QIcon icona = style()->standardIcon(icone[std::min(c_.icona, 3) - 1]);
            const int yIcona = titolo_.top() + (titolo_.height() - LatoIcona) / 2;
            icona.paint(&p, QRect(x, yIcona, LatoIcona, LatoIcona));
            x += LatoIcona + SpazioIcona;
        }
        QFont grassetto = font();
        grassetto.setBold(true);
        p.setFont(grassetto);
        p.setPen(c_.colore);
        p.drawText(QRect(x, titolo_.top(), titolo_.right() + 1 - x, titolo_.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, c_.titolo);
        p.setFont(font());
        int allineamento = Qt::AlignLeft | Qt::AlignTop;
        if (c_.larghezzaMassima > 0)
            allineamento |= Qt::TextWordWrap;
        p.drawText(testo_, allineamento, c_.testo);
    }

    void mousePressEvent(QMouseEvent *) override { hide(); }

private:
    bool traslucida_;
    Contenuto c_;
    QRect titolo_, testo_;
    QPainterPath forma_;
};

cTooltip::cTooltip(QObject *parent) : QObject(parent)
{
    attesa_ = new QTimer(this);
    attesa_->setSingleShot(true);
    connect(attesa_, &QTimer::timeout, this, [this] {
        if (inAttesa_)
            MostraSuggerimento(inAttesa_, puntoAttesa_);
    });
    scadenza_ = new QTimer(this);
    scadenza_->setSingleShot(true);
    connect(scadenza_, &QTimer::timeout, this, &cTooltip::NascondiSuggerimento);
}

cTooltip::~cTooltip()
{
    while (!strumenti_.empty()) {
        QWidget *c = strumenti_.back().controllo;
        if (c)
            c->removeEventFilter(this);
        strumenti_.pop_back();
    }
    delete finestra_.data();
}

bool cTooltip::Create(QWidget *proprietario)
{
    if (!creato_) {
        finestra_ = new FinestraFumetto(proprietario, composizione_);
        creato_ = true;
    }
    return bool(finestra_);
}

QWidget *cTooltip::hwnd() const { return finestra_.data(); }

cTooltip::Strumento *cTooltip::trova(const QWidget *controllo)
{
    for (Strumento &s : strumenti_)
        if (controllo && s.controllo == controllo)
            return &s;
    return nullptr;
}

const cTooltip::Strumento *cTooltip::trova(const QWidget *controllo) const
{
    return const_cast<cTooltip *>(this)->trova(controllo);
}

bool cTooltip::AddTool(QWidget *controllo, const QString &testo)
{
    if (!creato_ || !finestra_ || !controllo || trova(controllo))
        return false;
    strumenti_.push_back({controllo, testo});
    controllo->installEventFilter(this);
    // A control that goes away takes its tool with it.
    connect(controllo, &QObject::destroyed, this, [this, controllo] {
        std::erase_if(strumenti_, [controllo](const Strumento &s) {
            return !s.controllo || s.controllo.data() == controllo;
        });
    });
    applicaTempi();
    return true;
}

bool cTooltip::RemoveTool(QWidget *controllo)
{
    const auto it = std::find_if(strumenti_.begin(), strumenti_.end(),
                                 [controllo](const Strumento &s) { return controllo && s.controllo == controllo; });
    if (it == strumenti_.end())
        return false;
    controllo->removeEventFilter(this);
    disconnect(controllo, &QObject::destroyed, this, nullptr);
    strumenti_.erase(it);
    if (inAttesa_ == controllo) {
        attesa_->stop();
        inAttesa_ = nullptr;
    }
    if (mostrato_ == controllo)
        NascondiSuggerimento();
    return true;
}

QString cTooltip::ToolText(QWidget *controllo) const
{
    const Strumento *s = trova(controllo);
    if (!s)
        return {};
    const qsizetype fine = s->testo.indexOf(QChar(0));
    return fine < 0 ? s->testo : s->testo.left(fine);
}

void cTooltip::setToolText(QWidget *controllo, const QString &testo)
{
    if (Strumento *s = trova(controllo)) {
        s->testo = testo;
        aggiornaFinestra();
    }
}

void cTooltip::setStyle(int stile)
{
    stile_ = stile;
    aggiornaFinestra();
}

void cTooltip::setTitle(const QString &titolo)
{
    titolo_ = titolo.isEmpty() ? QStringLiteral(" ") : titolo;
    aggiornaFinestra();
}

void cTooltip::setIcon(int icona)
{
    icona_ = icona;
    aggiornaFinestra();
}

void cTooltip::setBackColor(uint32_t colore)
{
    sfondo_ = colore;
    aggiornaFinestra();
}

void cTooltip::setForeColor(uint32_t colore)
{
    testo_ = colore;
    aggiornaFinestra();
}

void cTooltip::setMaxTipWidth(int pixel)
{
    larghezzaMassima_ = pixel;
    aggiornaFinestra();
}

void cTooltip::setDelayTime(int millisecondi)
{
    ritardo_ = millisecondi;
    applicaTempi();
}

void cTooltip::setVisibleTime(int millisecondi)
{
    durata_ = millisecondi;
    applicaTempi();
}

// The times reach a tip already waiting or showing, too.
void cTooltip::applicaTempi()
{
    attesa_->setInterval(std::max(0, ritardo_));
    if (scadenza_->isActive() && durata_ > 0)
        scadenza_->start(durata_);
}

// A tip on show follows a change of its title, icon, colours or text.
void cTooltip::aggiornaFinestra()
{
    if (QWidget *c = suggerimentoVisibile())
        MostraSuggerimento(c, finestra_->pos());
}

bool cTooltip::MostraSuggerimento(QWidget *controllo, const QPoint &punto)
{
    const Strumento *s = trova(controllo);
    if (!s || !finestra_)
        return false;
    FinestraFumetto::Contenuto c;
    c.titolo = titolo_;
    c.icona = icona_;
    c.testo = ToolText(controllo);
    c.fumetto = stile_ == StileFumetto;
    c.sfondo = ColoreQt(sfondo_);
    c.colore = ColoreQt(testo_);
    c.larghezzaMassima = larghezzaMassima_;
    // A tip already on show keeps its place when its contents change.
    const bool stesso = mostrato_ == controllo && finestra_->isVisible();
    finestra_->Mostra(c, stesso ? puntoMostrato_ : punto);
    if (!stesso) {
        puntoMostrato_ = punto;
        if (durata_ > 0)
            scadenza_->start(durata_);
        else
            scadenza_->stop();
    }
    mostrato_ = controllo;
    return true;
}

void cTooltip::NascondiSuggerimento()
{
    scadenza_->stop();
    mostrato_ = nullptr;
    if (finestra_)
        finestra_->hide();
}

QWidget *cTooltip::suggerimentoVisibile() const
{
    return finestra_ && finestra_->isVisible() ? mostrato_.data() : nullptr;
}

cTooltip::Mostrato cTooltip::mostrato() const
{
    Mostrato m;
    if (!finestra_)
        return m;
    const FinestraFumetto::Contenuto &c = finestra_->contenuto();
    m.titolo = c.titolo;
    m.testo = c.testo;
    m.icona = c.icona;
    m.fumetto = c.fumetto;
    m.rettangoloTitolo = finestra_->rettangoloTitolo();
    m.rettangoloTesto = finestra_->rettangoloTesto();
    return m;
}

bool cTooltip::eventFilter(QObject *oggetto, QEvent *evento)
{
    auto *controllo = qobject_cast<QWidget *>(oggetto);
    if (!controllo || !trova(controllo))
        return false;
    switch (evento->type()) {
    case QEvent::Enter:
        inAttesa_ = controllo;
        if (auto *entrata = dynamic_cast<QEnterEvent *>(evento))
            puntoAttesa_ = entrata->globalPosition().toPoint();
        else
            puntoAttesa_ = QCursor::pos();
        attesa_->start();
        break;
    case QEvent::MouseMove:
    case QEvent::HoverMove:
        if (inAttesa_ == controllo && !suggerimentoVisibile())
            puntoAttesa_ = QCursor::pos();
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        if (inAttesa_ == controllo) {
            attesa_->stop();
            inAttesa_ = nullptr;
        }
        if (mostrato_ == controllo)
            NascondiSuggerimento();
        break;
    case QEvent::ToolTip:
        return true;   // the balloon is the control's only tip
    default:
        break;
    }
    return false;
}
