#include "ratioreporter.h"

#include <cstdio>
#include <unistd.h>

namespace {

// "(goal <= 3 x) met"; a comparison without a goal is there to show how a
// figure splits up, and says so.
std::string verdict(double value, double goal, const char *unit)
{
    if (goal <= 0)
        return "(no goal: for comparison)";
    char text[64];
    std::snprintf(text, sizeof text, "(goal <= %g %s) %s", goal, unit,
                  value <= goal ? "met" : "MISSED");
    return text;
}

} // namespace

RatioReporter::RatioReporter(std::vector<Comparison> comparisons, OutputOptions options)
    : ConsoleReporter(options)
    , comparisons_(std::move(comparisons))
{
}

void RatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        const bool medianOfRepetitions =
            run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool onlyRun = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (medianOfRepetitions || onlyRun)
            medians_[run.run_name.function_name] = run;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "cv")
            variations_[run.run_name.function_name] = run;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
            fastest_[run.run_name.function_name] = run;
    }
}

std::string RatioReporter::spread(const Comparison &comparison) const
{
    const auto subject = variations_.find(comparison.subject);
    const auto baseline = variations_.find(comparison.baseline);
    if (subject == variations_.end() || baseline == variations_.end())
        return {};
    // A coefficient of variation is kept as a fraction in the time fields.
    const auto variation = [&](const Run &run) {
        switch (comparison.measure) {
        case Comparison::CpuTime:
            return run.cpu_accumulated_time;
        case Comparison::FastestRealTime:
            return run.real_accumulated_time;
        case Comparison::CounterExcess:
            break;
        }
        const auto found = run.counters.find(comparison.counter);
        return found == run.counters.end() ? 0.0 : found->second.value;
    };
    char text[64];
    std::snprintf(text, sizeof text, "; cv %.0f%% and %.0f%%", 100 * variation(subject->second),
                  100 * variation(baseline->second));
    return text;
}

const benchmark::BenchmarkReporter::Run *RatioReporter::median(const std::string &name) const
{
    const auto found = medians_.find(name);
    return found == medians_.end() ? nullptr : &found->second;
}

std::string RatioReporter::line(const Comparison &comparison) const
{
    const Run *subject = median(comparison.subject);
    const Run *baseline = median(comparison.baseline);
    char text[512];
    if (!subject || !baseline) {
        std::snprintf(text, sizeof text, "%s: no figure (%s did not run)", comparison.label.c_str(),
                      subject ? comparison.baseline.c_str() : comparison.subject.c_str());
        return text;
    }

    const auto repetitions = static_cast<long long>(subject->repetitions);
    if (comparison.measure == Comparison::CounterExcess) {
        const auto value = [&](const Run *run) {
            const auto found = run->counters.find(comparison.counter);
            return found == run->counters.end() ? 0.0 : found->second.value;
        };
        const double excess = value(subject) - value(baseline);
        std::snprintf(text, sizeof text,
                      "%s: %+.2f %s over baseline %s"
                      "  [%.2f against %.2f %s, medians of %lld runs%s]",
                      comparison.label.c_str(), excess, comparison.unit.c_str(),
                      verdict(excess, comparison.goal, comparison.unit.c_str()).c_str(),
                      value(subject), value(baseline), comparison.unit.c_str(), repetitions,
                      spread(comparison).c_str());
        return text;
    }

    const char *unit = benchmark::GetTimeUnitString(subject->time_unit);
    if (comparison.measure == Comparison::FastestRealTime) {
        const auto fastestSubject = fastest_.find(comparison.subject);
        const auto fastestBaseline = fastest_.find(comparison.baseline);
        if (fastestSubject == fastest_.end() || fastestBaseline == fastest_.end()) {
            std::snprintf(text, sizeof text, "%s: no figure (no fastest run recorded)",
                          comparison.label.c_str());
            return text;
        }
        const double subjectTime = fastestSubject->second.GetAdjustedRealTime();
        const double baselineTime = fastestBaseline->second.GetAdjustedRealTime();
        const double ratio = subjectTime / baselineTime;
        std::snprintf(text, sizeof text,
                      "%s: %.2f x baseline %s"
                      "  [%.4g against %.4g %s, fastest of %lld runs; medians %.4g and %.4g%s]",
                      comparison.label.c_str(), ratio,
                      verdict(ratio, comparison.goal, "x").c_str(), subjectTime, baselineTime, unit,
                      repetitions, subject->GetAdjustedRealTime(), baseline->GetAdjustedRealTime(),
                      spread(comparison).c_str());
        return text;
    }

    // CPU time is the figure: it does not count the spells in which other
    // processes held the processor. Real time follows for comparison.
    const double subjectTime = subject->GetAdjustedCPUTime();
    const double baselineTime = baseline->GetAdjustedCPUTime();
    const double ratio = subjectTime / baselineTime;
    const double realRatio = subject->GetAdjustedRealTime() / baseline->GetAdjustedRealTime();
    std::snprintf(text, sizeof text,
                  "%s: %.2f x baseline %s"
                  "  [CPU %.4g against %.4g %s; real time %.2f x; medians of %lld repetitions%s]",
                  comparison.label.c_str(), ratio,
                  verdict(ratio, comparison.goal, "x").c_str(), subjectTime, baselineTime, unit,
                  realRatio, repetitions, spread(comparison).c_str());
    return text;
}

void RatioReporter::Finalize()
{
    std::ostream &out = GetOutputStream();
    out << "\nAgainst the baseline:\n";
    for (const Comparison &comparison : comparisons_)
        out << "  " << line(comparison) << '\n';
    out.flush();
}

benchmark::ConsoleReporter::OutputOptions consoleOptions(int fd)
{
    return isatty(fd) ? benchmark::ConsoleReporter::OO_Defaults
                      : benchmark::ConsoleReporter::OO_Tabular;
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
}

std::streamsize FdStreamBuf::xsputn(const char *data, std::streamsize size)
{
    std::streamsize done = 0;
    while (done < size) {
        const ssize_t written = ::write(fd_, data + done, std::size_t(size - done));
        if (written <= 0)
            break;
        done += written;
    }
    return done;
}
