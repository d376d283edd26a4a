// The question display at the bounds of the markup list: each of the
// costliest texts the list lets through, and the costliest a question
// without markup and markup beyond the bounds can be, shown by "下一题" in
// the real window of a program started afresh for it (so that fonts and
// images are loaded as at the first showing), parsed, laid out in full and
// painted at the size the window gives the display, in a window at its
// opening size (1200 x 800) and at its smallest (600 x 400). The goal: at
// most 200 ms, and at most 50 MB more memory than the program held just
// before, for every text.
//
//   tavik_bench_questions                      the benchmark
//   tavik_bench_questions --show NAME WxH      one showing, as the benchmark starts it
//   tavik_bench_questions --save FOLDER        the texts as files, e.g. as fuzzing seeds

#include "processmeter.h"
#include "questiontexts.h"

#include "examstore.h"
#include "questionmarkup.h"
#include "questiontext.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSize>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double goalMilliseconds = 200;
constexpr double goalMegabytes = 50;

// The window's opening size, and the smallest it can be made.
const char *const windowSizes[] = {"1200x800", "600x400"};

// ---------------------------------------------------------------- one showing

double realNow()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Showing
{
    double cpuMs = 0;
    double realMs = 0;
    double addedMb = 0;
    double againCpuMs = 0;
};

// Clicks the button, then has the display finish its layout (which it does
// in steps on a timer for a long document) and paint.
void showBy(QAbstractButton *button, QTextBrowser *display)
{
    button->click();
    QTextDocument *document = display->document();
    document->documentLayout()->blockBoundingRect(document->lastBlock());
    QCoreApplication::processEvents();
}

// The road the display takes with the text.
Road roadOf(const QString &text)
{
    if (!isQuestionMarkup(text))
        return Road::Plain;
    return sanitizeQuestionMarkup(text).shownAsPlainText() ? Road::Fallback : Road::Formatted;
}

// Shows the named text as question 2 after question 1 in a window of the
// given size, then question 1 and the text once more; prints the figures of
// the first showing and the CPU time of the second.
int showOnce(int argc, char **argv, const QString &name, const QSize &size)
{
    QApplication application(argc, argv);
    QuestionText shown{"", QString()};
    for (const QuestionText &costly : costliestQuestionTexts()) {
        if (name == QLatin1String(costly.name))
            shown = costly;
    }
    const QString &text = shown.text;
    const QByteArray stored = text.toUtf8();
    if (stored.isEmpty() || stored.size() > maxTextBytes || roadOf(text) != shown.road || size.isEmpty()) {
        std::fprintf(stderr, "%s: not a text of its road, or no size\n", qPrintable(name));
        return 3;
    }

    tavik window;
    window.resize(size);
    window.show();
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
    auto *display = window.findChild<QTextBrowser *>(QStringLiteral("choose_out"));
    auto *previous = window.findChild<QAbstractButton *>(QStringLiteral("choose_last"));
    auto *next = window.findChild<QAbstractButton *>(QStringLiteral("choose_next"));
    choose_count = 2;
    std::strcpy(question_text[1], "1. 下列城市中，哪一座是首都？");
    std::memcpy(question_text[2], stored.constData(), std::size_t(stored.size()) + 1);
    choose_cursor = 2;
    showBy(previous, display);

    Showing showing;
    resetPeak();
    const long residentBefore = statusKilobytes("VmRSS");
    const double cpuStart = cpuMilliseconds();
    const double realStart = realNow();
    showBy(next, display);
    showing.cpuMs = cpuMilliseconds() - cpuStart;
    showing.realMs = realNow() - realStart;
    showing.addedMb = (statusKilobytes("VmHWM") - residentBefore) / 1024.0;
    if (shown.road == Road::Formatted ? display->toPlainText() == text : display->toPlainText().isEmpty()) {
        std::fprintf(stderr, "%s: not shown as its road shows it\n", qPrintable(name));
        return 3;
    }

    showBy(previous, display);
    const double againStart = cpuMilliseconds();
    showBy(next, display);
    showing.againCpuMs = cpuMilliseconds() - againStart;

    std::printf("shown %.3f %.3f %.3f %.3f\n", showing.cpuMs, showing.realMs, showing.addedMb,
                showing.againCpuMs);
    return 0;
}

