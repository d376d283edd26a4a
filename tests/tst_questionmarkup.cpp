// The list of markup a question may use, on its own: what passes, and each
// way of stepping outside it or its bounds.

#include "carriedimage.h"
#include "questionmarkup.h"

#include <QtTest>

class tst_QuestionMarkup : public QObject
{
    Q_OBJECT

private slots:
    void allowed_data();
    void allowed();
};

namespace {

QString table(int rows, const QString &cells, const QString &attributes = QString())
{
    return "<table" + attributes + ">" + ("<tr>" + cells).repeated(rows) + "</table>";
}

} // namespace

void tst_QuestionMarkup::allowed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allowed");

    // What the window's own labels and ordinary questions are made of.
    QTest::newRow("label") << QString::fromUtf8(
        "<html><head/><body><p><span style=\" font-size:11pt;\">输入试题文件路径：</span>"
        "<span style=\" font-size:11pt; font-weight:600;\">文件夹</span></p></body></html>")
                           << true;
    QTest::newRow("banner link") << QString::fromUtf8(
        "<html><head/><body><p>官网：<a href=\"https://tavik.example.org\"><span style=\" "
        "text-decoration: underline; color:#0000ff;\">https://tavik.example.org</span></a> "
        "制作者：甲</p></body></html>") << true;
    QTest::newRow("emphasis, colour and size")
        << QString::fromUtf8("<b>粗</b><I>斜</I><u>下</u><font color=\"#ff0000\" size=5>红</font>"
                             "<span style='color:red; background-color:#ff0'>黄</span>")
        << true;
    QTest::newRow("sub- and superscript, entities")
        << QString::fromUtf8("H<sub>2</sub>O, x<sup>2</sup> &lt; 3&nbsp;&amp;") << true;
    QTest::newRow("ends Qt supplies: paragraphs, items, cells")
        << "<p align=center>one<p>two<ol type=A><li>a<li>b</ol>"
               + table(2, "<td>a<td valign=top bgcolor=silver>b", " border=1 width=100%")
        << true;
    QTest::newRow("lists in lists") << "<ul><li>a<ul type=square><li>b<ol><li>c</ol></ul><li>d</ul>"
                                    << true;
    QTest::newRow("bounds at their most")
        << "<p style=\"font-size:72pt; margin-top:100px; text-indent:100px\">x</p>"
               "<p style=\"font-size:96px\">y</p>"
               + table(1, "<td colspan=100 rowspan=100>", " border=10 cellpadding=20 cellspacing=20")
        << true;
    QTest::newRow("three tables nested")
        << table(1, "<td>" + table(1, "<td>" + table(1, "<td>x") + "<td>")) << true;
    QTest::newRow("twenty elements open") << QString("<span>").repeated(20) + "x" << true;
    QTest::newRow("images within the pixels")
        << carriedImage(2048, 512) + carriedImage(1024, 1022, " width=999") + carriedImage(2, 2, " height=999 align=middle")
        << true;

    // Numbers as Qt reads them but the list does not.
    QTest::newRow("exponent") << "<table cellpadding=1e8><tr><td>x</table>" << false;
    QTest::newRow("infinity") << "<table cellpadding=inf><tr><td>x</table>" << false;
    QTest::newRow("sign") << "<table><tr><td colspan=+2>x</table>" << false;
    QTest::newRow("fraction") << "<table cellspacing=1.5><tr><td>x</table>" << false;
    QTest::newRow("four digits") << carriedImage(2, 2, " width=1000") << false;
    QTest::newRow("above the bound") << "<table border=11><tr><td>x</table>" << false;
    QTest::newRow("below the bound") << "<span style=\"font-size:7px\">x</span>" << false;
    QTest::newRow("no unit") << "<span style=\"font-size:12\">x</span>" << false;
    QTest::newRow("another unit") << "<p style=\"margin-top:9em\">x</p>" << false;
    QTest::newRow("character reference in a tag")
        << "<table cellpadding=\"&#57;&#57;\"><tr><td>x</table>" << false;

    // Markup outside the list.
    QTest::newRow("style element") << "<style>p{margin-top:999em}</style><p>x" << false;
    QTest::newRow("unknown attribute") << "<i title=it's>x</i>" << false;
    QTest::newRow("quoted '>' before a number")
        << "<table title=\">\" cellpadding=99999999><tr><td>x</table>" << false;
    QTest::newRow("unknown property") << "<p style=\"line-height:999%\">x</p>" << false;
    QTest::newRow("property twice") << "<p style=\"color:red;color:blue\">x</p>" << false;
    QTest::newRow("attribute twice") << "<b style=\"color:red\" style=\"color:blue\">x</b>" << false;
    QTest::newRow("image by name") << "<img src=\"/etc/os-release\">" << false;
    QTest::newRow("image of another type") << "<img src=\"data:image/gif;base64,R0lGODlh\">" << false;
    QTest::newRow("comment") << "<b>x</b><!-- y -->" << false;
    QTest::newRow("space after '<'") << "<b>x</b>< i>y" << false;
    QTest::newRow("tag not closed") << "<b>x</b><i" << false;
    QTest::newRow("value not closed") << "<b>x</b><a href=\"yz" << false;
    QTest::newRow("'>' in a value") << "<a href=\"y>z\">x</a>" << false;
    QTest::newRow("backslash in single quotes") << "<a href='a\\'>x</a>" << false;

    // Elements Qt would place otherwise than they stand.
    QTest::newRow("crossed") << "<b><i>x</b></i>" << false;
    QTest::newRow("inline left open") << "<p><b>x</p>" << false;
    QTest::newRow("block in an inline element") << "<b>x<div>y</div></b>" << false;
    QTest::newRow("cell without a row") << "<td>x" << false;
    QTest::newRow("item without a list") << "<b>x</b><li>y" << false;
    QTest::newRow("text between rows") << "<table>x<tr><td>y</table>" << false;
    QTest::newRow("close of nothing open") << "<b>x</b></i>" << false;
    QTest::newRow("element closed at once") << "<b/>x" << false;

    // The bounds of the whole text.
    QTest::newRow("twenty-one elements open") << QString("<span>").repeated(21) + "x" << false;
    QTest::newRow("four tables nested")
        << table(1, "<td>" + table(1, "<td>" + table(1, "<td>" + table(1, "<td>x")))) << false;
    QTest::newRow("cells at the bound") << table(8, "<td colspan=100>") << true;
    QTest::newRow("a cell more") << table(8, "<td colspan=100>") + table(1, "<td>") << false;
    // Cells spanning down push the cells of the rows below to the right:
    // 8 rows of 101 columns, although no row has more than 99 of its own.
    QTest::newRow("cells moved right by spans above")
        << "<table><tr><td colspan=99 rowspan=8>" + QString("<tr><td><td>").repeated(7) + "</table>"
        << false;
    // A cell weighs three times as much as the cells around it (laid out
    // for its width, again when the table is too wide, and where it goes),
    // nine times when it spans four rows; the cell around the table is one.
    QTest::newRow("cells of a nested table, at the bound")
        << table(1, "<td>" + table(4, "<td colspan=66>")) << true;
    QTest::newRow("cells of a nested table, a row of cells more")
        << table(1, "<td>" + table(4, "<td colspan=67>")) << false;
    QTest::newRow("cells in a cell spanning rows, at the bound")
        << table(1, "<td rowspan=4>" + table(1, "<td colspan=80><td colspan=8>")) << true;
    QTest::newRow("cells in a cell spanning rows, a cell more")
        << table(1, "<td rowspan=4>" + table(1, "<td colspan=80><td colspan=9>")) << false;
    // The three tags before the text count once each; a character three
    // times, or 21 times in a cell spanning ten rows.
    QTest::newRow("text in a cell at the bound") << "<table><tr><td>" + QString(9999, 'x') << true;
    QTest::newRow("text in a cell spanning rows, at the bound")
        << "<table><tr><td rowspan=10>" + QString(1428, 'x') << true;
    QTest::newRow("a character more") << "<table><tr><td rowspan=10>" + QString(1429, 'x') << false;
    QTest::newRow("a tag more") << "<table><tr><td rowspan=10>" + QString(1428, 'x') + "<br>" << false;
    // 27 times three tables deep, and the closing tags 27, 9 and 3 times.
    QTest::newRow("text three tables deep, at the bound")
        << table(1, "<td>" + table(1, "<td>" + table(1, "<td>" + QString(1108, 'x')))) << true;
    QTest::newRow("text three tables deep, a character more")
        << table(1, "<td>" + table(1, "<td>" + table(1, "<td>" + QString(1109, 'x')))) << false;
    QTest::newRow("issue's spans") << table(60, "<td colspan=+999 rowspan=+999>") << false;
    QTest::newRow("pixels of all images") << carriedImage(2048, 1024) + carriedImage(1, 1) << false;
    QTest::newRow("side too long") << carriedImage(2049, 1) << false;
    QTest::newRow("scaled side too long") << carriedImage(1, 3, " width=999") << false;
}

// Markup within the list passes, anything else does not, whole.
void tst_QuestionMarkup::allowed()
{
    QFETCH(QString, text);
    QFETCH(bool, allowed);

    QCOMPARE(isAllowedQuestionMarkup(text), allowed);
}

QTEST_MAIN(tst_QuestionMarkup)
#include "tst_questionmarkup.moc"
