// The teachers' checker on the largest exam the tables hold, without
// pictures: in the program's own process (loading, the findings of every
// question and the report, as tavik-check does them), and as the whole
// program started afresh. The goal: at most 100 ms.

#include "examtext.h"
#include "ratioreporter.h"

#include "examfindings.h"
#include "jsonreport.h"
#include "textreport.h"

#include <QApplication>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>

namespace {

constexpr double goalMilliseconds = 100;

std::string largest;       // plain Chinese text, as bench_window loads
std::string largestMarkup; // every text in markup, each through the markup pass
std::string largestTables; // every text a word processor's table

constexpr int largestQuestions = largestChoices + largestTexts;

// The counts of the largest exam and a score of 1 for each question.
std::string examCounts()
{
    std::string counts = std::to_string(largestChoices) + ' ' + std::to_string(largestTexts) + '\n';
    for (int row = 1; row <= largestQuestions; ++row)
        counts += "1 ";
    return counts;
}

// An exam of the same size whose every text is bold markup in a paragraph:
// each goes through the markup pass.
std::string markupExam()
{
    const std::string open = "<p><b>";
    const std::string close = "</b></p>";
    std::string file = examCounts();
    for (int row = 1; row <= largestQuestions; ++row) {
        file += "\n@" + open;
        file += chineseText(largestTextBytes - open.size() - close.size(), unsigned(row));
        file += close + '$';
    }
    return file;
}

// A cell of a table as Word writes it: classes, languages and its own
// properties on every element, an empty o:p in every paragraph.
std::string wordCell(unsigned seed)
{
    return "  <td width=142 valign=top style='width:106.5pt;border:solid windowtext 1.0pt;"
           "mso-border-alt:solid windowtext .5pt;padding:0cm 5.4pt 0cm 5.4pt'>\n"
           "  <p class=MsoNormal><span lang=EN-US style='font-family:宋体;mso-bidi-font-size:10.5pt'>"
           + chineseText(12, seed) + "<o:p></o:p></span></p>\n  </td>\n";
}

// An exam of the same size whose every text is a table pasted from Word,
// as long as a row holds.
std::string tablesExam()
{
    const std::string open = "<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0 "
                              "style='border-collapse:collapse;border:none;mso-yfti-tbllook:1184'>\n";
    const std::string close = "</table>";
    std::string file = examCounts();
    for (int row = 1; row <= largestQuestions; ++row) {
        std::string text = open;
        for (unsigned cell = 0;; ++cell) {
            const std::string tableRow = " <tr style='mso-yfti-irow:" + std::to_string(cell) + "'>\n"
                                         + wordCell(cell * 3 + row) + wordCell(cell * 3 + row + 1)
                                         + wordCell(cell * 3 + row + 2) + " </tr>\n";
            if (text.size() + tableRow.size() + close.size() > largestTextBytes)
                break;
            text += tableRow;
        }
        file += "\n" + std::to_string(row) + ". @" + text + close + '$';
    }
    return file;
}

void checkInProcess(benchmark::State &state, const std::string &path, bool json)
{
    const QString file = QString::fromStdString(path);
    int lines = 0;
    for (auto _ : state) {
        const ExamFindings findings = checkExam(file);
        if (json)
            lines = QJsonDocument(jsonReport(findings)).toJson(QJsonDocument::Compact).count('\n') + 1;
        else
            lines = reportLines(findings).size();
        if (!findings.loads()) {
            state.SkipWithError("the exam did not load");
            return;
        }
    }
    benchmark::DoNotOptimize(lines);
}

// tavik-check started afresh: the application, the check and the report.
void checkProcess(benchmark::State &state)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QProcess checker;
        checker.start(QStringLiteral(TAVIK_CHECK_EXE), {QString::fromStdString(largest)});
        if (!checker.waitForFinished(30000) || checker.exitCode() != 0) {
            state.SkipWithError("tavik-check did not find the exam loads");
            return;
        }
        checker.readAllStandardOutput();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

// The console table, then each median against the goal.
class GoalReporter : public benchmark::ConsoleReporter
{
public:
    GoalReporter() : ConsoleReporter(consoleOptions(1)) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[run.run_name.function_name] = run;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::cout << '\n';
        for (const auto &[name, run] : medians_) {
            const double real = run.GetAdjustedRealTime();
            // A program started afresh has its own CPU time, not the harness's.
            char cpu[32] = "";
            if (run.run_name.time_type.empty())
                std::snprintf(cpu, sizeof cpu, ", %.1f ms CPU", run.GetAdjustedCPUTime());
            std::printf("check of the largest exam, %s: %.1f ms real%s (medians of %lld; goal <= "
                        "%g ms) %s\n",
                        name.c_str(), real, cpu, static_cast<long long>(run.repetitions),
                        goalMilliseconds, real <= goalMilliseconds ? "met" : "MISSED");
        }
    }

private:
    std::map<std::string, Run> medians_;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication application(argc, argv);

    QTemporaryDir folder;
    largest = folder.filePath(QStringLiteral("largest.txt")).toStdString();
    largestMarkup = folder.filePath(QStringLiteral("markup.txt")).toStdString();
    largestTables = folder.filePath(QStringLiteral("tables.txt")).toStdString();
    if (!folder.isValid() || !writeFile(largest, examFile(largestChoices, largestTexts, largestTextBytes))
        || !writeFile(largestMarkup, markupExam()) || !writeFile(largestTables, tablesExam())) {
        std::cerr << "cannot write the exams\n";
        return 1;
    }

    // The figures are medians of ten repetitions.
    const auto measured = [](benchmark::internal::Benchmark *benchmark) {
        benchmark->Unit(benchmark::kMillisecond)->Repetitions(10)->DisplayAggregatesOnly(true);
    };
    measured(benchmark::RegisterBenchmark("lines", checkInProcess, std::cref(largest), false));
    measured(benchmark::RegisterBenchmark("JSON", checkInProcess, std::cref(largest), true));
    measured(benchmark::RegisterBenchmark("every text in markup", checkInProcess,
                                          std::cref(largestMarkup), false));
    measured(benchmark::RegisterBenchmark("every text a word processor's table", checkInProcess,
                                          std::cref(largestTables), false));
    measured(benchmark::RegisterBenchmark("tavik-check started afresh", checkProcess)->UseManualTime());

    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
