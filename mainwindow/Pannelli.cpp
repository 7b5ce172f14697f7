#include "mainwindow/Pannelli.h"

#include "ui/modGradient.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

PannelloNotebook::PannelloNotebook(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PannelloNotebook::paintEvent(QPaintEvent *e)
{
    if (sfondo_.isNull() || dimensione_ != size()) {
        dimensione_ = size();
        sfondo_ = ImmagineGradiente(width(), height(), ColoreRGB(60, 60, 60), ColoreRGB(60, 60, 60),
                                    ColoreRGB(190, 190, 190), ColoreRGB(190, 190, 190),
                                    LatoSfondoTenuto);
    }
    QPainter p(this);
    p.setClipRect(e->rect());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), sfondo_);
}

void PannelloMessaggio::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    for (int i = 1; i <= 10; ++i) {
        p.setPen(QColor(255 - 5 * i, 255 - 3 * i, 255 - i));
        p.drawRect(rect().adjusted(10 - i, 10 - i, i - 11, i - 11));
    }
}

RigaModello::RigaModello(QWidget *parent) : QLabel(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// What QLabel draws the same way through a kept layout: left-aligned plain
// text without tabs, wrapping, frame, margin or indent.
bool RigaModello::testoSemplice() const
{
    const QString t = text();
    return testoInMemoria && !t.isEmpty() && textFormat() == Qt::PlainText && !wordWrap() && isEnabled() &&
           alignment() == (Qt::AlignLeft | Qt::AlignTop) && frameWidth() == 0 && margin() == 0 && indent() <= 0 &&
           layoutDirection() == Qt::LeftToRight && !t.isRightToLeft() && !t.contains(u'\t');
}

void RigaModello::disponi(const QString &testo)
{
    if ((testo.isSharedWith(disposta_.testo) || testo == disposta_.testo) &&
        font() == disposta_.font && (disposta_.unFont || !disposta_.righe.isEmpty()))
        return;
    Disposizione d;
    d.testo = testo;
    d.font = font();
    // As QLabel lays out plain text: a carriage return is a blank, a line feed
    // starts a line, no wrapping, each line on a whole pixel below the last.
    QString righe = testo;
    righe.replace(u'\r', u' ').replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(righe, d.font, this);
    QTextOption opzioni;
    opzioni.setWrapMode(QTextOption::ManualWrap);
    layout.setTextOption(opzioni);
    const qreal interlinea = QFontMetricsF(d.font, this).leading();
    qreal y = -interlinea;
    qreal larghezza = 0;
    layout.beginLayout();
    for (QTextLine linea = layout.createLine(); linea.isValid(); linea = layout.createLine()) {
        linea.setLineWidth(0x01000000);
        y = std::ceil(y + interlinea);
        linea.setPosition(QPointF(0, y));
        y += linea.ascent() + linea.descent();
        larghezza = linea.naturalTextWidth();
    }
    layout.endLayout();
    d.righe = layout.glyphRuns();
    d.unFont = !d.righe.isEmpty();
    for (const QGlyphRun &r : d.righe)
        d.unFont = d.unFont && r.rawFont() == d.righe.front().rawFont();
    if (d.unFont) {
        d.carattere = d.righe.front().rawFont();
        for (const QGlyphRun &r : d.righe) {
            const QList<quint32> g = r.glyphIndexes();
            d.glifi.insert(d.glifi.end(), g.begin(), g.end());
            for (const QPointF &q : r.positions()) {
                d.x64.push_back(qRound64(q.x() * 64));
                d.y.push_back(q.y());
            }
        }
        d.x64.push_back(qRound64(larghezza * 64));
        d.righe.clear();   // drawn from the glyphs above, not kept twice (a text file has 26,000)
    }
    // One line, one glyph a character, left to right: the text can move on by
    // characters (text-file mode).
    d.unoAUno = d.unFont && layout.lineCount() == 1 && qsizetype(d.glifi.size()) == testo.size() &&
                std::is_sorted(d.x64.begin(), d.x64.end()) && !testo.contains(u'\t');
    disposta_ = std::move(d);
}

// The text shown is the one ScorriA put there, laid out within its line.
bool RigaModello::scorso() const
{
    return !testoScorso_.isEmpty() && text() == testoScorso_ && font() == disposta_.font && disposta_.unoAUno;
}

// Where the text shown from character inizio starts, in 64ths of a pixel: on a
// whole pixel of the laid-out line, so that moving on from one character to
// another moves what is on screen by whole pixels and each glyph keeps its
// place within its pixel.
qint64 RigaModello::origine64(qsizetype inizio) const
{
    const qint64 x = disposta_.x64[size_t(inizio)];
    return x - (x % 64 + 64) % 64;
}

// The label may be wider than the panel that holds it (text-file mode).
QRect RigaModello::parteVisibile() const
{
    return QRect(0, 0, std::min(width(), parentWidget()->width() - x()), height());
}

// Where a glyph's ink lies around the point it is placed at, with a pixel to
// spare for antialiasing.
QRectF RigaModello::inchiostro(quint32 glifo) const
{
    if (glifo >= disposta_.inchiostro.size())
        disposta_.inchiostro.resize(glifo + 1);
    QRectF &voce = disposta_.inchiostro[glifo];
    if (voce.isNull())
        voce = disposta_.carattere.boundingRect(glifo).adjusted(-1, -1, 1, 1);
    return voce;
}

void RigaModello::ScorriA(const QString &riga, qsizetype inizio, qsizetype quanti)
{
    const QString testo = riga.mid(inizio, quanti);
    const bool prima = scorso() && (riga.isSharedWith(disposta_.testo) || riga == disposta_.testo);
    const qsizetype inizioPrima = inizio_;
    if (testo.isEmpty()) {
        testoScorso_.clear();
        setText(testo);
        return;
    }
    // Laid out even while the label shows otherwise (its alignment is set
    // after the first text): the work is done once, at the start of the text.
    disponi(riga);
    if (!disposta_.unoAUno) {
        testoScorso_.clear();
        setText(testo);
        return;
    }
    testoScorso_ = testo;
    inizio_ = inizio;
    if (!prima || inizio <= inizioPrima || !isVisible() || !updatesEnabled() || !testoSemplice()) {
        setText(testo);
        return;
    }
    // The label's own update would repaint all of it: held back while its text
    // changes, the move below says what needs drawing.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(testo);
    setAttribute(Qt::WA_UpdatesDisabled, false);

    const qint64 da = origine64(inizioPrima), a = origine64(inizio);
    const QRect visibile = parteVisibile();
    const int dx = int((a - da) / 64);
    if (dx >= visibile.width()) {
        update();
        return;
    }
    if (dx == 0)
        return;
    scroll(-dx, 0, visibile);
    // The ink of the characters that went may reach past their width (a
    // kerned pair) into what was moved.
    qreal destra = 0;
    for (qsizetype i = inizioPrima; i < inizio; ++i)
        destra = std::max(destra, double(disposta_.x64[size_t(i)] - a) / 64.0 +
                                      inchiostro(disposta_.glifi[size_t(i)]).right());
    const int sporge = int(std::ceil(destra)) + contentsRect().left();
    if (sporge > 0)
        update(QRect(0, 0, sporge, height()));
    // The marker beneath moved with the text: its edges are drawn again where
    // they now are, and its owner moves it where it belongs.
    if (segno && segno->isVisible()) {
        const QRect m = segno->geometry().translated(-pos());
        update(QRect(m.left() - dx - 1, m.top(), dx + 2, m.height()) & visibile);
        update(QRect(m.right() - dx, m.top(), dx + 2, m.height()) & visibile);
    }
}

int RigaModello::LarghezzaFino(qsizetype n) const
{
    const QString t = text();
    n = std::clamp<qsizetype>(n, 0, t.size());
    // Moved on by ScorriA: where the character after them is drawn (the kept
    // line measures in context, with no new layout).
    if (scorso())
        return int((disposta_.x64[size_t(inizio_ + n)] - origine64(inizio_) + 32) / 64);
    return QFontMetrics(font()).horizontalAdvance(t.left(n));
}

// Only the glyphs whose ink the area touches (each of its rectangles: a
// scroll repaints strips at both ends).
void RigaModello::disegnaGlifi(QPainter &p, const QRegion &area, bool daScorso) const
{
    const Disposizione &d = disposta_;
    const QRect cr = contentsRect();
    if (!d.unFont) {
        for (const QGlyphRun &r : d.righe)
            p.drawGlyphRun(cr.topLeft(), r);
        return;
    }
    const qsizetype da = daScorso ? inizio_ : 0;
    const qsizetype fine = daScorso ? std::min<qsizetype>(d.glifi.size(), da + text().size()) : d.glifi.size();
    const qint64 origine = daScorso ? origine64(da) : 0;
    const QPointF dove(cr.topLeft());
    std::vector<QRectF> aree;
    qreal oltre = 0;
    for (const QRect &r : area)
        if (const QRect a = r & parteVisibile(); !a.isEmpty()) {
            aree.push_back(QRectF(a).translated(-dove));
            oltre = std::max(oltre, aree.back().right());
        }
    QList<quint32> glifi;
    QList<QPointF> posizioni;
    for (qsizetype i = da; i < fine; ++i) {
        const QPointF q(double(d.x64[size_t(i)] - origine) / 64.0, d.y[size_t(i)]);
        const QRectF ink = inchiostro(d.glifi[size_t(i)]).translated(q);
        if (std::any_of(aree.begin(), aree.end(), [&](const QRectF &a) { return a.intersects(ink); })) {
            glifi.append(d.glifi[size_t(i)]);
            posizioni.append(q);
        }
        // One line: past the area's end, no glyph comes back into it.
        if (d.unoAUno && ink.left() > oltre)
            break;
    }
    if (glifi.isEmpty())
        return;
    QGlyphRun r;
    r.setRawFont(d.carattere);
    r.setGlyphIndexes(glifi);
    r.setPositions(posizioni);
    p.drawGlyphRun(dove, r);
}

void RigaModello::paintEvent(QPaintEvent *e)
{
    const bool semplice = testoSemplice();
    {
        QPainter p(this);
        const QWidget *sotto = parentWidget();
        p.fillRect(rect(), sotto->palette().brush(sotto->backgroundRole()));
        if (segno && segno->isVisible())
            p.fillRect(segno->geometry().translated(-pos()), segno->palette().brush(segno->backgroundRole()));
        if (semplice) {
            const bool daScorso = scorso();
            if (!daScorso)
                disponi(text());
            p.setPen(palette().color(foregroundRole()));
            disegnaGlifi(p, e->region(), daScorso);
        }
    }
    if (!semplice)
        QLabel::paintEvent(e);
}
