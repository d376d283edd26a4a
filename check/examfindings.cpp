#include "examfindings.h"

#include "examstore.h"
#include "localencoding.h"
#include "questiontext.h"

QuestionDisplay QuestionFindings::display() const
{
    if (!markup)
        return QuestionDisplay::Plain;
    return markup->shownAsPlainText() ? QuestionDisplay::MarkupShownPlain : QuestionDisplay::Formatted;
}

int QuestionFindings::warnings() const
{
    return int(cut()) + int(nonUtf8.count > 0)
           + int(markup && !markup->dropped.isEmpty()) + int(markup && markup->shownAsPlainText());
}

int ExamFindings::warnings() const
{
    int count = 0;
    for (const QuestionFindings &question : questions)
        count += question.warnings();
    return count;
}

int ExamFindings::status() const
{
    if (!loads())
        return 2;
    return warnings() > 0 ? 1 : 0;
}

FilePosition positionInText(FilePosition blockAt, const QByteArray &text, int offset)
{
    FilePosition at{blockAt.line, blockAt.column + 1 + offset};
    for (int i = 0; i < offset; ++i) {
        if (text.at(i) == '\n') {
            ++at.line;
            at.column = offset - i;
        }
    }
    return at;
}

QuestionFindings questionFindings(int row, const LoadReport &report)
{
    QuestionFindings found;
    found.choice = row <= choose_count;
    found.number = found.choice ? row : row - choose_count;
    found.score = question_score[row];
    const QByteArray text(question_text[row]);
    found.bytes = text.size();
    found.at = report.blockAt[row];
    found.fileBytes = report.fileBytes[row];
    if (found.cut())
        found.cutAt = positionInText(found.at, text, text.size());

    const QString shown = questionText(row);
    if (isQuestionMarkup(shown))
        found.markup = sanitizeQuestionMarkup(shown);
    found.nonUtf8 = nonUtf8Bytes(text);
    if (found.nonUtf8.count > 0)
        found.nonUtf8At = positionInText(found.at, text, found.nonUtf8.first);
    return found;
}

ExamFindings checkExam(const QString &file)
{
    ExamFindings found;
    found.file = file;
    // As the window takes a path: one the local encoding cannot hold would
    // name another file.
    const std::optional<QByteArray> path = toLocalExactly(file);
    found.named = path.has_value();
    if (!path || !loadExam(*path, &found.load))
        return found;

    const int questions = choose_count + unchoose_count;
    found.questions.reserve(questions);
    for (int row = 1; row <= questions; ++row) {
        found.totalScore += question_score[row];
        found.questions.append(questionFindings(row, found.load));
    }
    return found;
}
