#ifndef CARRIEDPICTURE_H
#define CARRIEDPICTURE_H

// Takes an img's src; gives the PNG, JPEG or GIF it carries as a data: URL,
// its size bounded from its header before anything is decoded, or why not.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

enum class PictureRefusal {
    None,
    NotCarried,  // not a data: URL: the text names a picture, it does not carry it
    Unreadable,  // a data: URL browsers do not read (no comma, base64 that is none)
    NotPicture,  // no PNG, JPEG or GIF with a size in its header, or one browsers do not show
    TooLarge,    // a side beyond QuestionMarkupBounds::imageSide, or more than imagePixels pixels
    Undecodable, // the decoder gave no picture of the size its header gave
};

struct CarriedPicture
{
    PictureRefusal refused = PictureRefusal::NotCarried;
    QByteArray format; // "png", "jpeg" or "gif"
    QSize size;        // as its header gives it
    // The URL written anew, in one form ("data:image/png;base64,…" with the
    // bytes as carried): the name the display knows the picture by.
    QString name;
    // The bytes the decoder is to see: what makes the pixels, every chunk,
    // segment or extension not on its format's list (pictureformats.h) left
    // out, so that nothing compressed but the pixels is inflated.
    QByteArray bytes;
};

// Reads src as browsers read a data: URL in an img (they go by the bytes,
// not the media type, unless it is one of XML), and the picture's header;
// decodes nothing.
CarriedPicture readCarriedPicture(const QString &source);

// The pixels of a picture readCarriedPicture() refused nothing of, with
// Qt's decoder for its format alone; a null image, with refused set to
// Undecodable, where that gives no picture of its size.
QImage decodeCarriedPicture(CarriedPicture &picture);

#endif // CARRIEDPICTURE_H
