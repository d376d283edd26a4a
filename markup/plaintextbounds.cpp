#include "plaintextbounds.h"

#include "combiningmarks.h"
#include "textruns.h"

#include <QVector>

namespace {

bool endsParagraph(char32_t character)
{
    return character == '\n' || character == '\r' || character == 0x2028 || character == 0x2029;
}

} // namespace

BoundedPlainText boundPlainText(const QString &text)
{
    BoundedPlainText bounded;
    CombiningMarks marks;
    TextRuns runs;
    int runsInWord = 0;
    const QVector<uint> characters = text.toUcs4();
    QVector<uint> kept;
    kept.reserve(characters.size());
    for (const uint character : characters) {
        if (!marks.keeps(character))
            continue;
        kept.append(character);
        if (TextRuns::endsWord(character))
            runsInWord = 0;
        if (runs.startsRun(character) && ++runsInWord > PlainTextBounds::runsInWord)
            bounded.breaksAnywhere = true;
        if (endsParagraph(character))
            runs.newParagraph();
    }
    bounded.droppedMarks = marks.dropped();
    bounded.text = bounded.droppedMarks == 0 ? text : QString::fromUcs4(kept.constData(), kept.size());
    return bounded;
}
