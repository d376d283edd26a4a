#include "dataurl.h"

namespace {

bool isAsciiWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// The URL as a URL parser leaves it: without blanks and controls around it,
// without tabs and line ends inside it, and without its fragment.
QString parsedUrl(const QString &source)
{
    int begin = 0;
    int end = source.size();
    while (begin < end && source.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && source.at(end - 1).unicode() <= 0x20)
        --end;
    QString url;
    url.reserve(end - begin);
    for (int i = begin; i < end; ++i) {
        const QChar c = source.at(i);
        if (c == QLatin1Char('#'))
            break;
        if (c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            url += c;
    }
    return url;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

// '%' and two hexadecimal digits as the byte they stand for; any other '%'
// as itself.
QByteArray percentDecoded(const QByteArray &encoded)
{
    QByteArray decoded;
    decoded.reserve(encoded.size());
    for (int i = 0; i < encoded.size(); ++i) {
        const int high = i + 2 < encoded.size() ? hexDigit(encoded.at(i + 1)) : -1;
        const int low = high < 0 ? -1 : hexDigit(encoded.at(i + 2));
        if (encoded.at(i) == '%' && low >= 0) {
            decoded += char(high << 4 | low);
            i += 2;
        } else {
            decoded += encoded.at(i);
        }
    }
    return decoded;
}

// Base64 as browsers forgive it: white space anywhere, the padding there or
// not; nothing but the 64 characters and the padding at the end.
bool forgivingBase64(const QByteArray &text, QByteArray &decoded)
{
    QByteArray data;
    data.reserve(text.size());
    for (const char c : text) {
        if (!isAsciiWhitespace(c))
            data += c;
    }
    if (data.size() % 4 == 0 && data.endsWith('='))
        data.chop(data.endsWith("==") ? 2 : 1);
    if (data.size() % 4 == 1)
        return false;
    for (const char c : qAsConst(data)) {
        const bool letter = (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
        if (!letter && !(c >= '0' && c <= '9') && c != '+' && c != '/')
            return false;
    }
    decoded = QByteArray::fromBase64(data);
    return true;
}

// The type and subtype of a media type, as a MIME type parser reads them.
QString essence(const QString &mediaType)
{
    const QString essence = mediaType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    const int slash = essence.indexOf(QLatin1Char('/'));
    const bool read = slash > 0 && slash < essence.size() - 1 && essence.indexOf(QLatin1Char('/'), slash + 1) < 0
                      && !essence.contains(QLatin1Char(' '));
    return read ? essence : QStringLiteral("text/plain");
}

} // namespace

DataUrl readDataUrl(const QString &source)
{
    DataUrl url;
    const QString parsed = parsedUrl(source);
    if (!parsed.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return url;
    url.state = DataUrl::Unreadable;
    const int comma = parsed.indexOf(QLatin1Char(','));
    if (comma < 0)
        return url;
    QString mediaType = parsed.mid(5, comma - 5).trimmed();
    url.body = percentDecoded(parsed.mid(comma + 1).toUtf8());
    // ";base64" ends the media type, blanks allowed before "base64".
    if (mediaType.endsWith(QLatin1String("base64"), Qt::CaseInsensitive)) {
        int semicolon = mediaType.size() - 6;
        while (semicolon > 0 && mediaType.at(semicolon - 1) == QLatin1Char(' '))
            --semicolon;
        if (semicolon > 0 && mediaType.at(semicolon - 1) == QLatin1Char(';')) {
            if (!forgivingBase64(url.body, url.body))
                return url;
            mediaType.truncate(semicolon - 1);
        }
    }
    url.mediaType = essence(mediaType);
    url.state = DataUrl::Read;
    return url;
}
