#ifndef MARKUPKEPTNODES_H
#define MARKUPKEPTNODES_H

#include "markuptree.h"

#include <QString>
#include <QStringList>

// Nodes the pass writes of its own into the tree of what is kept, where it
// shows a formula or a drawing as text: takes the tree and the node they go
// into, gives the node made. Only elements the list keeps, as it keeps them.

int appendKeptElement(MarkupTree &kept, int into, ElementKind kind, const QString &name,
                      const QStringList &style = QStringList());
void appendKeptText(MarkupTree &kept, int into, const QString &text);
void appendKeptLineBreak(MarkupTree &kept, int into);

// Text as a formula's token or a drawing's label shows it: no white space
// at either end, one blank where it runs.
QString collapsedWhiteSpace(const QString &text);

#endif // MARKUPKEPTNODES_H
