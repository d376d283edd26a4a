// Questions through the real window, as "下一题" shows them: what Qt's own
// editors write as they show it, tag soup and the markup that held the
// window for seconds or for good as the text it holds, never as markup, and
// links that go nowhere when clicked or activated from the keyboard.

#include "carriedimage.h"
#include "examstore.h"
#include "shownlines.h"
#include "storefixture.h"
#include "tavik.h"
#include "windowdriver.h"

#include <QLCDNumber>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

class tst_QuestionWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { shown.reset(); }

    void markupShown_data();
    void markupShown();
    void authoredShown_data();
    void authoredShown();
    void formatShown_data();
    void formatShown();
    void linkGoesNowhere_data();
    void linkGoesNowhere();

private:
    // Question 2 of two choice questions, shown by "下一题" on its tab.
    QTextBrowser *showSecondQuestion(const QString &text);

    std::unique_ptr<tavik> shown;
    QTemporaryDir m_dir;
};

void tst_QuestionWindow::init()
{
    clearStore();
    shown = std::make_unique<tavik>();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
}

QTextBrowser *tst_QuestionWindow::showSecondQuestion(const QString &text)
{
    storeExam(2, 0);
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > maxTextBytes)
        return nullptr;
    qstrcpy(question_text[2], bytes.constData());
    openPage(*shown, "ans_xuan");
    click(*shown, "choose_next");
    QCoreApplication::processEvents();
    return widget<QTextBrowser>(*shown, "choose_out");
}

namespace {

// A line shown count times.
QString lines(const QString &line, int count)
{
    return QString(line + '\n').repeated(count).chopped(1);
}

} // namespace

