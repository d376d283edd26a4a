#include "examfindings.h"

#include "combiningmarks.h"
#include "encodingfindings.h"
#include "examstore.h"
#include "layoutfindings.h"
#include "localencoding.h"
#include "markupfindings.h"
#include "plaintextbounds.h"
#include "questiontext.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

QuestionDisplay QuestionFindings::display() const
{
    if (!markup)
        return QuestionDisplay::Plain;
    return markup->shownAsPlainText() ? QuestionDisplay::MarkupShownPlain : QuestionDisplay::Formatted;
}

QVector<Diagnostic> QuestionFindings::warnings() const
{
    const QString name = questionName(choice, number);
    QVector<Diagnostic> found;
    if (cut()) {
        found << warning("cut", cutAt,
                         CheckText::tr("%1: cut after %2 of its %3 bytes: from here on it is not shown")
                             .arg(name)
                             .arg(bytes)
                             .arg(fileBytes));
    }
    if (!plainMarkupTag.isEmpty()) {
        found << warning("plain-text-taken-for-markup", plainMarkupAt,
                         (lineEnds ? CheckText::tr("%1 reads as plain text, but this '<' makes the "
                                                   "display take it all for markup: the students do "
                                                   "not see \"%2\", and its line breaks are lost "
                                                   "(options run together); write &lt; for '<'")
                                   : CheckText::tr("%1 reads as plain text, but this '<' makes the "
                                                   "display take it all for markup: the students do "
                                                   "not see \"%2\"; write &lt; for '<'"))
                             .arg(name, plainMarkupTag));
        return found;
    }
    if (markup) {
        const QString missed = missedMarkupMessage(markup->dropped);
        if (!missed.isEmpty())
            found << warning("markup-missed", at, CheckText::tr("%1: %2").arg(name, missed));
    }
    if (droppedMarks > 0) {
        found << warning("marks-dropped", at,
                         CheckText::tr("%1: marks on one character beyond the first %3 are not shown (%2 in all)")
                             .arg(name)
                             .arg(droppedMarks)
                             .arg(CombiningMarks::mostInARow));
    }
    if (display() == QuestionDisplay::MarkupShownPlain) {
        found << warning("markup-shown-plain", at,
                         CheckText::tr("%1: shown as plain text: too many %2")
                             .arg(name, markupBoundName(markup->exceeded)));
    }
    return found;
}

QVector<Diagnostic> ExamFindings::warnings() const
{
    QVector<Diagnostic> all = fileWarnings;
    for (const QuestionFindings &question : questions)
        all << question.warnings();
    std::stable_sort(all.begin(), all.end(), [](const Diagnostic &a, const Diagnostic &b) {
        return std::tie(a.at.line, a.at.column) < std::tie(b.at.line, b.at.column);
    });
    return all;
}

int ExamFindings::status() const
{
    if (!loads())
        return 2;
    return warnings().isEmpty() ? 0 : 1;
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
    const QuestionNumber question = questionNumber(choose_count, row);
    found.choice = question.choice;
    found.number = question.number;
    found.score = question_score[row];
    const QByteArray text(question_text[row]);
    found.bytes = text.size();
    found.at = report.blockAt[row];
    found.fileBytes = report.fileBytes[row];
    if (found.cut())
        found.cutAt = positionInText(found.at, text, text.size());

    const QString shown = questionText(row);
    if (isQuestionMarkup(shown)) {
        found.markup = sanitizeQuestionMarkup(shown);
        const int open = plainTextTakenForMarkup(shown, &found.plainMarkupTag);
        if (open >= 0) {
            found.plainMarkupAt = positionInText(found.at, text, shown.left(open).toUtf8().size());
            found.lineEnds = shown.trimmed().contains(QLatin1Char('\n'));
        }
    }
    found.droppedMarks = found.markup ? found.markup->droppedMarks : boundPlainText(shown).droppedMarks;
    found.nonUtf8 = nonUtf8Bytes(text);
    if (found.nonUtf8.count > 0)
        found.nonUtf8At = positionInText(found.at, text, found.nonUtf8.first);
    return found;
}

namespace {

// The file's bytes beside the load, up to the size the loader reads.
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(maxExamFileBytes);
}

// Calls look(row) for rows 1..rows, on as many threads as the machine has
// cores: a question's markup pass, nearly all of a check, needs nothing of
// the others, and an exam of word processors' tables takes it 200 times.
template<class Look>
void eachRow(int rows, const Look &look)
{
    std::atomic<int> next{1};
    const auto work = [&] {
        for (int row; (row = next++) <= rows;)
            look(row);
    };
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    std::vector<std::thread> helpers;
    for (int helper = 1; helper < std::min(threads, rows); ++helper)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
}

} // namespace

ExamFindings checkExam(const QString &file, const QString &shownAs)
{
    ExamFindings found;
    found.file = shownAs.isEmpty() ? file : shownAs;
    // As the window takes a path: one the local encoding cannot hold would
    // name another file.
    const std::optional<QByteArray> path = toLocalExactly(file);
    found.named = path.has_value();
    if (!path)
        return found;
    const bool loads = loadExam(*path, &found.load);
    if (found.load.failure == LoadFailure::NotRegularFile)
        found.folder = QFileInfo(file).isDir();
    if (found.load.failure > LoadFailure::TooLarge || loads)
        found.source = ExamSource(fileBytes(file));
    if (!loads)
        return found;

    const int questions = choose_count + unchoose_count;
    found.questions.resize(questions);
    // Each thread writes its own rows, into a vector detached beforehand.
    QuestionFindings *const rows = found.questions.data();
    const LoadReport &load = found.load;
    eachRow(questions, [rows, &load](int row) { rows[row - 1] = questionFindings(row, load); });
    QVector<double> scores;
    scores.reserve(questions);
    for (int row = 1; row <= questions; ++row) {
        found.totalScore += question_score[row];
        scores << question_score[row];
    }
    found.fileWarnings = layoutFindings(found.source, found.load, scores);
    found.fileWarnings << encodingFindings(found);
    return found;
}
