#include "textruns.h"

bool TextRuns::startsRun(char32_t character)
{
    const bool direction = directionChanges(character);
    const bool script = scriptChanges(character);
    const bool control = (character >= 0x202A && character <= 0x202E) || (character >= 0x2066 && character <= 0x2069);
    return direction || script || control;
}

bool TextRuns::endsWord(char32_t character)
{
    return QChar::isSpace(character) || character == 0x200B || QChar::script(character) == QChar::Script_Han;
}

void TextRuns::newParagraph()
{
    m_direction = Direction::Neutral;
    m_lastStrong = Direction::Neutral;
    m_script = QChar::Script_Unknown;
}

// Runs as the layout splits a paragraph: left to right, right to left, and
// numbers within right-to-left text.
bool TextRuns::directionChanges(char32_t character)
{
    Direction direction = Direction::Neutral;
    switch (QChar::direction(character)) {
    case QChar::DirL: direction = Direction::LeftToRight; break;
    case QChar::DirR:
    case QChar::DirAL: direction = Direction::RightToLeft; break;
    case QChar::DirEN:
    case QChar::DirAN:
        if (m_lastStrong == Direction::RightToLeft)
            direction = Direction::NumberInRightToLeft;
        break;
    default: break;
    }
    if (direction == Direction::Neutral)
        return false;
    if (direction != Direction::NumberInRightToLeft)
        m_lastStrong = direction;
    const bool changed = m_direction != Direction::Neutral && direction != m_direction;
    m_direction = direction;
    return changed;
}

// Digits, punctuation and marks take the script around them.
bool TextRuns::scriptChanges(char32_t character)
{
    if (endsWord(character)) {
        m_script = QChar::Script_Unknown;
        return false;
    }
    const QChar::Script script = QChar::script(character);
    if (script == QChar::Script_Common || script == QChar::Script_Inherited || script == QChar::Script_Unknown)
        return false;
    const bool changed = m_script != QChar::Script_Unknown && script != m_script;
    m_script = script;
    return changed;
}