void tst_QuestionWindow::markupShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reads");

    QTest::newRow("plain question") << QString::fromUtf8("下列城市中，哪一座是首都？\nA. 上海\nB. 北京")
                                    << QString::fromUtf8("下列城市中，哪一座是首都？\nA. 上海\nB. 北京");
    // Qt takes "<b 且 b>" for a bold tag and would swallow it.
    QTest::newRow("comparison that Qt takes for a tag")
        << QString::fromUtf8("若 a<b 且 b>c，求证。") << QString::fromUtf8("若 a<b 且 b>c，求证。");
    QTest::newRow("bold") << QString::fromUtf8("<b>粗体</b>题目") << QString::fromUtf8("粗体题目");
    QTest::newRow("a quote in an attribute's name") << "<p>a<span x\"y=\"\">1</span>b</p>" << "a1b";
    QTest::newRow("table, list and link")
        << QString::fromUtf8("<table border=1><tr><th>甲<th>乙<tr><td>1<td>2</table>"
                             "<ol><li>一<li>二</ol><a href=\"https://tavik.example.org\">官网</a>")
        << QString::fromUtf8("甲\n乙\n1\n2\n一\n二\n官网");
    QTest::newRow("images within the pixels") << carriedImage(2048, 512) + carriedImage(1024, 1024)
                                              << QString(2, QChar::ObjectReplacementCharacter);
    // The longest side a picture may have, and a pixel more: then the text
    // is shown plain, with the picture's description.
    QTest::newRow("a picture 2048 wide") << "x" + carriedImage(2048, 1) << "x" + QString(QChar::ObjectReplacementCharacter);
    QTest::newRow("2049 wide") << "x" + carriedImage(2049, 1, " alt=y") << "xy";
    QTest::newRow("2049 wide, shown smaller") << "x" + carriedImage(2049, 1, " width=100 alt=y") << "xy";
    // Read by Qt otherwise than by an HTML parser, when they end the text.
    QTest::newRow("closed at the very end") << "x<br/>y" + carriedImage(2, 2, " width=500/")
                                            << "x\ny" + QString(QChar::ObjectReplacementCharacter);

    // Each held the window for seconds or for good: what is beyond the list
    // goes, the text stays, or the text alone is shown.
    QTest::newRow("cell padding 1e8") << "<table cellpadding=1e8><tr><td>x</table>" << "x";
    QTest::newRow("cell padding inf") << "<table cellpadding=inf><tr><td>x</table>" << "x";
    QTest::newRow("padding hidden behind a quoted '>'")
        << "<table title=\">\" cellpadding=99999999><tr><td>x</table>" << "x";
    QTest::newRow("padding written as character references")
        << "<table cellpadding=\"&#57;&#57;&#57;&#57;&#57;&#57;&#57;&#57;\"><tr><td>x</table>" << "x";
    QTest::newRow("margins of 999em in a style element")
        << "<style>p{margin-top:999em}</style>" + QString("<p>x").repeated(2400) << lines("x", 2400);
    QTest::newRow("spans of +999 in 60 rows")
        << "<table>" + QString("<tr><td colspan=+999 rowspan=+999>x").repeated(60) + "</table>"
        << lines("x", 60);
    QTest::newRow("huge font and line height")
        << "<p style=\"font-size:999px;line-height:999%\">" + QString::fromUtf8("甲<br>").repeated(1300)
        << lines(QString::fromUtf8("甲"), 1300);
    QTest::newRow("images of 2048 x 2048") << carriedImage(2048, 2048).repeated(10) << QString();
    QTest::newRow("50 nested tables") << QString("<table><tr><td>").repeated(50) + "x" << "x";
    // A cell a pixel wide, with a change of direction at every character:
    // a line for each, laid out again over all the runs.
    QTest::newRow("direction changing in a narrow cell")
        << "<table><tr><td width=1>" + QString::fromUtf8("aא").repeated(3325)
        << QString::fromUtf8("aא").repeated(3325);

    // Formulas as pandoc --mathml writes them: options that read apart, and
    // cases beside what they define.
    const QString pandoc = "<math display=\"inline\" xmlns=\"http://www.w3.org/1998/Math/MathML\"><semantics>%1"
                           "<annotation encoding=\"application/x-tex\">%2</annotation></semantics></math>";
    QTest::newRow("formulas")
        << QString::fromUtf8("<p>求 <math><mi>x</mi><mo>+</mo><mn>1</mn></math> 的最小值</p><p>A. ")
               + pandoc.arg("<mfrac><mn>1</mn><mi>s</mi></mfrac>", "\\frac{1}{s}") + "</p><p>B. "
               + pandoc.arg("<msqrt><mi>s</mi></msqrt>", "\\sqrt{s}") + "</p><p>C. "
               + pandoc.arg("<msup><mi>s</mi><mn>2</mn></msup>", "s^2") + QString::fromUtf8("</p><p>设 ")
               + pandoc.arg("<mrow><mi>f</mi><mo>=</mo><mrow><mo stretchy=\"true\" form=\"prefix\">{</mo><mtable>"
                            "<mtr><mtd><mn>1</mn></mtd></mtr><mtr><mtd><mn>0</mn></mtd></mtr></mtable></mrow></mrow>",
                            "f = \\begin{cases} 1 \\\\ 0 \\end{cases}")
               + QString::fromUtf8("。</p>")
        << QString::fromUtf8("求 x + 1 的最小值\nA. 1/s\nB. √s\nC. s2\n设\nf = {\n1\n0\n。");
}

// What the student reads: the text of the markup, never the markup.
void tst_QuestionWindow::markupShown()
{
    QFETCH(QString, text);
    QFETCH(QString, reads);

    QTextBrowser *display = showSecondQuestion(text);
    QVERIFY2(display, "the text is longer than a question");

    QCOMPARE(shownLines(display->toPlainText()), reads);
    QCOMPARE(widget<QLCDNumber>(*shown, "choose_now")->intValue(), 2);
}

