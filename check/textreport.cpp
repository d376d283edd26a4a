#include "textreport.h"

#include "examfindings.h"
#include "loadfailure.h"

#include <algorithm>

namespace {

const char bold[] = "\x1b[1m";
const char reset[] = "\x1b[0m";

QString painted(const QString &text, const char *colour, bool on)
{
    return on ? QLatin1String(colour) + text + QLatin1String(reset) : text;
}

QString located(const QString &file, const ExamSource &source, FilePosition at)
{
    if (at.line == 0)
        return file;
    return QStringLiteral("%1:%2:%3").arg(file).arg(at.line).arg(source.characterColumn(at));
}

QString displayName(QuestionDisplay display)
{
    switch (display) {
    case QuestionDisplay::Plain:
        return CheckText::tr("plain text");
    case QuestionDisplay::Formatted:
        return CheckText::tr("formatted");
    case QuestionDisplay::MarkupShownPlain:
        break;
    }
    return CheckText::tr("markup shown as plain text");
}

// "error:", "warning:", "note:" in the colours gcc gives them.
QString label(Diagnostic::Kind kind, bool colour)
{
    switch (kind) {
    case Diagnostic::Error:
        return painted(CheckText::tr("error:"), "\x1b[1;31m", colour);
    case Diagnostic::Warning:
        return painted(CheckText::tr("warning:"), "\x1b[1;35m", colour);
    case Diagnostic::Note:
        break;
    }
    return painted(CheckText::tr("note:"), "\x1b[1;36m", colour);
}

QString line(const QString &file, const ExamSource &source, const Diagnostic &diagnostic, bool colour)
{
    const QString kind = label(diagnostic.kind, colour);
    // A label that ends in a full-width colon needs no space after it.
    const bool spaced = kind.contains(QLatin1Char(':'));
    return painted(located(file, source, diagnostic.at) + QLatin1Char(':'), bold, colour)
           + QLatin1Char(' ') + kind + (spaced ? QStringLiteral(" ") : QString()) + diagnostic.message;
}

// The line of the file a place is on, and a caret under the place; of a
// long line the stretch around the place.
QStringList excerpt(const ExamSource &source, FilePosition at, bool colour)
{
    if (at.line == 0 || source.bytes().isEmpty())
        return {};
    constexpr int longest = 100;
    constexpr int before = 40;
    QVector<uint> line = source.lineText(at.line).toUcs4();
    QVector<uint> lead = source.textBefore(at).toUcs4();
    const uint ellipsis = 0x2026;
    if (line.size() > longest) {
        const int start = std::max(0, int(lead.size()) - before);
        const bool cutEnd = start + longest < line.size();
        line = line.mid(start, longest);
        lead = lead.mid(start);
        if (start > 0) {
            line.prepend(ellipsis);
            lead.prepend(ellipsis);
        }
        if (cutEnd)
            line.append(ellipsis);
    }
    const QString number = QString::number(at.line).rightJustified(5);
    QString padding;
    for (const uint c : lead)
        padding += c == '\t' ? QStringLiteral("\t") : QString(displayWidth(c), QLatin1Char(' '));
    return {number + QStringLiteral(" | ") + QString::fromUcs4(line.constData(), line.size()),
            QString(number.size(), QLatin1Char(' ')) + QStringLiteral(" | ") + padding
                + painted(QStringLiteral("^"), "\x1b[1;32m", colour)};
}

QString questionLine(const QString &file, const ExamSource &source, const QuestionFindings &question)
{
    return located(file, source, question.at) + QStringLiteral(": ")
           + CheckText::tr("%1: score %2, bytes %3, %4")
                 .arg(questionName(question.choice, question.number), shownNumber(question.score))
                 .arg(question.bytes)
                 .arg(displayName(question.display()));
}

} // namespace

QStringList diagnosticLines(const QString &file, const ExamSource &source, const Diagnostic &diagnostic,
                            const ReportStyle &style)
{
    QStringList lines{line(file, source, diagnostic, style.colour)};
    if (style.excerpts)
        lines << excerpt(source, diagnostic.at, style.colour);
    for (const Diagnostic &note : diagnostic.notes)
        lines << diagnosticLines(file, source, note, style);
    return lines;
}

QStringList questionLines(const QString &file, const QuestionFindings &question)
{
    const ExamSource none;
    QStringList lines{questionLine(file, none, question)};
    for (const Diagnostic &warning : question.warnings())
        lines << diagnosticLines(file, none, warning, ReportStyle{false, false});
    return lines;
}

QStringList reportLines(const ExamFindings &findings, const ReportStyle &style)
{
    const QString &file = findings.file;
    const ExamSource &source = findings.source;
    if (!findings.loads())
        return diagnosticLines(file, source, failureDiagnostic(findings), style);

    QStringList lines{file + QStringLiteral(": ")
                      + CheckText::tr("loads; choice questions: %1, non-choice questions: %2, total score: %3")
                            .arg(findings.load.choiceCount)
                            .arg(findings.load.textCount)
                            .arg(shownNumber(findings.totalScore))};
    // The questions and the warnings in the order of the file: a question's
    // line before the warnings at its '@'.
    const QVector<Diagnostic> warnings = findings.warnings();
    int next = 0;
    const auto before = [](FilePosition a, FilePosition b) {
        return a.line < b.line || (a.line == b.line && a.column < b.column);
    };
    for (const QuestionFindings &question : findings.questions) {
        for (; next < warnings.size() && before(warnings[next].at, question.at); ++next)
            lines << diagnosticLines(file, source, warnings[next], style);
        lines << questionLine(file, source, question);
    }
    for (; next < warnings.size(); ++next)
        lines << diagnosticLines(file, source, warnings[next], style);
    return lines;
}
