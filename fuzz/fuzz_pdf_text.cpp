// The writer's text and number paths on arbitrary input: any string, any
// float (NaN, infinities, huge and tiny values) through every drawing call.
// The document must stay well formed: numbers in plain notation, every xref
// entry pointing at its object, the end marker in place.
#include "pdf/clsPDFCreator.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool plainNumber(const std::string &s)
{
    size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size() || s == "-0")
        return false;
    size_t digits = 0, point = std::string::npos;
    for (; i < s.size(); ++i) {
        if (s[i] == '.' && point == std::string::npos)
            point = i;
        else if (s[i] >= '0' && s[i] <= '9')
            ++digits;
        else
            return false;
    }
    if (point != std::string::npos && (point + 1 == s.size() || s.size() - point - 1 > 3 || s.back() == '0'))
        return false;
    return digits > 0;
}

float anyFloat(FuzzedDataProvider &in)
{
    uint32_t bits = in.ConsumeIntegral<uint32_t>();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

QString anyText(FuzzedDataProvider &in)
{
    const std::string raw = in.ConsumeRandomLengthString(200);
    if (raw.size() % 2 == 0 && !raw.empty() && raw[0] & 1)
        return QString(reinterpret_cast<const QChar *>(raw.data()), qsizetype(raw.size() / 2));
    return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    clsPDFCreator pdf(nullptr, nullptr);
    pdf.setScaleMode(in.ConsumeIntegralInRange<int>(-1, 4));
    pdf.setPaperSize(in.ConsumeIntegralInRange<int>(0, 4));
    pdf.setMargin(anyFloat(in));
    pdf.setTitle(anyText(in));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!pdf.InitPDFStream(&out))
        std::abort();
    pdf.LoadFont("Fn1", anyText(in), in.ConsumeIntegralInRange<int>(-1, 4));
    pdf.LoadFont("Fn2", "Symbol", in.ConsumeIntegralInRange<int>(0, 3));
    pdf.LoadFontStandard(anyText(in), "Helvetica", 0);

    // Drawing only where a page or a form is open, as callers do: a call
    // outside one fails the document (checked once at the end).
    bool open = false;
    const bool misplaced = in.ConsumeIntegralInRange<int>(0, 15) == 0;
    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps < 64) {
        const double v = in.ConsumeFloatingPoint<double>();
        const std::string s = clsPDFCreator::FormatNumber(v, 3);
        if (!plainNumber(s))
            std::abort();
        const int call = in.ConsumeIntegralInRange<int>(0, 14);
        if (!open && call != 0 && call != 3 && call != 13)
            continue;
        switch (call) {
        case 0: pdf.BeginPage(); open = true; break;
        case 1: pdf.EndPage(); open = false; break;
        case 2: pdf.DrawText(anyFloat(in), anyFloat(in), anyText(in), in.ConsumeBool() ? "Fn1" : "Fn2",
                             anyFloat(in), in.ConsumeIntegralInRange<int>(0, 3), anyFloat(in)); break;
        case 3: {
            const float len = pdf.Length(anyText(in), "fn1", anyFloat(in));
            (void)len;
            break;
        }
        case 4: pdf.SetCharSpacing(anyFloat(in)); pdf.SetWordSpacing(anyFloat(in)); break;
        case 5: pdf.SetTextHorizontalScaling(anyFloat(in)); pdf.SetTextRenderingMode(in.ConsumeIntegral<int>()); break;
        case 6: pdf.SetColorStroke(in.ConsumeIntegral<int32_t>()); pdf.SetColorFill(in.ConsumeIntegral<int32_t>()); break;
        case 7: pdf.SetLineWidth(anyFloat(in)); pdf.SetDash(anyFloat(in), anyFloat(in)); pdf.SetMiterLimit(anyFloat(in)); break;
        case 8: pdf.MoveTo(anyFloat(in), anyFloat(in)); pdf.LineTo(anyFloat(in), anyFloat(in), in.ConsumeIntegral<int>()); break;
        case 9: pdf.Curve(anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in),
                          in.ConsumeIntegral<int>()); break;
        case 10: pdf.Rectangle(anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in), in.ConsumeIntegral<int>(),
                               anyFloat(in)); break;
        case 11: pdf.DrawCircle(anyFloat(in), anyFloat(in), anyFloat(in), in.ConsumeIntegral<int>()); break;
        case 12: pdf.Arc(anyFloat(in), anyFloat(in), anyFloat(in), in.ConsumeFloatingPointInRange<float>(-720, 720),
                         in.ConsumeFloatingPointInRange<float>(-720, 720), anyFloat(in), in.ConsumeBool(), anyFloat(in),
                         in.ConsumeFloatingPointInRange<float>(-1, 90), in.ConsumeIntegral<int>()); break;
        case 13: open |= pdf.StartObject(anyText(in), in.ConsumeIntegral<int>()); break;
        case 14: pdf.DrawImg(anyText(in), anyFloat(in), anyFloat(in), anyFloat(in), anyFloat(in)); pdf.EndObject(); break;
        }
        if (call == 14)
            open = false;   // until the next BeginPage or StartObject, whatever EndObject closed
    }
    if (misplaced) {
        pdf.EndPage();
        pdf.EndObject();
        pdf.SetLineWidth(1);   // outside any stream: must be reported
        pdf.BeginPage();
        if (pdf.ClosePDFFile() || !pdf.hasError())
            std::abort();
        return 0;
    }
    if (pdf.Pages() == 0)
        pdf.BeginPage();
    if (!pdf.ClosePDFFile())
        std::abort();

    // Structure: the end marker, startxref at "xref", every entry at its object.
    const QByteArray file = out.data();
    if (!file.endsWith("%%EOF\r\r\n"))
        std::abort();
    const qsizetype sx = file.lastIndexOf("startxref\r");
    const qsizetype xref = file.mid(sx + 10, file.indexOf('\r', sx + 10) - sx - 10).toLongLong();
    if (!file.mid(xref).startsWith("xref\r\n0 "))
        std::abort();
    const qsizetype count = file.mid(xref + 8, file.indexOf('\r', xref + 8) - xref - 8).toLongLong();
    const qsizetype table = file.indexOf("0000000000 65535 f\r\n", xref);
    for (qsizetype n = 1; n < count; ++n) {
        const qsizetype offset = file.mid(table + 20 * n, 10).toLongLong();
        if (!file.mid(offset, 32).startsWith(QByteArray::number(n) + " 0 obj\r\n"))
            std::abort();
    }
    return 0;
}
