#ifndef FORMTREE_H
#define FORMTREE_H

#include <QLayout>
#include <QMainWindow>
#include <QStringList>

// Whether an object in the window was made by the form, as opposed to the
// parts Qt's widgets make for themselves: the main window's own layout, the
// tab bar with its scroll buttons, the page stack, viewports and scroll bars.
// The form's objects all have names and live directly in the window, the
// central widget, the tab widget's page stack or a page.
inline bool isFormObject(const QObject *object, const QMainWindow *window)
{
    if (object == window->layout())
        return false;
    const QString name = object->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    static const QStringList containers = {
        QStringLiteral("centralWidget"), QStringLiteral("tabWidget"),
        QStringLiteral("qt_tabwidget_stackedwidget"), QStringLiteral("file"),
        QStringLiteral("ans_xuan"), QStringLiteral("tab"),
    };
    for (const QObject *up = object->parent(); up != window; up = up->parent()) {
        if (!up || !containers.contains(up->objectName()))
            return false;
    }
    return true;
}

#endif // FORMTREE_H
