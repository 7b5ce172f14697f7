#include "results/PaginaRisultati.h"

#include "platform/Testo.h"

#include "settings/modLanguageSupport.h"
#include "ui/Caratteri.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace risultati {
namespace {

QFont Carattere(double punti, bool grassetto = false, bool corsivo = false)
{
    QFont f = FontTesto(punti, grassetto);
    f.setItalic(corsivo);
    return f;
}

void Simbolo(Penna &penna, double x, double y, double lato, const QImage &immagine)
{
    if (immagine.isNull())
        return;
    QPainter &p = penna.painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(penna.mm(x), penna.mm(y), penna.mm(lato), penna.mm(lato)), immagine);
    p.restore();
}

const QImage &SimboloDi(const Immagini &immagini, int indice)
{
    return immagini.simboli[size_t(std::clamp(indice, 0, 4))];
}

} // namespace

Penna::Penna(QPainter &painter, double puntiPerMillimetro) : p_(painter), dpmm_(puntiPerMillimetro)
{
    setFont(p_.font());
}

void Penna::setFont(const QFont &font)
{
    font_ = font;
    p_.setFont(font_);
}

void Penna::setColore(const QColor &colore)
{
    p_.setPen(colore);
}

double Penna::larghezza(const QString &testo) const
{
    return QFontMetricsF(font_, p_.device()).horizontalAdvance(testo) / dpmm_;
}

double Penna::altezzaRiga() const
{
    return QFontMetricsF(font_, p_.device()).height() / dpmm_;
}

void Penna::scrivi(const QString &testo)
{
    const QFontMetricsF m(font_, p_.device());
    p_.drawText(QPointF(mm(x_), mm(y_) + m.ascent()), testo);
    if (registro_)
        registro_->push_back({x_, y_, testo});
    x_ += m.horizontalAdvance(testo) / dpmm_;
}

void Penna::scriviADestra(double destra, const QString &testo)
{
    x_ = destra - larghezza(testo);
    scrivi(testo);
}

void Penna::aCapo(int volte)
{
    y_ += altezzaRiga() * volte;
    x_ = 0;
}

double PuntiPerMillimetro(const QPainter &painter)
{
    const QPaintDevice *d = painter.device();
    return (d ? d->logicalDpiX() : 96) / 25.4;
}

void MostraLivello(Penna &penna, double alto, const DatiReport &d, int livello)
{
    const TestiRisultati &t = d.testi;
    const CifreLivello &c = d.cifre.livelli[size_t(std::clamp(livello, 1, 3) - 1)];
    penna.setFont(Carattere(10));
    penna.setColore(Qt::black);
    penna.posiziona(8, alto);
    for (size_t i = 0; i < 5; ++i) {
        penna.setX(8);
        penna.scrivi(t[EtichettaFrase] + QString::number(i + 1) + t.etichettaUnita);
        penna.scrivi(c.velocita[i]);
        penna.setX(72);
        penna.scrivi(t[EtichettaPunteggio]);
        penna.scriviADestra(98, c.punteggi[i]);
        penna.aCapo();
    }
    penna.posiziona(8, penna.y() + 1);
    penna.setFont(Carattere(10, true));
    penna.scrivi(t[EtichettaMedia] + t.etichettaUnita);
    penna.scrivi(c.velocitaMedia);
    penna.setX(72);
    penna.scrivi(t[EtichettaPunteggio]);
    penna.scriviADestra(98, c.punteggio);
    penna.aCapo();
}

void StampaRiga(Penna &penna)
{
    penna.setX(15);
    penna.scrivi(QStringLiteral("------------").repeated(10));
}

void StampaIntestazione(Penna &penna, const DatiReport &d, const Immagini &immagini)
{
    penna.setColore(Qt::black);
    penna.posiziona(15, 15);
    penna.setFont(Carattere(20, true, true));
    penna.scrivi(QStringLiteral("Tastavia"));
    penna.aCapo();
    penna.setFont(Carattere(12));
    StampaRiga(penna);
    penna.posiziona(15, 30);
    // A long name is shortened to end 3 mm before the date.
    const QString prima = d.testi[RisultatiDi];
    penna.scrivi(prima + testo::accorcia(d.nomeReport, 130 - 3 - 15 - penna.larghezza(prima),
                                         [&penna](const QString &t) { return penna.larghezza(t); }));
    penna.setX(130);
    penna.scrivi(DataLunga(d.adesso, d.locale));
    Simbolo(penna, 167, 9, 15, immagini.tastiera);
}

