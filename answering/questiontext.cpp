#include "questiontext.h"

#include "carriedpicture.h"
#include "plaintextbounds.h"
#include "questionmarkup.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPixmap>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

// A picture carried in the text as a data: URL, if it is of the size the
// markup's bounds allow; nothing of it but its pixels decoded.
QPixmap carriedImage(const QUrl &url)
{
    CarriedPicture picture = readCarriedPicture(QString::fromLatin1(url.toEncoded()));
    return QPixmap::fromImage(decodeCarriedPicture(picture));
}

// What an image that is not shown looks like: Qt's own sign for a missing
// one. An empty answer would not do, for Qt then opens the named file itself.
QPixmap missingImage()
{
    QPixmap sign(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
    if (sign.isNull()) {
        sign = QPixmap(16, 16);
        sign.fill(Qt::transparent);
    }
    return sign;
}

// A document that loads nothing a question names (a text display would read
// <img src="/dev/zero"> until memory ran out, and a FIFO forever), and that
// decodes each image the question carries once, not at every layout.
class QuestionDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

    // The images of the question shown before are of no more use.
    void forgetImages() { m_images.clear(); }

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type != QTextDocument::ImageResource)
            return QVariant();
        auto image = m_images.constFind(name);
        if (image == m_images.constEnd()) {
            QPixmap decoded = carriedImage(name);
            image = m_images.insert(name, decoded.isNull() ? missingImage() : decoded);
        }
        return *image;
    }

private:
    QHash<QUrl, QPixmap> m_images;
};

QuestionDocument *questionDocument(QTextBrowser *display)
{
    if (auto *document = dynamic_cast<QuestionDocument *>(display->document()))
        return document;
    auto *document = new QuestionDocument(display);
    // Set up as the display sets up its own document: laid out for the
    // display's screen, in its font, and with nothing to undo (each
    // question shown would otherwise stay in memory as a step to undo).
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(display->font());
    display->setDocument(document);
    document->documentLayout()->setPaintDevice(display->viewport());
    // A click on a link only tells the display's anchorClicked(), which
    // nothing hears: the question stays, and nothing is opened or loaded.
    display->setOpenLinks(false);
    display->setOpenExternalLinks(false);
    return document;
}

// Lines break between words, or anywhere; the text shown before goes first,
// so that it is not laid out again the other way.
void breakLines(QTextBrowser *display, QTextOption::WrapMode wrap)
{
    if (display->wordWrapMode() == wrap)
        return;
    display->document()->clear();
    display->setWordWrapMode(wrap);
}

// A plain text as boundPlainText() bounds it.
void showPlainText(QTextBrowser *display, const QString &text)
{
    const BoundedPlainText bounded = boundPlainText(text);
    breakLines(display, bounded.breaksAnywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    display->setPlainText(bounded.text);
}

} // namespace

void showQuestionText(QTextBrowser *display, const QString &text)
{
    questionDocument(display)->forgetImages();
    if (!isQuestionMarkup(text)) {
        showPlainText(display, text);
        return;
    }
    const SanitizedMarkup sanitized = sanitizeQuestionMarkup(text);
    if (sanitized.shownAsPlainText()) {
        showPlainText(display, sanitized.plainText);
        return;
    }
    breakLines(display, QTextOption::WrapAtWordBoundaryOrAnywhere);
    display->setHtml(sanitized.markup);
}

bool isQuestionMarkup(const QString &text)
{
    return Qt::mightBeRichText(text);
}
