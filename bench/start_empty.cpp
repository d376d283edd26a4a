// The least a Qt Widgets program does to show a window: an empty main window
// of the size the form gives the real one, up to the first turn of the event
// loop. Given an argument (the exam the real window would load), it lets its
// event loop run on for as long as the real one does after loading.

#include "firstturn.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(1200, 800);
    window.show();
    window.setWindowTitle(QString::fromUtf8("tavik试卷评测系统-学生端"));
    const bool linger = QCoreApplication::arguments().size() > 1;
    QTimer::singleShot(0, &window, [linger] {
        reportFirstTurn();
        if (linger)
            QTimer::singleShot(lingerMilliseconds, &QCoreApplication::quit);
        else
            QCoreApplication::quit();
    });
    return application.exec();
}
