#include "report/ReportFreeTXT.h"

#include "practice/modClavora.h"
#include "pdf/clsPDFCreator.h"
#include "platform/FileSicuri.h"
#include "platform/Testo.h"
#include "results/Statistiche.h"
#include "results/TestiRisultati.h"
#include "settings/MotivoFile.h"
#include "settings/modLanguageSupport.h"

#include <QBuffer>
#include <QDir>
#include <cerrno>

#include <QFile>

namespace report {

const std::array<VoceTesto, 25> kTestiReport{{
    {"0091", "Battute / sec"},
    {"0092", "Battute / min"},
    {"0128", "Battute esatte"},
    {"0129", "Parole contenute nel file"},
    {"0130", "Numero  battute"},
    {"0131", "Numero errori"},
    {"0132", "Rapporto errori/battute"},
    {"0103", "Categoria"},
    {"0133", "Risultati complessivi dell'esercizio"},
    {"0127", "Tempo totale impiegato"},
    {"0134", "Rapporto battute esatte/totali"},
    {"0135", "Per creare un nuovo file pdf occorre chiudere quello attualmente aperto."},
    {"0101", "Risultati ottenuti da:"},
    {"0144", "Caratteri maiuscoli"},
    {"0145", "Caratteri minuscoli"},
    {"0146", "Caratteri numerici"},
    {"0147", "Segni di punteggiatura"},
    {"0148", "Spazi"},
    {"0149", "Caratteri speciali"},
    {"0139", "Ottimo"},
    {"0140", "Buono"},
    {"0141", "Sufficiente"},
    {"0142", "Insufficiente"},
    {"0150", "Valutazione complessiva dell'esercizio"},
    {"0152", "Valutazione"},
}};

QStringList CaricaTestiLingua(const TestoLingua &lingua)
{
    QStringList t;
    t.reserve(int(kTestiReport.size()));
    for (const VoceTesto &v : kTestiReport)
        t << Testo(lingua, QString::fromLatin1(v.id), QString::fromUtf8(v.predefinito));
    return t;
}

QStringList CaricaTestiPredefiniti()
{
    return CaricaTestiLingua({});
}

// --- Grades ----------------------------------------------------------------

int GiudizioVelocita(float battuteMinuto, bool modoEsperto)
{
    const float esperto[3] = {240, 180, 120};
    const float principiante[3] = {150, 100, 50};
    const float *t = modoEsperto ? esperto : principiante;
    if (battuteMinuto > t[0])
        return 0;
    if (battuteMinuto > t[1])
        return 1;
    if (battuteMinuto > t[2])
        return 2;
    return 3;
}

int GiudizioErrori(int battute, int errori, bool modoEsperto)
{
    if (battute <= 0)
        return -1;
    return risultati::Valutazione(battute, errori, modoEsperto);
}

QChar Lettera(int giudizio)
{
    static const char lettere[] = "OBSI";
    return giudizio >= 0 && giudizio <= 3 ? QChar(lettere[giudizio]) : QChar();
}

int GiudizioComplessivo(QChar letteraVelocita, QChar letteraErrori)
{
    // Speed down the side, accuracy across: a slow but exact exercise is at
    // best Buono, any Insufficiente makes the whole one so.
    static const int tabella[4][4] = {
        {0, 1, 2, 3},
        {0, 1, 2, 3},
        {1, 1, 2, 3},
        {3, 3, 3, 3},
    };
    const auto indice = [](QChar c) { return int(QStringLiteral("OBSI").indexOf(c)); };
    const int v = indice(letteraVelocita);
    const int e = indice(letteraErrori);
    if (letteraVelocita.isNull() || letteraErrori.isNull() || v < 0 || e < 0)
        return -1;
    return tabella[v][e];
}

// --- Characters --------------------------------------------------------------

Caratteri ContaCaratteri(const QString &testo)
{
    Caratteri c;
    auto conta = [](int16_t &n) {
        if (n < INT16_MAX)
            ++n;
    };
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar ch = testo.at(i);
        if (ch.isHighSurrogate() && i + 1 < testo.size() && testo.at(i + 1).isLowSurrogate())
            ++i;   // one character outside the code page
        const int k = testo::codiceAnsi(ch);
        if (k >= 0 && k < 32)
            continue;
        if (k >= 'A' && k <= 'Z')
            conta(c.numMaiuscole);
        else if (k >= 'a' && k <= 'z')
            conta(c.numMinuscole);
        else if (k >= '0' && k <= '9')
            conta(c.numCifre);
        else if (k == '!' || k == ',' || k == '.' || k == ':' || k == ';' || k == '?')
            conta(c.numPunteggiatura);
        else if (k == ' ')
            conta(c.numSpazi);
        else
            conta(c.numSpeciali);   // k < 0: not in the code page, never "?"
    }
    return c;
}

