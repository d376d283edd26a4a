#include "combiningmarks.h"

#include <QVector>

bool CombiningMarks::keeps(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        if (++m_inARow <= mostInARow)
            return true;
        ++m_dropped;
        return false;
    default:
        m_inARow = 0;
        return true;
    }
}

QString CombiningMarks::kept(const QString &text)
{
    const QVector<uint> characters = text.toUcs4();
    QVector<uint> kept;
    kept.reserve(characters.size());
    for (const uint character : characters) {
        if (keeps(character))
            kept.append(character);
    }
    if (kept.size() == characters.size())
        return text;
    return QString::fromUcs4(kept.constData(), kept.size());
}
