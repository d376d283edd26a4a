#include "loadfailure.h"

#include "encodingfindings.h"
#include "examfindings.h"
#include "layoutscan.h"

namespace {

// Where loading stopped, in the loader's words.
QString stopMessage(const ExamFindings &findings)
{
    const LoadReport &load = findings.load;
    switch (load.failure) {
    case LoadFailure::None:
        return QString();
    case LoadFailure::PathTooLong:
        return CheckText::tr("the path is longer than %1 bytes").arg(maxPathBytes);
    case LoadFailure::Missing:
        return CheckText::tr("no such file");
    case LoadFailure::Unreadable:
        return CheckText::tr("the file cannot be read");
    case LoadFailure::NotRegularFile:
        return findings.folder ? CheckText::tr("a folder, not an exam file")
                               : CheckText::tr("not a file but a device or a pipe");
    case LoadFailure::TooLarge:
        return CheckText::tr("larger than %1 MiB").arg(maxExamFileBytes / (1024 * 1024));
    case LoadFailure::ChoiceCountMissing:
        return CheckText::tr("expected the number of choice questions");
    case LoadFailure::TextCountMissing:
        return CheckText::tr("expected the number of non-choice questions");
    case LoadFailure::NegativeCount:
        return CheckText::tr("a number of questions cannot be negative");
    case LoadFailure::TooManyChoiceQuestions:
        return CheckText::tr("%1 choice questions: at most %2").arg(load.choiceCount).arg(maxChoiceQuestions);
    case LoadFailure::TooManyTextQuestions:
        return CheckText::tr("%1 non-choice questions: at most %2").arg(load.textCount).arg(maxTextQuestions);
    case LoadFailure::ScoreMissing:
        return CheckText::tr("expected the score of %1").arg(questionName(load, load.question));
    case LoadFailure::ScoreNotFinite:
        return CheckText::tr("the score of %1 is not a number the program can use (nan, inf, or too "
                             "large)")
            .arg(questionName(load, load.question));
    case LoadFailure::BlockMissing:
        return CheckText::tr("the file ends before the text of %1, text %2 of %3")
            .arg(questionName(load, load.question))
            .arg(load.question)
            .arg(load.choiceCount + load.textCount);
    case LoadFailure::BlockUnclosed:
        break;
    }
    return CheckText::tr("the text of %1 has no closing '$'").arg(questionName(load, load.question));
}

uint characterAt(const QByteArray &bytes, int at)
{
    const QString character = QString::fromUtf8(bytes.mid(at, 4));
    return character.isEmpty() ? 0 : character.toUcs4().value(0);
}

// A character a Chinese input method types in full width where a number
// or white space belongs, named; empty for any other.
QString fullWidthName(uint c)
{
    if (c >= 0xFF10 && c <= 0xFF19)
        return CheckText::tr("found the full-width digit %1: type digits in half-width")
            .arg(QString::fromUcs4(&c, 1));
    if (c == 0x3000)
        return CheckText::tr("found a full-width space: type spaces in half-width");
    if (c == 0xFF0C)
        return CheckText::tr("found a full-width comma ，: put spaces between numbers");
    if (c == 0xFF0E)
        return CheckText::tr("found a full-width point ．: type it in half-width");
    return QString();
}

bool isDigitByte(const QByteArray &bytes, int at)
{
    return at >= 0 && at < bytes.size() && bytes.at(at) >= '0' && bytes.at(at) <= '9';
}

// A cause found at or just before where loading stopped; rule empty if none.
Diagnostic causeAtStop(const ExamFindings &findings)
{
    const LoadReport &load = findings.load;
    const ExamSource &source = findings.source;
    const QByteArray &bytes = source.bytes();
    const int stop = source.offset(load.at);
    const bool afterDigit = isDigitByte(bytes, stop - 1);
    if (load.failure == LoadFailure::ScoreMissing && load.question > 1 && afterDigit
        && stop < bytes.size() && bytes.at(stop) == ',' && isDigitByte(bytes, stop + 1)) {
        const int row = load.question - 1;
        const int from = source.offset(load.scoreAt[row]);
        int end = stop + 1;
        while (isDigitByte(bytes, end))
            ++end;
        QString typed = QString::fromLatin1(bytes.mid(from, end - from));
        return {Diagnostic::Error, load.scoreAt[row],
                CheckText::tr("the score of %1 has a decimal comma: write %2")
                    .arg(questionName(load, row), typed.replace(QLatin1Char(','), QLatin1Char('.'))),
                QStringLiteral("decimal-comma"), {}};
    }
    if (load.failure == LoadFailure::TextCountMissing && afterDigit && stop < bytes.size()
        && (bytes.at(stop) == '.' || bytes.at(stop) == ',')) {
        return {Diagnostic::Error, load.choiceCountAt,
                CheckText::tr("the number of choice questions is not a whole number"),
                QStringLiteral("count-not-whole"), {}};
    }
    const QString fullWidth = fullWidthName(characterAt(bytes, stop));
    if (!fullWidth.isEmpty() && load.failure >= LoadFailure::ChoiceCountMissing
        && load.failure <= LoadFailure::ScoreMissing) {
        return {Diagnostic::Error, load.at, CheckText::tr("%1, %2").arg(stopMessage(findings), fullWidth),
                QStringLiteral("full-width"), {}};
    }
    return Diagnostic{};
}

// A missing '$' or '@' behind a file that ends too soon: the text that ran
// on, or the '$' that ends no text.
Diagnostic runOnCause(const ExamFindings &findings)
{
    const LoadReport &load = findings.load;
    const Layout layout(findings.source, load);
    const int read = load.textsRead;
    for (int row = 1; row <= read + 1; ++row) {
        const int from = row == 1 ? layout.at(load.scoresEnd) : layout.at(load.blockEnd[row - 1]) + 1;
        const int next = row <= read ? layout.at(load.blockAt[row]) : findings.source.end();
        bool fullWidth = false;
        const int stray = layout.firstStray(from, next, fullWidth);
        if (fullWidth) {
            return {Diagnostic::Error, layout.position(stray), Layout::fullWidthAtMessage(),
                    QStringLiteral("full-width-at"), {}};
        }
        if (stray >= 0) {
            Diagnostic cause{Diagnostic::Error, layout.position(stray),
                             CheckText::tr("this '$' ends no text: the '@' before it is missing, so "
                                           "each later text goes to the question before it"),
                             QStringLiteral("missing-at"), {}};
            if (row <= read)
                cause.note(load.blockAt[row], layout.textStarts(row));
            return cause;
        }
        const int start = row <= read ? layout.runOn(row, fullWidth) : -1;
        if (start < 0)
            continue;
        Diagnostic cause{Diagnostic::Error, load.blockAt[row],
                         CheckText::tr("the text of %1 has no '$' of its own: it runs on into the "
                                       "next question")
                             .arg(layout.name(row)),
                         QStringLiteral("missing-dollar"), {}};
        cause.note(layout.position(start),
                   fullWidth ? CheckText::tr("this full-width ＄ does not end it")
                             : CheckText::tr("what looks like the next question starts here"));
        cause.note(load.blockEnd[row], CheckText::tr("the text ran on to here"));
        return cause;
    }
    return Diagnostic{};
}

} // namespace

