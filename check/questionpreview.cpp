#include "questionpreview.h"

#include "examstore.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>

namespace {

template<class Widget>
Widget *child(const tavik &window, const char *name)
{
    return window.findChild<Widget *>(QLatin1String(name));
}

// Writes the display of each question of one kind, from the first on, each
// brought up by the tab's "下一题".
bool writeKind(const tavik &window, bool choice, int count, const QDir &folder, QStringList &written)
{
    child<QTabWidget>(window, "tabWidget")
        ->setCurrentWidget(child<QWidget>(window, choice ? "ans_xuan" : "tab"));
    auto *display = child<QTextBrowser>(window, choice ? "choose_out" : "unchoose_out");
    auto *next = child<QAbstractButton>(window, choice ? "choose_next" : "unchoose_next");
    for (int number = 1; number <= count; ++number) {
        if (number > 1)
            next->click();
        QApplication::processEvents();
        const QString path = folder.filePath(previewName(choice, number));
        if (!display->grab().save(path, "PNG"))
            return false;
        written << path;
    }
    return true;
}

} // namespace

QString previewName(bool choice, int number)
{
    return QStringLiteral("%1-%2.png")
        .arg(choice ? QStringLiteral("choice") : QStringLiteral("non-choice"))
        .arg(number, 3, 10, QLatin1Char('0'));
}

bool writePreviews(const QString &file, const QString &folder, QStringList &written)
{
    tavik window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    child<QLineEdit>(window, "input_edit")->setText(file);
    // The window tells nothing of a load; only one that succeeds sets the
    // exam's path.
    exam_path[0] = '\0';
    child<QAbstractButton>(window, "input_button")->click();
    if (exam_path[0] == '\0')
        return false;

    const QDir into(folder);
    return writeKind(window, true, choose_count, into, written)
           && writeKind(window, false, unchoose_count, into, written);
}
