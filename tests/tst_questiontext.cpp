#include "questiontext.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextOption>
#include <QtTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(QTextOption::WrapMode)

class tst_QuestionText : public QObject
{
    Q_OBJECT

private slots:
    void shownFormatted_data();
    void shownFormatted();
    void loadsNothingNamed_data();
    void loadsNothingNamed();
    void imageDecodedOncePerShowing();
    void plainTextBounded_data();
    void plainTextBounded();

private:
    QTemporaryDir m_dir;
};

void tst_QuestionText::shownFormatted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("formatted");

    QTest::newRow("plain") << QString::fromUtf8("下列城市中，哪一座是首都？\nA. 上海\nB. 北京") << false;
    QTest::newRow("bold") << QString::fromUtf8("<b>粗体</b>题目") << true;
    QTest::newRow("colour and size")
        << QString::fromUtf8("<font color=\"#ff0000\" size=5>红</font><i>斜</i>") << true;
    QTest::newRow("table of ordinary size")
        << "<table border=1 width=100%>" + QString("<tr><td>a<td>b<td>c").repeated(10)
               + "</table>"
        << true;
}

// Plain questions and ordinary markup show to the pixel as setText() shows
// them. (Markup that would hold the window, shown as the plain text it is,
// is tried through the window in tst_questionwindow.)
void tst_QuestionText::shownFormatted()
{
    QFETCH(QString, text);
    QFETCH(bool, formatted);

    // Side by side, alike in all but how the text is given them.
    QTextBrowser display;
    QTextBrowser before;
    for (QTextBrowser *browser : {&display, &before}) {
        browser->resize(560, 300);
        browser->show();
    }
    before.setText(text);
    showQuestionText(&display, text);
    QCoreApplication::processEvents();

    QCOMPARE(display.toPlainText() != text, formatted);
    QCOMPARE(display.document()->availableUndoSteps(), 0);
    QVERIFY(display.grab().toImage() == before.grab().toImage());
}

void tst_QuestionText::loadsNothingNamed_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("carried");

    QVERIFY(m_dir.isValid());
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString file = m_dir.filePath("picture.png");
    QVERIFY(picture.save(file));
    QTest::newRow("picture file") << file << false;
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    QTest::newRow("picture carried in the text")
        << "data:image/png;base64," + QString::fromLatin1(png.toBase64()) << true;
    QByteArray jpeg;
    QBuffer jpegBuffer(&jpeg);
    QVERIFY(jpegBuffer.open(QIODevice::WriteOnly) && picture.save(&jpegBuffer, "JPEG"));
    QTest::newRow("photo carried in the text")
        << "data:image/jpeg;base64," + QString::fromLatin1(jpeg.toBase64()) << true;
#ifndef _WIN32
    // Read, it would never answer.
    const QString fifo = m_dir.filePath("fifo");
    QVERIFY(QFile::exists(fifo) || mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("FIFO") << fifo << false;
#endif
}

// The displays load no file or device a question names, only what the text
// itself carries.
void tst_QuestionText::loadsNothingNamed()
{
    QFETCH(QString, source);
    QFETCH(bool, carried);

    QTextBrowser display;
    display.show();
    showQuestionText(&display, "<img src=\"" + source + "\">");
    QCoreApplication::processEvents();

    // The 2 x 2 picture only when the text carries it; else at most the sign
    // of a missing image.
    const QVariant shown = display.document()->resource(QTextDocument::ImageResource, QUrl(source));
    QCOMPARE(!shown.isNull() && qvariant_cast<QImage>(shown).size() == QSize(2, 2), carried);
}

// An image the question carries is decoded once each time the question is
// shown: laid out again at another width, it is the image decoded before.
void tst_QuestionText::imageDecodedOncePerShowing()
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    const QUrl source("data:image/png;base64," + QString::fromLatin1(png.toBase64()));
    const QString text = "<img src=\"" + source.toString() + "\">";

    QTextBrowser display;
    display.show();
    const auto decoded = [&display, &source] {
        return qvariant_cast<QPixmap>(display.document()->resource(QTextDocument::ImageResource, source))
            .cacheKey();
    };
    showQuestionText(&display, text);
    QCoreApplication::processEvents();
    const qint64 shown = decoded();

    display.resize(display.width() / 2, display.height());
    QCoreApplication::processEvents();
    QCOMPARE(decoded(), shown);

    showQuestionText(&display, text);
    QVERIFY(decoded() != shown);
}

void tst_QuestionText::plainTextBounded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QTextOption::WrapMode>("wrap");

    const QString acute(QChar(0x0301));
    const QString runs = QString::fromUtf8("a\u05d0").repeated(51);
    const QString beyond = QString("<b>").repeated(21);
    QTest::newRow("plain") << "x" + acute.repeated(31) + runs << "x" + acute.repeated(30) + runs
                           << QTextOption::WrapAnywhere;
    QTest::newRow("markup beyond the bounds") << beyond + "x" + acute.repeated(31) + runs
                                              << "x" + acute.repeated(30) + runs << QTextOption::WrapAnywhere;
    QTest::newRow("formatted") << "<b>" + runs + "</b>" << runs.left(100) + QChar(0x200B) + runs.mid(100)
                               << QTextOption::WrapAtWordBoundaryOrAnywhere;
    QTest::newRow("plain, a word of 100 runs") << runs.left(101) << runs.left(101)
                                               << QTextOption::WrapAtWordBoundaryOrAnywhere;
}

// A text shown as plain text keeps at most 30 marks on a character, and
// lines that break anywhere where a word holds more than 100 runs; each
// text sets the lines its own way, whatever was shown before.
void tst_QuestionText::plainTextBounded()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QTextOption::WrapMode, wrap);

    QTextBrowser display;
    display.show();
    const QStringList shownBefore{"x", "<b>x</b>", QString::fromUtf8("a\u05d0").repeated(51)};
    for (const QString &before : shownBefore) {
        showQuestionText(&display, before);
        showQuestionText(&display, text);
        QCOMPARE(display.toPlainText(), shown);
        QCOMPARE(display.document()->defaultTextOption().wrapMode(), wrap);
    }
}

QTEST_MAIN(tst_QuestionText)
#include "tst_questiontext.moc"
