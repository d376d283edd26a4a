#include "pictureformats.h"

#include <QPoint>

namespace {

// 0 beyond the bytes.
int littleEndian16(const QByteArray &bytes, int at)
{
    return at + 1 < bytes.size() ? byteAt(bytes, at) | byteAt(bytes, at + 1) << 8 : 0;
}

// The bytes of a colour table whose flags are at the given place.
int colourTable(const QByteArray &bytes, int at)
{
    const int flags = byteAt(bytes, at);
    return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0;
}

// Where the data blocks that start at the given place end, after the empty
// block that ends them; beyond the bytes by as many as are missing where
// they are cut short.
int blocksEnd(const QByteArray &bytes, int at)
{
    for (;;) {
        if (at >= bytes.size())
            return at + 1;
        const int length = byteAt(bytes, at);
        at += 1 + length;
        if (length == 0)
            return at;
    }
}

} // namespace

bool gifParts(const QByteArray &bytes, PictureParts &parts)
{
    if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a"))
        return false;
    // The header: the size of the screen the frames are drawn on, and the
    // colour table.
    int at = 13 + colourTable(bytes, 10);
    const QSize screen(littleEndian16(bytes, 6), littleEndian16(bytes, 8));
    if (at > bytes.size())
        return false;
    parts.kept = bytes.left(at);
    QByteArray control;
    for (;;) {
        const int introducer = byteAt(bytes, at);
        if (introducer == 0x21) {
            // An extension: its label, then its data in blocks.
            const int end = blocksEnd(bytes, at + 2);
            if (byteAt(bytes, at + 1) == 0xf9)
                control = bytes.mid(at, end - at);
            at = end;
        } else if (introducer == 0x2c) {
            // The first frame: where it stands on the screen and its size,
            // its colour table, the least size of its codes and its data.
            const QPoint place(littleEndian16(bytes, at + 1), littleEndian16(bytes, at + 3));
            const QSize frame(littleEndian16(bytes, at + 5), littleEndian16(bytes, at + 7));
            const int data = at + 10 + colourTable(bytes, at + 9) + 1;
            if (data > bytes.size() || frame.isEmpty())
                return false;
            // A frame cut short shows as far as it goes, as in browsers.
            const int end = blocksEnd(bytes, data);
            parts.kept += control + bytes.mid(at, end - at) + QByteArray(qMax(0, end - bytes.size()), '\0') + ';';
            // A side of the screen that is 0 is the frame's where it stands,
            // each on its own, as the decoder makes the picture.
            parts.size = QSize(screen.width() > 0 ? screen.width() : place.x() + frame.width(),
                               screen.height() > 0 ? screen.height() : place.y() + frame.height());
            return true;
        } else {
            // The end, or what is no part of a GIF, before any frame.
            return false;
        }
    }
}
