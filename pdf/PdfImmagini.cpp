// Images: BMP files and raw pixel arrays as image XObjects, and their drawing.
#include "pdf/clsPDFCreator.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

quint32 readU32(const uchar *p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24); }
quint16 readU16(const uchar *p) { return quint16(p[0] | (p[1] << 8)); }

uchar greyOf(int r, int g, int b)
{
    // The weights add up to 1.03: very light colours saturate at white.
    double v = std::nearbyint(0.33 * r + 0.59 * g + 0.11 * b);
    return uchar(v > 255 ? 255 : v);
}

} // namespace

// ---------------------------------------------------------------- images

bool clsPDFCreator::ReadBMP(const QString &fileName, bool grey, BmpImage &out)
{
    out = BmpImage();
    // Regular files only: opening a FIFO would wait for a writer for ever,
    // and a device may never end.
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    QFile f;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxBmpBytes
        || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const QByteArray data = f.read(kMaxBmpBytes + 1);
    if (data.size() > kMaxBmpBytes)
        return false;
    return ReadBMPData(data, grey, out);
}

bool clsPDFCreator::ReadBMPData(const QByteArray &data, bool grey, BmpImage &out)
{
    out = BmpImage();
    const qint64 size = data.size();
    if (size < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const quint32 dataOffset = readU32(p + 10);
    const quint32 headerSize = readU32(p + 14);
    const qint32 width = qint32(readU32(p + 18));
    const qint32 height = qint32(readU32(p + 22));
    const quint16 bits = readU16(p + 28);
    const quint32 compression = readU32(p + 30);
    const quint32 coloursUsed = readU32(p + 46);
    // Only uncompressed bottom-up files with a Windows header are supported.
    if (headerSize < 40 || headerSize > size - 14 || compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return false;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return false;

    if (bits <= 8) {
        const qint64 entries = qint64(1) << bits;
        const qint64 stored = (coloursUsed > 0 && coloursUsed < quint32(entries)) ? coloursUsed : entries;
        const qint64 paletteAt = 14 + qint64(headerSize);
        if (paletteAt + stored * 4 > size)
            return false;
        out.palette.fill('\0', entries * (grey ? 1 : 3));
        auto *dst = reinterpret_cast<uchar *>(out.palette.data());
        for (qint64 i = 0; i < stored; ++i) {
            const uchar *e = p + paletteAt + i * 4;
            if (grey) {
                dst[i] = greyOf(e[2], e[1], e[0]);
            } else {
                dst[i * 3] = e[2];
                dst[i * 3 + 1] = e[1];
                dst[i * 3 + 2] = e[0];
            }
        }
    }

    // The pixels start after the headers and the palette; an offset inside
    // them (0 in broken files) would read the headers as pixels.
    qint64 headersEnd = 14 + qint64(headerSize);
    if (bits <= 8)
        headersEnd += 4 * ((coloursUsed > 0 && coloursUsed < (1u << bits)) ? qint64(coloursUsed) : (qint64(1) << bits));
    if (qint64(dataOffset) < headersEnd)
        return false;

    const qint64 rowSize = (qint64(bits) * width + 31) / 32 * 4;
    const qint64 rowBytes = (qint64(bits) * width + 7) / 8;
    if (qint64(dataOffset) > size || rowSize * height > size - qint64(dataOffset))
        return false;
    const uchar *src = p + dataOffset;
    if (bits <= 8) {
        out.pixels.resize(rowBytes * height);
        auto *dst = out.pixels.data();
        for (qint64 y = 0; y < height; ++y)
            std::memcpy(dst + y * rowBytes, src + y * rowSize, size_t(rowBytes));
    } else {
        out.pixels.resize(qint64(width) * height * (grey ? 1 : 3));
        auto *dst = reinterpret_cast<uchar *>(out.pixels.data());
        for (qint64 y = 0; y < height; ++y) {
            const uchar *row = src + y * rowSize;
            for (qint64 x = 0; x < width; ++x) {
                const uchar b = row[x * 3], g = row[x * 3 + 1], r = row[x * 3 + 2];
                if (grey) {
                    *dst++ = greyOf(r, g, b);
                } else {
                    *dst++ = r;
                    *dst++ = g;
                    *dst++ = b;
                }
            }
        }
    }
    out.width = width;
    out.height = height;
    out.bpp = bits;
    return true;
}

bool clsPDFCreator::LoadImgFromBMPFile(const QString &Name, const QString &FileName, int32_t ColorSpace)
{
    if (!canLoad())
        return false;
    BmpImage img;
    if (!ReadBMP(FileName, ColorSpace != 0, img))
        return false;
    return LoadImgFromArray(Name, img.pixels, img.palette, img.width, img.height, img.bpp, ColorSpace);
}

void clsPDFCreator::writeStreamObject(const QByteArray &dict, const QByteArray &data)
{
    buf_.append(dict.constData(), size_t(dict.size()));
    // "stream" must be followed by CR LF or LF, never a lone CR.
    put(">>\rstream\r\n");
    flush();
    if (out_ && error_.isEmpty() && out_->write(data) != data.size())
        fail(QStringLiteral("Scrittura non riuscita: %1").arg(out_->errorString()));
    written_ += data.size();
    WriteLine("\rendstream");
    CloseObject();
}

bool clsPDFCreator::LoadImgFromArray(const QString &Name, const QByteArray &ImgBuf,
                                     const QByteArray &ImgColor, int32_t ImgWidth, int32_t ImgHeight,
                                     int32_t ImgBPP, int32_t ColorSpace)
{
    if (!canLoad())
        return false;
    if (ImgBPP != 1 && ImgBPP != 4 && ImgBPP != 8 && ImgBPP != 24)
        return false;
    if (ImgWidth <= 0 || ImgHeight <= 0)
        return false;
    const bool grey = ColorSpace != 0;
    const qint64 rowBytes = ImgBPP == 24 ? qint64(ImgWidth) * (grey ? 1 : 3)
                                         : (qint64(ImgBPP) * ImgWidth + 7) / 8;
    // Sample data of another size would not decode.
    if (rowBytes * ImgHeight != ImgBuf.size())
        return false;

    const QByteArray space = grey ? "DeviceGray" : "DeviceRGB";
    QByteArray palette;
    if (ImgBPP <= 8) {
        palette = ImgColor.left((qint64(1) << ImgBPP) * (grey ? 1 : 3));
        palette.append(QByteArray((qint64(1) << ImgBPP) * (grey ? 1 : 3) - palette.size(), '\0'));
    }

    const int n = NewObject(0);
    put("<<\r/Type /XObject\r/Subtype /Image\r/Name /");
    putName(toAnsi(Name));
    put("\r/Width " + std::to_string(ImgWidth) + "\r/Height " + std::to_string(ImgHeight));
    if (encodeASCII85_)
        put("\r/Filter /ASCII85Decode");
    endLine();
    if (ImgBPP == 24) {
        put("/BitsPerComponent 8\r/ColorSpace /" + space.toStdString());
    } else {
        put("/BitsPerComponent " + std::to_string(ImgBPP) + "\r/ColorSpace [/Indexed /"
            + space.toStdString() + " " + std::to_string((1 << ImgBPP) - 1) + " "
            + std::to_string(n + 2) + " 0 R]");
    }
    put("\r/Length " + std::to_string(n + 1) + " 0 R");
    endLine();

    const QByteArray data = encodeASCII85_ ? ASCII85Encode(ImgBuf) : ImgBuf;
    writeStreamObject(QByteArray(), data);

    addResource(imageResources_, toAnsi(Name), n);
    anyImage_ = true;

    // The length counts the whole encoded text, end marker included.
    NewObject(0);
    putInt(data.size());
    endLine();
    CloseObject();

    if (ImgBPP <= 8) {
        const QByteArray text = encodeASCII85_ ? ASCII85Encode(palette) : palette;
        NewObject(0);
        QByteArray dict = "<<";
        if (encodeASCII85_)
            dict += "/Filter /ASCII85Decode\r";
        dict += "/Length " + QByteArray::number(text.size()) + " ";
        writeStreamObject(dict, text);
    }
    return true;
}

void clsPDFCreator::DrawImg(const QString &Name, float DestX, float DestY, float ImgWidth, float ImgHeight)
{
    if (!canDraw())
        return;
    put("q\r");
    putNum(ToPoints(ImgWidth));
    put("  0 0 ");
    putNum(-double(ToPoints(ImgHeight)));
    put(" ");
    putNum(ToPoints(DestX));
    put(" ");
    putNum(ToPoints(DestY));
    put(" cm\r/");
    putName(toAnsi(Name));
    WriteLine(" Do\rQ");
}
