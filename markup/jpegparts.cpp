#include "pictureformats.h"

namespace {

// 0 beyond the bytes.
int bigEndian16(const QByteArray &bytes, int at)
{
    return at + 1 < bytes.size() ? byteAt(bytes, at) << 8 | byteAt(bytes, at + 1) : 0;
}

// Where the data of a scan ends: at the first marker but a restart marker
// (0xFF and 0xD0 to 0xD7) and a 0xFF written as 0xFF 0x00.
int scanDataEnd(const QByteArray &bytes, int at)
{
    for (; at < bytes.size(); ++at) {
        const int next = byteAt(bytes, at + 1);
        if (byteAt(bytes, at) == 0xff && next != 0x00 && !(next >= 0xd0 && next <= 0xd7))
            return at;
    }
    return bytes.size();
}

enum class Segment { Kept, Left, Frame, Scan, Refused };

// What becomes of a segment: the tables and the colour transform are kept;
// a frame of a coding other than Huffman's sequential or progressive one,
// which browsers read, makes the picture one they do not show.
Segment segment(int marker)
{
    switch (marker) {
    case 0xc4: // DHT
    case 0xdb: // DQT
    case 0xdd: // DRI
    case 0xe0: // APP0, JFIF
    case 0xee: // APP14, Adobe
        return Segment::Kept;
    case 0xc0:
    case 0xc1:
    case 0xc2:
        return Segment::Frame;
    case 0xda:
        return Segment::Scan;
    case 0xc3:
    case 0xc5: case 0xc6: case 0xc7:
    case 0xc9: case 0xca: case 0xcb:
    case 0xcd: case 0xce: case 0xcf:
        return Segment::Refused;
    default:
        return Segment::Left;
    }
}

} // namespace

bool jpegParts(const QByteArray &bytes, PictureParts &parts)
{
    if (byteAt(bytes, 0) != 0xff || byteAt(bytes, 1) != 0xd8)
        return false;
    parts.kept = QByteArray("\xff\xd8", 2);
    int at = 2;
    int scans = 0;
    bool framed = false;
    for (;;) {
        // A marker: 0xFF, as many more as a writer filled in, and its code.
        while (at < bytes.size() && byteAt(bytes, at) != 0xff)
            ++at;
        while (byteAt(bytes, at) == 0xff)
            ++at;
        const int marker = byteAt(bytes, at++);
        // Markers without a segment: restarts and the start, out of place.
        if ((marker >= 0xd0 && marker <= 0xd8) || marker == 0x01)
            continue;
        const int length = bigEndian16(bytes, at);
        if (marker < 0 || marker == 0xd9 || length < 2 || at + length > bytes.size())
            break;
        const Segment kind = segment(marker);
        if (kind == Segment::Scan)
            ++scans;
        if (kind == Segment::Refused || (kind == Segment::Frame && framed) || (kind == Segment::Scan && !framed)
            || scans > jpegScans)
            return false;
        if (kind == Segment::Frame) {
            // Precision, height, width: a height of 0 would be given after the first scan.
            parts.size = QSize(bigEndian16(bytes, at + 5), bigEndian16(bytes, at + 3));
            if (length < 8 || parts.size.isEmpty())
                return false;
            framed = true;
        }
        if (kind != Segment::Left)
            parts.kept += char(0xff) + bytes.mid(at - 1, length + 1);
        at += length;
        if (kind == Segment::Scan) {
            const int end = scanDataEnd(bytes, at);
            parts.kept += bytes.mid(at, end - at);
            at = end;
        }
    }
    parts.kept += QByteArray("\xff\xd9", 2);
    return framed;
}
