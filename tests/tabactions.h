#ifndef TABACTIONS_H
#define TABACTIONS_H

// The save, previous and next actions that both answering tabs have, and the
// bounds within which either tab moves its cursor.

#include <QtTest>

enum class Action { Save, Previous, Next };
Q_DECLARE_METATYPE(Action)

// Rows of the questions of the tab's kind, the cursor on screen, the action
// and the cursor after it: where it cannot move, the action only stores.
inline void addCursorBoundsRows()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("expectedCursor");

    QTest::newRow("previous on question 1 only stores") << 3 << 1 << Action::Previous << 1;
    QTest::newRow("next on the last only stores") << 3 << 3 << Action::Next << 3;
    QTest::newRow("one question, previous") << 1 << 1 << Action::Previous << 1;
    QTest::newRow("one question, next") << 1 << 1 << Action::Next << 1;
    QTest::newRow("no questions of this kind, next") << 0 << 1 << Action::Next << 1;
    QTest::newRow("before any load, previous") << 0 << 0 << Action::Previous << 0;
    QTest::newRow("before any load, next") << 0 << 0 << Action::Next << 0;
    QTest::newRow("before any load, save") << 0 << 0 << Action::Save << 0;
    QTest::newRow("save never moves") << 3 << 2 << Action::Save << 2;
    QTest::newRow("previous moves one back") << 3 << 3 << Action::Previous << 2;
    QTest::newRow("next moves one forward") << 3 << 1 << Action::Next << 2;
    QTest::newRow("next to the last of 100") << 100 << 99 << Action::Next << 100;
}

#endif // TABACTIONS_H
