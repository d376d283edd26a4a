#ifndef CARRIEDIMAGE_H
#define CARRIEDIMAGE_H

#include <QBuffer>
#include <QImage>
#include <QString>

// An <img> that carries a blank PNG of the given size in the text, with
// the given attributes after its source.
inline QString carriedImage(int width, int height, const QString &attributes = QString())
{
    QImage picture(width, height, QImage::Format_Mono);
    picture.fill(0);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return "<img src=\"data:image/png;base64," + QString::fromLatin1(png.toBase64()) + "\""
           + attributes + ">";
}

#endif // CARRIEDIMAGE_H
