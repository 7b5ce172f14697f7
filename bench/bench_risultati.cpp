// The results of a run of fifteen sentences: the time to build the results PDF
// (the whole CreaPDF work: figures, texts, the writer, the file written and
// replaced atomically; and the same page into memory, without the file), and
// the time from the call that opens the results window to the end of its first
// paint (the window's own loading, the backdrop's fade and the opening sound
// are not part of it). Fake services, offscreen platform at 96 DPI.
//
// Usage: bench_risultati [--runs N] [--folder DIR]
//   --runs N      repetitions of each measure (default 200 for the PDF, N / 4 for the window)
//   --folder DIR  where the PDF files go (default: a temporary folder)

#include "practice/modClavora.h"
#include "pdf/clsPDFCreator.h"
#include "results/PdfRisultati.h"
#include "results/frmClassifica.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFont>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Misure {
    std::vector<double> tempo, cpu;
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void stampa(const char *nome, const Misure &m)
{
    std::printf("%-44s runs %4zu  median %7.3f  p90 %7.3f  p99 %7.3f  max %7.3f ms   (cpu median %7.3f, p99 %7.3f)\n",
                nome, m.tempo.size(), percentile(m.tempo, 0.5), percentile(m.tempo, 0.9),
                percentile(m.tempo, 0.99), percentile(m.tempo, 1.0), percentile(m.cpu, 0.5),
                percentile(m.cpu, 0.99));
}

// A window that says when its first paint is over.
class FinestraMisurata : public frmClassifica {
public:
    using frmClassifica::frmClassifica;
    bool dipinta = false;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        frmClassifica::paintEvent(e);
        dipinta = true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("Liberation Sans", 9));

    int runs = 200;
    QString cartella;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--runs")
            runs = std::max(1, args[i + 1].toInt());
        else if (args[i] == "--folder")
            cartella = args[i + 1];
    }
    QTemporaryDir temporanea;
    if (cartella.isEmpty())
        cartella = temporanea.path();
    if (!cartella.endsWith('/'))
        cartella += '/';

    fake::Services fakes;
    fakes.desktop.temp = cartella;
    modClavora stato(fakes.services());
    stato.nomeUtente = "ANNA";
    const float velocita[15] = {2.0f, 2.5f, 3.1f, 1.2f, 2.6f, 2.2f, 1.9f, 2.8f,
                                2.4f, 2.1f, 1.7f, 2.9f, 3.3f, 2.0f, 2.6f};
    for (int i = 0; i < 15; ++i)
        stato.velocitaFrase[size_t(i + 1)] = velocita[i];
    stato.livelloCorrente = 3;
    stato.tipoFineLivello = 2;
    stato.totaleBattute = 1874;
    stato.totaleErrori = 23;

    // The PDF as the PDF button writes it, into its file.
    Misure file, memoria;
    const QString percorso = risultati::PercorsoPDF(cartella, stato.nomeUtente);
    qint64 dimensione = 0;
    for (int i = 0; i < runs + 5; ++i) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        const risultati::DatiReport dati = risultati::PreparaReport(stato, {});
        const auto esito = risultati::ScriviPDF(percorso, dati, &fakes.clock, &fakes.random);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (esito != risultati::EsitoPDF::Creato) {
            std::fprintf(stderr, "the PDF could not be written in %s\n", qPrintable(cartella));
            return 1;
        }
        if (i >= 5) {   // the first runs load fonts and warm the caches
            file.tempo.push_back(ms);
            file.cpu.push_back(cpuMs() - c0);
        }
    }
    dimensione = QFileInfo(percorso).size();

    // The same page into memory: the writer's and our own work alone.
    const risultati::DatiReport dati = risultati::PreparaReport(stato, {});
    for (int i = 0; i < runs + 5; ++i) {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        clsPDFCreator pdf(&fakes.clock, &fakes.random);
        risultati::ImpostaDocumento(pdf);
        pdf.InitPDFStream(&b);
        risultati::DisegnaPDF(pdf, dati);
        pdf.ClosePDFFile();
        if (i >= 5) {
            memoria.tempo.push_back(double(t.nsecsElapsed()) / 1e6);
            memoria.cpu.push_back(cpuMs() - c0);
        }
    }

    // The window, from the call that creates it to the end of its first paint.
    Misure finestra;
    const int aperture = std::max(1, runs / 4);
    for (int i = 0; i < aperture + 3; ++i) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        FinestraMisurata f(stato);
        f.show();
        while (!f.dipinta)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        const double cpu = cpuMs() - c0;
        if (i >= 3) {
            finestra.tempo.push_back(ms);
            finestra.cpu.push_back(cpu);
        }
        f.hide();
        QCoreApplication::processEvents();
    }

    std::printf("results PDF: %lld bytes, three levels\n", static_cast<long long>(dimensione));
    stampa("PDF written to its file (CreaPDF)", file);
    stampa("PDF page into memory (no file)", memoria);
    stampa("results window, call to first paint", finestra);
    std::printf("targets: PDF under 10 ms, window under 50 ms\n");
    return 0;
}
