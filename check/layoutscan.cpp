#include "layoutscan.h"

#include <QRegularExpression>

#include <cstring>

namespace {

const char ideographicSpace[] = "\xE3\x80\x80";

bool startsAt(const QByteArray &bytes, int at, const char *sequence)
{
    const int length = int(std::strlen(sequence));
    return at + length <= bytes.size() && std::memcmp(bytes.constData() + at, sequence, length) == 0;
}

// Whether a line starting at `at` opens a question: white space, maybe its
// number, white space, and an '@' (or a full-width ＠). Where that '@'
// stands, else -1.
int questionStart(const QByteArray &bytes, int at, int to)
{
    const auto skipBlanks = [&] {
        while (at < to && (bytes.at(at) == ' ' || bytes.at(at) == '\t' || bytes.at(at) == '\r'
                           || startsAt(bytes, at, ideographicSpace)))
            at += bytes.at(at) == ' ' || bytes.at(at) == '\t' || bytes.at(at) == '\r' ? 1 : 3;
    };
    skipBlanks();
    const int digits = at;
    while (at < to && bytes.at(at) >= '0' && bytes.at(at) <= '9')
        ++at;
    if (at > digits) {
        if (at < to && (bytes.at(at) == '.' || bytes.at(at) == ')'))
            ++at;
        else if (startsAt(bytes, at, "\xE3\x80\x81") || startsAt(bytes, at, "\xEF\xBC\x8E")
                 || startsAt(bytes, at, "\xEF\xBC\x89"))
            at += 3;
        skipBlanks();
    }
    if (at < to && (bytes.at(at) == '@' || startsAt(bytes, at, fullWidthAt)))
        return at;
    return -1;
}

} // namespace

const char fullWidthDollar[] = "\xEF\xBC\x84";
const char fullWidthAt[] = "\xEF\xBC\xA0";

bool isBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The first byte of from..to that a reader sees: neither white space nor a
// full-width space. to when there is none.
int firstVisible(const QByteArray &bytes, int from, int to)
{
    for (int at = from; at < to;) {
        if (isBlankByte(bytes.at(at)))
            ++at;
        else if (startsAt(bytes, at, ideographicSpace))
            at += 3;
        else
            return at;
    }
    return to;
}

int lineEnd(const QByteArray &bytes, int from, int to)
{
    if (from >= to)
        return to;
    const void *end = std::memchr(bytes.constData() + from, '\n', size_t(to - from));
    return end ? int(static_cast<const char *>(end) - bytes.constData()) : to;
}

int find(const QByteArray &bytes, const char *what, int from, int to)
{
    // Only within from..to: a search to the end of the file for each gap
    // between texts would cost the square of the exam.
    if (from >= to)
        return -1;
    const QByteArray within = QByteArray::fromRawData(bytes.constData() + from, to - from);
    const int at = within.indexOf(what);
    return at < 0 ? -1 : from + at;
}

// The bytes before an '@' at `at` that number its question, "2. ", "（3）",
// "第4题 ", with the white space around them.
int numberingBytes(const QByteArray &bytes, int from, int at)
{
    static const QRegularExpression numbering(
        QStringLiteral("(?:[(（]?第?[0-9０-９一二三四五六七八九十]+题?[.．、)）:：]?)?[\\s\\x{3000}]*$"));
    const QString before = QString::fromUtf8(bytes.mid(from, at - from));
    return numbering.match(before).captured().toUtf8().size();
}

bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
           || c == '_' || c == '-';
}

QString Layout::textStarts(int row) const
{
    return CheckText::tr("the text of %1 starts here").arg(name(row));
}

QVector<Diagnostic> Layout::announced() const
{
    Diagnostic counts;
    counts.note(m_load.choiceCountAt,
                CheckText::tr("the file announces %1 choice and %2 non-choice questions here")
                    .arg(m_load.choiceCount)
                    .arg(m_load.textCount));
    return counts.notes;
}

int Layout::firstStray(int from, int next, bool &fullWidth) const
{
    const int dollar = find(m_bytes, "$", from, next);
    const int at = find(m_bytes, fullWidthAt, from, next);
    fullWidth = at >= 0 && (dollar < 0 || at < dollar);
    return fullWidth ? at : dollar;
}

QString Layout::fullWidthAtMessage()
{
    return CheckText::tr("a full-width ＠ does not start a text: type @ in half-width");
}

void Layout::strayBetween(int from, int next, int row, QVector<Diagnostic> &found) const
{
    bool fullWidth = false;
    const int stray = firstStray(from, next, fullWidth);
    if (stray < 0)
        return;
    found << (fullWidth ? warning("full-width-at", position(stray), fullWidthAtMessage())
                        : warning("stray-dollar", position(stray),
                                  CheckText::tr("a '$' outside every text: is the '@' before it missing? "
                                                "What stands before it is in no question")))
                 .note(position(next), textStarts(row));
}

int Layout::runOn(int row, bool &fullWidth) const
{
    const int open = at(m_load.blockAt[row]);
    const int close = at(m_load.blockEnd[row]);
    for (int dollar = open; (dollar = find(m_bytes, fullWidthDollar, dollar + 1, close)) >= 0;) {
        const int end = lineEnd(m_bytes, dollar + 3, close);
        if (end < close && firstVisible(m_bytes, dollar + 3, end) == end) {
            fullWidth = true;
            return dollar;
        }
    }
    fullWidth = false;
    for (int line = open; (line = find(m_bytes, "\n", line + 1, close)) >= 0;) {
        const int start = questionStart(m_bytes, line + 1, close);
        if (start >= 0)
            return start;
    }
    return -1;
}
