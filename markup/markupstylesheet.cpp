#include "markupstylesheet.h"

#include "markuptokenizer.h"
#include "markupvalues.h"

#include <QStringList>

#include <algorithm>

namespace {

// Comments go, and so do the "<!--" and "-->" that hide a sheet from
// browsers older than sheets.
QString withoutComments(const QString &text)
{
    QString sheet;
    sheet.reserve(text.size());
    for (int at = 0; at < text.size();) {
        if (text.midRef(at, 2) == QLatin1String("/*")) {
            const int end = text.indexOf(QLatin1String("*/"), at + 2);
            at = end < 0 ? text.size() : end + 2;
        } else if (text.midRef(at, 4) == QLatin1String("<!--")) {
            at += 4;
        } else if (text.midRef(at, 3) == QLatin1String("-->")) {
            at += 3;
        } else {
            sheet += text.at(at++);
            continue;
        }
        sheet += QLatin1Char(' ');
    }
    return sheet;
}

// Past the quoted text that opens at at, an escaped quote within it too.
int quotedEnd(const QString &sheet, int at)
{
    const QChar quote = sheet.at(at);
    for (++at; at < sheet.size() && sheet.at(at) != quote; ++at) {
        if (sheet.at(at) == QLatin1Char('\\'))
            ++at;
    }
    return at + 1;
}

// Where the first of stops stands from at, quoted text passed over; the
// sheet's size where none does.
int find(const QString &sheet, int at, const QString &stops)
{
    while (at < sheet.size() && !stops.contains(sheet.at(at))) {
        const QChar c = sheet.at(at);
        at = c == QLatin1Char('"') || c == QLatin1Char('\'') ? quotedEnd(sheet, at) : at + 1;
    }
    return std::min(at, int(sheet.size()));
}

// The '}' that closes the block opened at open, blocks within it passed
// over; the sheet's size where the sheet ends first.
int blockEnd(const QString &sheet, int open)
{
    int depth = 0;
    for (int at = open; at < sheet.size();) {
        at = find(sheet, at, QStringLiteral("{}"));
        if (at == sheet.size())
            break;
        depth += sheet.at(at) == QLatin1Char('{') ? 1 : -1;
        if (depth == 0)
            return at;
        ++at;
    }
    return sheet.size();
}

bool isNameStart(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
           || c == QLatin1Char('_') || c == QLatin1Char('-');
}

// A class name or an element name: letters, digits, '_' and '-', not
// starting with a digit.
bool isName(const QString &name)
{
    if (name.isEmpty() || !isNameStart(name.at(0)))
        return false;
    for (const QChar c : name) {
        if (!isNameStart(c) && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    return true;
}

// "p", ".c4" or "p.c4" as the key rules are found under, with its
// specificity; a null key for any other selector.
QString selectorKey(const QString &selector, int &specificity)
{
    const QString trimmed = selector.trimmed();
    const int dot = trimmed.indexOf(QLatin1Char('.'));
    const QString type = trimmed.left(dot < 0 ? trimmed.size() : dot).toLower();
    const QString name = dot < 0 ? QString() : trimmed.mid(dot + 1);
    if ((type.isEmpty() && name.isNull()) || (!type.isEmpty() && !isName(type)) || (dot >= 0 && !isName(name)))
        return QString();
    specificity = (type.isEmpty() ? 0 : 1) + (name.isNull() ? 0 : 10);
    return name.isNull() ? type : type + QLatin1Char('.') + name;
}

} // namespace

void StyleSheets::read(const QString &text, const Kept &kept)
{
    const QString sheet = withoutComments(text);
    for (int at = 0; at < sheet.size() && m_rules < StyleSheetBounds::rules;) {
        if (isHtmlWhitespace(sheet.at(at))) {
            ++at;
            continue;
        }
        ++m_rules;
        // An at-rule ends at its ';' or with its block, and is ignored.
        const bool atRule = sheet.at(at) == QLatin1Char('@');
        const int open = find(sheet, at, atRule ? QStringLiteral(";{") : QStringLiteral("{"));
        if (open == sheet.size())
            return;
        if (sheet.at(open) == QLatin1Char(';')) {
            at = open + 1;
            continue;
        }
        const int close = blockEnd(sheet, open);
        if (!atRule)
            readRule(sheet.mid(at, open - at), sheet.mid(open + 1, close - open - 1), kept);
        at = close + 1;
    }
}

// The declarations a sheet has that the list does not keep are counted
// where they are read, once each, not once for every element they select.
void StyleSheets::readRule(const QString &selectors, const QString &block, const Kept &kept)
{
    const QStringList listed = selectors.split(QLatin1Char(','));
    if (listed.size() > StyleSheetBounds::selectorsPerRule)
        return;
    QVector<QPair<QString, int>> applied;
    for (const QString &selector : listed) {
        int specificity = 0;
        const QString key = selectorKey(selector, specificity);
        if (!key.isNull())
            applied.append({key, specificity});
    }
    const auto declarations = MarkupValues::declarations(block);
    if (applied.isEmpty() || declarations.size() > StyleSheetBounds::declarationsPerRule)
        return;
    for (const auto &declaration : declarations) {
        const int order = m_declarations++;
        if (!kept(declaration.first, declaration.second))
            continue;
        for (const auto &selector : applied) {
            QVector<SheetDeclaration> &declared = m_bySelector[selector.first];
            for (int i = 0; i < declared.size(); ++i) {
                if (declared.at(i).property == declaration.first) {
                    declared.remove(i);
                    break;
                }
            }
            declared.append({declaration.first, declaration.second, selector.second, order});
        }
    }
}

QVector<SheetDeclaration> StyleSheets::applying(const QString &tag, const QString &classes) const
{
    QVector<SheetDeclaration> found;
    if (m_bySelector.isEmpty())
        return found;
    const auto add = [this, &found](const QString &key) {
        const auto rules = m_bySelector.constFind(key);
        if (rules != m_bySelector.constEnd())
            found += *rules;
    };
    add(tag);
    QStringList names;
    for (int at = 0; at < classes.size() && names.size() < StyleSheetBounds::classesPerElement;) {
        int end = at;
        while (end < classes.size() && !isHtmlWhitespace(classes.at(end)))
            ++end;
        const QString name = classes.mid(at, end - at);
        at = end + 1;
        if (name.isEmpty() || names.contains(name))
            continue;
        names << name;
        add(QLatin1Char('.') + name);
        add(tag + QLatin1Char('.') + name);
    }
    std::stable_sort(found.begin(), found.end(), [](const SheetDeclaration &a, const SheetDeclaration &b) {
        return a.specificity != b.specificity ? a.specificity < b.specificity : a.order < b.order;
    });
    return found;
}
