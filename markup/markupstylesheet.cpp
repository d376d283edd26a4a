#include "markupstylesheet.h"

#include "markupvalues.h"

#include <QStringList>

namespace {

// Element names alone, apart by commas; empty where a selector is anything else.
QStringList typeSelectors(const QString &selectors)
{
    QStringList names;
    for (const QString &selector : selectors.split(QLatin1Char(','))) {
        const QString name = selector.trimmed().toLower();
        if (name.isEmpty())
            return QStringList();
        for (const QChar c : name) {
            if ((c < QLatin1Char('a') || c > QLatin1Char('z')) && (c < QLatin1Char('0') || c > QLatin1Char('9')))
                return QStringList();
        }
        names << name;
    }
    return names;
}

// Where the block of an at-rule that opens at open ends: it may hold
// blocks of its own.
int atRuleEnd(const QString &rules, int open)
{
    int depth = 0;
    int close = open;
    for (; close < rules.size(); ++close) {
        depth += rules.at(close) == QLatin1Char('{') ? 1 : rules.at(close) == QLatin1Char('}') ? -1 : 0;
        if (depth == 0)
            break;
    }
    return close;
}

} // namespace

StyleSheet readStyleSheet(const QString &text)
{
    StyleSheet sheet;
    QString rules = text;
    rules.remove(QLatin1String("<!--")).remove(QLatin1String("-->"));
    int at = 0;
    for (;;) {
        const int open = rules.indexOf(QLatin1Char('{'), at);
        if (open < 0) {
            sheet.unapplied = sheet.unapplied || !rules.mid(at).trimmed().isEmpty();
            return sheet;
        }
        const QString selectors = rules.mid(at, open - at).trimmed();
        if (selectors.startsWith(QLatin1Char('@'))) {
            sheet.unapplied = true;
            at = atRuleEnd(rules, open) + 1;
            continue;
        }
        int close = rules.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            close = rules.size();
        const QStringList names = typeSelectors(selectors);
        for (const auto &declaration : MarkupValues::declarations(rules.mid(open + 1, close - open - 1))) {
            const WhiteSpace whiteSpace = declaration.first == QLatin1String("white-space")
                                              ? MarkupValues::whiteSpace(declaration.second)
                                              : WhiteSpace::Inherited;
            if (names.isEmpty() || whiteSpace == WhiteSpace::Inherited)
                sheet.unapplied = true;
            for (const QString &name : names) {
                if (whiteSpace != WhiteSpace::Inherited)
                    sheet.whiteSpace.insert(name, whiteSpace);
            }
        }
        at = close + 1;
    }
}