void tst_QuestionWindow::authoredShown_data()
{
    QTest::addColumn<QString>("html");

    QTextCharFormat plain;
    QTextDocument emphasis;
    QTextCursor cursor(&emphasis);
    cursor.insertText(QString::fromUtf8("已知 x"), plain);
    QTextCharFormat superscript;
    superscript.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText("2", superscript);
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    marked.setFontItalic(true);
    marked.setFontUnderline(true);
    marked.setForeground(QColor("#c00000"));
    marked.setBackground(QColor("yellow"));
    marked.setFontPointSize(15);
    marked.setFontFamily("Noto Serif CJK SC");
    cursor.insertText(QString::fromUtf8(" 红色加粗 "), marked);
    QTextCharFormat subscript;
    subscript.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText("H", plain);
    cursor.insertText("2", subscript);
    cursor.insertText("O", plain);
    QTest::newRow("emphasis, scripts, colours, sizes") << emphasis.toHtml();

    QTextDocument layout;
    cursor = QTextCursor(&layout);
    cursor.insertText(QString::fromUtf8("题目：  两个空格") + QChar(QChar::LineSeparator) + QString::fromUtf8("换行"));
    for (const Qt::Alignment alignment : {Qt::AlignCenter, Qt::AlignRight, Qt::AlignJustify}) {
        QTextBlockFormat block;
        block.setAlignment(alignment);
        block.setIndent(1);
        block.setTextIndent(24);
        cursor.insertBlock(block);
        cursor.insertText(QString::fromUtf8("对齐的段落"));
    }
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QString::fromUtf8("空行之后"));
    QTest::newRow("alignment, indents, empty lines, typed spaces") << layout.toHtml();

    QTextDocument lists;
    cursor = QTextCursor(&lists);
    QTextListFormat numbered;
    numbered.setStyle(QTextListFormat::ListDecimal);
    cursor.insertList(numbered);
    cursor.insertText(QString::fromUtf8("第一"));
    cursor.insertBlock();
    cursor.insertText(QString::fromUtf8("第二"));
    QTextListFormat roman;
    roman.setStyle(QTextListFormat::ListUpperRoman);
    roman.setIndent(2);
    cursor.insertList(roman);
    cursor.insertText(QString::fromUtf8("其中"));
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListSquare);
    cursor.insertList(bullets);
    cursor.insertText(QString::fromUtf8("要点"));
    QTest::newRow("lists") << lists.toHtml();

    QTextDocument tables;
    cursor = QTextCursor(&tables);
    QTextTableFormat grid;
    grid.setBorder(1);
    grid.setCellPadding(4);
    grid.setHeaderRowCount(1);
    grid.setWidth(QTextLength(QTextLength::PercentageLength, 80));
    QTextTable *table = cursor.insertTable(3, 3, grid);
    for (int cell = 0; cell < 9; ++cell)
        table->cellAt(cell / 3, cell % 3).firstCursorPosition().insertText(QString::number(cell));
    table->mergeCells(1, 0, 2, 1);
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor("#e0e0e0"));
    table->cellAt(2, 2).setFormat(shaded);
    QTest::newRow("table with a header, merged and shaded cells") << tables.toHtml();

    QTextDocument carried;
    cursor = QTextCursor(&carried);
    cursor.insertText(QString::fromUtf8("见图："));
    QTextImageFormat picture;
    picture.setName(carriedImage(40, 20).section('"', 1, 1));
    picture.setWidth(80);
    cursor.insertImage(picture);
    QTest::newRow("a carried picture") << carried.toHtml();

    QTextDocument markdown;
    markdown.setMarkdown(QString::fromUtf8(
        "# 一、选择题\n\n*强调* **加粗** ~~删除~~ `代码`\n\n> 引用\n\n```\n代码  块\n```\n\n"
        "- 甲\n- 乙\n  - 丙\n\n1. 子\n2. 丑\n\n| 甲 | 乙 |\n|---|--:|\n| 1 | 2 |\n\n---\n\n[链接](https://tavik.example.org)\n"));
    QTest::newRow("Markdown") << markdown.toHtml();

    // Written by hand as browsers forgive it: elements left open, upper
    // case, values unquoted.
    QTest::newRow("tag soup") << QString::fromUtf8(
        "<P ALIGN=center><B>一、选择题</B><p>1. 下列<FONT COLOR=red>哪个</font>正确？<OL TYPE=A><LI>甲"
        "<LI>乙</OL><TABLE BORDER=1 CELLPADDING=4><TR><TH>x<TH>y<TR><TD>1<TD>2</TABLE><p>完");

    QTextDocument spacing;
    cursor = QTextCursor(&spacing);
    for (const auto &height : {qMakePair(2, QTextBlockFormat::LineDistanceHeight),
                               qMakePair(30, QTextBlockFormat::FixedHeight),
                               qMakePair(150, QTextBlockFormat::ProportionalHeight),
                               qMakePair(20, QTextBlockFormat::MinimumHeight)}) {
        QTextBlockFormat block;
        block.setLineHeight(height.first, height.second);
        cursor.insertBlock(block);
        cursor.insertText(QString::fromUtf8("第一行") + QChar(QChar::LineSeparator) + QString::fromUtf8("第二行"));
    }
    QTextCharFormat smallCaps;
    smallCaps.setFontCapitalization(QFont::SmallCaps);
    cursor.insertText("Small Caps", smallCaps);
    QTest::newRow("line heights of each type, small capitals") << spacing.toHtml();

    QTextDocument framed;
    cursor = QTextCursor(&framed);
    QTextTableFormat dashed;
    dashed.setBorder(2);
    dashed.setBorderBrush(QColor("#ff0000"));
    dashed.setBorderStyle(QTextFrameFormat::BorderStyle_Dashed);
    dashed.setBorderCollapse(true);
    table = cursor.insertTable(2, 2, dashed);
    QTextTableCellFormat padded;
    padded.setLeftPadding(9);
    padded.setTopPadding(3);
    padded.setLeftBorder(3);
    padded.setLeftBorderBrush(QColor("#0000ff"));
    padded.setLeftBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table->cellAt(0, 0).setFormat(padded);
    for (int cell = 0; cell < 4; ++cell)
        table->cellAt(cell / 2, cell % 2).firstCursorPosition().insertText(QString::number(cell));
    QTest::newRow("table border colour and style, a cell's padding and border") << framed.toHtml();

    QTextDocument lineEnds;
    cursor = QTextCursor(&lineEnds);
    cursor.insertText(QString::fromUtf8("行尾换行") + QChar(QChar::LineSeparator));
    cursor.insertBlock();
    cursor.insertText(QString::fromUtf8("下一段"));
    QTest::newRow("a line break that ends a paragraph") << lineEnds.toHtml();
}

