#include "examloader.h"

#include "examstore.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
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

inline int fileStatus(const char *path, long long &size, bool &regular)
{
    struct _stat64 info;
    if (_stat64(path, &info) != 0)
        return errno;
    regular = (info.st_mode & _S_IFMT) == _S_IFREG;
    size = info.st_size;
    return 0;
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

inline int fileStatus(const char *path, long long &size, bool &regular)
{
    struct stat info;
    if (stat(path, &info) != 0)
        return errno;
    regular = S_ISREG(info.st_mode);
    size = info.st_size;
    return 0;
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
    LoadReport report;
};

StagedExam staged;

// The stream, and where reading stands in it as line and column. The bytes
// between blocks are counted as they are read; those of a text, nearly all
// of an exam, once the text is stored, a line end at a time, so that
// reading a text costs what it did.
class Reader
{
public:
    explicit Reader(FILE *in) : m_in(in) {}

    FILE *stream() const { return m_in; }

    int get()
    {
        const int c = nextChar(m_in);
        if (c != EOF)
            passOver(c);
        return c;
    }

    // Puts the character just read back; one at most, as ungetc allows.
    void unget(int c)
    {
        if (c == EOF)
            return;
        std::ungetc(c, m_in);
        --m_offset;
        if (c == '\n') {
            --m_line;
            m_lineStart = m_previousLineStart;
        }
    }

    // Characters read from the stream past this reader.
    void passOver(int c)
    {
        ++m_offset;
        if (c == '\n')
            newLine(m_offset);
    }
    void passOver(const char *bytes, int length)
    {
        const char *const end = bytes + length;
        for (const char *at = bytes;
             (at = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at))));)
            newLine(m_offset + (++at - bytes));
        m_offset += length;
    }

    // Characters on one line, read past this reader.
    void passOverColumns(int count) { m_offset += count; }

    // Where the next character stands.
    FilePosition here() const { return {m_line, int(m_offset - m_lineStart) + 1}; }

    // The first column starts here: a byte-order mark takes none.
    void startColumnsHere() { m_lineStart = m_offset; }

private:
    void newLine(long long start)
    {
        ++m_line;
        m_previousLineStart = m_lineStart;
        m_lineStart = start;
    }

    FILE *m_in;
    long long m_offset = 0; // characters read from the stream
    int m_line = 1;
    long long m_lineStart = 0;
    long long m_previousLineStart = 0;
};

// A load that stops here, for this reason.
bool stop(LoadFailure failure, FilePosition at, int question = 0)
{
    staged.report.failure = failure;
    staged.report.at = at;
    staged.report.question = question;
    return false;
}

// White space as formatted extraction skips it in the C locale.
bool isBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Up to the next character that is not white space.
void skipBlanks(Reader &in)
{
    int c;
    do
        c = in.get();
    while (isBlank(c));
    in.unget(c);
}

