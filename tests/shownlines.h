#ifndef SHOWNLINES_H
#define SHOWNLINES_H

#include <QString>
#include <QStringList>

// The text as Qt shows it, line for line, empty lines too: a no-break
// space is the blank QTextDocument::toPlainText() gives for it.
inline QString shownText(QString text)
{
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text;
}

// The lines of a text as the student reads them: the empty ones, which Qt
// adds and merges around tables and paragraphs by rules of its own, and the
// difference between a blank and a no-break space left aside.
inline QString shownLines(const QString &text)
{
    return shownText(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char('\n'));
}

#endif // SHOWNLINES_H
