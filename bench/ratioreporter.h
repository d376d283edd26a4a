#ifndef RATIOREPORTER_H
#define RATIOREPORTER_H

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

// One figure of the summary: the program's code (subject) against the least
// work that gives the same result (baseline), both measured in the same run.
struct Comparison
{
    enum Measure {
        CpuTime,        // ratio of the medians of CPU time per iteration
        FastestRealTime, // ratio of the fastest (manual) real times: needs the
                         // benchmarks to compute a "min" statistic
        CounterExcess,  // difference of the medians of a counter
    };

    std::string label;
    std::string subject;
    std::string baseline;
    Measure measure;
    double goal;                // the highest acceptable ratio or excess; 0 for none
    std::string counter = {};   // CounterExcess only
    std::string unit = {};      // CounterExcess only
};

// The console table as usual, then one line per comparison, such as
// "load: 1.83 x baseline (goal <= 3 x)". Reads the median aggregate of
// each benchmark, or its only run when it was not repeated (the fastest run
// for FastestRealTime), and shows the
// coefficients of variation of both sides, so that a figure taken on a
// busy machine can be told from one taken on a quiet one.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter(std::vector<Comparison> comparisons, OutputOptions options);

    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    const Run *median(const std::string &name) const;
    std::string spread(const Comparison &comparison) const;
    std::string line(const Comparison &comparison) const;

    std::vector<Comparison> comparisons_;
    std::map<std::string, Run> medians_;
    std::map<std::string, Run> fastest_;    // the "min" statistic, where computed
    std::map<std::string, Run> variations_; // coefficients of variation
};

// Console options: colour only when the stream's descriptor is a terminal.
benchmark::ConsoleReporter::OutputOptions consoleOptions(int fd);

// An output stream buffer that writes straight to a file descriptor, for
// reporting while the program under test owns standard output.
class FdStreamBuf : public std::streambuf
{
public:
    explicit FdStreamBuf(int fd) : fd_(fd) {}

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char *data, std::streamsize size) override;

private:
    int fd_;
};

#endif // RATIOREPORTER_H
