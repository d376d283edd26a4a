#ifndef TEXTRUNS_H
#define TEXTRUNS_H

// Takes a paragraph's characters in order, a code point at a time; gives
// where Qt's layout starts another run of them and where a word ends.

#include <QChar>

// Qt lays a paragraph out in runs of one direction and one script. What
// starts a run: a change between left-to-right and right-to-left letters
// (numbers in right-to-left text a run of their own), each explicit
// direction control (U+202A to U+202E, U+2066 to U+2069), and a change of
// script inside a word.
class TextRuns
{
public:
    // Whether character starts a run other than the one before it.
    bool startsRun(char32_t character);

    // Whether Qt may break a line at character whatever stands around it
    // (white space, the zero-width space, a Chinese character): it ends a
    // word.
    static bool endsWord(char32_t character);

    // A new paragraph: nothing before it counts.
    void newParagraph();

private:
    enum class Direction { Neutral, LeftToRight, RightToLeft, NumberInRightToLeft };

    bool directionChanges(char32_t character);
    bool scriptChanges(char32_t character);

    Direction m_direction = Direction::Neutral;
    Direction m_lastStrong = Direction::Neutral;
    QChar::Script m_script = QChar::Script_Unknown; // of the word so far, if any
};

#endif // TEXTRUNS_H
