#include "results/PdfRisultati.h"

#include "pdf/clsPDFCreator.h"
#include "platform/FileSicuri.h"
#include "platform/Testo.h"
#include "settings/modLanguageSupport.h"

#include <QBuffer>
#include <cerrno>

#include <QFile>
#include <QFileInfo>

namespace risultati {
namespace {

const QString Fn1 = QStringLiteral("Fn1");   // regular
const QString Fn2 = QStringLiteral("Fn2");   // bold italic
const QString Fn3 = QStringLiteral("Fn3");   // bold

constexpr int32_t Nero = 0;
constexpr int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

void Linea(clsPDFCreator &pdf, float y)
{
    pdf.MoveTo(pdfMargineSinistro, y);
    pdf.LineTo(pdfMargineDestro, y, 1);
}

void Intestazione(clsPDFCreator &pdf, const DatiReport &d)
{
    pdf.DrawText(pdfMargineSinistro, 27.5f, QStringLiteral("Tastavia"), Fn2, 24);
    pdf.SetLineWidth(0.01f);
    Linea(pdf, 27.3f);
    // A long name is shortened to end half a centimetre before the date.
    const QString data = DataOraPDF(d.adesso, d.locale);
    const QString prima = d.testi[RisultatiDi];
    const float spazio = pdfMargineDestro - pdf.Length(data, Fn1, 10) - 0.5f - pdfMargineSinistro -
                         pdf.Length(prima, Fn1, 12);
    pdf.DrawText(pdfMargineSinistro, 26.7f,
                 prima + testo::accorcia(d.nomeReport, spazio,
                                         [&pdf](const QString &t) { return pdf.Length(t, Fn1, 12); }),
                 Fn1, 12);
    pdf.DrawText(pdfMargineDestro, 26.7f, data, Fn1, 10, 1);
}

void Livelli(clsPDFCreator &pdf, const DatiReport &d)
{
    const TestiRisultati &t = d.testi;
    const int32_t fasce[3] = {rgb(236, 255, 213), rgb(255, 255, 199), rgb(255, 226, 226)};
    const float yFasce[3] = {25.2f, 19.2f, 13.2f};
    pdf.SetLineWidth(0.7f);
    for (int k = 0; k < 3; ++k) {
        pdf.SetColorStroke(fasce[k]);
        Linea(pdf, yFasce[k]);
    }
    pdf.SetColorStroke(Nero);
    pdf.SetColorFill(Nero);
    pdf.SetLineWidth(0.01f);

    const float yTitoli[3] = {25, 19, 13};
    for (int k = 0; k < 3; ++k) {
        const float y = yTitoli[k];
        pdf.DrawText(pdfMargineSinistro, y, t[TitoloLivello] + QString::number(k + 1), Fn1, 16);
        pdf.DrawText(pdfColonnaPunteggio, y, t[Categoria] + d.nomeModo, Fn3, 12);
        Linea(pdf, y - 0.3f);
    }

    const BordiPDF bordi = CalcolaBordi(pdf, t);
    const float yPrimaRiga[3] = {24, 18, 12};
    // A level not played yet keeps its heading and nothing else: no row of zeros.
    for (size_t k = 0; k < size_t(d.cifre.numeroLivelli); ++k) {
        const CifreLivello &c = d.cifre.livelli[k];
        float y = yPrimaRiga[k];
        for (size_t i = 0; i < 5; ++i) {
            pdf.DrawText(pdfColonnaFrase, y, t[EtichettaFrase] + QString::number(i + 1) + t.etichettaUnita,
                         Fn1, 12);
            pdf.DrawText(bordi.velocita, y, c.velocita[i], Fn1, 12, 1);
            pdf.DrawText(pdfColonnaPunteggio, y, t[EtichettaPunteggio], Fn1, 12);
            pdf.DrawText(bordi.punteggio, y, c.punteggi[i], Fn1, 12, 1);
            y -= 0.5f;
        }
        y -= 1.0f;
        pdf.DrawText(pdfColonnaFrase, y, t[EtichettaMedia] + t.etichettaUnita, Fn3, 12);
        pdf.DrawText(bordi.velocita + 0.1f, y, c.velocitaMedia, Fn3, 12, 1);
        pdf.DrawText(pdfColonnaPunteggio, y, t[EtichettaPunteggio] + QStringLiteral("  "), Fn3, 12);
        pdf.DrawText(bordi.punteggio, y, c.punteggio, Fn3, 12, 1);
    }
}

void Totali(clsPDFCreator &pdf, const DatiReport &d)
{
    const TestiRisultati &t = d.testi;
    const Cifre &c = d.cifre;
    pdf.DrawText(pdfMargineSinistro, 7.0f, t[TitoloTotali], Fn2, 14);
    Linea(pdf, 6.7f);
    pdf.SetColorStroke(rgb(244, 244, 244));
    pdf.SetLineWidth(2.8f);
    Linea(pdf, 5.1f);
    pdf.DrawText(pdfColonnaFrase, 6.0f,
                 t[Digitazioni] + QStringLiteral(" ") + d.unitaVelocita + modLanguageSupport::DuePunti(d.locale) +
                     QStringLiteral("  ") +
                     c.velocitaComplessiva,
                 Fn1, 12);
    pdf.DrawText(pdfColonnaPunteggio, 6.0f,
                 t[PunteggioComplessivo] + QStringLiteral(" ") + c.punteggioComplessivo, Fn1, 12);
    pdf.DrawText(pdfColonnaFrase, 5.0f, t[TotaleErrori] + QStringLiteral(" ") + c.totaleErrori, Fn1, 10);
    pdf.DrawText(pdfColonnaFrase, 4.5f, t[TotaleBattute] + QStringLiteral(" ") + c.totaleBattute, Fn1, 10);
    pdf.DrawText(pdfColonnaPunteggio, 4.8f,
                 t[RapportoErrori] + QStringLiteral(" ") + c.rapportoErrori + QStringLiteral("  (") +
                     t.paroleValutazione[size_t(c.valutazione)] + QStringLiteral(")"),
                 Fn1, 10);
    pdf.SetColorStroke(Nero);
    pdf.SetLineWidth(0.01f);
    Linea(pdf, 3.5f);
}

void Piede(clsPDFCreator &pdf, const DatiReport &d)
{
    pdf.DrawText(pdfMargineSinistro, 1.5f, PiePagina(d.testi, d.fileEsercizio), Fn1, 7);
    pdf.DrawText(pdfMargineDestro, 1.5f, d.testi.credito, Fn1, 7, 1);
}

} // namespace

BordiPDF CalcolaBordi(const clsPDFCreator &pdf, const TestiRisultati &t)
{
    BordiPDF b;
    b.velocita = pdfColonnaFrase +
                 pdf.Length(t[EtichettaFrase] + QStringLiteral("1") + t.etichettaUnita, Fn1, 12) + 1;
    b.punteggio = pdfColonnaPunteggio + pdf.Length(t[EtichettaPunteggio], Fn1, 12) + 1;
    return b;
}

QString PercorsoPDF(const QString &cartellaTemporanea, const QString &nomeReport)
{
    return cartellaTemporanea + testo::nomeFileSicuro(nomeReport) + QStringLiteral(".pdf");
}

void ImpostaDocumento(clsPDFCreator &pdf)
{
    pdf.setTitle(QStringLiteral("Risultati Tastavia"));
    pdf.setScaleMode(3);
    pdf.setPaperSize(0);
    pdf.setMargin(0);
    pdf.setOrientation(0);
}

void DisegnaPDF(clsPDFCreator &pdf, const DatiReport &d)
{
    pdf.LoadFont(Fn1, QStringLiteral("Arial"), 0);
    pdf.LoadFont(Fn2, QStringLiteral("Arial"), 3);
    pdf.LoadFont(Fn3, QStringLiteral("Arial"), 1);
    pdf.LoadFont(QStringLiteral("Fn4"), QStringLiteral("Arial"), 2);
    pdf.BeginPage();
    pdf.SetColorFill(Nero);
    Intestazione(pdf, d);
    Livelli(pdf, d);
    Totali(pdf, d);
    Piede(pdf, d);
    pdf.EndPage();
}

bool PdfCompleto(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 16)
        return false;
    f.seek(f.size() - 16);
    return f.read(16).contains("%%EOF");
}

