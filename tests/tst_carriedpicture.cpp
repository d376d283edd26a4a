// Pictures a question carries in data: URLs: read as browsers read them,
// their size bounded from the header, and nothing but their pixels left
// for the decoder.

#include "carriedpicture.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(PictureRefusal)

class tst_CarriedPicture : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void pixelsAlone_data();
    void pixelsAlone();
};

namespace {

// A picture as Qt writes it, with a text and a colour profile if given.
QByteArray written(const QSize &size, const char *format, const QString &text = QString(),
                   const QColorSpace &profile = QColorSpace())
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setColorSpace(profile);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!text.isEmpty())
        writer.setText(QStringLiteral("Comment"), text);
    writer.write(picture);
    return bytes;
}

QByteArray littleEndian16(int number)
{
    return QByteArray(1, char(number & 0xff)) + char(number >> 8);
}

// A GIF of two colours (Qt writes none): the screen, then for each frame
// where it stands and its size, all pixels of colour 1 (a clear code and
// the colour, in codes of three bits), each after the extensions given.
QByteArray gif(const QSize &screen, const QVector<QRect> &frames, const QByteArray &extensions = QByteArray())
{
    QByteArray bytes = "GIF89a" + littleEndian16(screen.width()) + littleEndian16(screen.height())
                       + QByteArray("\x80\0\0\xff\0\0\0\0\xff", 9);
    for (const QRect &frame : frames) {
        QByteArray codes;
        quint32 bits = 0;
        int count = 0;
        for (int i = 0; i <= 2 * frame.width() * frame.height(); ++i) {
            bits |= (i == 2 * frame.width() * frame.height() ? 5 : i % 2 ? 1 : 4) << count;
            for (count += 3; count >= 8; count -= 8, bits >>= 8)
                codes += char(bits & 0xff);
        }
        codes += char(bits);
        bytes += extensions + ',' + littleEndian16(frame.x()) + littleEndian16(frame.y())
                 + littleEndian16(frame.width()) + littleEndian16(frame.height()) + QByteArray("\0\2", 2);
        for (int at = 0; at < codes.size(); at += 255)
            bytes += char(codes.mid(at, 255).size()) + codes.mid(at, 255);
        bytes += '\0';
    }
    return bytes + ';';
}

// A picture of noise, which no compression makes small.
QByteArray noisy(const QSize &size, const char *format)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(picture.bits()), picture.width() * picture.height());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(picture);
    return bytes;
}

// Where the segment of the given marker stands in a JPEG, and where it ends.
int segmentAt(const QByteArray &jpeg, char marker)
{
    return jpeg.indexOf(QByteArray(1, char(0xff)) + marker);
}
int segmentEnd(const QByteArray &jpeg, char marker)
{
    const int at = segmentAt(jpeg, marker);
    return at + 2 + (quint8(jpeg.at(at + 2)) << 8 | quint8(jpeg.at(at + 3)));
}

QString dataUrl(const QByteArray &bytes, const QString &head = QStringLiteral("data:image/png;base64,"))
{
    return head + QString::fromLatin1(bytes.toBase64());
}

} // namespace

