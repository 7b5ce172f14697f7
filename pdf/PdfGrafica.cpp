// Graphics state and paths: colours, lines, rectangles, circles and arcs.
#include "pdf/clsPDFCreator.h"

#include "pdf/PdfInterno.h"

#include <algorithm>
#include <cmath>

using pdfinterno::kPi;

namespace {

constexpr int kMaxArcPoints = 100000;

} // namespace

// ---------------------------------------------------------------- graphics state

void clsPDFCreator::setColor(int32_t rgb, bool stroke)
{
    if (!canDraw())
        return;
    if (rgb <= 0) {
        // Values below -255 are clamped to white rather than leaving 0..1.
        putNum(rgb < -255 ? 1.0 : -double(rgb) / 255);
        WriteLine(stroke ? " G" : " g");
        return;
    }
    putNum((rgb & 0xFF) / 255.0); put(" ");
    putNum(((rgb >> 8) & 0xFF) / 255.0); put(" ");
    putNum(((rgb >> 16) & 0xFF) / 255.0);
    WriteLine(stroke ? " RG" : " rg");
}

void clsPDFCreator::SetColorStroke(int32_t rgb) { setColor(rgb, true); }
void clsPDFCreator::SetColorFill(int32_t rgb) { setColor(rgb, false); }

void clsPDFCreator::SetLineWidth(float W)
{
    if (!canDraw())
        return;
    const float w = ToPoints(W);
    putNum(w > 0 ? w : 0);   // a negative width is not valid PDF
    WriteLine(" w");
}

void clsPDFCreator::SetDash(float dash_on, float dash_off)
{
    if (!canDraw())
        return;
    // Negative lengths are not valid and an all-zero pattern stops
    // ghostscript: they become 0, and a pattern that writes as all zeros is solid.
    auto length = [this](float v) {
        const double p = ToPoints(v);
        return std::isfinite(p) && p > 0 ? p : 0.0;
    };
    const double on = length(dash_on), off = length(dash_off);
    if (FormatNumber(on) != "0" || FormatNumber(off) != "0") {
        put("[");
        putNum(on);
        put(" ");
        putNum(off);
        WriteLine("] 0 d");
    } else {
        WriteLine("[ ] 0 d");
    }
}

void clsPDFCreator::SetLineCap(int32_t W)
{
    if (!canDraw() || W < 0 || W > 2)
        return;
    putInt(W);
    WriteLine(" J");
}

void clsPDFCreator::SetLineJoin(int32_t W)
{
    if (!canDraw() || W < 0 || W > 2)
        return;
    putInt(W);
    WriteLine(" j");
}

void clsPDFCreator::SetMiterLimit(float W)
{
    if (!canDraw() || !(W >= 1))
        return;
    putNum(W);
    WriteLine(" M");
}

// ---------------------------------------------------------------- paths

void clsPDFCreator::dropPath()
{
    if (pathOpen_) {
        WriteLine("n");
        pathOpen_ = false;
    }
}

void clsPDFCreator::MoveTo(float X, float Y)
{
    if (!canDraw())
        return;
    putNum(ToPoints(X)); put(" ");
    putNum(ToPoints(Y));
    WriteLine(" m");
    pathStarted();
}

void clsPDFCreator::LineTo(float X, float Y, int32_t Options)
{
    if (!canDraw())
        return;
    putNum(ToPoints(X)); put(" ");
    putNum(ToPoints(Y));
    WriteLine(" l");
    PaintPath(Options);
}

void clsPDFCreator::Curve(float X1, float Y1, float X2, float Y2, float X3, float Y3, int32_t Options)
{
    if (!canDraw())
        return;
    for (float v : {X1, Y1, X2, Y2, X3}) {
        putNum(ToPoints(v));
        put(" ");
    }
    putNum(ToPoints(Y3));
    WriteLine(" c");
    PaintPath(Options);
}

void clsPDFCreator::PaintPath(int32_t Options)
{
    if (!canDraw())
        return;
    if ((Options & 7) == 7) {
        WriteLine("b");
    } else if ((Options & 5) == 5) {
        WriteLine("B");
    } else if (Options & 4) {
        WriteLine("f");
    } else if (Options & 2) {
        WriteLine("h");
        if (!(Options & 1))
            return;
        WriteLine("S");
    } else if (Options & 1) {
        WriteLine("S");
    } else {
        return;
    }
    pathOpen_ = false;
}

void clsPDFCreator::Rectangle(float X, float Y, float xdim, float ydim, int32_t Options, float Ray)
{
    if (!canDraw())
        return;
    dropPath();
    if (Ray > 0) {
        float R = Ray;
        if (R > xdim / 2)
            R = xdim / 2;
        if (R > ydim / 2)
            R = ydim / 2;
        const float k = float(double(R) * 0.55);
        const float W = xdim, H = ydim;
        MoveTo(X + R, Y);
        LineTo(X + W - R, Y, 0);
        Curve(X + W - R + k, Y, X + W, Y + R - k, X + W, Y + R, 0);
        LineTo(X + W, Y + H - R, 0);
        Curve(X + W, Y + H - R + k, X + W - R + k, Y + H, X + W - R, Y + H, 0);
        LineTo(X + R, Y + H, 0);
        Curve(X + R - k, Y + H, X, Y + H - R + k, X, Y + H - R, 0);
        LineTo(X, Y + R, 0);
        Curve(X, Y + R - k, X + R - k, Y, X + R, Y, 0);
    } else {
        putNum(ToPoints(X)); put(" ");
        putNum(ToPoints(Y)); put(" ");
        putNum(ToPoints(xdim)); put(" ");
        putNum(ToPoints(ydim));
        WriteLine(" re");
        pathStarted();
    }
    PaintPath(Options);
}

void clsPDFCreator::DrawCircle(float X, float Y, float Ray, int32_t Options)
{
    if (!canDraw())
        return;
    const float R = Ray;
    const float k = float(double(R) * 0.55);
    MoveTo(X, Y - R);
    Curve(X + k, Y - R, X + R, Y - k, X + R, Y, 0);
    Curve(X + R, Y + k, X + k, Y + R, X, Y + R, 0);
    Curve(X - k, Y + R, X - R, Y + k, X - R, Y, 0);
    Curve(X - R, Y - k, X - k, Y - R, X, Y - R, 0);
    PaintPath(Options);
}

void clsPDFCreator::Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                        bool Pie, float Rotate, float Quality, int32_t Options)
{
    if (!canDraw())
        return;
    // A step that never reaches the end (or would take forever) draws nothing.
    if (!std::isfinite(StartAngle) || !std::isfinite(EndAngle) || !std::isfinite(Quality)
        || !(Quality > 0))
        return;
    if (EndAngle > StartAngle && double(EndAngle - StartAngle) / Quality > kMaxArcPoints)
        return;
    dropPath();
    MoveTo(X, Y);
    if (Options & 4)
        Pie = true;
    const double d = kPi / 180;
    const double s = std::sin(-d * Rotate), c = std::cos(-d * Rotate);
    for (float a = StartAngle; a <= EndAngle; a += Quality) {
        const double u = double(Ray) * std::cos(d * a);
        const double v = double(Ratio) * Ray * std::sin(d * a);
        const float px = float(c * u + s * v);
        const float py = float(-u * s + c * v);
        if (!Pie && a == StartAngle)
            MoveTo(X + px, Y + py);
        LineTo(X + px, Y + py, 0);
        if (a + Quality == a)
            break;   // the single-precision counter can no longer advance
    }
    if (Pie)
        LineTo(X, Y, 0);
    PaintPath(Options);
}
