#include "progress/PaginaProgressi.h"

#include "pdf/clsPDFCreator.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace progressi {

namespace {

constexpr uint32_t Nero = 0x000000, Grigio = 0x808080, GrigioChiaro = 0xD8D8D8;
// One colour per kind of material, told apart in print too.
constexpr std::array<uint32_t, 6> ColoriMateriale = {0x1F77B4, 0xD62728, 0x2CA02C, 0x9467BD, 0xFF7F0E, 0x7F7F7F};
constexpr double Sinistra = 15, Destra = 195;

QDate DataDi(int g) { return QDate(g / 10000, g / 100 % 100, g % 100); }

QString Percento(double v) { return QString::number(int(std::lround(v * 100))) + " %"; }

// Round upper ends for the axes: 50, 100, 150, 200, 300, 400, 500...
double FineScala(double massimo)
{
    for (double passo : {50.0, 100.0, 150.0, 200.0, 300.0, 400.0, 500.0, 600.0, 800.0, 1000.0})
        if (massimo <= passo)
            return passo;
    return std::ceil(massimo / 500.0) * 500.0;
}

void Serie(Tela &tela, const QRectF &area, const DatiPagina &d, bool velocita, int primo, int giorni)
{
    const auto &punti = d.riepilogo.giorni;
    double alto = 0, basso = 100;
    for (const PuntoGiorno &p : punti) {
        alto = std::max(alto, velocita ? p.velocita : p.precisione);
        basso = std::min(basso, p.precisione);
    }
    const double cima = velocita ? FineScala(alto) : 100;
    // Accuracy from a multiple of 20 below the lowest day: steps of 5 or 10 and more.
    const double fondo = velocita ? 0 : std::min(80.0, std::floor(basso / 20) * 20);
    tela.Rettangolo(area, Nessuno, Grigio);
    for (int i = 0; i <= 4; ++i) {
        const double y = area.bottom() - area.height() * i / 4;
        const double valore = fondo + (cima - fondo) * i / 4;
        if (i > 0 && i < 4)
            tela.Linea({area.left(), y}, {area.right(), y}, GrigioChiaro, 0.2f);
        tela.Testo({area.left() - 1.5, y + 1.2}, QString::number(int(std::lround(valore))), 7, false, Nero,
                   Tela::Destra);
    }
    const QDate inizio = DataDi(primo);
    auto x = [&](int giorno) {
        const qint64 n = inizio.daysTo(DataDi(giorno));
        return area.left() + (giorni > 0 ? area.width() * double(n) / giorni : area.width() / 2);
    };
    auto y = [&](double v) { return area.bottom() - area.height() * (v - fondo) / (cima - fondo); };
    // Years of days: the days that fall on one step of 0.5 mm share one point
    // (their mean), so a line has at most a few hundred points.
    const double passo = 0.5;
    for (int m = 0; m < int(ColoriMateriale.size()); ++m) {
        std::vector<QPointF> linea;
        int inPasso = 0;
        for (const PuntoGiorno &p : punti) {
            if (p.materiale != m)
                continue;
            const QPointF q(x(p.giorno), y(velocita ? p.velocita : p.precisione));
            if (!linea.empty() && giorni > 180 && std::floor(q.x() / passo) == std::floor(linea.back().x() / passo)) {
                QPointF &b = linea.back();
                b.setY((b.y() * inPasso + q.y()) / (inPasso + 1));
                ++inPasso;
                continue;
            }
            linea.push_back(q);
            inPasso = 1;
        }
        if (linea.empty())
            continue;
        tela.Polilinea(linea, ColoriMateriale[size_t(m)], 0.5f);
        // Each day a dot, so that one day alone shows too (not for years of days).
        if (linea.size() <= 100)
            for (const QPointF &p : linea)
                tela.Rettangolo(QRectF(p.x() - 0.7, p.y() - 0.7, 1.4, 1.4), ColoriMateriale[size_t(m)], Nessuno);
    }
}

} // namespace

