#include "carriedpicture.h"

#include "dataurl.h"
#include "pictureformats.h"
#include "markupbounds.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// Media types browsers read as XML documents, not as pictures, whatever
// the bytes.
bool isXml(const QString &mediaType)
{
    return mediaType.endsWith(QLatin1String("+xml")) || mediaType == QLatin1String("text/xml")
           || mediaType == QLatin1String("application/xml");
}

} // namespace

CarriedPicture readCarriedPicture(const QString &source)
{
    CarriedPicture picture;
    const DataUrl url = readDataUrl(source);
    if (url.state != DataUrl::Read) {
        picture.refused = url.state == DataUrl::NotData ? PictureRefusal::NotCarried : PictureRefusal::Unreadable;
        return picture;
    }
    PictureParts parts;
    if (!isXml(url.mediaType)) {
        if (pngParts(url.body, parts))
            picture.format = "png";
        else if (jpegParts(url.body, parts))
            picture.format = "jpeg";
        else if (gifParts(url.body, parts))
            picture.format = "gif";
    }
    if (picture.format.isEmpty()) {
        picture.refused = PictureRefusal::NotPicture;
        return picture;
    }
    picture.size = parts.size;
    picture.name = QLatin1String("data:image/") + QLatin1String(picture.format) + QLatin1String(";base64,")
                   + QLatin1String(url.body.toBase64());
    if (parts.size.width() > QuestionMarkupBounds::imageSide || parts.size.height() > QuestionMarkupBounds::imageSide
        || qint64(parts.size.width()) * parts.size.height() > QuestionMarkupBounds::imagePixels) {
        picture.refused = PictureRefusal::TooLarge;
        return picture;
    }
    picture.bytes = parts.kept;
    picture.refused = PictureRefusal::None;
    return picture;
}

QImage decodeCarriedPicture(CarriedPicture &picture)
{
    if (picture.refused != PictureRefusal::None)
        return QImage();
    QBuffer buffer(&picture.bytes);
    QImageReader reader(&buffer, picture.format);
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.size() != picture.size) {
        picture.refused = PictureRefusal::Undecodable;
        return QImage();
    }
    return image;
}
