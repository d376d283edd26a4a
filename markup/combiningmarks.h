#ifndef COMBININGMARKS_H
#define COMBININGMARKS_H

// Takes a text's characters in order, a code point at a time; gives whether
// each is kept: a character keeps at most mostInARow marks after it.

#include <QString>

// Marks on one character (accents, vowel points, enclosing circles) are
// placed by HarfBuzz each against those before it: a run of them costs the
// square of its length, and no writing needs more than a few.
class CombiningMarks
{
public:
    static constexpr int mostInARow = 30;

    // Whether character is kept: any character that is not a mark, and a
    // mark among the first mostInARow after one.
    bool keeps(char32_t character);

    // text with the marks beyond the bound left out; a text given in
    // pieces keeps its run of marks from one piece to the next.
    QString kept(const QString &text);

    // The marks left out so far.
    int dropped() const { return m_dropped; }

private:
    int m_inARow = 0;
    int m_dropped = 0;
};

#endif // COMBININGMARKS_H