EsitoPDF ScriviPDF(const QString &percorso, const DatiReport &dati, const platform::Clock *clock,
                   platform::RandomSource *random, int *errore)
{
    int ignorato = 0;
    int &err = errore ? *errore : ignorato;
    err = 0;
    // The whole document in memory first (one page, a few kilobytes), then
    // one private file: a half-written report never appears under the name.
    QByteArray documento;
    QBuffer memoria(&documento);
    memoria.open(QIODevice::WriteOnly);
    clsPDFCreator pdf(clock, random);
    ImpostaDocumento(pdf);
    if (!pdf.InitPDFStream(&memoria)) {
        err = EIO;
        return EsitoPDF::NonScritto;
    }
    DisegnaPDF(pdf, dati);
    if (!pdf.ClosePDFFile() || !documento.right(16).contains("%%EOF")) {
        err = EIO;
        return EsitoPDF::NonScritto;
    }
    err = filesicuri::ScriviFilePrivato(percorso, documento);
    switch (err) {
    case 0:
        return EsitoPDF::Creato;
    case ENOENT:
    case ENOTDIR:
    case EACCES:
    case EPERM:
    case EROFS:
        return EsitoPDF::NonCreato;
    default:
        return EsitoPDF::NonScritto;
    }
}

} // namespace risultati