// What Qt's own editors write shows as it does in them: to the pixel, with
// the text the student reads equal to what Qt shows of the original.
void tst_QuestionWindow::authoredShown()
{
    QFETCH(QString, html);

    QTextBrowser *display = showSecondQuestion(html);
    QVERIFY2(display, "the text is longer than a question");
    QTextBrowser original;
    original.setFont(display->font());
    original.resize(display->size());
    original.show();
    original.setHtml(html);
    QCoreApplication::processEvents();

    QCOMPARE(display->toPlainText(), original.toPlainText());
    const auto picture = [](QWidget *widget) {
        return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    QVERIFY(picture(display) == picture(&original));
}

void tst_QuestionWindow::formatShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("at");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("underlined");
    QTest::addColumn<qreal>("tableBorder");

    QTest::newRow("Google Docs' class rule") << QString::fromUtf8(
        "<style type=\"text/css\">.c1{font-weight:400}.c4{font-weight:700}</style><p class=\"c1\">下列说法"
        "<span class=\"c1 c4\">不</span>正确的是</p>") << QString::fromUtf8("不") << int(QFont::Bold) << false << 0.0;
    QTest::newRow("pandoc's blank to fill in") << QString::fromUtf8(
        "<style>span.underline{text-decoration: underline;}</style><p>填空：<span class=\"underline\">　　</span></p>")
        << QString::fromUtf8("　　") << int(QFont::Normal) << true << 0.0;
    QTest::newRow("Word's list item, its margin in a class rule") << QString::fromUtf8(
        "<style>p.MsoListParagraphCxSpFirst{margin-left:108.0pt}</style><p class=MsoListParagraphCxSpFirst "
        "style='text-indent:-18.0pt'>1.&nbsp;&nbsp;酒精灯</p>") << "1." << int(QFont::Normal) << false << 0.0;
    QTest::newRow("LibreOffice's table") << QString::fromUtf8(
        "<table cellpadding=\"4\" cellspacing=\"0\"><tr><td style=\"border-top: 1px solid #000000; border-bottom: "
        "1px solid #000000; border-left: 1px solid #000000; border-right: none\">物质</td><td style=\"border: 1px "
        "solid #000000\">质量</td></tr></table>") << QString::fromUtf8("物质") << int(QFont::Normal) << false << 1.0;
}

