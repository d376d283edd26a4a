#ifndef MARKUPMATHSIGNS_H
#define MARKUPMATHSIGNS_H

#include <QChar>
#include <QString>

// The signs a formula is read with on one line: takes a sign or letter as
// a formula writes it, gives how it reads there (a mark to combine with a
// letter, blanks around an operator, a letter of its own).
namespace MathSigns {

// The combining mark that sets an accent (a hat, a bar, an arrow) over a
// letter, or under it; null where there is none.
QChar markAbove(const QString &accent);
QChar markBelow(const QString &accent);
// A bar, drawn over or under a whole group as a line.
bool isBar(const QString &accent);
// An operator that stands between two operands with a blank either side.
bool isSpaced(const QString &sign);
// A comma or semicolon: a blank after it.
bool isSeparator(const QString &sign);
bool opens(const QString &sign);
bool closes(const QString &sign);
// Sets, as Word and MathType write them (mathvariant="double-struck" R):
// the letter of its own the fonts have (ℝ); null where there is none.
QString doubleStruck(const QString &letter);

} // namespace MathSigns

#endif // MARKUPMATHSIGNS_H
