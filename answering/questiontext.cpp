#include "questiontext.h"

#include "questionmarkup.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

// An image carried in the text as a data: URL, if it is of sensible size.
QImage dataImage(const QUrl &url)
{
    const QByteArray encoded = url.toEncoded();
    const int comma = encoded.indexOf(',');
    if (comma < 0)
        return QImage();
    QByteArray payload = QByteArray::fromPercentEncoding(encoded.mid(comma + 1));
    if (encoded.left(comma).endsWith(";base64"))
        payload = QByteArray::fromBase64(payload);
    QBuffer buffer(&payload);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > QuestionMarkupBounds::imageSide
        || size.height() > QuestionMarkupBounds::imageSide)
        return QImage();
    return reader.read();
}

// What an image that is not shown looks like: Qt's own sign for a missing
// one. An empty answer would not do, for Qt then opens the named file itself.
QImage missingImage()
{
    QImage sign(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
    if (sign.isNull()) {
        sign = QImage(16, 16, QImage::Format_ARGB32);
        sign.fill(Qt::transparent);
    }
    return sign;
}

// A document that loads nothing a question names: a text display would read
// <img src="/dev/zero"> until memory ran out, and a FIFO forever.
class QuestionDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type != QTextDocument::ImageResource)
            return QVariant();
        if (name.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0) {
            const QImage carried = dataImage(name);
            if (!carried.isNull())
                return carried;
        }
        return missingImage();
    }
};

} // namespace

void showQuestionText(QTextBrowser *display, const QString &text)
{
    if (!dynamic_cast<QuestionDocument *>(display->document())) {
        auto *document = new QuestionDocument(display);
        // Set up as the display sets up its own document: laid out for the
        // display's screen, in its font, and with nothing to undo (each
        // question shown would otherwise stay in memory as a step to undo).
        document->setUndoRedoEnabled(false);
        document->setDefaultFont(display->font());
        display->setDocument(document);
        document->documentLayout()->setPaintDevice(display->viewport());
    }
    if (Qt::mightBeRichText(text) && !isAllowedQuestionMarkup(text))
        display->setPlainText(text);
    else
        display->setText(text);
}
