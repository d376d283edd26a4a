#include "examloader.h"

#include "examstore.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>
#include <sys/types.h>
#ifndef _WIN32
#include <locale.h>
#endif

namespace {

// The texts are read a character at a time. Taking the stream's lock once
// for the whole exam instead of once per character makes a 2 MB exam load
// some forty times faster as soon as the process has a second thread.
#ifdef _WIN32
inline void lockStream(FILE *in) { _lock_file(in); }
inline void unlockStream(FILE *in) { _unlock_file(in); }
inline int nextChar(FILE *in) { return _getc_nolock(in); }

inline bool isRegularFile(const char *path, long long &size)
{
    struct _stat64 info;
    if (_stat64(path, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    size = info.st_size;
    return true;
}

// The C runtime keeps the "C" locale here: Qt does not change it.
class PointDecimals
{
public:
    PointDecimals() {}
};
#else
inline void lockStream(FILE *in) { flockfile(in); }
inline void unlockStream(FILE *in) { funlockfile(in); }
inline int nextChar(FILE *in) { return getc_unlocked(in); }

inline bool isRegularFile(const char *path, long long &size)
{
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    size = info.st_size;
    return true;
}

// Scores are written with a decimal point, but the application takes on the
// user's locale, and in one with a decimal comma "%lf" would stop at the
// point of 2.5. Numbers are read in the C locale on this thread instead.
class PointDecimals
{
public:
    PointDecimals()
        : m_c(newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr)))
        , m_previous(m_c ? uselocale(m_c) : locale_t(nullptr))
    {
    }
    ~PointDecimals()
    {
        if (m_c) {
            uselocale(m_previous);
            freelocale(m_c);
        }
    }
    PointDecimals(const PointDecimals &) = delete;
    PointDecimals &operator=(const PointDecimals &) = delete;

private:
    locale_t m_c;
    locale_t m_previous;
};
#endif

class StreamLock
{
public:
    explicit StreamLock(FILE *in) : m_in(in) { lockStream(m_in); }
    ~StreamLock() { unlockStream(m_in); }
    StreamLock(const StreamLock &) = delete;
    StreamLock &operator=(const StreamLock &) = delete;

private:
    FILE *m_in;
};

// The exam as it is being read. It reaches the store only once it is
// complete, so a bad file never costs the student the exam on screen.
struct StagedExam
{
    int choiceCount;
    int textCount;
    double scores[maxQuestions + 1];
    char texts[maxQuestions + 1][maxTextBytes + 1];
    int textLengths[maxQuestions + 1];
};

StagedExam staged;

// White space as formatted extraction skips it in the C locale.
bool isBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a count the way "%d" would (white space, an optional sign, digits)
// but cannot overflow: the value stops growing past anything the tables
// could hold, so 4294967297 is too many rather than 1.
bool readCount(FILE *in, int &count)
{
    constexpr int tooMany = maxQuestions + 1;

    int c = nextChar(in);
    while (isBlank(c))
        c = nextChar(in);
    const bool negative = c == '-';
    if (c == '+' || c == '-')
        c = nextChar(in);
    if (c < '0' || c > '9')
        return false;

    int value = 0;
    for (; c >= '0' && c <= '9'; c = nextChar(in))
        value = std::min(value * 10 + (c - '0'), tooMany);
    // The scores start right after the last digit.
    std::ungetc(c, in);
    count = negative ? -value : value;
    return true;
}

bool isContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Where to cut a full row whose next byte continues a character: before the
// lead byte of that character, so that no half character is kept. Bytes
// that are not UTF-8 are cut where the row ends.
int characterStart(const char *row, int length)
{
    // A character has at most three continuation bytes after its lead byte.
    for (int at = length - 1; at >= 0 && at >= length - 4; --at) {
        const auto byte = static_cast<unsigned char>(row[at]);
        if (!isContinuationByte(byte))
            return (byte & 0xC0) == 0xC0 ? at : length;
    }
    return length;
}

// Skips to the next '@' and keeps the bytes up to the following '$' in row.
// Fails only when the file ends first.
bool readText(FILE *in, char *row, int &length)
{
    int c;
    do {
        c = nextChar(in);
        if (c == EOF)
            return false;
    } while (c != '@');

    int stored = 0;
    int firstDropped = EOF;
    while ((c = nextChar(in)) != '$') {
        if (c == EOF)
            return false;
        if (stored < maxTextBytes)
            row[stored++] = static_cast<char>(c);
        else if (firstDropped == EOF)
            firstDropped = c;
    }
    if (firstDropped != EOF && isContinuationByte(static_cast<unsigned char>(firstDropped)))
        stored = characterStart(row, stored);
    row[stored] = '\0';
    length = stored;
    return true;
}

// Editors on Windows often begin a UTF-8 file with a byte-order mark.
// Anything else that starts with its first byte is not an exam.
bool skipByteOrderMark(FILE *in)
{
    const int first = nextChar(in);
    if (first != 0xEF) {
        std::ungetc(first, in);
        return true;
    }
    return nextChar(in) == 0xBB && nextChar(in) == 0xBF;
}

bool readStaged(FILE *in)
{
    if (!skipByteOrderMark(in))
        return false;
    if (!readCount(in, staged.choiceCount) || !readCount(in, staged.textCount))
        return false;
    const int choices = staged.choiceCount;
    const int texts = staged.textCount;
    if (choices < 0 || texts < 0 || choices > maxChoiceQuestions || texts > maxTextQuestions
        || choices + texts > maxQuestions)
        return false;

    const int questions = choices + texts;
    for (int j = 1; j <= questions; ++j) {
        // nan, inf and numbers beyond the range of a double are no scores.
        if (std::fscanf(in, "%lf", &staged.scores[j]) != 1 || !std::isfinite(staged.scores[j]))
            return false;
    }
    for (int j = 1; j <= questions; ++j) {
        if (!readText(in, staged.texts[j], staged.textLengths[j]))
            return false;
    }
    return true;
}

void commitStaged()
{
    choose_count = staged.choiceCount;
    unchoose_count = staged.textCount;
    const int questions = choose_count + unchoose_count;
    for (int j = 1; j <= questions; ++j) {
        question_score[j] = staged.scores[j];
        std::memcpy(question_text[j], staged.texts[j], staged.textLengths[j] + 1);
    }
    choose_cursor = 1;
    unchoose_cursor = 1;
    std::fill(choose_answer + 1, choose_answer + 1 + choose_count, unansweredMark);
}

} // namespace

bool readExam(FILE *in)
{
    bool complete;
    {
        PointDecimals pointDecimals;
        StreamLock lock(in);
        complete = readStaged(in);
    }
    if (complete)
        commitStaged();
    return complete;
}

bool loadExam(const QByteArray &path)
{
    // A longer path would be cut in exam_path, and a zero byte would end it
    // early: either way it would name another file.
    if (path.size() > maxPathBytes || path.contains('\0'))
        return false;
    // Opening a pipe that has no writer would block, and a device may never
    // end: only a regular file is opened. One far larger than any exam would
    // hold the window for as long as it takes to read.
    long long size = 0;
    if (!isRegularFile(path.constData(), size) || size > maxExamFileBytes)
        return false;

    FILE *reopened = std::freopen(path.constData(), "r", stdin);
    // glibc carries the error flag of a failed reopen into the next good one.
    std::clearerr(stdin);
    if (!reopened || !readExam(stdin))
        return false;

    std::memcpy(exam_path, path.constData(), static_cast<size_t>(path.size()) + 1);
    return true;
}
