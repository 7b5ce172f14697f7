// ReadBMP on arbitrary bytes: it must refuse what does not add up and never
// read outside the buffer; what it accepts must be a well-formed image.
#include "pdf/clsPDFCreator.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly the input, so the sanitizer sees any over-read.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (bool grey : {false, true}) {
        clsPDFCreator::BmpImage img;
        if (!clsPDFCreator::ReadBMPData(bytes, grey, img))
            continue;
        const qint64 row = img.bpp == 24 ? qint64(img.width) * (grey ? 1 : 3)
                                         : (qint64(img.bpp) * img.width + 7) / 8;
        if (img.pixels.size() != row * img.height)
            std::abort();
        if (img.bpp <= 8 && img.palette.size() != (qint64(1) << img.bpp) * (grey ? 1 : 3))
            std::abort();
        clsPDFCreator pdf(nullptr, nullptr);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        if (!pdf.InitPDFStream(&out))
            std::abort();
        pdf.setEncodeASCII85(grey);
        if (!pdf.LoadImgFromArray("Im", img.pixels, img.palette, img.width, img.height, img.bpp,
                                  grey ? 1 : 0))
            std::abort();
        pdf.BeginPage();
        pdf.DrawImg("Im", 0, 100, 100, 100);
        pdf.EndPage();
        if (!pdf.ClosePDFFile())
            std::abort();
    }
    return 0;
}
