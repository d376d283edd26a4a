#include "questiontext.h"

#include "carriedpicture.h"
#include "plaintextbounds.h"
#include "questionmarkup.h"

#include <QAbstractTextDocumentLayout>
#include <QPixmap>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

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
// <img src="/dev/zero"> until memory ran out, and a FIFO forever): the
// pictures a question carries are handed to it decoded, once for each
// showing, under the names the markup pass wrote them with.
class QuestionDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

    // The pictures of the question about to be shown; those of the one
    // shown before go, with it.
    void takePictures(QVector<CarriedPicture> pictures)
    {
        clear();
        for (CarriedPicture &picture : pictures) {
            const QImage decoded = decodeCarriedPicture(picture);
            addResource(QTextDocument::ImageResource, QUrl(picture.name),
                        decoded.isNull() ? missingImage() : QPixmap::fromImage(decoded));
        }
    }

protected:
    QVariant loadResource(int type, const QUrl &) override
    {
        return type == QTextDocument::ImageResource ? QVariant(missingImage()) : QVariant();
    }
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
    QuestionDocument *document = questionDocument(display);
    if (!isQuestionMarkup(text)) {
        document->takePictures({});
        showPlainText(display, text);
        return;
    }
    const SanitizedMarkup sanitized = sanitizeQuestionMarkup(text);
    document->takePictures(sanitized.pictures);
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