// --- Figures -----------------------------------------------------------------

Figure CalcolaRisultati(const modClavora &s)
{
    Figure f;
    const QTime t = s.tempoEsercizio.isValid() ? s.tempoEsercizio : QTime(0, 0);
    // Whole seconds in a 32-bit value: no overflow past nine hours.
    f.secondiEsercizio = t.hour() * 3600 + t.minute() * 60 + t.second();
    f.tempoTesto = t.toString(QStringLiteral("hh:mm:ss"));
    f.battute = s.totaleBattute;
    f.errori = s.totaleErrori;
    // "Words in the file": the words of the text typed, not its blanks.
    f.numParole = s.testoDaAnalizzare.isEmpty() ? s.numParole : ContaParole(s.testoDaAnalizzare);
    if (f.battute > 0) {
        f.rapportoErrori = float(double(f.errori) / double(f.battute));
        f.rapportoEsatte = float(double(f.battute - f.errori) / double(f.battute));
    }
    if (f.secondiEsercizio > 0) {
        f.battuteMinuto = float(double(f.battute) / double(f.secondiEsercizio) * 60.0);
        f.battuteSecondo = float(double(f.battute) / double(f.secondiEsercizio));
    }
    return f;
}

// --- The report ----------------------------------------------------------------

ReportFreeTXT::ReportFreeTXT(const modClavora &stato, TestoLingua lingua, QLocale locale)
    : s(stato), locale_(std::move(locale))
{
    testi_ = s.fileLinguaPresente ? CaricaTestiLingua(lingua) : CaricaTestiPredefiniti();
    // The results window's text: both windows write a PDF and hand it to the viewer.
    pdfNonAperto_ = QString::fromUtf8(risultati::vocePdfNonAperto.predefinito);
    if (s.fileLinguaPresente)
        pdfNonAperto_ = Testo(lingua, QString::fromLatin1(risultati::vocePdfNonAperto.id), pdfNonAperto_);
    if (s.fileLinguaPresente)
        linguaMessaggi_ = lingua;
    piede_ = {Testo(linguaMessaggi_, QStringLiteral("0563"),
                    QStringLiteral("Tastavia - corso di dattilografia per la tastiera francese AZERTY")),
              Testo(linguaMessaggi_, QStringLiteral("0564"),
                    QStringLiteral("Programma, suoni e immagini: gli autori di Tastavia"))};
    paroleValutazione_ = testi_.mid(19, 4);
    nomeReport_ = s.nomeUtente;
    figure_ = CalcolaRisultati(s);
    giudizioErrori_ = GiudizioErrori(figure_.battute, figure_.errori, s.modoEsperto);
    if (figure_.battuteMinuto)
        giudizioVelocita_ = GiudizioVelocita(*figure_.battuteMinuto, s.modoEsperto);
}

QString ReportFreeTXT::Parola(int giudizio) const
{
    return giudizio >= 0 && giudizio < paroleValutazione_.size() ? paroleValutazione_.at(giudizio)
                                                                 : kTrattino;
}

