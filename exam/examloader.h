#ifndef EXAMLOADER_H
#define EXAMLOADER_H

#include "examstore.h"

#include <cstdio>

class QByteArray;

// The largest exam file that is read. The largest exam the tables hold, 200
// texts of 10000 bytes with their scores, takes about 2 MB; this leaves room
// for remarks between the texts thirty times over, and refuses at once a
// file that would take minutes to read.
constexpr long long maxExamFileBytes = 64LL * 1024 * 1024;

// A place in an exam file as an editor shows it: line and column from 1,
// the column counted in bytes (after a byte-order mark). Line 0: no place,
// the file as a whole. On Windows, where the file is read in text mode, a
// CR LF pair is the line end it reads as, and a byte 0x1A the file's end.
struct FilePosition
{
    int line = 0;
    int column = 0;
};

// Why a load stopped.
enum class LoadFailure {
    None,
    PathTooLong,          // longer than exam_path holds, or holding a zero byte
    Missing,              // no such file
    Unreadable,           // there, but it cannot be opened
    NotRegularFile,       // a folder, a device, a pipe
    TooLarge,             // larger than maxExamFileBytes
    ChoiceCountMissing,   // no whole number where the count of choice questions goes
    TextCountMissing,     // nor where that of non-choice questions goes
    NegativeCount,
    TooManyChoiceQuestions,
    TooManyTextQuestions,
    ScoreMissing,         // no number where a score goes
    ScoreNotFinite,       // nan, inf, or beyond a double
    BlockMissing,         // the file ends before a text's '@'
    BlockUnclosed,        // it ends before the text's '$'
};

// What a load tells beside the exam: why and where it stopped, or where
// each text stands in the file and how long it is there.
struct LoadReport
{
    LoadFailure failure = LoadFailure::None;
    // Where loading stopped: the count, score or '@' it stopped at, or the
    // end of the file when it ended too soon.
    FilePosition at;
    // The question whose score or text it stopped at (1..C+N), else 0.
    int question = 0;
    // The counts as read, once they are, and where they stand.
    int choiceCount = 0;
    int textCount = 0;
    FilePosition choiceCountAt;
    FilePosition textCountAt;
    // Where the score of each question j stands, as far as scores were
    // read, and where reading stood after the last one.
    FilePosition scoreAt[maxQuestions + 1];
    FilePosition scoresEnd;
    // For each question j whose text was read whole: where the '@' and the
    // '$' of its text stand, and the bytes between them (more than
    // maxTextBytes: the text was cut). So far as texts were read also when
    // loading stopped at a later one.
    FilePosition blockAt[maxQuestions + 1];
    FilePosition blockEnd[maxQuestions + 1];
    int fileBytes[maxQuestions + 1] = {};
    int textsRead = 0;
};

// Reads an exam from in into the store: counts, scores and texts of
// questions 1..C+N; both cursors go to 1 and choose_answer[1..C] to the
// unanswered mark. Rows beyond C+N and the non-choice answers are kept.
// A load is all or nothing: when in does not hold a complete exam that fits
// the tables, false is returned and the store is left exactly as it was;
// a score that is not a finite number makes it no exam. A UTF-8 byte-order
// mark at the very start is skipped.
// Only a text longer than a row is not an error: it is cut, never inside a
// UTF-8 character, and reading goes on with the next block.
// With a report, it tells why and where reading stopped, or where the texts
// stand; the store is filled the same either way.
bool readExam(FILE *in, LoadReport *report = nullptr);

// Reopens standard input on path (local 8-bit encoding) and reads the exam
// from it; on success the path goes into exam_path. A path that cannot be
// opened, that names anything but a regular file, that is larger than
// maxExamFileBytes or that does not fit exam_path is not read at all, and
// false is returned.
bool loadExam(const QByteArray &path, LoadReport *report = nullptr);

#endif // EXAMLOADER_H
