// What bounds a text's cost to Qt's layout: the marks a character may
// carry, where a run of one direction and script begins, and what the
// display is given of a text it shows as plain text; and the text the
// student reads of a question's markup.

#include "combiningmarks.h"
#include "plaintextbounds.h"
#include "questionmarkup.h"
#include "textruns.h"

#include <QTextDocument>
#include <QtTest>

class tst_PlainTextBounds : public QObject
{
    Q_OBJECT

private slots:
    void marks_data();
    void marks();
    void runs_data();
    void runs();
    void bounded_data();
    void bounded();
    void shown_data();
    void shown();
};

void tst_PlainTextBounds::marks_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("kept");

    const QString acute(QChar(0x0301));
    QTest::newRow("thirty marks") << QStringList{"a" + acute.repeated(30)} << "a" + acute.repeated(30);
    QTest::newRow("thirty-one") << QStringList{"a" + acute.repeated(31) + "b"} << "a" + acute.repeated(30) + "b";
    QTest::newRow("a letter starts the count again")
        << QStringList{("a" + acute.repeated(30)).repeated(2)} << ("a" + acute.repeated(30)).repeated(2);
    // A joiner is no mark: the marks after it are placed on their own.
    QTest::newRow("a joiner starts it again")
        << QStringList{"a" + acute.repeated(30) + QChar(0x200D) + acute} << "a" + acute.repeated(30) + QChar(0x200D) + acute;
    // Spacing (Devanagari visarga) and enclosing marks count as well.
    QTest::newRow("marks of every kind")
        << QStringList{"a" + acute.repeated(10) + QString(10, QChar(0x0903)) + QString(11, QChar(0x20DD))}
        << "a" + acute.repeated(10) + QString(10, QChar(0x0903)) + QString(10, QChar(0x20DD));
    const QString musical = QString::fromUtf8("\U0001d167");
    QTest::newRow("marks beyond 16 bits") << QStringList{"a" + musical.repeated(31)} << "a" + musical.repeated(30);
    QTest::newRow("a text in pieces") << QStringList{"a" + acute.repeated(20), acute.repeated(11)}
                                      << "a" + acute.repeated(30);
}

// What is kept, and that every mark left out is counted.
void tst_PlainTextBounds::marks()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, kept);

    CombiningMarks marks;
    QString shown;
    for (const QString &piece : pieces)
        shown += marks.kept(piece);
    QCOMPARE(shown, kept);
    QCOMPARE(marks.dropped(), pieces.join(QString()).toUcs4().size() - kept.toUcs4().size());
}

void tst_PlainTextBounds::runs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("runs");

    QTest::newRow("one direction") << QString::fromUtf8("abc, def") << 0;
    QTest::newRow("Latin and Hebrew") << QString::fromUtf8("a \u05d0 a") << 2;
    QTest::newRow("numbers in right-to-left text") << QString::fromUtf8("\u05d0 1 \u05d0 a 1") << 3;
    // The direction controls, and their neighbours that are none.
    QTest::newRow("U+202A") << QString::fromUtf8("a\u202aa") << 1;
    QTest::newRow("U+202E") << QString::fromUtf8("a\u202ea") << 1;
    QTest::newRow("U+202F") << QString::fromUtf8("a\u202fa") << 0;
    QTest::newRow("U+2066") << QString::fromUtf8("a\u2066a") << 1;
    QTest::newRow("U+2069") << QString::fromUtf8("a\u2069a") << 1;
    QTest::newRow("U+2029") << QString::fromUtf8("a\u2029a") << 0;
    QTest::newRow("U+2065") << QString::fromUtf8("a\u2065a") << 0;
    QTest::newRow("U+206A") << QString::fromUtf8("a\u206aa") << 0;
    // Scripts change runs inside a word only; digits and marks take the
    // script around them.
    QTest::newRow("Latin and Cyrillic in a word") << QString::fromUtf8("a\u0436\u0301a1\u0436") << 3;
    QTest::newRow("between words") << QString::fromUtf8("a \u0436\u200ba\u3000\u0436\na") << 0;
    QTest::newRow("around a Chinese character") << QString::fromUtf8("a\u7532\u0436") << 0;
}

