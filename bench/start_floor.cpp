// The floors the program's start is measured against, built twice from this
// file: with TAVIK_FORM_ALONE, the form of ui/tavik.ui as uic makes it, set
// up on a bare QMainWindow and none of the program's code; without, an empty
// main window of the size the form gives. Both start like the program, show
// the window with its title and end as the program's benchmark runs do.

#include "firstturn.h"

#ifdef TAVIK_FORM_ALONE
#include "ui_tavik.h"
#endif

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
#ifdef TAVIK_FORM_ALONE
    Ui_tavik form;
    form.setupUi(&window);
#else
    window.resize(1200, 800);
#endif
    window.show();
    window.setWindowTitle(QString::fromUtf8("tavik试卷评测系统-学生端"));
    QTimer::singleShot(0, &window, [] {
        reportFirstTurn();
        QTimer::singleShot(lingerMilliseconds, &QCoreApplication::quit);
    });
    return application.exec();
}
