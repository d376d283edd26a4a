#include "textreport.h"

#include "examfindings.h"

namespace {

QString located(const QString &file, FilePosition at)
{
    if (at.line == 0)
        return file;
    return QStringLiteral("%1:%2:%3").arg(file, QString::number(at.line), QString::number(at.column));
}

QString questionName(bool choice, int number)
{
    return choice ? CheckText::tr("choice question %1").arg(number)
                  : CheckText::tr("non-choice question %1").arg(number);
}

// Question row of the file being read, as the student sees it.
QString questionName(const LoadReport &load, int row)
{
    const bool choice = row <= load.choiceCount;
    return questionName(choice, choice ? row : row - load.choiceCount);
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

QString droppedName(const DroppedMarkup &dropped)
{
    switch (dropped.kind) {
    case DroppedMarkup::Element:
        return CheckText::tr("tag %1").arg(dropped.name);
    case DroppedMarkup::Content:
        return CheckText::tr("%1 with what it holds").arg(dropped.name);
    case DroppedMarkup::Attribute:
        return CheckText::tr("attribute %1").arg(dropped.name);
    case DroppedMarkup::AttributeValue:
        return CheckText::tr("value of attribute %1").arg(dropped.name);
    case DroppedMarkup::Property:
        return CheckText::tr("style property %1").arg(dropped.name);
    case DroppedMarkup::PropertyValue:
        break;
    }
    return CheckText::tr("value of style property %1").arg(dropped.name);
}

QString boundName(MarkupBound bound)
{
    switch (bound) {
    case MarkupBound::Nesting:
        return CheckText::tr("elements open inside one another");
    case MarkupBound::Tables:
        return CheckText::tr("tables inside tables");
    case MarkupBound::Cells:
        return CheckText::tr("table cells");
    case MarkupBound::Text:
        return CheckText::tr("characters, lines and changes of direction");
    case MarkupBound::Images:
    case MarkupBound::None:
        break;
    }
    return CheckText::tr("pixels of images");
}

QString warningLine(const QString &file, FilePosition at, const QString &question,
                    const QString &message)
{
    return located(file, at) + QStringLiteral(": ") + CheckText::tr("warning: %1: %2").arg(question, message);
}

} // namespace

QStringList questionLines(const QString &file, const QuestionFindings &question)
{
    const QString name = questionName(question.choice, question.number);
    QStringList lines{located(file, question.at) + QStringLiteral(": ")
                      + CheckText::tr("%1: score %2, bytes %3, %4")
                            .arg(name, QString::number(question.score))
                            .arg(question.bytes)
                            .arg(displayName(question.display()))};
    if (question.cut()) {
        lines << warningLine(file, question.cutAt, name,
                             CheckText::tr("cut after %1 of its %2 bytes: from here on it is not shown")
                                 .arg(question.bytes)
                                 .arg(question.fileBytes));
    }
    if (question.nonUtf8.count > 0) {
        const QString count = QString::number(question.nonUtf8.count);
        lines << warningLine(
            file, question.nonUtf8At, name,
            question.nonUtf8.readsAsGbk
                ? CheckText::tr("bytes that are not UTF-8: %1, the first here; they read as GBK: the "
                        "file was saved in the ANSI code page, not as UTF-8")
                      .arg(count)
                : CheckText::tr("bytes that are not UTF-8: %1, the first here; each shows as �")
                      .arg(count));
    }
    if (question.markup && !question.markup->dropped.isEmpty()) {
        QStringList dropped;
        for (const DroppedMarkup &markup : question.markup->dropped)
            dropped << droppedName(markup) + QStringLiteral(" \u00D7") + QString::number(markup.count);
        lines << warningLine(file, question.at, name,
                             CheckText::tr("the display leaves out %1").arg(dropped.join(CheckText::tr(", "))));
    }
    if (question.markup && question.markup->shownAsPlainText()) {
        lines << warningLine(file, question.at, name,
                             CheckText::tr("shown as plain text: too many %1")
                                 .arg(boundName(question.markup->exceeded)));
    }
    return lines;
}

QString failureMessage(const ExamFindings &findings)
{
    const LoadReport &load = findings.load;
    if (!findings.named)
        return CheckText::tr("the system's code page cannot hold this path");
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
        return CheckText::tr("not a regular file");
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
        return CheckText::tr("the score of %1 is not a finite number").arg(questionName(load, load.question));
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

QStringList reportLines(const ExamFindings &findings)
{
    if (!findings.loads()) {
        return {located(findings.file, findings.load.at) + QStringLiteral(": ")
                + CheckText::tr("error: %1").arg(failureMessage(findings))};
    }
    QStringList lines{findings.file + QStringLiteral(": ")
                      + CheckText::tr("loads; choice questions: %1, non-choice questions: %2, total score: %3")
                            .arg(findings.load.choiceCount)
                            .arg(findings.load.textCount)
                            .arg(QString::number(findings.totalScore))};
    for (const QuestionFindings &question : findings.questions)
        lines << questionLines(findings.file, question);
    return lines;
}
