#include "textencoding.h"

#include <QByteArray>

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0. The
// second byte's range depends on the first, which rules out overlong forms,
// surrogates and what lies beyond U+10FFFF.
int sequenceLength(const QByteArray &text, int at)
{
    const auto byte = [&text](int i) { return static_cast<unsigned char>(text.at(i)); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (int i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// GBK, the double-byte encoding of code page 936: ASCII, and pairs of a
// lead byte 0x81..0xFE and a trail byte 0x40..0xFE other than 0x7F. A text
// cut at the row's end may end in half a pair.
bool readsAsGbk(const QByteArray &text)
{
    for (int at = 0; at < text.size(); ++at) {
        const auto lead = static_cast<unsigned char>(text.at(at));
        if (lead < 0x80)
            continue;
        if (lead == 0x80 || lead == 0xFF)
            return false;
        if (++at == text.size())
            return true;
        const auto trail = static_cast<unsigned char>(text.at(at));
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
    }
    return true;
}

} // namespace

NonUtf8Bytes nonUtf8Bytes(const QByteArray &text)
{
    NonUtf8Bytes found;
    for (int at = 0; at < text.size();) {
        const int length = sequenceLength(text, at);
        if (length > 0) {
            at += length;
            continue;
        }
        if (found.first < 0)
            found.first = at;
        ++found.count;
        ++at;
    }
    if (found.count > 0)
        found.readsAsGbk = readsAsGbk(text);
    return found;
}
