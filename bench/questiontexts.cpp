#include "questiontexts.h"

#include "plaintextbounds.h"
#include "questionmarkup.h"
#include "questiontext.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

#include <functional>

namespace {

constexpr int textBytes = 10000;

int bytes(const QString &text)
{
    return text.toUtf8().size();
}

// A Chinese character after another, different ones, as a question has them.
QString chinese(int count, int seed = 0)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(0x4e00 + (seed * 977 + i * 131) % 0x5000);
    return text;
}

// As many units as fit between head and tail in 10000 bytes.
QString filled(const QString &head, const QString &unit, const QString &tail)
{
    const int count = (textBytes - bytes(head) - bytes(tail)) / bytes(unit);
    return head + unit.repeated(count) + tail;
}

// A blank PNG of the given size, as small as it compresses: one bit a pixel,
// or 16 bits for each of red, green, blue and alpha.
QString png(int width, int height, QImage::Format format = QImage::Format_Mono)
{
    QImage picture(width, height, format);
    picture.fill(0);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0); // the strongest compression
    writer.write(picture);
    return "data:image/png;base64," + QString::fromLatin1(encoded.toBase64());
}

QString table(const QString &rows)
{
    return "<table border=10 cellpadding=20 cellspacing=20 width=100%>" + rows + "</table>";
}

// 800 cells: 40 rows of 20, the rest of the bytes as text in the first
// cell of each row.
QString cells()
{
    QString rows;
    for (int row = 0; row < 40; ++row)
        rows += "<tr><td>" + chinese(33, row) + QString::fromUtf8("<td>甲").repeated(19);
    return table(rows);
}

// The longest of the texts made for 0, 1, 2, ... that is shown formatted
// in 10000 bytes.
QString longest(const std::function<QString(int)> &made)
{
    int fewest = 0;
    int most = textBytes;
    while (fewest < most) {
        const int count = (fewest + most + 1) / 2;
        const QString text = made(count);
        if (bytes(text) <= textBytes && isQuestionMarkup(text) && !sanitizeQuestionMarkup(text).shownAsPlainText())
            fewest = count;
        else
            most = count - 1;
    }
    return made(fewest);
}

// Three tables deep near the bound of weighted cells: 2 cells outside, 6 a
// level down counting three times, 84 innermost counting nine times; each
// table wider than the display, so that Qt lays each out a second time to
// fit. Text in the innermost cells, as much as the list lets through.
QString nestedCells()
{
    return longest([](int characters) {
        QString inner;
        for (int row = 0; row < 2; ++row)
            inner += "<tr>" + QString("<td>" + chinese(characters, row)).repeated(7);
        const QString middle = table("<tr>" + QString("<td>" + table(inner)).repeated(3));
        return table("<tr>" + QString("<td>" + middle).repeated(2));
    });
}

// As many characters between head and tail as the list lets through.
QString mostText(const QString &head, const QString &tail)
{
    return longest([&head, &tail](int characters) { return head + chinese(characters) + tail; });
}

// A grid of 8 rows by 100 columns, its first cell spanning all rows and
// holding as much text as its weight lets it: laid out twice for each row
// it spans, and once more.
QString spannedCell()
{
    return mostText("<table border=10 cellpadding=20 cellspacing=20><tr><td colspan=100 rowspan=8>",
                    QString("<tr>").repeated(7) + "</table>");
}

// Text three tables deep, as much as its weight lets it.
QString nestedText()
{
    return mostText(QString("<table border=10 cellpadding=20 cellspacing=20><tr><td>").repeated(3),
                    QString("</table>").repeated(3));
}

// As many different Chinese characters as the bytes hold, in bold: what
// any text of 10000 bytes costs to show at first, whatever its markup.
QString characters()
{
    return "<b>" + chinese((textBytes - 7) / 3) + "</b>";
}

// A font for every span: sizes in points and pixels, weights and styles,
// each a font Qt has not loaded before, a different character in each; the
// spans in turn in the families given, if any.
QString fontSpans(const QStringList &families = QStringList())
{
    QStringList sizes;
    for (int points = 6; points <= 72; ++points)
        sizes << QString::number(points) + "pt";
    for (int pixels = 8; pixels <= 96; ++pixels)
        sizes << QString::number(pixels) + "px";
    QString text;
    for (int i = 0;; ++i) {
        const QString family = families.isEmpty() ? QString() : "font-family:'" + families.at(i % families.size()) + "';";
        const QString span = QString("<b style=\"%1font-size:%2;font-weight:%3;font-style:%4\">%5x</b>")
                                 .arg(family, sizes.at(i % sizes.size()))
                                 .arg(100 + 100 * (i % 9))
                                 .arg(i % 2 ? "italic" : "normal")
                                 .arg(chinese(1, i));
        if (bytes(text + span) > textBytes)
            return text;
        text += span;
    }
}