int saveTexts(const QString &folder)
{
    QDir().mkpath(folder);
    for (const QuestionText &costly : costliestQuestionTexts()) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(costly.name) + ".txt"));
        if (!file.open(QIODevice::WriteOnly) || file.write(costly.text.toUtf8()) < 0)
            return 1;
    }
    return 0;
}

// ---------------------------------------------------------------- the benchmark

std::string self;
std::map<std::string, std::vector<Showing>> showings;
std::vector<std::string> order;

bool runShowing(const std::string &name, const std::string &size, Showing &showing)
{
    const std::string command = "'" + self + "' --show " + name + " " + size + " 2>/dev/null";
    FILE *child = popen(command.c_str(), "r");
    if (!child)
        return false;
    char line[256];
    bool read = false;
    while (std::fgets(line, sizeof line, child)) {
        read = read
               || std::sscanf(line, "shown %lf %lf %lf %lf", &showing.cpuMs, &showing.realMs,
                              &showing.addedMb, &showing.againCpuMs)
                      == 4;
    }
    return pclose(child) == 0 && read;
}

void showText(benchmark::State &state, const std::string &name, const std::string &size)
{
    for (auto _ : state) {
        Showing showing;
        if (!runShowing(name, size, showing)) {
            state.SkipWithError("the text was not shown as its road shows it");
            return;
        }
        state.SetIterationTime(showing.realMs / 1e3);
        state.counters["cpu_ms"] = showing.cpuMs;
        state.counters["added_MB"] = showing.addedMb;
        state.counters["again_cpu_ms"] = showing.againCpuMs;
        showings[name + " " + size].push_back(showing);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

template <class Field>
std::vector<double> column(const std::vector<Showing> &runs, Field field)
{
    std::vector<double> values;
    for (const Showing &run : runs)
        values.push_back(run.*field);
    return values;
}

void summarise()
{
    std::printf("\n== each text, shown in a fresh program (median and most of %s)\n",
                "all runs");
    std::printf("%-29s %9s %9s %9s %9s %9s %10s  %s\n", "text, window", "cpu ms", "most", "real ms",
                "most", "again", "added MB", "goal <= 200 ms, <= 50 MB");
    for (const std::string &name : order) {
        const std::vector<Showing> &runs = showings[name];
        if (runs.empty()) {
            std::printf("%-29s no figure\n", name.c_str());
            continue;
        }
        const auto cpu = column(runs, &Showing::cpuMs);
        const auto real = column(runs, &Showing::realMs);
        const auto added = column(runs, &Showing::addedMb);
        const double mostReal = *std::max_element(real.begin(), real.end());
        const double mostAdded = *std::max_element(added.begin(), added.end());
        std::printf("%-29s %9.1f %9.1f %9.1f %9.1f %9.1f %10.1f  %s\n", name.c_str(), median(cpu),
                    *std::max_element(cpu.begin(), cpu.end()), median(real), mostReal,
                    median(column(runs, &Showing::againCpuMs)), mostAdded,
                    median(real) <= goalMilliseconds && mostAdded <= goalMegabytes ? "met"
                                                                                    : "missed");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int width = 0;
    int height = 0;
    if (argc == 4 && std::strcmp(argv[1], "--show") == 0 && std::sscanf(argv[3], "%dx%d", &width, &height) == 2)
        return showOnce(1, argv, QString::fromLatin1(argv[2]), QSize(width, height));
    if (argc == 3 && std::strcmp(argv[1], "--save") == 0) {
        int qtArgc = 1;
        QApplication application(qtArgc, argv);
        return saveTexts(QString::fromLocal8Bit(argv[2]));
    }

    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return 1;
    self.assign(path, std::size_t(length));

    // Repetitions in random order, so that a busy spell of the machine does
    // not fall on one text alone; options on the command line win.
    std::vector<char *> arguments{argv[0]};
    char repetitions[] = "--benchmark_repetitions=9";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_display_aggregates_only=true";
    arguments.insert(arguments.end(), {repetitions, interleaving, aggregates});
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    for (const QuestionText &costly : costliestQuestionTexts()) {
        const std::string name = costly.name;
        for (const std::string size : windowSizes) {
            order.push_back(name + " " + size);
            benchmark::RegisterBenchmark(("show/" + name + "/" + size).c_str(),
                                         [name, size](benchmark::State &state) { showText(state, name, size); })
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    summarise();
    return 0;
}