uint32_t ColoreTasso(double tasso)
{
    if (tasso < 0)
        return 0xE6E6E6;
    // 0 % green, 10 % yellow, 25 % and more red.
    const double t = std::clamp(tasso / 0.25, 0.0, 1.0);
    const auto mescola = [](uint32_t a, uint32_t b, double f) {
        uint32_t c = 0;
        for (int s : {16, 8, 0})
            c |= uint32_t(std::lround(double((a >> s) & 0xFF) * (1 - f) + double((b >> s) & 0xFF) * f)) << s;
        return c;
    };
    return t < 0.4 ? mescola(0x8FD18F, 0xF5E66B, t / 0.4) : mescola(0xF5E66B, 0xE8615A, (t - 0.4) / 0.6);
}

void DisegnaGrafico(Tela &tela, const QRectF &area, const DatiPagina &d)
{
    const TestiPagina &t = d.testi;
    int primo = d.ultimi30 ? GiornoPrima(d.oggi, 29) : d.oggi;
    if (!d.ultimi30)
        for (const PuntoGiorno &p : d.riepilogo.giorni)
            primo = std::min(primo, p.giorno);
    const int giorni = int(DataDi(primo).daysTo(DataDi(d.oggi)));
    const double meta = (area.height() - 14) / 2;
    const QRectF alto(area.left() + 10, area.top() + 4, area.width() - 12, meta - 4);
    const QRectF basso(alto.left(), alto.bottom() + 8, alto.width(), meta - 4);
    tela.Testo({alto.left(), alto.top() - 1}, t.velocita, 8, true, Nero);
    Serie(tela, alto, d, true, primo, giorni);
    tela.Testo({basso.left(), basso.top() - 1}, t.precisione, 8, true, Nero);
    Serie(tela, basso, d, false, primo, giorni);
    // The first and last day under the axis, the kinds of material as a legend.
    const QString formato = QStringLiteral("dd.MM.yyyy");
    tela.Testo({basso.left(), basso.bottom() + 3.5}, DataDi(primo).toString(formato), 7, false, Nero);
    tela.Testo({basso.right(), basso.bottom() + 3.5}, DataDi(d.oggi).toString(formato), 7, false, Nero,
               Tela::Destra);
    double x = basso.left() + 25;
    for (int m = 0; m < int(t.materiali.size()); ++m) {
        if (std::none_of(d.riepilogo.giorni.begin(), d.riepilogo.giorni.end(),
                         [m](const PuntoGiorno &p) { return p.materiale == m; }))
            continue;
        tela.Rettangolo(QRectF(x, basso.bottom() + 1.2, 4, 2.5), ColoriMateriale[size_t(m)], Nessuno);
        tela.Testo({x + 5, basso.bottom() + 3.5}, t.materiali[size_t(m)], 7, false, Nero);
        x += 7 + t.materiali[size_t(m)].size() * 1.5;
    }
}

