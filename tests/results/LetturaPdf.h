#pragma once
// What the results tests need around PDF files: a printer that prints through
// the program's painter callback into a PDF file (QPrinter's PDF output, as the
// real printer module does on paper), the words of a PDF with their places
// (pdftotext -bbox), lines made of them, and the figures read back from the
// lines of a results table.

#include "platform/Services.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

namespace lettura {

constexpr double puntiPerMm = 72.0 / 25.4;

// Prints on A4 portrait into a PDF file, the page's top-left corner at the
// painter's origin.
class StampantePdf : public platform::Printer {
public:
    explicit StampantePdf(QString file) : file_(std::move(file)) {}
    bool presente = true;
    bool rifiuta = false;       // the job cannot start
    int pagineStampate = 0;
    bool available() const override { return presente; }
    bool print(const QString &documento, bool orizzontale, int pagine, const Disegno &disegna) override
    {
        if (!presente || rifiuta || pagine < 1)
            return false;
        QPrinter stampante(QPrinter::HighResolution);
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(file_);
        stampante.setDocName(documento);
        stampante.setPageSize(QPageSize(QPageSize::A4));
        stampante.setPageOrientation(orizzontale ? QPageLayout::Landscape : QPageLayout::Portrait);
        stampante.setFullPage(true);
        QPainter p;
        if (!p.begin(&stampante))
            return false;
        for (int i = 0; i < pagine; ++i) {
            if (i > 0)
                stampante.newPage();
            disegna(p, p.viewport(), i);
            ++pagineStampate;
        }
        return p.end();
    }

private:
    QString file_;
};

// One word of a page, in millimetres from the top-left corner.
struct Parola {
    double x0, y0, x1, y1;
    QString testo;
};

inline bool PdftotextPresente()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The words of the first page.
inline std::vector<Parola> Parole(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    std::vector<Parola> parole;
    QXmlStreamReader xml(p.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"word") {
            const auto a = xml.attributes();
            Parola w{a.value(QStringLiteral("xMin")).toDouble() / puntiPerMm, a.value(QStringLiteral("yMin")).toDouble() / puntiPerMm,
                     a.value(QStringLiteral("xMax")).toDouble() / puntiPerMm, a.value(QStringLiteral("yMax")).toDouble() / puntiPerMm,
                     xml.readElementText()};
            parole.push_back(w);
        }
    }
    return parole;
}

// The first word equal to `testo` at or below y `dopo` (millimetres).
inline const Parola *Trova(const std::vector<Parola> &parole, const QString &testo, double dopo = -1)
{
    for (const Parola &w : parole)
        if (w.testo == testo && w.y0 >= dopo)
            return &w;
    return nullptr;
}

// Text placed anywhere (a word, or a drawn string with its place).
struct Scritta {
    double x, y;
    QString testo;
};

// Lines of text, top to bottom: pieces whose tops are within `tolleranza`
// millimetres, left to right, blanks squeezed.
template <typename T>
QStringList Righe(const std::vector<T> &pezzi, double tolleranza = 1.5)
{
    std::vector<Scritta> s;
    for (const T &p : pezzi) {
        if constexpr (std::is_same_v<T, Parola>)
            s.push_back({p.x0, p.y0, p.testo});
        else
            s.push_back({p.x, p.y, p.testo});
    }
    std::stable_sort(s.begin(), s.end(), [](const Scritta &a, const Scritta &b) { return a.y < b.y; });
    std::vector<std::vector<Scritta>> gruppi;
    for (const Scritta &x : s) {
        if (gruppi.empty() || x.y - gruppi.back().front().y > tolleranza)
            gruppi.emplace_back();
        gruppi.back().push_back(x);
    }
    QStringList righe;
    for (auto &g : gruppi) {
        std::sort(g.begin(), g.end(), [](const Scritta &a, const Scritta &b) { return a.x < b.x; });
        QStringList parti;
        for (const Scritta &x : g)
            parti << x.testo;
        righe << parti.join(' ').simplified();
    }
    return righe;
}

// The figures of the level tables, level after level, as text.
struct TabellaLetta {
    QStringList velocita, punteggi;       // five per level
    QStringList medie, punteggiLivello;   // one per level
};

inline TabellaLetta LeggiTabelle(const QStringList &righe)
{
    static const QRegularExpression frase(QStringLiteral("^Frase [1-5] battute / min = (\\S+) Punteggio (\\S+)$"));
    static const QRegularExpression media(QStringLiteral("^Media: battute / min = (\\S+) Punteggio (\\S+)$"));
    TabellaLetta t;
    for (const QString &r : righe) {
        if (auto m = frase.match(r); m.hasMatch()) {
            t.velocita << m.captured(1);
            t.punteggi << m.captured(2);
        } else if (auto m2 = media.match(r); m2.hasMatch()) {
            t.medie << m2.captured(1);
            t.punteggiLivello << m2.captured(2);
        }
    }
    return t;
}

// The overall figures of the printed page or the PDF.
struct TotaliLetti {
    QString velocita, punteggio, errori, battute, rapporto, parola;
};

inline TotaliLetti LeggiTotali(const QStringList &righe)
{
    TotaliLetti t;
    const QString testo = righe.join('\n');
    auto cattura = [&testo](const QString &re, int n = 1) {
        return QRegularExpression(re).match(testo).captured(n);
    };
    t.velocita = cattura(QStringLiteral("Digitazioni al minuto: (\\S+)"));
    t.punteggio = cattura(QStringLiteral("\\bPunteggio: (\\S+)"));
    t.errori = cattura(QStringLiteral("Totale errori di battitura: (\\S+)"));
    t.battute = cattura(QStringLiteral("Totale numero battute: (\\S+)"));
    t.rapporto = cattura(QStringLiteral("Rapporto errori/battute: (\\S+) \\((\\w+)\\)"));
    t.parola = cattura(QStringLiteral("Rapporto errori/battute: (\\S+) \\((\\w+)\\)"), 2);
    return t;
}

} // namespace lettura