// All the pixels the list allows in one picture, then pictures of one pixel
// each shown at 999 by 999 as long as bytes are left.
QString images()
{
    return filled("<img src=\"" + png(2048, 1023) + "\">",
                  "<img src=\"" + png(1, 1) + "\" width=999 height=999>", QString());
}

// A picture of one pixel with a text in it that inflates to 7.5 MB, as Qt
// writes a long text (compressed, in a zTXt chunk).
QString textInImage()
{
    QImage picture(1, 1, QImage::Format_Mono);
    picture.fill(0);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setText(QStringLiteral("Comment"), QString(7500000, 'a'));
    writer.write(picture);
    return "<img src=\"data:image/png;base64," + QString::fromLatin1(encoded.toBase64()) + "\">";
}

// The largest picture of 16-bit colour that fits in the text.
QString colourImage()
{
    int height = 64;
    QString text;
    for (;;) {
        const QString larger = "<img src=\"" + png(1024, height + 64, QImage::Format_RGBA64) + "\">";
        if (bytes(larger) > textBytes || 1024 * (height + 64) > 2048 * 1024)
            return text;
        text = larger;
        height += 64;
    }
}

// A list of as many items as fit, numbered in Roman numerals.
QString listItems()
{
    return filled("<ol type=I>", QString::fromUtf8("<li>甲"), "</ol>");
}

// The narrowest column the margins and indents allow (narrower than the
// display: one character to a line), twenty elements deep, the largest font.
QString narrowColumn()
{
    const QString head = QString("<div style=\"margin-left:100px;margin-right:100px\">").repeated(9)
                         + QString("<ul><li>").repeated(5)
                         + "<p style=\"text-indent:100px;font-size:96px\">";
    return head + chinese((textBytes - bytes(head)) / 3);
}

// A cell as narrow as the list lets it be (padding, spacing and border at
// their most around 32 pixels) holding one long word: a line for each
// character or two, the word broken where the pass gives it places to.
QString narrowCell()
{
    return longest([](int letters) {
        return "<table border=10 cellpadding=20 cellspacing=20><tr><td width=32>"
               + QString("ab").repeated(letters) + "</table>";
    });
}

// As many changes as the bound lets through, of direction or of script
// (a Latin letter and another in turn), in that narrow cell, and more of
// the word after them.
QString changes(const QString &other)
{
    const QString head = "<table border=10 cellpadding=20 cellspacing=20><tr><td width=32>";
    // Ending on a Latin letter, which the word after it does not change.
    const QString turns = longest([&head, &other](int turns) {
        return head + ('a' + other).repeated(turns) + 'a';
    });
    return longest([&turns](int letters) { return turns + QString("ab").repeated(letters); });
}

// The fonts of fontSpans() in the eight families a text may name, some of
// them not on the machine.
QString families()
{
    return fontSpans(QString::fromUtf8("Noto Sans CJK SC,Noto Serif CJK SC,DejaVu Sans,DejaVu Serif,"
                                       "宋体,微软雅黑,Times New Roman,Arial")
                         .split(','));
}

// As many lines of the largest font as fit.
QString lines()
{
    return filled("<p style=\"font-size:96px;margin-top:100px;margin-bottom:100px\">",
                  QString::fromUtf8("甲<br>"), QString());
}

// A Latin letter and a Hebrew one in turn, with nothing between them: every
// letter a change of direction, all of them one word.
QString directionsInAWord()
{
    return filled(QString(), QString::fromUtf8("a\u05d0"), QString());
}

// Words of as many changes of direction as plain text keeps with its lines
// breaking between words, one after another.
QString runsAtTheBound()
{
    return filled(QString(), "a" + QString::fromUtf8("\u05d0a").repeated(PlainTextBounds::runsInWord / 2) + ' ',
                  QString());
}

// One letter under as many acute accents as fit.
QString marksOnALetter(const QString &head)
{
    return filled(head + 'a', QString(QChar(0x0301)), QString());
}