void DisegnaPagina(Tela &tela, const DatiPagina &d)
{
    const TestiPagina &t = d.testi;
    const Riepilogo &r = d.riepilogo;
    tela.Testo({Sinistra, 16}, QStringLiteral("Tastavia"), 18, true, Nero);
    tela.Testo({Destra, 16}, QLocale::c().toString(d.adesso, QStringLiteral("dd.MM.yyyy HH:mm")), 9, false,
               Nero, Tela::Destra);
    tela.Linea({Sinistra, 18}, {Destra, 18}, Nero, 0.3f);
    tela.Testo({Sinistra, 24}, t.titolo + " " + (r.studente.isEmpty() ? t.anonimo : r.studente) + " - " +
                                   (d.ultimi30 ? t.periodo30 : t.periodoTutto), 11, true, Nero);
    if (r.giorni.empty() && r.caratteri.empty() && r.lezioni.empty())
        tela.Testo({Sinistra, 32}, t.nessunDato, 10, false, Grigio);

    DisegnaGrafico(tela, QRectF(Sinistra, 30, Destra - Sinistra, 78), d);

    // The keyboard: the keys coloured by their error rate.
    tela.Testo({Sinistra, 116}, t.mappa, 10, true, Nero);
    QRectF tutta;
    for (const TastoMappa &k : d.tasti)
        tutta = tutta.united(k.rettangolo);
    const QRectF spazio(Sinistra, 119, Destra - Sinistra, 56);
    if (!tutta.isEmpty()) {
        const double scala = std::min(spazio.width() / tutta.width(), spazio.height() / tutta.height());
        const QRectF area(spazio.left() + (spazio.width() - tutta.width() * scala) / 2, spazio.top(),
                          tutta.width() * scala, tutta.height() * scala);
        if (!tela.Tastiera(area))
            for (const TastoMappa &k : d.tasti) {
                const QRectF q(area.left() + (k.rettangolo.left() - tutta.left()) * scala,
                               area.top() + (k.rettangolo.top() - tutta.top()) * scala,
                               k.rettangolo.width() * scala, k.rettangolo.height() * scala);
                tela.Rettangolo(q.adjusted(0.3, 0.3, -0.3, -0.3), ColoreTasso(k.tasso), Grigio);
                tela.Testo({q.left() + 1.2, q.top() + 3.6}, k.etichetta, 7, false, Nero);
            }
    }

    // The ten weakest characters.
    double y = 186;
    tela.Testo({Sinistra, y}, t.deboli, 10, true, Nero);
    const auto deboli = PiuDeboli(r.caratteri, 10);
    for (const StatCarattere &s : deboli) {
        y += 6;
        const QString c = QString(QChar(s.carattere));
        const double tasso = double(s.errori) / double(std::max<int64_t>(1, s.attesi + s.errori));
        tela.Rettangolo(QRectF(Sinistra, y - 3.8, 6, 5), ColoreTasso(tasso), Grigio);
        tela.Testo({Sinistra + 3, y}, c, 10, true, Nero, Tela::Centro);
        QString riga = Percento(tasso) + " " + t.errori;
        if (s.mediana >= 0)
            riga += QStringLiteral(" · ") + QString::number(int(std::lround(s.mediana))) + " ms";
        tela.Testo({Sinistra + 8, y}, riga, 8, false, Nero);
        if (!s.confusioni.empty())
            tela.Testo({Sinistra + 8, y + 2.8},
                       t.confusione.arg(QString(QChar(s.confusioni.front().first)), QString(QChar(s.carattere))) +
                           " (" +
                           QString::number(s.confusioni.front().second) + ")",
                       7, false, Grigio);
    }

    // The course.
    const double colonna = 108;
    y = 186;
    if (!d.lezioniCorso.isEmpty())
        tela.Testo({colonna, y}, t.corso, 10, true, Nero);
    y += 5;
    if (!d.lezioniCorso.isEmpty()) {
    tela.Testo({colonna, y}, t.lezione, 7, true, Nero);
    tela.Testo({colonna + 52, y}, t.ultima, 7, true, Nero, Tela::Destra);
    tela.Testo({colonna + 80, y}, t.migliore, 7, true, Nero, Tela::Destra);
    }
    QStringList daFare;
    int mostrate = 0;
    for (const QString &lezione : d.lezioniCorso) {
        const auto l = std::find_if(r.lezioni.begin(), r.lezioni.end(), [&](const auto &v) {
            return v.first.compare(lezione, Qt::CaseInsensitive) == 0;
        });
        if (l == r.lezioni.end()) {
            daFare << lezione;
            continue;
        }
        if (++mostrate > 11)
            continue;
        y += 4.2;
        tela.Testo({colonna, y}, lezione, 7, false, Nero);
        tela.Testo({colonna + 52, y}, QString::number(int(std::lround(l->second.ultimaVelocita))) + " / " +
                                          QString::number(l->second.ultimoPunteggio), 7, false, Nero, Tela::Destra);
        tela.Testo({colonna + 80, y}, QString::number(int(std::lround(l->second.migliorVelocita))) + " / " +
                                          QString::number(l->second.migliorPunteggio), 7, false, Nero, Tela::Destra);
    }
    if (!daFare.isEmpty()) {
        y += 5;
        tela.Testo({colonna, y}, t.daFare, 7, true, Nero);
        QString riga;
        for (const QString &l : daFare) {
            if (riga.size() + l.size() > 44) {
                y += 3.6;
                tela.Testo({colonna, y}, riga, 7, false, Nero);
                riga.clear();
                if (y > 262)
                    break;
            }
            riga += (riga.isEmpty() ? "" : ", ") + l;
        }
        if (!riga.isEmpty() && y <= 262)
            tela.Testo({colonna, y + 3.6}, riga, 7, false, Nero);
    }

    // The game's and training's best totals.
    y = 276;
    tela.Linea({Sinistra, y - 5}, {Destra, y - 5}, GrigioChiaro, 0.3f);
    for (int g = 0; g < 2; ++g) {
        const auto &migliori = g == 0 ? r.migliorGioco : r.migliorAllenamento;
        QString riga = (g == 0 ? t.gioco : t.allenamento) + ":";
        for (int l = 0; l < 3; ++l)
            riga += "   " + t.livelliGioco[size_t(l)] + " " + QString::number(migliori[size_t(l)]);
        tela.Testo({Sinistra, y + g * 5.0}, riga, 9, false, Nero);
    }
}

