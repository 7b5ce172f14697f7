// The shared PDF workload (pages of 60 text lines plus lines, rectangles and a
// curve) written with our writer, for run_bench.sh beside libharu and cairo:
//   bench_pdf OUT.pdf          -> writes the file, prints "elapsed_ms N"
//   bench_pdf --plain OUT.pdf  -> the same onto a plain QFile: no atomic
//                                 replace, so no fdatasync before the rename
// The page count is BW_PAGES, or the PAGES environment variable of the
// scaling runs (PAGES=2000 run_bench.sh ours=...).
#include "pdf/clsPDFCreator.h"
#include "platform/Services.h"

#if __has_include("../../shared/bench/pdf/bench_workload.h")
#include "../../shared/bench/pdf/bench_workload.h"
#else
#error "bench_workload.h not found: shared/ must sit beside the repository"
#endif

#include <QDateTime>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

class FixedClock : public platform::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 5), QTime(9, 0)); }
    int64_t tickMs() const override { return 0; }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.pdf\n", argv[0]);
        return 2;
    }
    int pages = BW_PAGES;
    if (const char *env = std::getenv("PAGES"); env && std::atoi(env) > 0)
        pages = std::atoi(env);

    const bool plain = argc > 2 && std::strcmp(argv[1], "--plain") == 0;
    const char *out = argv[argc - 1];

    const double t0 = bw_now_ms();
    FixedClock clock;
    clsPDFCreator pdf(&clock, nullptr);
    pdf.setPaperSize(255);
    pdf.setPaperWidth(float(BW_PAGE_W));
    pdf.setPaperHeight(float(BW_PAGE_H));
    QString name = QString::fromLocal8Bit(out);
    QFile file(name);
    const bool opened = plain ? file.open(QIODevice::WriteOnly | QIODevice::Truncate) && pdf.InitPDFStream(&file)
                              : pdf.InitPDFFile(name);
    if (!opened) {
        std::fprintf(stderr, "cannot create %s\n", out);
        return 1;
    }
    pdf.LoadFontStandard("F1", "Helvetica");
    const int blue = 51 + 51 * 256 + 153 * 65536;   // 0.2 0.2 0.6
    char text[BW_CHARS + 1];
    for (int p = 0; p < pages; ++p) {
        pdf.BeginPage();
        pdf.SetColorStroke(blue);
        pdf.SetLineWidth(0.75f);
        for (int i = 0; i < 3; ++i) {
            pdf.MoveTo(float(bw_lines[i][0]), float(bw_lines[i][1]));
            pdf.LineTo(float(bw_lines[i][2]), float(bw_lines[i][3]), i == 2 ? 1 : 0);
        }
        for (int i : {0, 2})
            pdf.Rectangle(float(bw_rects[i][0]), float(bw_rects[i][1]), float(bw_rects[i][2]),
                          float(bw_rects[i][3]), 1);
        pdf.SetColorFill(-217);                        // grey 0.851
        pdf.Rectangle(float(bw_rects[1][0]), float(bw_rects[1][1]), float(bw_rects[1][2]),
                      float(bw_rects[1][3]), 4);
        pdf.MoveTo(float(bw_curve[0]), float(bw_curve[1]));
        pdf.Curve(float(bw_curve[2]), float(bw_curve[3]), float(bw_curve[4]), float(bw_curve[5]),
                  float(bw_curve[6]), float(bw_curve[7]), 1);
        pdf.SetColorFill(0);
        for (int l = 0; l < BW_LINES; ++l) {
            bw_line(p, l, text);
            pdf.DrawText(float(BW_LEFT), float(BW_TOP_BASELINE - l * BW_LEADING), QString::fromLatin1(text),
                         "F1", float(BW_FONT_SIZE));
        }
        pdf.EndPage();
    }
    if (!pdf.ClosePDFFile() || (plain && !file.flush())) {
        std::fprintf(stderr, "write failed: %s\n", qPrintable(pdf.errorString()));
        return 1;
    }
    std::printf("elapsed_ms %.3f\n", bw_now_ms() - t0);
    return 0;
}
