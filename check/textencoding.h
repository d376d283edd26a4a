#ifndef TEXTENCODING_H
#define TEXTENCODING_H

class QByteArray;

// The bytes of a question's text that are not UTF-8, which the window shows
// as replacement characters.
struct NonUtf8Bytes
{
    int first = -1; // offset of the first one in the text; -1: none
    int count = 0;
    // The whole text reads as GBK, the ANSI code page of a Chinese Windows:
    // it was saved in that code page rather than in UTF-8.
    bool readsAsGbk = false;
};

// Judged as the window's UTF-8 decoding judges them: a byte is UTF-8 when
// it belongs to a well-formed sequence (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
NonUtf8Bytes nonUtf8Bytes(const QByteArray &text);

#endif // TEXTENCODING_H