// --- PDF ------------------------------------------------------------------------

namespace {

class TelaPDF : public Tela {
public:
    explicit TelaPDF(clsPDFCreator &p) : pdf(p) {}
    static float X(double x) { return float(x / 10); }
    static float Y(double y) { return float((A4.height() - y) / 10); }
    static int32_t Colore(uint32_t c) { return int32_t(((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16)); }

    void Linea(QPointF a, QPointF b, uint32_t colore, float spessore) override
    {
        pdf.SetColorStroke(Colore(colore));
        pdf.SetLineWidth(spessore / 10);
        pdf.MoveTo(X(a.x()), Y(a.y()));
        pdf.LineTo(X(b.x()), Y(b.y()), 1);
    }
    void Polilinea(const std::vector<QPointF> &punti, uint32_t colore, float spessore) override
    {
        if (punti.empty())
            return;
        pdf.SetColorStroke(Colore(colore));
        pdf.SetLineWidth(spessore / 10);
        pdf.MoveTo(X(punti[0].x()), Y(punti[0].y()));
        for (size_t i = 1; i < punti.size(); ++i)
            pdf.LineTo(X(punti[i].x()), Y(punti[i].y()), i + 1 == punti.size() ? 1 : 0);
    }
    void Rettangolo(const QRectF &r, uint32_t riempimento, uint32_t bordo) override
    {
        int32_t opzioni = 0;
        if (riempimento != Nessuno) {
            pdf.SetColorFill(Colore(riempimento));
            opzioni |= 4;
        }
        if (bordo != Nessuno) {
            pdf.SetColorStroke(Colore(bordo));
            pdf.SetLineWidth(0.02f);
            opzioni |= 1;
        }
        pdf.Rectangle(X(r.left()), Y(r.bottom()), float(r.width() / 10), float(r.height() / 10), opzioni);
    }
    void Testo(QPointF pos, const QString &t, float punti, bool grassetto, uint32_t colore, Allinea allinea) override
    {
        pdf.SetColorFill(Colore(colore));
        pdf.DrawText(X(pos.x()), Y(pos.y()), t, grassetto ? QStringLiteral("Fn2") : QStringLiteral("Fn1"), punti,
                     int32_t(allinea));
    }
    clsPDFCreator &pdf;
};

} // namespace

bool ScriviPDF(const QString &percorso, const DatiPagina &d, const platform::Clock *clock,
               platform::RandomSource *random)
{
    clsPDFCreator pdf(clock, random);
    pdf.setTitle(QStringLiteral("Progressi Tastavia"));
    pdf.setScaleMode(3);
    pdf.setPaperSize(0);
    pdf.setMargin(0);
    pdf.setOrientation(0);
    QString nome = percorso;
    if (!pdf.InitPDFFile(nome))
        return false;
    pdf.LoadFont(QStringLiteral("Fn1"), QStringLiteral("Arial"), 0);
    pdf.LoadFont(QStringLiteral("Fn2"), QStringLiteral("Arial"), 1);
    pdf.BeginPage();
    TelaPDF tela(pdf);
    DisegnaPagina(tela, d);
    pdf.EndPage();
    return pdf.ClosePDFFile();
}

} // namespace progressi
