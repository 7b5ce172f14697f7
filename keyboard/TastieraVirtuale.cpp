#include "keyboard/TastieraVirtuale.h"

#include "keyboard/MappaTastiEsterna.h"
#include "ui/Caratteri.h"
#include "ui/Immagini.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QtMath>
#include <algorithm>

namespace tastiera {

namespace {

constexpr double kScalaX = 1.41, kScalaY = 1.31;

int limita(int v) { return std::clamp(v, 0, 255); }

QColor piu(const QColor &c, int d) { return QColor(limita(c.red() + d), limita(c.green() + d), limita(c.blue() + d)); }

// Fills the pixels from (x1, y1) to (x2, y2) inclusive, on one row or column;
// nothing when that lies outside the area being painted (a fill costs even
// when the clip leaves nothing of it).
void segmento(QPainter &p, const QRegion &area, int x1, int y1, int x2, int y2, const QColor &c)
{
    const QRect r(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    if (area.intersects(r))
        p.fillRect(r, c);
}

GruppoDito gruppoDellaFigura(int n)
{
    static constexpr GruppoDito g[10] = {GruppoDito::Mignolo, GruppoDito::Anulare, GruppoDito::Medio,
                                         GruppoDito::Indice,  GruppoDito::Indice,  GruppoDito::Medio,
                                         GruppoDito::Anulare, GruppoDito::Mignolo, GruppoDito::Pollice,
                                         GruppoDito::Pollice};
    return g[n];
}

} // namespace

QPixmap immagineDito(int n)
{
    QPixmap pm = ImmaginePng(QStringLiteral(":/images/keyboard/dito%1.png").arg(n));
    if (!pm.isNull())
        return pm;
    // Without the artwork: a dot in the finger's colour.
    pm = QPixmap(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(coloreGruppo(gruppoDellaFigura(n)).darker(115));
    p.drawEllipse(QRectF(6.5, 6.5, 19, 19));
    return pm;
}

QPixmap immagineMappaTasti()
{
    const QSize dim(MappaTastiEsterna::Larghezza, MappaTastiEsterna::Altezza);
    QPixmap pm = ImmaginePng(QStringLiteral(":/images/keyboard/mappa-tasti.png"));
    if (!pm.isNull() && pm.size() == dim)
        return pm;
    pm = QPixmap(dim);
    pm.fill(QColor(245, 245, 245));
    QPainter p(&pm);
    const GruppoDito gruppi[5] = {GruppoDito::Mignolo, GruppoDito::Anulare, GruppoDito::Medio,
                                  GruppoDito::Indice, GruppoDito::Pollice};
    for (int i = 0; i < 5; ++i)
        p.fillRect(QRect(20 + i * 120, 12, 100, 23), coloreGruppo(gruppi[i]));
    return pm;
}

TastieraVirtuale::TastieraVirtuale(const TabellaTasti &tabella, QWidget *parent)
    : QWidget(parent), stato_(tabella)
{
    for (int n = 0; n < StatoTastiera::NumeroDita; ++n)
        dita_[size_t(n)] = immagineDito(n);
    preparaFont();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(stato_.dimensioni());
    stato_.prendiAreaModificata();
}

TastieraVirtuale::~TastieraVirtuale() = default;

void TastieraVirtuale::aggiorna()
{
    const QRegion r = stato_.prendiAreaModificata();
    qint64 area = 0;
    for (const QRect &q : r)
        area += qint64(q.width()) * q.height();
    areaUltima_ = area;
    regioneUltima_ = r;
    if (!r.isEmpty())
        update(r);
    if (mappaEsterna_ && mappaEsterna_->isHidden() == stato_.mappaEsternaVisibile())
        mappaEsterna_->setVisible(stato_.mappaEsternaVisibile());
}

void TastieraVirtuale::setSchermoGrande(bool grande)
{
    stato_.setFattoriScala(grande ? kScalaX : 1.0, grande ? kScalaY : 1.0);
    stato_.setSpessoreRilievo(grande ? 4 : 3);
    scalaFont_ = grande ? std::sqrt(kScalaX) : 1.0;
    preparaFont();
    setFixedSize(stato_.dimensioni());
    aggiorna();
}

void TastieraVirtuale::AggiornaLegende()
{
    stato_.AggiornaLegende();
    aggiorna();
}

void TastieraVirtuale::setMappaEsterna(MappaTastiEsterna *mappa)
{
    if (mappaEsterna_)
        disconnect(mappaEsterna_, nullptr, this, nullptr);
    mappaEsterna_ = mappa;
    if (mappa) {
        connect(mappa, &MappaTastiEsterna::doppioClick, this, &TastieraVirtuale::mappaEsternaDoppioClick);
        connect(mappa, &QObject::destroyed, this, [this] { mappaEsterna_ = nullptr; });
        mappa->setVisible(stato_.mappaEsternaVisibile());
    }
}

void TastieraVirtuale::setMappaTastiAttiva(bool v)
{
    stato_.setMappaTastiAttiva(v);
    if (!v)
        unsetCursor();
}

void TastieraVirtuale::setTastieraSemplice(bool v)
{
    stato_.setTastieraSemplice(v);
    aggiorna();
}

void TastieraVirtuale::setSpessoreRilievo(int v)
{
    stato_.setSpessoreRilievo(v);
    aggiorna();
}

void TastieraVirtuale::DisegnaTasto(int tasto, int stato) { stato_.DisegnaTasto(tasto, stato); aggiorna(); }
void TastieraVirtuale::RipristinaTastiera() { stato_.RipristinaTastiera(); aggiorna(); }
void TastieraVirtuale::ColorTasti() { stato_.ColorTasti(); aggiorna(); }
void TastieraVirtuale::ColoraRilievo(const QColor &c, int n) { stato_.ColoraRilievo(c, n); aggiorna(); }
void TastieraVirtuale::MostraMappaDita(bool v) { stato_.MostraMappaDita(v); aggiorna(); }
void TastieraVirtuale::NascondiEvidenziatori() { stato_.NascondiEvidenziatori(); aggiorna(); }
void TastieraVirtuale::PreparaEvidenziatori() { stato_.PreparaEvidenziatori(); aggiorna(); }

bool TastieraVirtuale::EvidenziaTasto(QChar carattere, bool modoFileTesto)
{
    const bool trovato = stato_.EvidenziaTasto(carattere, modoFileTesto);
    aggiorna();
    return trovato;
}

bool TastieraVirtuale::EvidenziaTasto(const QString &carattere, bool modoFileTesto)
{
    if (carattere.isEmpty()) {
        if (stato_.evidenziaAttivo())
            stato_.NascondiEvidenziatori();
        aggiorna();
        return false;
    }
    return EvidenziaTasto(carattere.at(0), modoFileTesto);
}

void TastieraVirtuale::CambiaMappaTasti(const QString &carattereAtteso, bool fermaLampeggio, bool modoFileTesto)
{
    stato_.CambiaMappaTasti(carattereAtteso, fermaLampeggio, modoFileTesto);
    if (!stato_.mappaTastiAttiva())
        unsetCursor();
    aggiorna();
}

void TastieraVirtuale::CambiaEvidenziazione(const QString &carattereAtteso, bool modoFileTesto)
{
    stato_.CambiaEvidenziazione(carattereAtteso, modoFileTesto);
    aggiorna();
}

void TastieraVirtuale::setGrassetto(int tasto, bool g) { stato_.setGrassetto(tasto, g); aggiorna(); }
void TastieraVirtuale::setColoreTesto(int tasto, const QColor &c) { stato_.setColoreTesto(tasto, c); aggiorna(); }
void TastieraVirtuale::setTastoAbilitato(int tasto, bool a) { stato_.setAbilitato(tasto, a); aggiorna(); }

int TastieraVirtuale::indiceTastoPerCodice(uint8_t ansi) const
{
    const int voce = tabella().CercaVoceCodice(ansi);
    return voce < 0 ? -1 : tabella().tabTasto(voce);
}

int TastieraVirtuale::indiceTastoPerCarattere(QChar c) const
{
    const int voce = tabella().CercaVoce(c);
    return voce < 0 ? -1 : tabella().tabTasto(voce);
}

void TastieraVirtuale::MostraErroreTasto(int tasto)
{
    const QSize dim = immagineErrore_.isNull() ? QSize(16, 16) : immagineErrore_.deviceIndependentSize().toSize();
    stato_.MostraErroreTasto(tasto, dim);
    aggiorna();
}

void TastieraVirtuale::NascondiErroreTasto()
{
    stato_.NascondiErroreTasto();
    aggiorna();
}

QString TastieraVirtuale::attesoCorrente() const
{
    return contesto_.carattereAtteso ? contesto_.carattereAtteso() : QString();
}

bool TastieraVirtuale::fermaLampeggioCorrente() const
{
    return contesto_.fermaLampeggio ? contesto_.fermaLampeggio() : true;
}

bool TastieraVirtuale::modoFileTestoCorrente() const
{
    return contesto_.modoFileTesto ? contesto_.modoFileTesto() : false;
}

int TastieraVirtuale::tastoIn(const QPoint &p) const
{
    for (int i = 0; i < NumeroTasti; ++i)
        if (stato_.rettangoloTasto(i).contains(p))
            return i;
    return -1;
}

int TastieraVirtuale::ditoIn(const QPoint &p) const
{
    if (!stato_.mappaDitaVisibile())
        return -1;
    for (int n = StatoTastiera::NumeroDita - 1; n >= 0; --n)
        if (stato_.rettangoloMappaDita(n).contains(p))
            return n;
    return -1;
}

void TastieraVirtuale::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (ditoIn(p) >= 0) {
        stato_.MappaDitaNascosta(attesoCorrente(), modoFileTestoCorrente());
        aggiorna();
        emit opzioniCambiate();
        return;
    }
    switch (tastoIn(p)) {
    case TastoB:
        if (stato_.CambiaDivisione(attesoCorrente(), fermaLampeggioCorrente(), modoFileTestoCorrente())) {
            aggiorna();
            emit suono(109);
            emit opzioniCambiate();
        }
        break;
    case TastoMenu:
        if (stato_.tasto(TastoMenu).abilitato) {
            stato_.CambiaStile(fermaLampeggioCorrente());
            aggiorna();
            emit opzioniCambiate();
        }
        break;
    default:
        break;
    }
}

void TastieraVirtuale::mappaEsternaDoppioClick()
{
    stato_.MappaEsternaNascosta();
    aggiorna();
    emit opzioniCambiate();
}

void TastieraVirtuale::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (stato_.mappaTastiAttiva() && ditoIn(p) < 0 && tastoIn(p) == TastoB)
        setCursor(cursoreMano_);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

QString TastieraVirtuale::tooltipIn(const QPoint &p) const
{
    if (ditoIn(p) >= 0)
        return tooltipDita_;
    switch (tastoIn(p)) {
    case TastoB: return stato_.mappaTastiAttiva() ? testoDivisione_ : QString();
    case TastoMenu: return tooltip37_;
    default: return {};
    }
}

bool TastieraVirtuale::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString t = tooltipIn(help->pos());
        if (t.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), t, this);
        }
        return true;
    }
    return QWidget::event(event);
}

