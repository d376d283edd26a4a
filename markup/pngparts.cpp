#include "pictureformats.h"

#include <QSet>

namespace {

quint32 bigEndian32(const QByteArray &bytes, int at)
{
    quint32 number = 0;
    for (int i = 0; i < 4; ++i)
        number = number << 8 | quint8(bytes.at(at + i));
    return number;
}

} // namespace

bool pngParts(const QByteArray &bytes, PictureParts &parts)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    // The signature, then IHDR of 13 bytes: width, height and how pixels are written.
    if (!bytes.startsWith(signature) || bytes.size() < 33 || bigEndian32(bytes, 8) != 13
        || bytes.mid(12, 4) != "IHDR")
        return false;
    const quint32 width = bigEndian32(bytes, 16);
    const quint32 height = bigEndian32(bytes, 20);
    if (width == 0 || height == 0 || width > 0x7fffffff || height > 0x7fffffff)
        return false;
    parts.size = QSize(int(width), int(height));
    parts.kept = bytes.left(33);
    // The chunks that make the pixels, each but IDAT once.
    QSet<QByteArray> once{"PLTE", "tRNS", "IEND"};
    int at = 33;
    bool ended = false;
    while (!ended && at + 12 <= bytes.size()) {
        const quint32 length = bigEndian32(bytes, at);
        if (length > quint32(bytes.size() - at - 12))
            break;
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IDAT" || once.remove(type))
            parts.kept += bytes.mid(at, int(length) + 12);
        ended = type == "IEND";
        at += int(length) + 12;
    }
    // A picture cut short shows as far as it goes, as in browsers.
    if (!ended)
        parts.kept += QByteArray("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    return true;
}
