#ifndef PICTUREFORMATS_H
#define PICTUREFORMATS_H

// Takes the bytes of a PNG, JPEG or GIF; gives its size as its header gives
// it, and the bytes the decoder is to see: only what makes its pixels.

#include <QByteArray>
#include <QSize>

// The byte at a place, -1 beyond the bytes: the readers of the formats
// step through what the file says, which may point past its end.
inline int byteAt(const QByteArray &bytes, int at)
{
    return at < bytes.size() ? quint8(bytes.at(at)) : -1;
}

struct PictureParts
{
    QSize size;     // as the header gives it, before anything is decoded
    QByteArray kept; // the picture with what is not on its format's list left out
};

// Each false where the bytes are not of its format, or give no size.

// Kept: the signature, IHDR (the first chunk), PLTE, tRNS, IDAT and IEND.
bool pngParts(const QByteArray &bytes, PictureParts &parts);

// Kept: the JFIF and Adobe segments (APP0, APP14), the tables (DQT, DHT,
// DRI), the frame (baseline, extended or progressive: SOF0 to SOF2, one of
// them), at most jpegScans scans with their data, and the end.
bool jpegParts(const QByteArray &bytes, PictureParts &parts);
// Scans of a progressive JPEG: encoders write ten or so, and each is a pass
// over all the picture's blocks.
constexpr int jpegScans = 32;

// Kept: the header with its colour table, then the first frame with the
// graphic control extension before it (its transparency), and the end.
bool gifParts(const QByteArray &bytes, PictureParts &parts);

#endif // PICTUREFORMATS_H