void tst_CarriedPicture::read_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<PictureRefusal>("refused");
    QTest::addColumn<QSize>("size");

    const QByteArray png = written(QSize(2, 1), "png");
    const QString base64 = QString::fromLatin1(png.toBase64());
    QTest::newRow("PNG") << dataUrl(png) << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("as browsers forgive it")
        << " \tDATA:IMAGE/PNG ; BASE64, " + base64.left(9) + "\r\n " + base64.mid(9).replace("+", "%2B") + "#x "
        << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("a type not of a picture: the bytes decide") << dataUrl(png, "data:text/plain;base64,")
                                                              << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("percent-encoded, not base64")
        << "data:," + QString::fromLatin1(png.toPercentEncoding()) << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("an XML type") << dataUrl(png, "data:image/svg+xml;base64,") << PictureRefusal::NotPicture << QSize();
    QTest::newRow("no comma") << "data:image/png;base64" << PictureRefusal::Unreadable << QSize();
    QTest::newRow("a character more than base64 has") << dataUrl(png) + "A" << PictureRefusal::Unreadable << QSize();
    QTest::newRow("a character not of base64") << dataUrl(png).replace(30, 1, "*") << PictureRefusal::Unreadable
                                                << QSize();
    QTest::newRow("a file") << "picture.png" << PictureRefusal::NotCarried << QSize();
    QTest::newRow("not a picture") << dataUrl("<svg/>") << PictureRefusal::NotPicture << QSize();
    QTest::newRow("GIF cut short in its header") << dataUrl("GIF87aGI") << PictureRefusal::NotPicture << QSize();
    QTest::newRow("JPEG cut short in its frame") << dataUrl(QByteArray("\xff\xd8\xff\xc0\0\x11\x08\0", 8))
                                                 << PictureRefusal::NotPicture << QSize();
    // Each bound from both sides, in each format.
    QTest::newRow("PNG, 2048 wide") << dataUrl(written(QSize(2048, 1), "png")) << PictureRefusal::None
                                    << QSize(2048, 1);
    QTest::newRow("2049 high") << dataUrl(written(QSize(1, 2049), "png")) << PictureRefusal::TooLarge << QSize(1, 2049);
    QTest::newRow("PNG, all pixels") << dataUrl(written(QSize(1024, 2048), "png")) << PictureRefusal::None
                                     << QSize(1024, 2048);
    QTest::newRow("a row more") << dataUrl(written(QSize(2048, 1025), "png")) << PictureRefusal::TooLarge
                                << QSize(2048, 1025);
    QTest::newRow("JPEG, 2048 high") << dataUrl(written(QSize(1, 2048), "jpeg")) << PictureRefusal::None
                                     << QSize(1, 2048);
    QTest::newRow("2049 wide") << dataUrl(written(QSize(2049, 1), "jpeg")) << PictureRefusal::TooLarge
                               << QSize(2049, 1);
    QByteArray arithmetic = written(QSize(2, 1), "jpeg");
    arithmetic.replace("\xff\xc0", QByteArray("\xff\xc9"));
    QTest::newRow("JPEG coded arithmetically") << dataUrl(arithmetic) << PictureRefusal::NotPicture << QSize();
    QTest::newRow("GIF, all pixels on its screen") << dataUrl(gif(QSize(2048, 1024), {QRect(0, 0, 1, 1)}))
                                                   << PictureRefusal::None << QSize(2048, 1024);
    QTest::newRow("a row more") << dataUrl(gif(QSize(2048, 1025), {QRect(0, 0, 1, 1)}))
                                << PictureRefusal::TooLarge << QSize(2048, 1025);
    // Without a screen, the frame where it stands gives the size.
    QTest::newRow("GIF without a screen") << dataUrl(gif(QSize(0, 0), {QRect(2047, 0, 1, 1)}))
                                          << PictureRefusal::None << QSize(2048, 1);
    QTest::newRow("a column more") << dataUrl(gif(QSize(0, 0), {QRect(2048, 0, 1, 1)}))
                                   << PictureRefusal::TooLarge << QSize(2049, 1);
    // A side of the screen that is 0 takes the frame's, each on its own.
    QTest::newRow("a screen of no height") << dataUrl(gif(QSize(5, 0), {QRect(0, 0, 3, 2)}))
                                           << PictureRefusal::None << QSize(5, 2);
    QTest::newRow("a screen of no width but 2049 high") << dataUrl(gif(QSize(0, 2049), {QRect(0, 0, 1, 1)}))
                                                        << PictureRefusal::TooLarge << QSize(1, 2049);
    QTest::newRow("GIF87a") << dataUrl("GIF87a" + gif(QSize(2, 1), {QRect(0, 0, 2, 1)}).mid(6))
                            << PictureRefusal::None << QSize(2, 1);

    // The forms of a data: URL at their edges.
    const QByteArray padded = png + QByteArray((4 - png.size() % 3) % 3, '\0'); // its base64 ends in "=="
    QTest::newRow("base64 without its padding") << dataUrl(padded).chopped(2) << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("half its padding") << dataUrl(padded).chopped(1) << PictureRefusal::Unreadable << QSize();
    QTest::newRow("percent-encoded in lower case")
        << dataUrl(png).replace("iVBOR", "iVB%4fR") << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("\"base64\" not after a semicolon")
        << dataUrl(png, "data:image/pngbase64,") << PictureRefusal::NotPicture << QSize();
    QTest::newRow("empty") << "data:image/png;base64," << PictureRefusal::NotPicture << QSize();
    QTest::newRow("text/xml")
        << dataUrl(png, "data:text/xml;base64,") << PictureRefusal::NotPicture << QSize();
    QTest::newRow("application/xml") << dataUrl(png, "data:application/xml;base64,") << PictureRefusal::NotPicture
                                     << QSize();
    QTest::newRow("in upper case, with a parameter")
        << dataUrl(png, "data:IMAGE/SVG+XML;charset=utf-8;base64,") << PictureRefusal::NotPicture << QSize();
    QTest::newRow("a type that only names XML") << dataUrl(png, "data:application/xml-dtd;base64,")
                                                << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("BMP") << dataUrl(written(QSize(2, 1), "bmp"), "data:image/bmp;base64,")
                         << PictureRefusal::NotPicture << QSize();

    // Sizes no picture has: none, or beyond what a side can be.
    const auto wide = [&](quint32 width) {
        QByteArray bytes = png;
        bytes.replace(16, 4, QByteArray(1, char(width >> 24)) + char(width >> 16) + char(width >> 8) + char(width));
        return dataUrl(bytes);
    };
    QTest::newRow("PNG of no width") << wide(0) << PictureRefusal::NotPicture << QSize();
    QTest::newRow("PNG 2^31 - 1 wide") << wide(0x7fffffff) << PictureRefusal::TooLarge << QSize(0x7fffffff, 1);
    QTest::newRow("2^31 wide") << wide(0x80000000) << PictureRefusal::NotPicture << QSize();
    QByteArray flat = written(QSize(2, 1), "jpeg");
    flat.replace(segmentAt(flat, '\xc0') + 5, 2, QByteArray(2, '\0'));
    QTest::newRow("JPEG of no height") << dataUrl(flat) << PictureRefusal::NotPicture << QSize();

    // Cut short: what is there shows, what is not is never read.
    const int idat = png.indexOf("IDAT") - 4;
    QTest::newRow("PNG without its end") << dataUrl(png.chopped(12)) << PictureRefusal::None << QSize(2, 1);
    QTest::newRow("a chunk's length past the end")
        << dataUrl(png.left(idat) + QByteArray("\xff\xff\xff\xf0tEXt", 8) + png.mid(idat))
        << PictureRefusal::Undecodable << QSize(2, 1);
    const QByteArray jpeg = written(QSize(2, 1), "jpeg");
    QTest::newRow("JPEG cut after its frame") << dataUrl(jpeg.left(segmentEnd(jpeg, '\xc0')))
                                              << PictureRefusal::Undecodable << QSize(2, 1);
    const QByteArray noise = noisy(QSize(32, 32), "jpeg");
    QTest::newRow("JPEG cut in its scan") << dataUrl(noise.chopped(100)) << PictureRefusal::None
                                          << QSize(32, 32);
    QByteArray filled = jpeg;
    filled.insert(segmentAt(jpeg, '\xc0'), "\xff\xff");
    QTest::newRow("JPEG with fill bytes before a marker") << dataUrl(filled) << PictureRefusal::None << QSize(2, 1);
    const auto scans = [&](int count) {
        const int at = segmentAt(jpeg, '\xda');
        const QByteArray scan = jpeg.mid(at, segmentAt(jpeg, '\xd9') - at);
        return dataUrl(jpeg.left(at) + scan.repeated(count) + "\xff\xd9");
    };
    // Read, but more than the decoder takes of a baseline picture.
    QTest::newRow("32 scans") << scans(32) << PictureRefusal::Undecodable << QSize(2, 1);
    QTest::newRow("33") << scans(33) << PictureRefusal::NotPicture << QSize();
    const QByteArray three = gif(QSize(3, 2), {QRect(0, 0, 3, 2)});
    QTest::newRow("GIF cut before its codes") << dataUrl(three.left(29)) << PictureRefusal::NotPicture << QSize();
    QTest::newRow("GIF cut before its data") << dataUrl(three.left(30)) << PictureRefusal::None << QSize(3, 2);
}