void StampaDati(Penna &penna, double inizioV, int livello, const DatiReport &d,
                const Immagini &immagini)
{
    const TestiRisultati &t = d.testi;
    const int k = std::clamp(livello, 1, 3);
    const CifreLivello &c = d.cifre.livelli[size_t(k - 1)];
    const QColor colori[3] = {QColor(0x00, 0xFF, 0x00), QColor(0xE6, 0xC2, 0x00), QColor(0xFF, 0x00, 0x00)};
    const double ySimbolo[3] = {70, 130, 187};

    penna.posiziona(15, inizioV);
    penna.setFont(Carattere(14, true));
    penna.setColore(colori[k - 1]);
    penna.scrivi(t[TitoloLivello] + QString::number(k));
    penna.setX(100);
    penna.setFont(Carattere(12));
    penna.setColore(Qt::black);
    penna.scrivi(t[Categoria] + d.nomeModo);
    penna.aCapo();
    StampaRiga(penna);
    penna.aCapo(2);
    for (size_t i = 0; i < 5; ++i) {
        penna.setX(20);
        penna.scrivi(t[EtichettaFrase] + QString::number(i + 1) + t.etichettaUnita);
        penna.scrivi(c.velocita[i]);
        penna.setX(100);
        penna.scrivi(t[EtichettaPunteggio]);
        penna.scriviADestra(129, c.punteggi[i]);
        penna.aCapo();
    }
    penna.aCapo();
    penna.setFont(Carattere(12, true));
    penna.setX(20);
    penna.scrivi(t[EtichettaMedia] + t.etichettaUnita);
    penna.scrivi(c.velocitaMedia);
    penna.setX(100);
    penna.scrivi(t[EtichettaPunteggio]);
    penna.scriviADestra(129, c.punteggio);
    penna.aCapo();
    Simbolo(penna, 164, ySimbolo[k - 1], 14, SimboloDi(immagini, c.simbolo));
}

void Stampatotali(Penna &penna, const DatiReport &d, const Immagini &immagini)
{
    const TestiRisultati &t = d.testi;
    const Cifre &c = d.cifre;
    penna.posiziona(15, 220);
    penna.setFont(Carattere(12, true, true));
    penna.aCapo();
    penna.setX(15);
    penna.setColore(QColor(0x00, 0x00, 0xFF));
    penna.scrivi(t[TitoloTotali]);
    penna.aCapo();
    penna.setFont(Carattere(12));
    penna.setColore(Qt::black);
    StampaRiga(penna);
    penna.aCapo(2);

    penna.setFont(Carattere(14, true));
    penna.setX(20);
    penna.scrivi(t[Digitazioni] + QStringLiteral(" ") + d.unitaVelocita + modLanguageSupport::DuePunti(d.locale) +
                 QStringLiteral("  ") +
                 c.velocitaComplessiva);
    penna.setX(100);
    penna.scrivi(t[PunteggioComplessivo] + QStringLiteral(" ") + c.punteggioComplessivo);
    penna.aCapo();
    penna.setFont(Carattere(12, false, true));
    penna.aCapo();
    penna.setX(20);
    penna.scrivi(t[TotaleErrori] + QStringLiteral(" ") + c.totaleErrori);
    penna.aCapo();
    penna.setX(20);
    penna.scrivi(t[TotaleBattute] + QStringLiteral(" ") + c.totaleBattute);
    penna.aCapo();
    penna.setX(20);
    penna.scrivi(t[RapportoErrori] + QStringLiteral(" ") + c.rapportoErrori);
    penna.setFont(Carattere(12, true, true));
    penna.scrivi(QStringLiteral("    (") + t.paroleValutazione[size_t(c.valutazione)] + QStringLiteral(")"));
    penna.aCapo();

    QPainter &p = penna.painter();
    p.save();
    p.setPen(QPen(Qt::black, penna.mm(0.3)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(penna.mm(159), penna.mm(245), penna.mm(24), penna.mm(24)));
    p.restore();
    Simbolo(penna, 164, 250, 14, SimboloDi(immagini, c.simboloComplessivo));

    penna.setFont(Carattere(8));
    penna.posiziona(15, 276);
    penna.scrivi(PiePagina(t, d.fileEsercizio));
    penna.posiziona(140, 276);
    penna.scrivi(d.testi.credito);
}

void StampaPagina(QPainter &painter, const DatiReport &d, const Immagini &immagini)
{
    Penna penna(painter, PuntiPerMillimetro(painter));
    StampaIntestazione(penna, d, immagini);
    StampaDati(penna, 48, 1, d, immagini);
    if (d.cifre.numeroLivelli >= 2)
        StampaDati(penna, 106, 2, d, immagini);
    if (d.cifre.numeroLivelli >= 3)
        StampaDati(penna, 164, 3, d, immagini);
    Stampatotali(penna, d, immagini);
}

} // namespace risultati
