// Feeds arbitrary bytes to the exam reader and checks, after each input,
// that the store still fits its tables, that a refused input left the exam
// as it was, and that the load's report tells what happened.

#include "examloader.h"
#include "examstore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "exam store broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A memory stream: a temporary file per input would be some fifty times slower.
    FILE *in = fmemopen(const_cast<uint8_t *>(data), size, "r");
    if (!in)
        return 0;

    const int before[] = {choose_count, unchoose_count, choose_cursor, unchoose_cursor};
    LoadReport report;
    const bool loaded = readExam(in, &report);
    std::fclose(in);

    check(loaded == (report.failure == LoadFailure::None), "the report does not tell the load");
    check(loaded || (report.at.line >= 1 && report.at.column >= 1), "a refused input has no position");

    check(choose_count >= 0 && choose_count <= maxChoiceQuestions, "choice count out of range");
    check(unchoose_count >= 0 && unchoose_count <= maxTextQuestions, "non-choice count out of range");
    check(choose_count + unchoose_count <= maxQuestions, "more questions than rows");
    for (const auto &row : question_text)
        check(std::memchr(row, '\0', sizeof row) != nullptr, "text row not terminated");
    if (loaded) {
        check(choose_cursor == 1 && unchoose_cursor == 1, "cursors not reset");
    } else {
        const int after[] = {choose_count, unchoose_count, choose_cursor, unchoose_cursor};
        check(std::memcmp(before, after, sizeof before) == 0, "refused input changed the exam");
    }
    return 0;
}
