#include "questiontext.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace {

// Laying out a table lays out its cells twice, so each level of nesting
// doubles the work: 14 levels took a second, 50 never ended. Cells count
// with that factor. Ordinary questions stay far below both bounds.
constexpr int maxTableDepth = 3;
constexpr int maxWeightedCells = 2000;
// Positions beyond some 33 million pixels overflow Qt's layout, which then
// loops forever: cell padding near 10^8 does that, and so do 2000 lines of
// a 9999 px line height. Numbers in the markup have at most three digits,
// and fonts and line heights as Qt resolved them stay below these bounds.
constexpr int maxMarkupDigits = 3;
constexpr qreal maxFontPoints = 100;
constexpr int maxFontPixels = 130;
constexpr qreal maxLineHeightPercent = 300;
constexpr qreal maxLineHeightPixels = 200;
constexpr qint64 maxImagePixels = 2048 * 2048;

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
    if (!size.isValid() || qint64(size.width()) * size.height() > maxImagePixels)
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

// Every tag (from '<' to the '>' outside quotes that closes it) and the
// contents of style elements: the markup that the bounds are checked in.
QStringList markupOf(const QString &text)
{
    QStringList markup;
    int at = 0;
    while ((at = text.indexOf(QLatin1Char('<'), at)) >= 0) {
        int end = at + 1;
        QChar quote;
        for (; end < text.size(); ++end) {
            const QChar c = text.at(end);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c == QLatin1Char('>')) {
                break;
            }
        }
        const QString tag = text.mid(at, end - at + 1);
        markup << tag;
        at = end + 1;
        if (tag.startsWith(QLatin1String("<style"), Qt::CaseInsensitive)) {
            const int close = text.indexOf(QLatin1String("</style"), at, Qt::CaseInsensitive);
            markup << text.mid(at, close < 0 ? -1 : close - at);
            if (close < 0)
                break;
            at = close;
        }
    }
    return markup;
}

// What the text asks of the layout before Qt parses it: parsing alone is
// slow for a cell that spans thousands of columns in many rows.
bool markupWithinBounds(const QString &text)
{
    static const QRegularExpression source(
        QStringLiteral("\\bsrc\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]*)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression colour(QStringLiteral("#[0-9a-fA-F]+"));
    static const QRegularExpression number(QStringLiteral("\\d+"));
    static const QRegularExpression cell(QStringLiteral("^<\\s*t[dh]\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression span(
        QStringLiteral("\\b(?:col|row)span\\s*=\\s*[\"']?(\\d+)"),
        QRegularExpression::CaseInsensitiveOption);

    qint64 cells = 0;
    for (QString part : markupOf(text)) {
        if (part.contains(QLatin1Char('&')))
            return false;
        part.remove(source).remove(colour);
        auto numbers = number.globalMatch(part);
        while (numbers.hasNext()) {
            if (numbers.next().capturedLength() > maxMarkupDigits)
                return false;
        }
        if (cell.match(part).hasMatch()) {
            qint64 units = 1;
            auto spans = span.globalMatch(part);
            while (spans.hasNext())
                units *= std::max(1, spans.next().captured(1).toInt());
            cells += units;
            if (cells > maxWeightedCells)
                return false;
        }
    }
    return true;
}

// The tables as Qt built them: how deep they nest and how many cells they
// have, each counted once for every time it is laid out.
bool tablesWithinBounds(const QTextFrame *frame, int depth, qint64 &cells)
{
    for (const QTextFrame *child : frame->childFrames()) {
        int childDepth = depth;
        if (const auto *table = qobject_cast<const QTextTable *>(child)) {
            childDepth = depth + 1;
            if (childDepth > maxTableDepth)
                return false;
            cells += qint64(table->rows()) * table->columns() << (childDepth - 1);
            if (cells > maxWeightedCells)
                return false;
        }
        if (!tablesWithinBounds(child, childDepth, cells))
            return false;
    }
    return true;
}

bool fontWithinBounds(const QTextCharFormat &format)
{
    return format.fontPointSize() <= maxFontPoints
           && format.intProperty(QTextFormat::FontPixelSize) <= maxFontPixels;
}

bool linesWithinBounds(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    const qreal height = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::SingleHeight:
        break;
    case QTextBlockFormat::ProportionalHeight:
        if (height > maxLineHeightPercent)
            return false;
        break;
    default:
        if (height > maxLineHeightPixels)
            return false;
    }
    if (!fontWithinBounds(block.charFormat()))
        return false;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        if (!fontWithinBounds(fragment.fragment().charFormat()))
            return false;
    }
    return true;
}

bool quickToLayOut(const QString &text)
{
    if (!markupWithinBounds(text))
        return false;
    QuestionDocument parsed;
    parsed.setHtml(text);
    qint64 cells = 0;
    if (!tablesWithinBounds(parsed.rootFrame(), 0, cells))
        return false;
    for (QTextBlock block = parsed.begin(); block.isValid(); block = block.next()) {
        if (!linesWithinBounds(block))
            return false;
    }
    return true;
}

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
    if (Qt::mightBeRichText(text) && !quickToLayOut(text))
        display->setPlainText(text);
    else
        display->setText(text);
}