// Reads a count the way "%d" would (white space, an optional sign, digits)
// but cannot overflow: the value stops growing past anything the tables
// could hold, so 4294967297 is too many rather than 1.
bool readCount(Reader &in, int &count)
{
    constexpr int tooMany = maxQuestions + 1;

    int c = in.get();
    const bool negative = c == '-';
    if (c == '+' || c == '-')
        c = in.get();
    if (c < '0' || c > '9')
        return false;

    int value = 0;
    for (; c >= '0' && c <= '9'; c = in.get())
        value = std::min(value * 10 + (c - '0'), tooMany);
    // The scores start right after the last digit.
    in.unget(c);
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

// Skips to the next '@' and keeps the bytes up to the following '$' as the
// text of question j. Fails only when the file ends first.
bool readText(Reader &in, int j)
{
    int c;
    do {
        c = in.get();
        if (c == EOF)
            return stop(LoadFailure::BlockMissing, in.here(), j);
    } while (c != '@');
    FilePosition blockAt = in.here();
    --blockAt.column;

    char *const row = staged.texts[j];
    int stored = 0;
    int firstDropped = EOF;
    int dropped = 0;
    while ((c = nextChar(in.stream())) != '$') {
        if (c == EOF)
            return stop(LoadFailure::BlockUnclosed, blockAt, j);
        if (stored < maxTextBytes) {
            row[stored++] = static_cast<char>(c);
            continue;
        }
        if (firstDropped == EOF) {
            in.passOver(row, stored);
            firstDropped = c;
        }
        in.passOver(c);
        ++dropped;
    }
    if (firstDropped == EOF)
        in.passOver(row, stored);
    FilePosition blockEnd = in.here();
    in.passOver(c);
    staged.report.blockAt[j] = blockAt;
    staged.report.blockEnd[j] = blockEnd;
    staged.report.fileBytes[j] = stored + dropped;
    staged.report.textsRead = j;

    if (firstDropped != EOF && isContinuationByte(static_cast<unsigned char>(firstDropped)))
        stored = characterStart(row, stored);
    row[stored] = '\0';
    staged.textLengths[j] = stored;
    return true;
}

// Editors on Windows often begin a UTF-8 file with a byte-order mark.
// Anything else that starts with its first byte is not an exam.
bool skipByteOrderMark(Reader &in)
{
    const int first = in.get();
    if (first != 0xEF) {
        in.unget(first);
        return true;
    }
    if (in.get() != 0xBB || in.get() != 0xBF)
        return false;
    in.startColumnsHere();
    return true;
}

bool readCounts(Reader &in)
{
    LoadReport &report = staged.report;
    const FilePosition start{1, 1};
    if (!skipByteOrderMark(in))
        return stop(LoadFailure::ChoiceCountMissing, start);
    skipBlanks(in);
    const FilePosition choicesAt = in.here();
    if (!readCount(in, staged.choiceCount))
        return stop(LoadFailure::ChoiceCountMissing, choicesAt);
    report.choiceCountAt = choicesAt;
    skipBlanks(in);
    const FilePosition textsAt = in.here();
    if (!readCount(in, staged.textCount))
        return stop(LoadFailure::TextCountMissing, textsAt);
    report.choiceCount = staged.choiceCount;
    report.textCount = staged.textCount;
    report.textCountAt = textsAt;

    const int choices = staged.choiceCount;
    const int texts = staged.textCount;
    if (choices < 0)
        return stop(LoadFailure::NegativeCount, choicesAt);
    if (texts < 0)
        return stop(LoadFailure::NegativeCount, textsAt);
    if (choices > maxChoiceQuestions)
        return stop(LoadFailure::TooManyChoiceQuestions, choicesAt);
    // Each within its table, they fit the rows of both together.
    static_assert(maxChoiceQuestions + maxTextQuestions <= maxQuestions);
    if (texts > maxTextQuestions)
        return stop(LoadFailure::TooManyTextQuestions, textsAt);
    return true;
}

bool readStaged(Reader &in)
{
    staged.report = LoadReport();
    if (!readCounts(in))
        return false;

    const int questions = staged.choiceCount + staged.textCount;
    for (int j = 1; j <= questions; ++j) {
        skipBlanks(in);
        const FilePosition scoreAt = in.here();
        staged.report.scoreAt[j] = scoreAt;
        int length = 0;
        if (std::fscanf(in.stream(), "%lf%n", &staged.scores[j], &length) != 1)
            return stop(LoadFailure::ScoreMissing, scoreAt, j);
        // nan, inf and numbers beyond the range of a double are no scores.
        if (!std::isfinite(staged.scores[j]))
            return stop(LoadFailure::ScoreNotFinite, scoreAt, j);
        in.passOverColumns(length);
    }
    staged.report.scoresEnd = in.here();
    for (int j = 1; j <= questions; ++j) {
        if (!readText(in, j))
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

bool readExam(FILE *in, LoadReport *report)
{
    bool complete;
    {
        PointDecimals pointDecimals;
        StreamLock lock(in);
        Reader reader(in);
        complete = readStaged(reader);
    }
    if (complete)
        commitStaged();
    if (report)
        *report = staged.report;
    return complete;
}

namespace {

// Why a path is not read at all, if it is not.
LoadFailure pathFailure(const QByteArray &path)
{
    // A longer path would be cut in exam_path, and a zero byte would end it
    // early: either way it would name another file.
    if (path.size() > maxPathBytes || path.contains('\0'))
        return LoadFailure::PathTooLong;
    // Opening a pipe that has no writer would block, and a device may never
    // end: only a regular file is opened. One far larger than any exam would
    // hold the window for as long as it takes to read.
    long long size = 0;
    bool regular = false;
    if (const int error = fileStatus(path.constData(), size, regular))
        return error == ENOENT || error == ENOTDIR ? LoadFailure::Missing : LoadFailure::Unreadable;
    if (!regular)
        return LoadFailure::NotRegularFile;
    if (size > maxExamFileBytes)
        return LoadFailure::TooLarge;
    return LoadFailure::None;
}

bool refuse(LoadFailure failure, LoadReport *report)
{
    if (report) {
        *report = LoadReport();
        report->failure = failure;
    }
    return false;
}

} // namespace

bool loadExam(const QByteArray &path, LoadReport *report)
{
    if (const LoadFailure failure = pathFailure(path); failure != LoadFailure::None)
        return refuse(failure, report);

    FILE *reopened = std::freopen(path.constData(), "r", stdin);
    // glibc carries the error flag of a failed reopen into the next good one.
    std::clearerr(stdin);
    if (!reopened)
        return refuse(LoadFailure::Unreadable, report);
    if (!readExam(stdin, report))
        return false;

    std::memcpy(exam_path, path.constData(), static_cast<size_t>(path.size()) + 1);
    return true;
}
