#include "jsonreport.h"

#include "examfindings.h"
#include "loadfailure.h"
#include "markupfindings.h"

#include <QJsonArray>

#include <cmath>
#include <iterator>

namespace {

const char *const failureNames[] = {
    "none", "path-too-long", "missing", "unreadable", "not-regular-file", "too-large",
    "choice-count-missing", "non-choice-count-missing", "negative-count",
    "too-many-choice-questions", "too-many-non-choice-questions", "score-missing",
    "score-not-finite", "text-missing", "text-unclosed",
};
static_assert(std::size(failureNames) == int(LoadFailure::BlockUnclosed) + 1);

const char *const displayNames[] = {"plain", "formatted", "markup-shown-plain"};
const char *const droppedNames[] = {"element", "content", "attribute", "attribute-value",
                                    "property", "property-value"};
const char *const boundNames[] = {"none", "nesting", "tables", "cells", "text", "images"};
const char *const kindNames[] = {"error", "warning", "note"};
static_assert(std::size(droppedNames) == DroppedMarkup::PropertyValue + 1);
static_assert(std::size(boundNames) == int(MarkupBound::Images) + 1);

QJsonValue name(const char *const names[], int index)
{
    return QLatin1String(names[index]);
}

// A number as the line writes it; beyond any number, "overflow".
QJsonValue number(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("overflow");
    return shownNumber(value).toDouble();
}

// Line and column, into object; null where the file as a whole is meant.
QJsonObject withPosition(QJsonObject object, const ExamSource &source, FilePosition at)
{
    object.insert(QStringLiteral("line"), at.line ? QJsonValue(at.line) : QJsonValue());
    object.insert(QStringLiteral("column"),
                  at.line ? QJsonValue(source.characterColumn(at)) : QJsonValue());
    return object;
}

QJsonValue question(QuestionNumber question)
{
    return QJsonObject{{QStringLiteral("kind"), question.choice ? QStringLiteral("choice")
                                                                : QStringLiteral("non-choice")},
                       {QStringLiteral("number"), question.number}};
}

QJsonObject diagnosticObject(const ExamSource &source, const Diagnostic &diagnostic)
{
    QJsonArray notes;
    for (const Diagnostic &note : diagnostic.notes)
        notes.append(withPosition({{QStringLiteral("message"), note.message}}, source, note.at));
    return withPosition({{QStringLiteral("kind"), name(kindNames, diagnostic.kind)},
                         {QStringLiteral("rule"), diagnostic.rule},
                         {QStringLiteral("message"), diagnostic.message},
                         {QStringLiteral("notes"), notes}},
                        source, diagnostic.at);
}

QJsonValue error(const ExamFindings &findings)
{
    if (findings.loads())
        return QJsonValue();
    const LoadReport &load = findings.load;
    QJsonObject object = diagnosticObject(findings.source, failureDiagnostic(findings));
    object.remove(QStringLiteral("kind"));
    object.insert(QStringLiteral("reason"), findings.named ? name(failureNames, int(load.failure))
                                                           : QStringLiteral("path-not-in-code-page"));
    object.insert(QStringLiteral("question"),
                  load.question ? question(questionNumber(load.choiceCount, load.question)) : QJsonValue());
    return object;
}

QJsonValue markupDropped(const QuestionFindings &found)
{
    QJsonArray dropped;
    if (found.markup) {
        for (const DroppedMarkup &markup : found.markup->dropped) {
            dropped.append(QJsonObject{{QStringLiteral("kind"), name(droppedNames, markup.kind)},
                                       {QStringLiteral("name"), markup.name},
                                       {QStringLiteral("count"), markup.count},
                                       {QStringLiteral("missed"),
                                        QLatin1String(missedMarkupName(missedMarkup(markup)))}});
        }
    }
    return dropped;
}

QJsonObject questionObject(const ExamSource &source, const QuestionFindings &found)
{
    QJsonObject object = question({found.choice, found.number}).toObject();
    object.insert(QStringLiteral("score"), number(found.score));
    object.insert(QStringLiteral("bytes"), found.bytes);
    object.insert(QStringLiteral("display"), name(displayNames, int(found.display())));
    object.insert(QStringLiteral("cut"),
                  found.cut() ? withPosition({{QStringLiteral("file_bytes"), found.fileBytes}}, source,
                                             found.cutAt)
                              : QJsonValue());
    object.insert(QStringLiteral("not_utf8"),
                  found.nonUtf8.count > 0
                      ? withPosition({{QStringLiteral("bytes"), found.nonUtf8.count},
                                      {QStringLiteral("gbk"), found.nonUtf8.readsAsGbk}},
                                     source, found.nonUtf8At)
                      : QJsonValue());
    object.insert(QStringLiteral("dropped"), markupDropped(found));
    object.insert(QStringLiteral("exceeded"),
                  found.display() == QuestionDisplay::MarkupShownPlain
                      ? name(boundNames, int(found.markup->exceeded))
                      : QJsonValue());
    object.insert(QStringLiteral("warnings"), found.warnings().size());
    return withPosition(object, source, found.at);
}

} // namespace

QJsonObject jsonReport(const ExamFindings &findings)
{
    const bool loads = findings.loads();
    QJsonArray questions;
    for (const QuestionFindings &found : findings.questions)
        questions.append(questionObject(findings.source, found));
    const QVector<Diagnostic> warnings = findings.warnings();
    QJsonArray diagnostics;
    for (const Diagnostic &warning : warnings)
        diagnostics.append(diagnosticObject(findings.source, warning));
    return {
        {QStringLiteral("file"), findings.file},
        {QStringLiteral("status"), findings.status()},
        {QStringLiteral("loads"), loads},
        {QStringLiteral("error"), error(findings)},
        {QStringLiteral("choice_questions"), loads ? QJsonValue(findings.load.choiceCount) : QJsonValue()},
        {QStringLiteral("non_choice_questions"), loads ? QJsonValue(findings.load.textCount) : QJsonValue()},
        {QStringLiteral("total_score"), loads ? number(findings.totalScore) : QJsonValue()},
        {QStringLiteral("questions"), questions},
        {QStringLiteral("warnings"), warnings.size()},
        {QStringLiteral("findings"), diagnostics},
    };
}
