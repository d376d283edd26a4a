#ifndef NUMBERDISPLAYS_H
#define NUMBERDISPLAYS_H

// Lets screen readers read the number displays (QLCDNumber): each is named
// by its accessible name, which the form sets to its caption, and gives the
// number it holds as its value. Qt's own interface names a display by its
// number and gives no value.
//
// Install after the application object, whose own factories would otherwise
// come first, and before any window is built: a widget keeps the interface it
// was first given, and the form's names already ask for one.
void installNumberDisplayAccessibility();

#endif // NUMBERDISPLAYS_H