void tst_PlainTextBounds::runs()
{
    QFETCH(QString, text);
    QFETCH(int, runs);

    TextRuns layout;
    int started = 0;
    for (const uint character : text.toUcs4())
        started += layout.startsRun(character);
    QCOMPARE(started, runs);
}

void tst_PlainTextBounds::bounded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("breaksAnywhere");

    // A change of direction at every letter after the first.
    const auto word = [](int runs) {
        return "a" + QString::fromUtf8("\u05d0a").repeated(runs / 2) + QString::fromUtf8("\u05d0").left(runs % 2);
    };
    QTest::newRow("a word of 100 runs") << word(100) << word(100) << false;
    QTest::newRow("of 101") << word(101) << word(101) << true;
    // Qt may break the line at a blank or a line end: a word of its own.
    QTest::newRow("100 runs after a blank") << word(99) + " " + word(99) << word(99) + " " + word(99) << false;
    QTest::newRow("after a line end") << word(99) + "\n" + word(100) << word(99) + "\n" + word(100) << false;
    QTest::newRow("after a zero-width space and a Chinese character")
        << word(100) + QString::fromUtf8("\u200b") + word(100) + QString::fromUtf8("\u7532") + word(100)
        << word(100) + QString::fromUtf8("\u200b") + word(100) + QString::fromUtf8("\u7532") + word(100) << false;
    // A paragraph ends at a lone carriage return and at U+2029: the
    // direction before it starts no run after it.
    QTest::newRow("after a carriage return") << word(99) + "\r" + word(100) << word(99) + "\r" + word(100) << false;
    QTest::newRow("after a paragraph separator") << word(99) + QChar(0x2029) + word(100)
                                                 << word(99) + QChar(0x2029) + word(100) << false;
    // Each direction control starts a run, and none ends the word or sets
    // the direction of the letters after it.
    const QString controls
        = "a" + QString::fromUtf8("\u202ab\u202bc\u202cd\u202de\u202ef\u2066g\u2067h\u2068i\u2069j").repeated(11)
          + QChar(0x202A);
    QTest::newRow("100 runs of direction controls") << controls << controls << false;
    QTest::newRow("101") << controls + QChar(0x2069) << controls + QChar(0x2069) << true;
    const QString acute(QChar(0x0301));
    QTest::newRow("31 marks") << "x" + acute.repeated(31) + "y" << "x" + acute.repeated(30) + "y" << false;
}

// What the display is given, and how its lines are to break.
void tst_PlainTextBounds::bounded()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, breaksAnywhere);

    const BoundedPlainText bounded = boundPlainText(text);
    QCOMPARE(bounded.text, shown);
    QCOMPARE(bounded.droppedMarks, text.size() - shown.size());
    QCOMPARE(bounded.breaksAnywhere, breaksAnywhere);
}

void tst_PlainTextBounds::shown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    // HTML drops one line end after the tag, not more; a last empty line
    // holds a zero-width space, so that Qt shows it.
    QTest::newRow("pre") << "<pre>\n\n\nx</pre>" << "\n\nx";
    QTest::newRow("pre, its last line empty") << "<pre>x\n\n</pre>y" << QString::fromUtf8("x\n\u200b\ny");
    QTest::newRow("a text area") << "<p><textarea>\n\nx\n\ny</textarea>" << "\nx\n\ny";
    QTest::newRow("options in groups") << "<select><optgroup label=g><option>a<option>b</optgroup><option> c </select>"
                                       << "a / b / c";
    QTest::newRow("a drawing's labels in groups, links and on paths, placed or not")
        << "<svg><g><text>A</text></g><text><textPath>B</textPath></text><a><text>C<tspan>D</tspan><tspan "
           "dx=1>E</tspan></text></a></svg>"
        << "A B CD E";
}

// The text the pass gives is what Qt shows of the markup it writes, line
// for line.
void tst_PlainTextBounds::shown()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);

    const SanitizedMarkup sanitized = sanitizeQuestionMarkup(text);
    QCOMPARE(sanitized.plainText, shown);
    QTextDocument document;
    document.setHtml(sanitized.markup);
    QCOMPARE(document.toPlainText(), shown);
}

QTEST_MAIN(tst_PlainTextBounds)
#include "tst_plaintextbounds.moc"