QString ReportFreeTXT::ParolaComplessiva() const
{
    return Parola(GiudizioComplessivo(letteraVelocita(), letteraErrori()));
}

int32_t ContaParole(const QString &testo)
{
    int32_t parole = 0;
    bool dentro = false;
    for (QChar c : testo) {
        const bool spazio = c.isSpace();
        if (!spazio && !dentro && parole < INT32_MAX)
            ++parole;
        dentro = !spazio;
    }
    return parole;
}

QString ReportFreeTXT::Valore(const std::optional<float> &v, const QString &pattern) const
{
    return v ? testo::formato(double(*v), pattern, locale_) : kTrattino;
}

QStringList ReportFreeTXT::RigheRisultati() const
{
    const Figure &f = figure_;
    const QString sep = modLanguageSupport::DuePunti(locale_) + QStringLiteral(" ");
    return {
        testo(9) + sep + f.tempoTesto,
        testo(4) + sep + QString::number(f.battute),
        testo(2) + sep + QString::number(f.battute - f.errori),
        testo(10) + sep + Valore(f.rapportoEsatte, QStringLiteral("#0.0%")),
        testo(5) + sep + QString::number(f.errori),
        testo(6) + sep + Valore(f.rapportoErrori, QStringLiteral("##0.0%")),
        testo(1) + sep + Valore(f.battuteMinuto, QStringLiteral("0.0")),
        testo(3) + sep + QString::number(f.numParole),
    };
}

QString ReportFreeTXT::GetTempDir() const
{
    return s.servizi.desktop ? s.servizi.desktop->tempPath() : QString();
}

ReportFreeTXT::EsitoPDF ReportFreeTXT::GeneraPDF()
{
    caratteri_ = ContaCaratteri(s.testoDaAnalizzare);
    if (nomeReport_.isEmpty())
        nomeReport_ = QStringLiteral("Tastavia");
    // Only the learner's private folder: never a shared one, never the working folder.
    QString cartella = GetTempDir();
    if (cartella.isEmpty()) {
        percorsoPDF_.clear();
        const auto problema = s.servizi.desktop ? s.servizi.desktop->tempProblem()
                                                : platform::Desktop::ProblemaCartella{};
        return {EsitoPDF::NonCreato, TestoCartellaTemporanea(problema, linguaMessaggi_)};
    }
    if (!cartella.endsWith(QLatin1Char('/')))
        cartella += QLatin1Char('/');
    percorsoPDF_ = cartella + testo::nomeFileSicuro(nomeReport_) + QStringLiteral(".pdf");
    auto fallito = [this](EsitoPDF::Tipo tipo, int errore) {
        return EsitoPDF{tipo, Testo(linguaMessaggi_, QString::fromLatin1(risultati::vocePdfNonScritto.id),
                                    QString::fromUtf8(risultati::vocePdfNonScritto.predefinito)) +
                                  QStringLiteral("\r\n") + QDir::toNativeSeparators(percorsoPDF_) +
                                  QStringLiteral(" (") + MotivoErrno(errore, linguaMessaggi_) +
                                  QStringLiteral(")")};
    };

    // The whole document in memory first (one page), then one private file
    // that replaces whatever had the name: a link there is never followed.
    QByteArray documento;
    QBuffer memoria(&documento);
    memoria.open(QIODevice::WriteOnly);
    clsPDFCreator pdf(s.servizi.clock, s.servizi.random, s.cartellaProgramma);
    pdf.setTitle(QStringLiteral("Risultati Tastavia"));
    pdf.setScaleMode(3);
    pdf.setPaperSize(0);
    pdf.setMargin(0);
    pdf.setOrientation(0);
    if (!pdf.InitPDFStream(&memoria))
        return fallito(EsitoPDF::NonScritto, EIO);

    pdf.LoadFont(QStringLiteral("Fn1"), QStringLiteral("Arial"), 0);
    pdf.LoadFont(QStringLiteral("Fn2"), QStringLiteral("Arial"), 3);
    pdf.LoadFont(QStringLiteral("Fn3"), QStringLiteral("Arial"), 1);
    pdf.LoadFont(QStringLiteral("Fn5"), QStringLiteral("Symbol"), 0);
    pdf.BeginPage();
    pdf.SetColorFill(0);
    DisegnaPagina(pdf);
    pdf.EndPage();
    if (!pdf.ClosePDFFile() || !documento.right(16).contains("%%EOF"))
        return fallito(EsitoPDF::NonScritto, EIO);
    if (const int errore = filesicuri::ScriviFilePrivato(percorsoPDF_, documento)) {
        const bool cartellaChiusa = errore == ENOENT || errore == ENOTDIR || errore == EACCES ||
                                    errore == EPERM || errore == EROFS;
        return fallito(cartellaChiusa ? EsitoPDF::NonCreato : EsitoPDF::NonScritto, errore);
    }
    pdfScritto_ = true;
    if (s.servizi.desktop &&
        !platform::ApriConApplicazione(*s.servizi.desktop, percorsoPDF_, QStringLiteral("application/pdf")))
        return {EsitoPDF::NonAperto, pdfNonAperto_.arg(percorsoPDF_)};
    return {};
}