// Latin and Cyrillic letters in turn: a change of script at every letter.
QString scriptsInAWord()
{
    return filled(QString(), QString::fromUtf8("a\u0436"), QString());
}

// A letter in a right-to-left override, then one outside it, in one word.
QString controlsInAWord()
{
    return filled(QString(), QString::fromUtf8("a\u202eb\u202c"), QString());
}

// A table pasted from Word, with its style sheet: classes, languages, its
// own properties and lines on every cell, an empty o:p in every paragraph.
QString wordTable()
{
    const QString head = QString::fromUtf8(
        "<style><!-- p.MsoNormal, li.MsoNormal, div.MsoNormal {margin:0cm; text-align:justify; "
        "text-justify:inter-ideograph; font-size:10.5pt; font-family:等线} span.GramE {mso-style-name:\"\"} "
        "table.MsoTableGrid {border:solid windowtext 1.0pt; font-size:10.5pt} @page WordSection1 "
        "{size:595.3pt 841.9pt} --></style><table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0 "
        "style='border-collapse:collapse;border:none;mso-yfti-tbllook:1184'>");
    QString rows;
    for (int row = 0;; ++row) {
        QString cells = QStringLiteral(" <tr style='mso-yfti-irow:%1'>").arg(row);
        for (int cell = 0; cell < 3; ++cell)
            cells += "<td width=142 valign=top style='width:106.5pt;border:solid windowtext 1.0pt;border-top:none;"
                     "mso-border-alt:solid windowtext .5pt;padding:0cm 5.4pt 0cm 5.4pt'><p class=MsoNormal>"
                     "<span lang=EN-US style='font-family:宋体;mso-bidi-font-size:10.5pt'>"
                     + chinese(12, row * 3 + cell) + "<o:p></o:p></span></p></td>";
        cells += "</tr>";
        if (bytes(head + rows + cells) + bytes("</table>") > textBytes)
            return head + rows + "</table>";
        rows += cells;
    }
}

// Fractions of powers, one after another in formulas, as pandoc writes them.
QString formulas()
{
    return filled(QString::fromUtf8("<p>求"),
                  "<math><semantics><mrow><mfrac><mrow><msup><mi>x</mi><mn>2</mn></msup><mo>+</mo><mn>1</mn>"
                  "</mrow><msqrt><mi>y</mi></msqrt></mfrac></mrow><annotation encoding=\"application/x-tex\">"
                  "x</annotation></semantics></math>",
                  QString::fromUtf8("的值</p>"));
}

} // namespace

QVector<QuestionText> costliestQuestionTexts()
{
    return {
        {"ordinary", QString::fromUtf8("<p><b>1.</b> 下列城市中，哪一座是<u>中华人民共和国</u>的首都？</p>"
                                       "<ol type=A><li>上海<li>北京<li>广州<li>重庆</ol>")},
        {"characters", characters()},
        {"cells", cells()},
        {"nested_cells", nestedCells()},
        {"spanned_cell", spannedCell()},
        {"nested_text", nestedText()},
        {"fonts", fontSpans()},
        {"images", images()},
        {"colour_image", colourImage()},
        {"image_text", textInImage()},
        {"list_items", listItems()},
        {"narrow_column", narrowColumn()},
        {"lines", lines()},
        {"narrow_cell", narrowCell()},
        {"directions", changes(QString::fromUtf8("א"))},
        {"scripts", changes(QString::fromUtf8("ж"))},
        {"families", families()},
        {"marks", marksOnALetter("<table><tr><td width=32>")},
        {"word_table", wordTable()},
        {"formulas", formulas()},
        {"plain_characters", chinese(textBytes / 3), Road::Plain},
        {"plain_directions", directionsInAWord(), Road::Plain},
        {"plain_scripts", scriptsInAWord(), Road::Plain},
        {"plain_controls", controlsInAWord(), Road::Plain},
        {"plain_runs", runsAtTheBound(), Road::Plain},
        {"plain_marks", marksOnALetter(QString()), Road::Plain},
        // The text of the window's test: a change of direction at every
        // character in a cell a pixel wide, beyond the bound of changes.
        {"fallback_directions", "<table><tr><td width=1>" + QString::fromUtf8("a\u05d0").repeated(3325),
         Road::Fallback},
        {"fallback_marks", marksOnALetter(QString("<b>").repeated(21)), Road::Fallback},
    };
}