// What is read, and, where nothing is refused, that the decoder gives a
// picture of the size the header gave.
void tst_CarriedPicture::read()
{
    QFETCH(QString, source);
    QFETCH(PictureRefusal, refused);
    QFETCH(QSize, size);

    CarriedPicture picture = readCarriedPicture(source);
    // What only the decoder finds wanting is read whole first.
    QCOMPARE(picture.refused, refused == PictureRefusal::Undecodable ? PictureRefusal::None : refused);
    QCOMPARE(picture.size, size);
    const QImage decoded = decodeCarriedPicture(picture);
    QCOMPARE(picture.refused, refused);
    QCOMPARE(decoded.isNull() ? QSize() : decoded.size(), refused == PictureRefusal::None ? size : QSize());
}

void tst_CarriedPicture::pixelsAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("leftOut");

    // What Qt writes of a text and a colour profile: text chunks (a long
    // one compressed) and an iCCP chunk, or comments and an APP2 segment.
    const QString text = QString("a").repeated(100);
    const QColorSpace profile(QColorSpace::AdobeRgb);
    QTest::newRow("PNG") << written(QSize(3, 2), "png", text, profile) << QByteArrayList{"zTXt", "iCCP"};
    QTest::newRow("PNG, a short text") << written(QSize(3, 2), "png", "a") << QByteArrayList{"tEXt"};
    QTest::newRow("JPEG") << written(QSize(3, 2), "jpeg", text, profile) << QByteArrayList{"ICC_PROFILE", "aaaa"};
    const QByteArray comment("\x21\xfe\x04" "note\0", 8);
    const QByteArray loop("\x21\xff\x0bNETSCAPE2.0\x03\x01\0\0\0", 19);
    QTest::newRow("GIF") << gif(QSize(3, 2), {QRect(0, 0, 3, 2), QRect(0, 0, 1, 1)}, comment + loop)
                         << QByteArrayList{"note", "NETSCAPE", QByteArray("\1\0\1\0\0", 5)};
    QTest::newRow("PNG, a text beyond Latin-1") << written(QSize(3, 2), "png", QString::fromUtf8("\u7532"))
                                               << QByteArrayList{"iTXt"};
    // The pixels in more than one IDAT chunk, each kept.
    const QByteArray noise = noisy(QSize(64, 64), "png");
    QVERIFY(noise.count("IDAT") > 1);
    QTest::newRow("PNG of several IDAT chunks") << noise << QByteArrayList{};
    QByteArray exif = written(QSize(3, 2), "jpeg");
    exif.insert(2, QByteArray("\xff\xe1\0\x10" "Exif\0\0MM\0\x2a\0\0\0\x08", 18));
    QTest::newRow("JPEG, its EXIF") << exif << QByteArrayList{"Exif"};
    // The transparency of the first frame, and its own colour table.
    const QByteArray transparent("\x21\xf9\x04\x01\0\0\x01\0", 8);
    QTest::newRow("GIF, a colour transparent") << gif(QSize(3, 2), {QRect(0, 0, 3, 2)}, transparent + comment)
                                               << QByteArrayList{"note"};
    QByteArray local = gif(QSize(3, 2), {QRect(0, 0, 3, 2)});
    local[28] = '\x80';
    local.insert(29, QByteArray("\0\0\0\0\xff\0", 6));
    QTest::newRow("GIF, a colour table of the frame's own") << local << QByteArrayList{};
}

// The decoder sees neither metadata nor frames after the first, and the
// pixels are those of the picture as written.
void tst_CarriedPicture::pixelsAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, leftOut);

    CarriedPicture picture = readCarriedPicture(dataUrl(bytes, "data:;base64,"));
    QCOMPARE(picture.refused, PictureRefusal::None);
    for (const QByteArray &part : leftOut) {
        QVERIFY2(bytes.contains(part), part);
        QVERIFY2(!picture.bytes.contains(part), part);
    }
    QImage original = QImage::fromData(bytes, picture.format);
    QVERIFY(!original.isNull());
    original.setColorSpace(QColorSpace());
    QCOMPARE(decodeCarriedPicture(picture).convertToFormat(QImage::Format_ARGB32),
             original.convertToFormat(QImage::Format_ARGB32));
}

QTEST_MAIN(tst_CarriedPicture)
#include "tst_carriedpicture.moc"