namespace {

constexpr int32_t Colore(int r, int g, int b)
{
    return int32_t(r | (g << 8) | (b << 16));
}

constexpr float kSinistra = 2.0f, kDestra = 20.0f, kCentro = 10.5f, kTesto = 2.5f;
constexpr float kSottile = 0.01f, kBanda = 0.7f;

void Linea(clsPDFCreator &pdf, float y, float larghezza, int32_t colore = 0)
{
    pdf.SetLineWidth(larghezza);
    pdf.SetColorStroke(colore);
    pdf.MoveTo(kSinistra, y);
    pdf.LineTo(kDestra, y, 1);
    if (colore != 0)
        pdf.SetColorStroke(0);
}

} // namespace

void ReportFreeTXT::DisegnaPagina(clsPDFCreator &pdf) const
{
    const Figure &f = figure_;
    const QString sep = modLanguageSupport::DuePunti(locale_) + QStringLiteral(" ");
    const QString fn1 = QStringLiteral("Fn1"), fn2 = QStringLiteral("Fn2"),
                  fn3 = QStringLiteral("Fn3"), fn5 = QStringLiteral("Fn5");
    // The Symbol font shows a lozenge at code 224.
    const QString lozenge(QChar(0x00E0));
    auto punto = [&](float y, const QString &testo, const QString &font) {
        pdf.DrawText(kSinistra, y, lozenge, fn5, 12);
        pdf.DrawText(kTesto, y, testo, font, 12);
    };

    pdf.DrawText(kSinistra, 27.0f, QStringLiteral("Tastavia"), fn2, 24);
    Linea(pdf, 26.5f, kSottile);
    Linea(pdf, 26.1f, kBanda, Colore(244, 244, 244));
    const QDateTime adesso = s.servizi.clock ? s.servizi.clock->now() : QDateTime();
    const QString data = locale_.toString(adesso.date(), modLanguageSupport::FormatoDataLunga(locale_)) +
                         QStringLiteral(" - ") + adesso.time().toString(QStringLiteral("HH:mm:ss"));
    // A long name is shortened to end half a centimetre before the date.
    const QString prima = testo(12) + QLatin1Char(' ');
    const float spazio = kDestra - pdf.Length(data, fn1, 10) - 0.5f - kSinistra - pdf.Length(prima, fn1, 12);
    pdf.DrawText(kSinistra, 26.0f,
                 prima + testo::accorcia(nomeReport_, spazio,
                                         [&pdf, &fn1](const QString &t) { return pdf.Length(t, fn1, 12); }),
                 fn1, 12);
    pdf.DrawText(kDestra, 26.0f, data, fn1, 10, 1);
    Linea(pdf, 25.7f, kSottile);

    pdf.DrawText(kCentro, 24.0f, Titolo(), fn1, 18, 2);
    pdf.DrawText(kCentro, 22.8f, modClavora::NomeFile(s.fileEsercizio), fn1, 14, 2);
    Linea(pdf, 21.6f, kBanda, s.modoEsperto ? Colore(255, 226, 226) : Colore(236, 255, 213));
    Linea(pdf, 21.95f, kSottile);
    Linea(pdf, 21.2f, kSottile);
    pdf.DrawText(kCentro, 21.45f, testo(7) + sep + s.nomeModo, fn3, 12, 2);

    punto(19.0f, testo(9) + sep + f.tempoTesto, fn1);
    punto(18.0f, testo(4) + sep + QString::number(f.battute), fn1);
    punto(17.0f, testo(2) + sep + QString::number(f.battute - f.errori), fn1);
    punto(16.0f, testo(10) + sep + Valore(f.rapportoEsatte, QStringLiteral("#0.0%")), fn3);
    punto(14.5f, testo(5) + sep + QString::number(f.errori), fn1);
    punto(13.5f, testo(6) + sep + Valore(f.rapportoErrori, QStringLiteral("#0.0%")), fn3);
    pdf.DrawText(kCentro, 13.5f, testo(24) + sep + ParolaErrori(), fn1, 12);
    punto(12.0f, testo(1) + sep + Valore(f.battuteMinuto, QStringLiteral("0.0")), fn3);
    pdf.DrawText(kCentro, 12.0f, testo(24) + sep + ParolaVelocita(), fn1, 12);
    punto(11.0f, testo(0) + sep + Valore(f.battuteSecondo, QStringLiteral("0.0")), fn1);
    Linea(pdf, 10.2f, kSottile);

    const Caratteri &c = caratteri_;
    pdf.DrawText(kTesto, 9.5f, testo(3) + sep + QString::number(f.numParole), fn1, 12);
    pdf.DrawText(kTesto, 8.5f, testo(13) + QStringLiteral(" (ABC)") + sep + QString::number(c.numMaiuscole), fn1, 10);
    pdf.DrawText(kCentro, 8.5f, testo(14) + QStringLiteral(" (abc)") + sep + QString::number(c.numMinuscole), fn1, 10);
    pdf.DrawText(kTesto, 8.0f, testo(15) + QStringLiteral(" (123)") + sep + QString::number(c.numCifre), fn1, 10);
    pdf.DrawText(kCentro, 8.0f, testo(16) + QStringLiteral(" (;,:?!)") + sep + QString::number(c.numPunteggiatura), fn1, 10);
    pdf.DrawText(kTesto, 7.5f, testo(17) + sep + QString::number(c.numSpazi), fn1, 10);
    pdf.DrawText(kCentro, 7.5f, testo(18) + QString::fromUtf8(" (àì+#/)") + sep + QString::number(c.numSpeciali), fn1, 10);
    Linea(pdf, 7.0f, kSottile);

    Linea(pdf, 5.2f, kBanda, Colore(236, 236, 236));
    pdf.DrawText(kCentro, 5.0f, testo(23) + sep + ParolaComplessiva(), fn1, 14, 2);
    for (float y : {5.6f, 4.8f, 2.5f, 2.35f})
        Linea(pdf, y, kSottile);
    pdf.DrawText(kCentro, 1.9f, piede_[0], fn1, 8, 2);
    pdf.DrawText(kCentro, 1.5f, piede_[1], fn1, 8, 2);
}

void ReportFreeTXT::Chiudi()
{
    // Only a file this report wrote: another one of the same name (the
    // results' report of the same learner) is not ours to delete.
    if (pdfScritto_ && QFile::exists(percorsoPDF_))
        QFile::remove(percorsoPDF_);
    pdfScritto_ = false;
    caratteri_ = {};
}

} // namespace report