Diagnostic failureDiagnostic(const ExamFindings &findings)
{
    const LoadReport &load = findings.load;
    if (!findings.named) {
        return {Diagnostic::Error, {}, CheckText::tr("the system's encoding cannot hold this path"),
                QStringLiteral("path-not-in-code-page"), {}};
    }
    Diagnostic found{Diagnostic::Error, load.at, stopMessage(findings), QString(), {}};
    if (load.failure <= LoadFailure::TooLarge)
        return found;
    if (looksLikeUtf16(findings.source.bytes())) {
        return {Diagnostic::Error, {1, 1},
                CheckText::tr("the file is saved as UTF-16 (\"Unicode\" in Notepad): save it as "
                              "UTF-8"),
                QStringLiteral("utf-16"), {}};
    }
    Diagnostic cause = causeAtStop(findings);
    if (cause.rule.isEmpty() && load.failure >= LoadFailure::BlockMissing) {
        cause = runOnCause(findings);
        if (!cause.rule.isEmpty())
            cause.note(load.at, found.message);
    }
    if (!cause.rule.isEmpty())
        found = cause;
    else if (load.failure == LoadFailure::ScoreMissing)
        found.notes << Layout(findings.source, load).announced();
    const ExamSource &source = findings.source;
    if (source.end() < source.bytes().size()) {
        found.note(source.position(source.end()),
                   CheckText::tr("on Windows the file ends at this byte 0x1A (Ctrl+Z)"));
    }
    return found;
}
