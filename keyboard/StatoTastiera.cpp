#include "keyboard/StatoTastiera.h"

#include "platform/Testo.h"

#include <QtMath>
#include <algorithm>

namespace tastiera {

namespace {

constexpr std::array<int, 10> kDitaLeft{480, 1320, 1560, 2280, 5520, 5880, 6960, 7560, 3120, 4920};
constexpr int kDitaTop = 2640;
constexpr int kDito1Top = 2520;
constexpr int kLatoDito = 32;   // pixels; pictures keep their size when scaled

struct Linea { int x1, y1, x2, y2; };
// Bumps of F (0 dark, 1 light) and J (2 dark, 3 light).
constexpr std::array<Linea, 4> kRilievo{{
    {2850, 1770, 3075, 1770}, {2850, 1755, 3075, 1755},
    {4590, 1770, 4815, 1770}, {4590, 1755, 4815, 1755},
}};

constexpr std::array<QRect, 2> kMaschere{{QRect(8025, 1080, 795, 225), QRect(7920, 975, 120, 225)}};

int limita(int v) { return std::clamp(v, 0, 255); }

bool valido(int tasto) { return tasto >= 0 && tasto < NumeroTasti; }

} // namespace

StatoTastiera::StatoTastiera(const TabellaTasti &tabella) : tabella_(tabella)
{
    for (int i = 0; i < NumeroTasti; ++i)
        tasti_[size_t(i)].didascalia = tabella_.Legenda(i);
    const QRect base(0, 0, px(definizioneTasto(0).width), py(AltezzaEvidenziatoreTwips));
    for (Evidenziatore &e : evidenziatori_)
        e.rettangolo = base;
    ColoraRilievo(coloreTastoNeutro(), 0);
    ColoraRilievo(coloreTastoNeutro(), 2);
    calcolaGeometria();
    segnaTutto();
}

// Every paint asks for the keys' rectangles many times: kept until the scale
// or the frames change.
void StatoTastiera::calcolaGeometria()
{
    const int m = spessoreRilievo_ + 1;
    for (int i = 0; i < NumeroTasti; ++i) {
        const DefinizioneTasto &d = definizioneTasto(i);
        rettangoli_[size_t(i)] = QRect(px(d.left), py(d.top), px(d.width), py(d.height));
        esterni_[size_t(i)] = rettangoli_[size_t(i)].adjusted(-m, -m, m, m);
    }
    for (int i = 0; i < NumeroTasti; ++i) {
        isolati_[size_t(i)] = true;
        for (int j = 0; j < NumeroTasti && isolati_[size_t(i)]; ++j)
            isolati_[size_t(i)] = i == j || !esterni_[size_t(i)].intersects(esterni_[size_t(j)]);
    }
}

int StatoTastiera::px(int twips) const { return qRound(twips * fx_ / TwipsPerPixel); }
int StatoTastiera::py(int twips) const { return qRound(twips * fy_ / TwipsPerPixel); }

void StatoTastiera::setFattoriScala(double fx, double fy)
{
    fx_ = fx;
    fy_ = fy;
    calcolaGeometria();
    const QRect base(0, 0, px(definizioneTasto(0).width), py(AltezzaEvidenziatoreTwips));
    for (Evidenziatore &e : evidenziatori_)
        e.rettangolo.setSize(base.size());
    PreparaEvidenziatori();
    segnaTutto();
}

QSize StatoTastiera::dimensioni() const
{
    return QSize(px(LarghezzaTastieraTwips), py(AltezzaTastieraTwips));
}

QRect StatoTastiera::rettangoloTasto(int tasto) const
{
    return valido(tasto) ? rettangoli_[size_t(tasto)] : QRect();
}

QRect StatoTastiera::rettangoloEsterno(int tasto) const
{
    const int m = spessoreRilievo_ + 1;
    return valido(tasto) ? esterni_[size_t(tasto)] : QRect().adjusted(-m, -m, m, m);
}

bool StatoTastiera::isolato(int tasto) const
{
    return valido(tasto) && isolati_[size_t(tasto)];
}

QRect StatoTastiera::rettangoloMaschera(int n) const
{
    const QRect &t = kMaschere[size_t(n)];
    return QRect(px(t.x()), py(t.y()), px(t.width()), py(t.height()));
}

QLine StatoTastiera::lineaRilievo(int n) const
{
    const Linea &l = kRilievo[size_t(n)];
    return QLine(px(l.x1), py(l.y1), px(l.x2), py(l.y2));
}

QRect StatoTastiera::rettangoloMappaDita(int n) const
{
    // Scaled pictures move by the factors plus 4 pixels but keep their size.
    const int extra = (fx_ != 1.0 || fy_ != 1.0) ? 4 : 0;
    const int top = n == 1 ? kDito1Top : kDitaTop;
    return QRect(px(kDitaLeft[size_t(n)]) + extra, py(top) + extra, kLatoDito, kLatoDito);
}

void StatoTastiera::setTastieraSemplice(bool v)
{
    if (v != tastieraSemplice_)
        segnaTutto();
    tastieraSemplice_ = v;
}

void StatoTastiera::setSpessoreRilievo(int v)
{
    v = std::clamp(v, 0, 8);
    if (v != spessoreRilievo_)
        segnaTutto();
    spessoreRilievo_ = v;
    calcolaGeometria();
}

void StatoTastiera::segnaTasto(int tasto)
{
    segna(rettangoloEsterno(tasto));
}

void StatoTastiera::DisegnaTasto(int tasto, int stato)
{
    if (!valido(tasto))
        return;
    StatoTasto &t = tasti_[size_t(tasto)];
    const bool premuto = stato == StatoPremuto;
    if (t.premuto == premuto && t.grassetto == premuto)
        return;   // the same frame again: nothing to repaint
    t.premuto = premuto;
    t.grassetto = premuto;
    segnaTasto(tasto);
}

void StatoTastiera::RipristinaTastiera()
{
    for (int i = 0; i < NumeroTasti; ++i)
        DisegnaTasto(i, StatoRilievo);
    AggiornaLegende();
}

void StatoTastiera::AggiornaLegende()
{
    for (int i = 0; i < NumeroTasti; ++i) {
        StatoTasto &t = tasti_[size_t(i)];
        const QString legenda = tabella_.Legenda(i);
        if (t.didascalia != legenda) {
            t.didascalia = legenda;
            segnaTasto(i);
        }
    }
}

void StatoTastiera::setSfondo(int tasto, const QColor &colore)
{
    if (!valido(tasto) || tasti_[size_t(tasto)].sfondo == colore)
        return;
    tasti_[size_t(tasto)].sfondo = colore;
    segnaTasto(tasto);
    if (tasto == TastoInvioBasso)
        for (int n = 0; n < 2; ++n)
            segna(rettangoloMaschera(n));
}

void StatoTastiera::setGrassetto(int tasto, bool grassetto)
{
    if (!valido(tasto) || tasti_[size_t(tasto)].grassetto == grassetto)
        return;
    tasti_[size_t(tasto)].grassetto = grassetto;
    segna(rettangoloTasto(tasto));
}

void StatoTastiera::setColoreTesto(int tasto, const QColor &colore)
{
    if (!valido(tasto) || tasti_[size_t(tasto)].testo == colore)
        return;
    tasti_[size_t(tasto)].testo = colore;
    segna(rettangoloTasto(tasto));
}

void StatoTastiera::setAbilitato(int tasto, bool abilitato)
{
    if (!valido(tasto) || tasti_[size_t(tasto)].abilitato == abilitato)
        return;
    tasti_[size_t(tasto)].abilitato = abilitato;
    segna(rettangoloTasto(tasto));
}

void StatoTastiera::ColorTasti()
{
    for (int i = 0; i < NumeroTasti; ++i)
        setSfondo(i, coloreGruppo(gruppoDito(i, divisioneErgonomica_)));
    for (int i = 0; i < NumeroTasti; ++i)
        DisegnaTasto(i, StatoRilievo);
    const QColor indice = coloreGruppo(GruppoDito::Indice);
    ColoraRilievo(indice, 0);
    ColoraRilievo(indice, 2);
    if (!mappaEsternaVisibile_)
        MostraMappaDita(true);
}

void StatoTastiera::ColoraRilievo(const QColor &colore, int n)
{
    if (n < 0 || n + 1 >= int(coloreRilievo_.size()))
        return;
    const int r = colore.red(), g = colore.green(), b = colore.blue();
    const QColor chiaro(limita(r + 50), limita(g + 50), limita(b + 50));
    const QColor scuro(limita(r - 50), limita(g - 50), limita(b - 50));
    if (coloreRilievo_[size_t(n)] == scuro && coloreRilievo_[size_t(n + 1)] == chiaro)
        return;
    coloreRilievo_[size_t(n + 1)] = chiaro;
    coloreRilievo_[size_t(n)] = scuro;
    for (int i = n; i <= n + 1; ++i) {
        const QLine l = lineaRilievo(i);
        segna(QRect(l.p1(), l.p2()).normalized().adjusted(0, 0, 1, 1));
    }
}

void StatoTastiera::MostraMappaDita(bool visibile)
{
    if (mappaDitaVisibile_ == visibile)
        return;
    mappaDitaVisibile_ = visibile;
    for (int n = 0; n < NumeroDita; ++n)
        segna(rettangoloMappaDita(n));
}

void StatoTastiera::mostraEvidenziatore(int n, bool visibile)
{
    Evidenziatore &e = evidenziatori_[size_t(n)];
    if (e.visibile != visibile)
        segna(e.rettangolo);
    e.visibile = visibile;
}

void StatoTastiera::mettiEvidenziatore(int n, int tasto)
{
    Evidenziatore &e = evidenziatori_[size_t(n)];
    const QRect k = rettangoloTasto(tasto);
    const QRect nuovo(k.left(), k.top(), k.width(), e.rettangolo.height());
    if (e.visibile && e.rettangolo != nuovo) {
        segna(e.rettangolo);
        segna(nuovo);
    }
    e.rettangolo = nuovo;
    mostraEvidenziatore(n, true);
}

void StatoTastiera::NascondiEvidenziatori()
{
    for (int n = 0; n < NumeroEvidenziatori; ++n)
        mostraEvidenziatore(n, false);
}

void StatoTastiera::PreparaEvidenziatori()
{
    const int tasti[2] = {TastoInvioAlto, TastoInvioBasso};
    for (int j = 0; j < 2; ++j) {
        Evidenziatore &e = evidenziatori_[size_t(2 + j)];
        const QRect nuovo = rettangoloTasto(tasti[j]);
        if (e.visibile && e.rettangolo != nuovo) {
            segna(e.rettangolo);
            segna(nuovo);
        }
        e.rettangolo = nuovo;
    }
}

bool StatoTastiera::EvidenziaTasto(QChar carattere, bool modoFileTesto)
{
    if (evidenziaAttivo_)
        NascondiEvidenziatori();
    const int voce = tabella_.CercaVoce(carattere);
    if (voce < 0) {
        if (!modoFileTesto) {
            DisegnaTasto(TastoShiftSinistro, StatoRilievo);
            DisegnaTasto(TastoShiftDestro, StatoRilievo);
        }
        return false;
    }

    if (tastieraDaRipristinare_) {
        RipristinaTastiera();
        tastieraDaRipristinare_ = false;
    } else {
        DisegnaTasto(ultimoTasto_, StatoRilievo);
        DisegnaTasto(TastoShiftSinistro, StatoRilievo);
        DisegnaTasto(TastoShiftDestro, StatoRilievo);
    }

    const int k = tabella_.tabTasto(voce);
    if (evidenziaAttivo_)
        mettiEvidenziatore(0, k);
    DisegnaTasto(k, StatoPremuto);

    if (voce == TabellaTasti::VoceInvio) {
        if (evidenziaAttivo_) {
            PreparaEvidenziatori();
            mostraEvidenziatore(2, true);
            mostraEvidenziatore(3, true);
        }
        DisegnaTasto(TastoInvioAlto, StatoPremuto);
        for (int n = 0; n < 2; ++n)
            segna(rettangoloMaschera(n));
        tastieraDaRipristinare_ = true;
    }

    const auto marca = [this](int n, int tasto) {
        if (evidenziaAttivo_)
            mettiEvidenziatore(n, tasto);
    };
    switch (tabella_.tabModificatore(voce)) {
    case ShiftSinistro:
        marca(1, TastoShiftSinistro);
        DisegnaTasto(TastoShiftSinistro, StatoPremuto);
        break;
    case ShiftDestro:
        marca(1, TastoShiftDestro);
        DisegnaTasto(TastoShiftDestro, StatoPremuto);
        break;
    case AltGr:
        marca(1, TastoAltGr);
        DisegnaTasto(TastoAltGr, StatoPremuto);
        tastieraDaRipristinare_ = true;
        break;
    case CirconflessoMorto:
        marca(1, TastoMorto);
        DisegnaTasto(TastoMorto, StatoPremuto);
        tastieraDaRipristinare_ = true;
        break;
    case GraveMorto:
        marca(1, TastoGrave);
        marca(2, TastoAltGr);
        DisegnaTasto(TastoAltGr, StatoPremuto);
        DisegnaTasto(TastoGrave, StatoPremuto);
        tastieraDaRipristinare_ = true;
        break;
    case DieresiMorta:
        marca(1, TastoMorto);
        marca(0, TastoShiftSinistro);
        DisegnaTasto(TastoMorto, StatoPremuto);
        DisegnaTasto(TastoShiftSinistro, StatoPremuto);
        tastieraDaRipristinare_ = true;
        break;
    case GraveSpazio:
        marca(1, TastoAltGr);
        marca(0, TastoSpazio);
        marca(1, TastoAltGr);
        DisegnaTasto(TastoAltGr, StatoPremuto);
        DisegnaTasto(TastoSpazio, StatoPremuto);
        tastieraDaRipristinare_ = true;
        break;
    case AltGrShift:
    case AltroMorto: {
        // Where the learner's keymap has the character: every extra key, in
        // the order they are pressed.
        const std::vector<int> tasti = tabella_.TastiDellaVoce(voce);
        for (size_t n = 1; n < tasti.size(); ++n) {
            if (n < size_t(NumeroEvidenziatori))
                marca(int(n), tasti[n]);
            DisegnaTasto(tasti[n], StatoPremuto);
        }
        tastieraDaRipristinare_ = true;
        break;
    }
    default:
        break;
    }
    ultimoTasto_ = k;
    return true;
}

void StatoTastiera::premiInvio(bool fermaLampeggio)
{
    if (!fermaLampeggio) {
        DisegnaTasto(TastoInvioBasso, StatoPremuto);
        DisegnaTasto(TastoInvioAlto, StatoPremuto);
    }
}

void StatoTastiera::CambiaMappaTasti(const QString &carattereAtteso, bool fermaLampeggio, bool modoFileTesto)
{
    mappaTastiAttiva_ = !mappaTastiAttiva_;
    if (mappaTastiAttiva_) {
        ColorTasti();
    } else {
        for (int i = 0; i < NumeroTasti; ++i) {
            setSfondo(i, coloreTastoNeutro());
            DisegnaTasto(i, StatoRilievo);
        }
        ColoraRilievo(coloreTastoNeutro(), 0);
        ColoraRilievo(coloreTastoNeutro(), 2);
        MostraMappaDita(false);
        mappaEsternaVisibile_ = false;
    }
    if (!carattereAtteso.isEmpty())
        EvidenziaTasto(carattereAtteso.at(0), modoFileTesto);
    premiInvio(fermaLampeggio);
}

void StatoTastiera::CambiaEvidenziazione(const QString &carattereAtteso, bool modoFileTesto)
{
    evidenziaAttivo_ = !evidenziaAttivo_;
    if (!evidenziaAttivo_)
        NascondiEvidenziatori();
    else if (!carattereAtteso.isEmpty())
        EvidenziaTasto(carattereAtteso.at(0), modoFileTesto);
}

bool StatoTastiera::CambiaDivisione(const QString &carattereAtteso, bool fermaLampeggio, bool modoFileTesto)
{
    if (!mappaTastiAttiva_)
        return false;
    divisioneErgonomica_ = !divisioneErgonomica_;
    ColorTasti();
    if (!carattereAtteso.isEmpty())
        EvidenziaTasto(carattereAtteso.at(0), modoFileTesto);
    premiInvio(fermaLampeggio);
    return true;
}

void StatoTastiera::CambiaStile(bool fermaLampeggio)
{
    setTastieraSemplice(!tastieraSemplice_);
    RipristinaTastiera();
    premiInvio(fermaLampeggio);
}

void StatoTastiera::MappaDitaNascosta(const QString &carattereAtteso, bool modoFileTesto)
{
    MostraMappaDita(false);
    mappaEsternaVisibile_ = true;
    if (!carattereAtteso.isEmpty())
        EvidenziaTasto(carattereAtteso.at(0), modoFileTesto);
}

void StatoTastiera::MappaEsternaNascosta()
{
    mappaEsternaVisibile_ = false;
    MostraMappaDita(true);
}

void StatoTastiera::MostraErroreTasto(int tasto, QSize dimensione)
{
    if (!valido(tasto))
        return;
    const QRect k = rettangoloTasto(tasto);
    // Halves to even, as every conversion to whole pixels here.
    const int left = int(testo::arrotonda(k.left() + k.width() / 2.0 - dimensione.width() / 2.0));
    const int top = int(testo::arrotonda(k.top() + k.height() / 2.0 - dimensione.height() / 2.0));
    if (erroreVisibile_)
        segna(errore_);
    errore_ = QRect(QPoint(left, top), dimensione);
    erroreVisibile_ = true;
    segna(errore_);
}

void StatoTastiera::NascondiErroreTasto()
{
    if (erroreVisibile_)
        segna(errore_);
    erroreVisibile_ = false;
}

QRegion StatoTastiera::prendiAreaModificata()
{
    QRegion r;
    std::swap(r, sporco_);
    return r;
}

} // namespace tastiera
