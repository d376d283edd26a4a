#include "layoutfindings.h"

#include "examsource.h"
#include "layoutscan.h"

#include <QHash>
#include <QRegularExpression>

#include <cctype>
#include <cmath>

namespace {

// Whether the last score was read from the number of the first text.
bool scoreFromNumber(const Layout &layout, int questions, QVector<Diagnostic> &found)
{
    const LoadReport &load = layout.m_load;
    if (load.scoreAt[questions].line != load.blockAt[1].line)
        return false;
    const int from = layout.at(load.scoreAt[questions]);
    const QString number = QString::fromUtf8(layout.m_bytes.mid(from, layout.at(load.blockAt[1]) - from));
    static const QRegularExpression numbering(QStringLiteral("^[0-9]+[.．、)）:：][\\s\\x{3000}]*$"));
    if (!numbering.match(number).hasMatch())
        return false;
    found << warning("score-from-number", load.scoreAt[questions],
                     CheckText::tr("the score of %1 is read from \"%2\", the number before the first "
                                   "text: is a score missing?")
                         .arg(layout.name(questions), number.trimmed()))
                 .note(load.blockAt[1], layout.textStarts(1));
    return true;
}

// Numbers on a line of their own between the scores and the first text.
bool numbersOnly(const QString &line)
{
    static const QRegularExpression numbers(QStringLiteral(
        "^[\\s\\x{3000}]*[-+]?[0-9]*\\.?[0-9]+([\\s\\x{3000}]+[-+]?[0-9]*\\.?[0-9]+)*[\\s\\x{3000}]*$"));
    return numbers.match(line).hasMatch();
}

void afterLastScore(const Layout &layout, int questions, double score, QVector<Diagnostic> &found)
{
    const LoadReport &load = layout.m_load;
    const QByteArray &bytes = layout.m_bytes;
    const int from = layout.at(load.scoresEnd);
    const int to = layout.at(load.blockAt[1]);
    const int end = lineEnd(bytes, from, to);
    const int shown = end == to ? to - numberingBytes(bytes, from, to) : end;
    int first = firstVisible(bytes, from, shown);
    if (first == shown) {
        // A line of numbers alone before the line of the first text.
        for (int line = end + 1; line < to && first == shown;) {
            const int next = lineEnd(bytes, line, to);
            if (next == to)
                break;
            if (numbersOnly(QString::fromUtf8(bytes.mid(line, next - line))))
                first = firstVisible(bytes, line, next);
            line = next + 1;
        }
        if (first == shown)
            return;
    }
    int wordEnd = first;
    while (wordEnd < to && !isBlankByte(bytes.at(wordEnd)) && bytes.at(wordEnd) != '@')
        ++wordEnd;
    const QString word = QString::fromUtf8(bytes.mid(first, wordEnd - first));
    static const QRegularExpression comma(QStringLiteral("^[,，]([0-9]+)"));
    const QRegularExpressionMatch decimals = comma.match(word);
    if (first == from && decimals.hasMatch()) {
        const int scoreFrom = layout.at(load.scoreAt[questions]);
        const QString typed = QString::fromUtf8(bytes.mid(scoreFrom, from - scoreFrom));
        found << warning("decimal-comma", load.scoreAt[questions],
                         CheckText::tr("the score of %1 reads as %2: \"%3\" after it is not read; "
                                       "write a decimal point: %4")
                             .arg(layout.name(questions), shownNumber(score), decimals.captured(),
                                  typed + QLatin1Char('.') + decimals.captured(1)));
        return;
    }
    Diagnostic surplus = warning("score-not-read", layout.position(first),
                                 CheckText::tr("\"%1\" after the score of %2, the last, is not read: "
                                               "one score too many?")
                                     .arg(word, layout.name(questions)));
    surplus.notes = layout.announced();
    found << surplus;
}

void betweenTexts(const Layout &layout, int questions, QVector<Diagnostic> &found)
{
    const LoadReport &load = layout.m_load;
    const QByteArray &bytes = layout.m_bytes;
    layout.strayBetween(layout.at(load.scoresEnd), layout.at(load.blockAt[1]), 1, found);
    for (int row = 1; row <= questions; ++row) {
        const int from = layout.at(load.blockEnd[row]) + 1;
        const int next = row < questions ? layout.at(load.blockAt[row + 1]) : layout.m_source.end();
        const int end = lineEnd(bytes, from, next);
        const int shown = end == next && row < questions ? next - numberingBytes(bytes, from, next) : end;
        const int first = firstVisible(bytes, from, shown);
        if (first < shown) {
            found << warning("text-after-dollar", layout.position(first),
                             CheckText::tr("text after the '$' that ends the text of %1 is in no "
                                           "question: the students do not see it. A '$' inside a "
                                           "question ends it (a price, $x^2$): write ＄ there")
                                 .arg(layout.name(row)))
                         .note(load.blockAt[row], layout.textStarts(row));
        }
        // Text after a '$' is the rest of the question: its '$'s are the
        // same slip.
        if (row < questions && first == shown)
            layout.strayBetween(from, next, row + 1, found);
    }
}

void afterLastText(const Layout &layout, int questions, QVector<Diagnostic> &found)
{
    const QByteArray &bytes = layout.m_bytes;
    const int end = layout.m_source.end();
    int count = 0;
    int first = -1;
    for (int from = layout.at(layout.m_load.blockEnd[questions]) + 1;;) {
        const int open = find(bytes, "@", from, end);
        const int close = open < 0 ? -1 : find(bytes, "$", open + 1, end);
        if (close < 0)
            break;
        if (first < 0)
            first = open;
        ++count;
        from = close + 1;
    }
    if (count == 0)
        return;
    Diagnostic surplus = warning("text-after-last", layout.position(first),
                                 CheckText::tr("texts after the last question: %1, the first here. "
                                               "The students do not get them: are the numbers of "
                                               "questions right?")
                                     .arg(count));
    surplus.notes = layout.announced();
    found << surplus;
}

// An '@' right after a word with a letter in it, as in an e-mail address:
// after a score or a number it is only typed close.
bool openedInWord(const Layout &layout, int row)
{
    const QByteArray &bytes = layout.m_bytes;
    bool letter = false;
    for (int at = layout.at(layout.m_load.blockAt[row]) - 1; at >= 0 && isWordByte(bytes.at(at)); --at)
        letter = letter || (bytes.at(at) >= 'A' && bytes.at(at) <= 'z' && std::isalpha(uchar(bytes.at(at))));
    return letter;
}

void insideTexts(const Layout &layout, int questions, QVector<Diagnostic> &found)
{
    const LoadReport &load = layout.m_load;
    for (int row = 1; row <= questions; ++row) {
        if (openedInWord(layout, row)) {
            found << warning("at-in-word", load.blockAt[row],
                             CheckText::tr("this '@' inside a word (an e-mail address?) starts the "
                                           "text of %1: every '@' between texts starts one")
                                 .arg(layout.name(row)));
            continue;
        }
        bool fullWidth = false;
        const int start = layout.runOn(row, fullWidth);
        if (start < 0)
            continue;
        found << (fullWidth ? warning("full-width-dollar", layout.position(start),
                                      CheckText::tr("a full-width ＄ does not end the text of %1, "
                                                    "which runs on: type $ in half-width")
                                          .arg(layout.name(row)))
                            : warning("run-on", layout.position(start),
                                      CheckText::tr("what looks like the start of a question inside "
                                                    "the text of %1: is the '$' before it missing? "
                                                    "The students get both as one question")
                                          .arg(layout.name(row))))
                         .note(load.blockAt[row], layout.textStarts(row));
    }
}

// Empty and repeated texts.
void textContents(const Layout &layout, int questions, QVector<Diagnostic> &found)
{
    const LoadReport &load = layout.m_load;
    QHash<QByteArray, int> seen;
    for (int row = 1; row <= questions; ++row) {
        const int open = layout.at(load.blockAt[row]) + 1;
        const int close = layout.at(load.blockEnd[row]);
        if (firstVisible(layout.m_bytes, open, close) == close) {
            found << warning("empty-text", load.blockAt[row],
                             CheckText::tr("the text of %1 is empty: the students see a blank "
                                           "question")
                                 .arg(layout.name(row)));
            continue;
        }
        const QByteArray text = layout.m_bytes.mid(open, close - open).trimmed();
        const auto earlier = seen.constFind(text);
        if (earlier == seen.constEnd()) {
            seen.insert(text, row);
            continue;
        }
        found << warning("same-text", load.blockAt[row],
                         CheckText::tr("the text of %1 is the same as that of %2")
                             .arg(layout.name(row), layout.name(*earlier)))
                     .note(load.blockAt[*earlier], layout.textStarts(*earlier));
    }
}

void scoreValues(const Layout &layout, const QVector<double> &scores, QVector<Diagnostic> &found)
{
    const LoadReport &load = layout.m_load;
    double total = 0;
    for (int row = 1; row <= scores.size(); ++row) {
        const double score = scores[row - 1];
        if (score <= 0) {
            found << warning("score-not-positive", load.scoreAt[row],
                             CheckText::tr("the score of %1 is %2: the question counts for nothing")
                                 .arg(layout.name(row), shownNumber(score)));
        }
        const bool finite = std::isfinite(total);
        total += score;
        if (finite && !std::isfinite(total)) {
            found << warning("total-overflows", load.scoreAt[row],
                             CheckText::tr("with the score of %1 the total goes beyond the largest "
                                           "number a program holds")
                                 .arg(layout.name(row)));
        }
    }
}

} // namespace

QVector<Diagnostic> layoutFindings(const ExamSource &source, const LoadReport &load,
                                   const QVector<double> &scores)
{
    QVector<Diagnostic> found;
    const int questions = load.choiceCount + load.textCount;
    if (questions == 0) {
        found << warning("no-questions", load.choiceCountAt,
                         CheckText::tr("an exam without questions: the students have nothing to "
                                       "answer"));
        return found;
    }
    const Layout layout(source, load);
    // What is left of that number after the score is no score of its own.
    if (!scoreFromNumber(layout, questions, found))
        afterLastScore(layout, questions, scores.last(), found);
    betweenTexts(layout, questions, found);
    afterLastText(layout, questions, found);
    insideTexts(layout, questions, found);
    textContents(layout, questions, found);
    scoreValues(layout, scores, found);
    return found;
}
