// Sends arbitrary texts through the question display of the real window, as
// the choice tab shows a question: the text stored, "下一题" clicked, Qt's
// rich-text detection, the pass that rewrites markup, and Qt's parse, layout
// and paint at the size the window gives the display. libFuzzer's -timeout
// and -rss_limit_mb (scripts/fuzz sets both) end the run at a text that
// holds the display too long or at memory beyond the bound over the
// program's own; and each text is held here to what it may add to the
// memory the program held just before it. A text shown formatted is held to
// three more things: rewriting the pass's markup again changes nothing; the
// text Qt shows of it is the text the pass kept, line for line, empty lines
// too; and the document Qt built is within the bounds the pass counted. At
// the end the slowest text and the most memory one added are printed; the
// slowest input is kept beside libFuzzer's artifacts, as slowest-text after
// -artifact_prefix, written again each time a slower one comes.

#include "examstore.h"
#include "shownlines.h"
#include "processmeter.h"
#include "markupmeter.h"
#include "questionmarkup.h"
#include "questiontext.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

// What showing one text may add to the program, in MB.
constexpr long addedMegabytesBound = 50;

tavik *window = nullptr;
QTextBrowser *display = nullptr;
QAbstractButton *next = nullptr;

double slowestMilliseconds = 0;
double slowestCpuMilliseconds = 0;
long mostAddedKilobytes = 0;
std::string slowestPath = "slowest-text";
bool slowestSaved = false;

void fail(const char *what)
{
    std::fprintf(stderr, "question display out of bounds: %s\n", what);
    std::abort();
}

// What Qt built, weighed as the check weighs the markup: the cells of each
// table with the weight of the cell it stands in, the characters with the
// weight of theirs (a block's end, which an element makes, counting as one).
struct Weighed
{
    qint64 cells = 0;
    qint64 characters = 0;
};

void weigh(QTextFrame::iterator part, qint64 weight, int tables, Weighed &weighed)
{
    for (; !part.atEnd(); ++part) {
        QTextFrame *frame = part.currentFrame();
        if (!frame) {
            weighed.characters += part.currentBlock().length() * weight;
            continue;
        }
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table) {
            weigh(frame->begin(), weight, tables, weighed);
            continue;
        }
        if (tables == QuestionMarkupBounds::nestedTables)
            fail("tables nested deeper than the bound");
        weighed.cells += qint64(table->rows()) * table->columns() * weight;
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() == row && cell.column() == column)
                    weigh(cell.begin(), weight * (1 + 2 * cell.rowSpan()), tables + 1, weighed);
            }
        }
    }
}

void showStored(const QByteArray &text)
{
    std::memcpy(question_text[2], text.constData(), std::size_t(text.size()));
    question_text[2][text.size()] = '\0';
    choose_cursor = 1;
    next->click();
    // The display lays a long document out in steps on a timer: all of it
    // now, then the repaint.
    QTextDocument *document = display->document();
    document->documentLayout()->blockBoundingRect(document->lastBlock());
    QCoreApplication::processEvents();
}

// libFuzzer saves what it finds under -artifact_prefix; the slowest input
// goes there too, so that the time the report gives can be shown again.
void findSlowestPath(int argc, char **argv)
{
    const char prefix[] = "-artifact_prefix=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, sizeof prefix - 1) == 0)
            slowestPath = std::string(argv[i] + sizeof prefix - 1) + "slowest-text";
    }
}

void saveSlowest(const uint8_t *data, size_t size)
{
    std::FILE *file = std::fopen(slowestPath.c_str(), "wb");
    slowestSaved = file && std::fwrite(data, 1, size, file) == size;
    if (file && std::fclose(file) != 0)
        slowestSaved = false;
}

void report()
{
    std::fprintf(stderr,
                 "question display: slowest text %.0f ms (%.0f ms of CPU), %s %s; most memory one "
                 "text added %.1f MB\n",
                 slowestMilliseconds, slowestCpuMilliseconds,
                 slowestSaved ? "saved in" : "could not be saved in", slowestPath.c_str(),
                 mostAddedKilobytes / 1024.0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    findSlowestPath(*argc, *argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about what it reads (colours it does not know, broken
    // PNGs) would bury libFuzzer's report.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
    });
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    new QApplication(qtArgc, qtArgv);

    window = new tavik;
    window->show();
    window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
    display = window->findChild<QTextBrowser *>(QStringLiteral("choose_out"));
    next = window->findChild<QAbstractButton *>(QStringLiteral("choose_next"));
    if (!display || !next)
        fail("the window has no choice question display");
    choose_count = 2;
    std::strcpy(question_text[1], "1");
    // Fonts and the ordinary road once, so that the first text does not pay
    // for what every start of the program pays.
    for (const char *warm : {"<b>粗体</b>题目", "甲乙丙丁", "<table><tr><td>x</table>"})
        showStored(QByteArray(warm));

    std::atexit(report);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Stored as the loader stores a text: at most 10000 bytes, up to a zero.
    QByteArray text(reinterpret_cast<const char *>(data), int(std::min<size_t>(size, maxTextBytes)));
    text.truncate(int(std::strlen(text.constData())));

    resetPeak();
    const long residentBefore = statusKilobytes("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuMilliseconds();
    showStored(text);
    slowestCpuMilliseconds = std::max(slowestCpuMilliseconds, cpuMilliseconds() - cpuStart);
    const double milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (milliseconds > slowestMilliseconds) {
        slowestMilliseconds = milliseconds;
        saveSlowest(data, size);
    }
    const long added = statusKilobytes("VmHWM") - residentBefore;
    mostAddedKilobytes = std::max(mostAddedKilobytes, added);
    if (added > addedMegabytesBound * 1024)
        fail("a text added more memory than the bound");

    const QString shown = QString::fromUtf8(text);
    if (!isQuestionMarkup(shown))
        return 0;
    const SanitizedMarkup sanitized = sanitizeQuestionMarkup(shown);
    if (sanitized.shownAsPlainText())
        return 0;
    if (sanitizeQuestionMarkup(sanitized.markup).markup != sanitized.markup)
        fail("the markup the pass wrote is rewritten again otherwise");
    if (display->toPlainText() != shownText(sanitized.plainText))
        fail("Qt shows other text than the pass kept");
    Weighed weighed;
    weigh(display->document()->rootFrame()->begin(), 1, 0, weighed);
    if (weighed.cells > MarkupMeterBounds::weightedCells)
        fail("more table cells than the bound");
    // Cells no tag opened (a row shorter than others) hold a block end.
    if (weighed.characters > MarkupMeterBounds::weightedCharacters + weighed.cells)
        fail("more characters than the bound");
    return 0;
}