// What the formatting of a text shows through the window: the weight and
// underline of a piece of it, the grid of the table it stands in, and
// every line starting where the display shows it.
void tst_QuestionWindow::formatShown()
{
    QFETCH(QString, text);
    QFETCH(QString, at);
    QFETCH(int, weight);
    QFETCH(bool, underlined);
    QFETCH(qreal, tableBorder);

    QTextBrowser *display = showSecondQuestion(text);
    QVERIFY(display);
    const QTextCursor found = display->document()->find(at);
    QVERIFY(!found.isNull());
    QCOMPARE(found.charFormat().fontWeight(), weight);
    QCOMPARE(found.charFormat().fontUnderline(), underlined);
    QCOMPARE(found.currentTable() ? found.currentTable()->format().border() : 0.0, tableBorder);
    QAbstractTextDocumentLayout *layout = display->document()->documentLayout();
    for (QTextBlock block = display->document()->begin(); block.isValid(); block = block.next()) {
        for (int line = 0; line < block.layout()->lineCount(); ++line)
            QVERIFY(layout->blockBoundingRect(block).x() + block.layout()->lineAt(line).x() >= 0);
    }
}

void tst_QuestionWindow::linkGoesNowhere_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("byKeyboard");

    QVERIFY(m_dir.isValid());
    const QString file = m_dir.filePath("answers.txt");
    QFile written(file);
    QVERIFY(written.open(QIODevice::WriteOnly) && written.write("not a question") > 0);
    written.close();
    QTest::newRow("file, clicked") << file << false;
    QTest::newRow("file, from the keyboard") << file << true;
    QTest::newRow("web address") << QString("https://tavik.example.org/") << false;
#ifndef _WIN32
    // Read, this one would never answer, and the other never end.
    const QString fifo = m_dir.filePath("fifo");
    QVERIFY(QFile::exists(fifo) || mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("FIFO") << fifo << false;
    QTest::newRow("endless device") << QString("/dev/zero") << false;
#endif
}

// A link's text shows, and following it changes nothing: the question stays
// and no file, device or address is opened.
void tst_QuestionWindow::linkGoesNowhere()
{
    QFETCH(QString, target);
    QFETCH(bool, byKeyboard);

    const QString question = QString::fromUtf8("见<a href=\"%1\">链接</a>。").arg(target);
    QTextBrowser *display = showSecondQuestion(question);
    QVERIFY(display);
    const QString text = display->toPlainText();
    QCOMPARE(text, QString::fromUtf8("见链接。"));
    QSignalSpy followed(display, &QTextBrowser::anchorClicked);

    if (byKeyboard) {
        display->setFocus();
        QTest::keyClick(display, Qt::Key_Tab);
        QTest::keyClick(display, Qt::Key_Return);
    } else {
        QTextCursor onLink(display->document());
        onLink.setPosition(text.indexOf(QString::fromUtf8("链")));
        const QPoint point = display->cursorRect(onLink).center() + QPoint(4, 0);
        QTest::mouseClick(display->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }
    QCoreApplication::processEvents();

    // The link was followed, and went nowhere.
    QCOMPARE(followed.count(), 1);
    QCOMPARE(followed.at(0).at(0).toUrl(), QUrl(target));
    QCOMPARE(display->toPlainText(), text);
    QVERIFY(display->source().isEmpty());
    QVERIFY(!display->isBackwardAvailable());
}

QTEST_MAIN(tst_QuestionWindow)
#include "tst_questionwindow.moc"
