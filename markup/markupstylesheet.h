#ifndef MARKUPSTYLESHEET_H
#define MARKUPSTYLESHEET_H

#include "markuptree.h"

#include <QHash>
#include <QString>

// A style element's rules, of those the display applies: takes the sheet,
// gives the white-space of the element names its rules select (Qt's editor
// writes "p, li { white-space: pre-wrap; }"), and whether it held anything
// else, which is not applied.
struct StyleSheet
{
    QHash<QString, WhiteSpace> whiteSpace; // by element name
    bool unapplied = false;
};

StyleSheet readStyleSheet(const QString &sheet);

#endif // MARKUPSTYLESHEET_H
