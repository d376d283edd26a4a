#include "questionpreview.h"

#include "examstore.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtMath>

namespace {

template<class Widget>
Widget *child(const tavik &window, const char *name)
{
    return window.findChild<Widget *>(QLatin1String(name));
}

// Writes the display of each question of one kind, from the first on, each
// brought up by the tab's "下一题".
bool writeKind(const tavik &window, bool choice, int count, const QDir &folder, QStringList *written)
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
        if (!wholeDisplay(display).save(path, "PNG"))
            return false;
        if (written)
            *written << path;
    }
    return true;
}

} // namespace

QImage wholeDisplay(QTextBrowser *display)
{
    QWidget *viewport = display->viewport();
    QTextDocument *document = display->document();
    const int height = qCeil(document->size().height());
    if (height <= viewport->height())
        return viewport->grab().toImage();
    QImage image(viewport->width(), height, QImage::Format_ARGB32_Premultiplied);
    image.fill(viewport->palette().color(viewport->backgroundRole()));
    QPainter painter(&image);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = display->palette();
    document->documentLayout()->draw(&painter, context);
    return image;
}

QString previewName(bool choice, int number)
{
    return QStringLiteral("%1-%2.png")
        .arg(choice ? QStringLiteral("choice") : QStringLiteral("non-choice"))
        .arg(number, 3, 10, QLatin1Char('0'));
}

bool writePreviews(const QString &file, const QString &folder, QStringList *written)
{
    QDir into(folder);
    if (!QDir().mkpath(folder))
        return false;
    // A file of this name checked before may have had more questions.
    for (const QString &earlier :
         into.entryList({QStringLiteral("choice-*.png"), QStringLiteral("non-choice-*.png")}, QDir::Files)) {
        if (!into.remove(earlier))
            return false;
    }

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

    return writeKind(window, true, choose_count, into, written)
           && writeKind(window, false, unchoose_count, into, written);
}
