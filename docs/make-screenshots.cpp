// Takes the README's pictures of the three tabs from the real window, with
// the sample exam loaded and a few answers entered, so that the pictures
// stay true when the window changes. Run from the source root with the
// output folder as argument (scripts/screenshots does this).

#include "tavik.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <QTextEdit>

#include <cstdio>
#include <cstdlib>

namespace {

template<typename Widget>
Widget *child(const tavik &window, const char *name)
{
    auto *widget = window.findChild<Widget *>(QLatin1String(name));
    if (!widget) {
        std::fprintf(stderr, "the window has no %s\n", name);
        std::exit(1);
    }
    return widget;
}

void click(const tavik &window, const char *name)
{
    child<QAbstractButton>(window, name)->click();
}

void fillIn(tavik &window)
{
    child<QLineEdit>(window, "input_edit")->setText(QStringLiteral("examples/sample-exam.txt"));
    click(window, "input_button");

    click(window, "chooseB");
    click(window, "choose_next");
    click(window, "chooseD");
    click(window, "choose_next");
    click(window, "chooseA");
    click(window, "choose_save");

    child<QTextEdit>(window, "unchoose_in")
        ->setPlainText(QString::fromUtf8("光在真空中传播最快，在水和玻璃中会变慢，\n"
                                         "所以从空气斜射入水中时传播方向发生偏折。"));
    click(window, "unchoose_save");

    child<QLineEdit>(window, "output_edit")->setText(QStringLiteral("/home/student/answers"));
    child<QLineEdit>(window, "student_edit")->setText(QString::fromUtf8("2024001张三"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));

    tavik window(nullptr);
    window.show();
    window.setWindowTitle(QString::fromUtf8("tavik试卷评测系统-学生端"));
    fillIn(window);

    auto *tabs = child<QTabWidget>(window, "tabWidget");
    const char *const pictures[] = {"tab-file.png", "tab-choice.png", "tab-text.png"};
    for (int index = 0; index < tabs->count(); ++index) {
        tabs->setCurrentIndex(index);
        QApplication::processEvents();
        const QString path = output.filePath(QLatin1String(pictures[index]));
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
