#include "examsource.h"

#include <algorithm>

ExamSource::ExamSource(QByteArray bytes)
    : m_bytes(std::move(bytes))
    , m_end(m_bytes.size())
    , m_controlZ(m_bytes.indexOf('\x1a'))
{
#ifdef _WIN32
    if (m_controlZ >= 0)
        m_end = m_controlZ;
#endif
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_bomBytes = 3;
    for (int at = 0; (at = m_bytes.indexOf('\n', at)) >= 0;)
        m_lineStarts.append(++at);
}

int ExamSource::offset(FilePosition at) const
{
    if (at.line < 1 || at.line > m_lineStarts.size())
        return m_bytes.size();
    const int bom = at.line == 1 ? m_bomBytes : 0;
    return std::min(m_lineStarts[at.line - 1] + bom + at.column - 1, int(m_bytes.size()));
}

FilePosition ExamSource::position(int offset) const
{
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const int line = int(next - m_lineStarts.begin());
    const int bom = line == 1 ? m_bomBytes : 0;
    return {line, offset - m_lineStarts[line - 1] - bom + 1};
}

QByteArray ExamSource::lineBytes(int line) const
{
    if (line < 1 || line > m_lineStarts.size())
        return QByteArray();
    const int start = m_lineStarts[line - 1] + (line == 1 ? m_bomBytes : 0);
    // What the program does not read is not shown either.
    const int next = std::min(line < m_lineStarts.size() ? m_lineStarts[line] - 1 : int(m_bytes.size()), m_end);
    QByteArray bytes = m_bytes.mid(start, std::max(next - start, 0));
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return bytes;
}

QString ExamSource::lineText(int line) const
{
    return QString::fromUtf8(lineBytes(line));
}

QString ExamSource::textBefore(FilePosition at) const
{
    return QString::fromUtf8(lineBytes(at.line).left(at.column - 1));
}

int ExamSource::characterColumn(FilePosition at) const
{
    // Without the file's bytes, the bytes are all there is to count.
    if (at.line > m_lineStarts.size() || m_bytes.isEmpty())
        return at.column;
    return textBefore(at).toUcs4().size() + 1;
}

int displayWidth(uint c)
{
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E)
                      || (c >= 0x3041 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
                      || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
                      || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6)
                      || (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}