QFont TastieraVirtuale::fontTasto(int tasto, bool grassetto) const
{
    const DefinizioneTasto &d = definizioneTasto(tasto);
    double pt = 9.75;
    switch (d.font) {
    case FontTasto::Medio: pt = 11.25; break;
    case FontTasto::Grande: pt = 15.75; break;
    case FontTasto::Simbolo: pt = d.puntiSimbolo; break;
    case FontTasto::Normale: break;
    }
    QFont f = d.font == FontTasto::Simbolo ? FontSimboli(pt * scalaFont_, grassetto)
                                           : FontTesto(pt * scalaFont_, grassetto);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void TastieraVirtuale::preparaFont()
{
    for (auto &voci : facce_)
        voci.clear();
    for (int i = 0; i < NumeroTasti; ++i)
        for (int g = 0; g < 2; ++g)
            font_[size_t(i)][size_t(g)] = fontTasto(i, g == 1);
}

void TastieraVirtuale::disegnaCornice(QPainter &p, const QRegion &area, int tasto) const
{
    const StatoTasto &t = stato_.tasto(tasto);
    const QRect r = stato_.rettangoloTasto(tasto);
    const int L = r.left(), T = r.top(), W = r.width(), H = r.height();
    for (int i = 0; i <= stato_.spessoreRilievo(); ++i) {
        if (stato_.tastieraSemplice()) {
            const QColor c = t.premuto ? QColor(255, 0, 0) : QColor(0, 0, 0);
            segmento(p, area, L - i - 1, T - i - 1, L + W + i, T - i - 1, c);
            segmento(p, area, L - i - 1, T + H + i, L + W + i, T + H + i, c);
            segmento(p, area, L - i - 1, T - i - 1, L - i - 1, T + H + i, c);
            segmento(p, area, L + W + i, T - i - 1, L + W + i, T + H + i, c);
            continue;
        }
        const int c = 15 * i;
        QColor scuro = piu(t.sfondo, -c), chiaro = piu(t.sfondo, 15 + c);
        if (t.premuto)
            std::swap(scuro, chiaro);
        // As line drawing leaves each segment's last pixel to the next one.
        segmento(p, area, L + W + i, T - i - 1, L + W + i, T + H + i - 1, scuro);
        segmento(p, area, L + W + i, T + H + i, L - i, T + H + i, scuro);
        segmento(p, area, L - i - 1, T + H + i, L - i - 1, T - i, chiaro);
        segmento(p, area, L - i - 1, T - i - 1, L + W + i - 1, T - i - 1, chiaro);
    }
}

QList<PezzoDidascalia> PezziRiga(const QString &riga, const QFontMetrics &fm, const QRect &tasto)
{
    // The AltGr legend (set apart by two blanks or more, or alone far to the
    // right) sits at the key's right edge: spaces would push it out of a small
    // key. Words of one caption ("Alt Gr") stay together.
    qsizetype rientro = 0;
    while (rientro < riga.size() && riga.at(rientro) == ' ')
        ++rientro;
    const QString testo = riga.trimmed();
    const qsizetype spazio = testo.indexOf(QStringLiteral("  "));
    QList<PezzoDidascalia> pezzi;
    if (spazio > 0) {
        pezzi.append({tasto.left() + 1 + fm.horizontalAdvance(riga.left(rientro)), testo.left(spazio)});
        const QString legenda = testo.mid(spazio).trimmed();
        pezzi.append({tasto.right() - 1 - fm.horizontalAdvance(legenda), legenda});
    } else if (rientro >= 4 && !testo.isEmpty()) {
        pezzi.append({tasto.right() - 1 - fm.horizontalAdvance(testo), testo});
    } else {
        pezzi.append({tasto.left() + 1, riga});
    }
    return pezzi;
}

void TastieraVirtuale::disegnaTasto(QPainter &p, const QRegion &area, int tasto, bool conCornice, bool copia) const
{
    const StatoTasto &t = stato_.tasto(tasto);
    const QRect r = conCornice ? stato_.rettangoloEsterno(tasto) : stato_.rettangoloTasto(tasto);
    auto disegna = [&](QPainter &q, const QRegion &dove) {
        if (conCornice)
            disegnaCornice(q, dove, tasto);
        disegnaFaccia(q, tasto);
    };
    // The copy is made in the format and resolution of what is painted on,
    // so the caption's pixels are those a direct drawing gives.
    const QPaintDevice *su = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
    if (!copia || !su || su->devType() != QInternal::Image || t.sfondo.alpha() != 255 || r.isEmpty()) {
        disegna(p, area);
        return;
    }
    const QImage &schermo = *static_cast<const QImage *>(su);
    const qreal dpr = schermo.devicePixelRatio();
    auto &voci = facce_[size_t(tasto)];
    auto stessoStato = [&](const Faccia &f) {
        return f.cornice == conCornice && f.stato.grassetto == t.grassetto && f.stato.abilitato == t.abilitato &&
               f.stato.sfondo == t.sfondo && f.stato.testo == t.testo && f.stato.didascalia == t.didascalia &&
               (!conCornice || (f.stato.premuto == t.premuto && f.semplice == stato_.tastieraSemplice()));
    };
    auto stessaCopia = [&](const Faccia &f) {
        return f.immagine.format() == schermo.format() && f.immagine.devicePixelRatio() == dpr &&
               f.immagine.dotsPerMeterX() == schermo.dotsPerMeterX() &&
               f.immagine.dotsPerMeterY() == schermo.dotsPerMeterY() &&
               f.immagine.deviceIndependentSize() == QSizeF(r.size());
    };
    auto voce = std::find_if(voci.begin(), voci.end(), [&](const Faccia &f) {
        return stessoStato(f) && (f.immagine.isNull() || stessaCopia(f));
    });
    if (voce == voci.end()) {
        // A face drawn for the first time is drawn directly and only noted: most
        // keys show one state for good, and a copy of each would be memory spent
        // at start-up for nothing. The second time it is copied.
        if (voci.size() >= 4)
            voci.pop_back();
        voci.insert(voci.begin(), Faccia{t, conCornice, stato_.tastieraSemplice(), QImage()});
        disegna(p, area);
        return;
    }
    if (voce->immagine.isNull()) {
        QImage immagine(r.size() * dpr, schermo.format());
        immagine.setDevicePixelRatio(dpr);
        immagine.setDotsPerMeterX(schermo.dotsPerMeterX());
        immagine.setDotsPerMeterY(schermo.dotsPerMeterY());
        {
            QPainter q(&immagine);
            q.translate(-r.topLeft());
            disegna(q, QRegion(r));
        }
        voce->immagine = std::move(immagine);
    }
    if (voce != voci.begin())
        std::rotate(voci.begin(), voce, voce + 1);
    p.drawImage(r.topLeft(), voci.front().immagine);
}

void TastieraVirtuale::disegnaFaccia(QPainter &p, int tasto) const
{
    const StatoTasto &t = stato_.tasto(tasto);
    const QRect r = stato_.rettangoloTasto(tasto);
    p.fillRect(r, t.sfondo);
    const QString testo = testoVisibile(t.didascalia);
    if (testo.isEmpty())
        return;
    p.save();
    p.setClipRect(r);
    p.setFont(font_[size_t(tasto)][t.grassetto ? 1 : 0]);
    p.setPen(t.abilitato ? t.testo : QColor(128, 128, 128));
    if (definizioneTasto(tasto).font == FontTasto::Simbolo) {
        p.drawText(r, Qt::AlignCenter, testo);
    } else {
        const QFontMetrics fm = p.fontMetrics();
        // Letters get the blank that the two-line captions carry.
        const QString mostrato = (testo.size() == 1 && testo.at(0).isLetter()) ? QStringLiteral(" ") + testo : testo;
        int y = r.top() + 1 + fm.ascent();
        for (const QString &riga : mostrato.split(QStringLiteral("\r\n"))) {
            for (const PezzoDidascalia &pezzo : PezziRiga(riga, fm, r))
                p.drawText(pezzo.x, y, pezzo.testo);
            y += fm.height();
        }
    }
    p.restore();
}

void TastieraVirtuale::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRegion regione = event->region();
    const QRect area = event->rect();
    for (const QRect &r : regione)
        p.fillRect(r, stato_.tastieraSemplice() ? Qt::white : Qt::black);

    // The frames are drawn on the keyboard area, under every key. Only the keys
    // the region touches: a highlight that moves across the keyboard repaints
    // two keys, not everything between them. A key apart from the others is
    // copied with its frame: its frame's segments cost more to fill one by one
    // than its caption. Copies serve keystrokes, which repaint a few keys: the
    // whole keyboard (start-up, a new line) is drawn without making any.
    const bool copia = !QRegion(rect()).subtracted(regione).isEmpty();
    std::array<bool, NumeroTasti> conCornice{};
    for (int i = 0; i < NumeroTasti; ++i)
        if (regione.intersects(stato_.rettangoloEsterno(i))) {
            conCornice[size_t(i)] = stato_.isolato(i);
            if (conCornice[size_t(i)])
                disegnaTasto(p, regione, i, true, copia);
            else
                disegnaCornice(p, regione, i);
        }
    for (int i = 0; i < NumeroTasti; ++i)
        if (!conCornice[size_t(i)] && regione.intersects(stato_.rettangoloTasto(i)))
            disegnaTasto(p, regione, i, false, copia);

    // The joint of the two Enter parts, in the Enter key's own colour.
    for (int n = 0; n < 2; ++n)
        if (regione.intersects(stato_.rettangoloMaschera(n)))
            p.fillRect(stato_.rettangoloMaschera(n), stato_.tasto(TastoInvioBasso).sfondo);

    for (int n = 0; n < 4; ++n) {
        const QLine l = stato_.lineaRilievo(n);
        // The line's last pixel is not drawn.
        const QRect r(l.x1(), l.y1(), std::max(1, l.x2() - l.x1()), 1);
        if (regione.intersects(r))
            p.fillRect(r, stato_.coloreRilievo(n));
    }

    if (stato_.mappaDitaVisibile())
        for (int n = 0; n < StatoTastiera::NumeroDita; ++n) {
            const QRect r = stato_.rettangoloMappaDita(n);
            if (r.intersects(area))
                p.drawPixmap(r, dita_[size_t(n)]);
        }

    if (stato_.erroreVisibile()) {
        const QRect r = stato_.rettangoloErrore();
        if (immagineErrore_.isNull()) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(220, 0, 0), 3));
            p.drawLine(r.topLeft() + QPoint(3, 3), r.bottomRight() - QPoint(3, 3));
            p.drawLine(r.topRight() + QPoint(-3, 3), r.bottomLeft() + QPoint(3, -3));
            p.setRenderHint(QPainter::Antialiasing, false);
        } else {
            p.drawPixmap(r, immagineErrore_);
        }
    }

    // Markers invert what lies beneath. Where two overlap (the Enter key) the
    // area is inverted once, so the key does not come back to its own colours.
    QRegion invertiti;
    for (int n = 0; n < StatoTastiera::NumeroEvidenziatori; ++n)
        if (stato_.evidenziatore(n).visibile)
            invertiti += stato_.evidenziatore(n).rettangolo;
    invertiti &= regione;
    // On opaque pixels (all of the keyboard's) an exclusive or with white is
    // the difference from white, pixel for pixel, at a fraction of its cost.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QRect &r : invertiti)
        p.fillRect(r, Qt::white);
}

} // namespace tastiera
