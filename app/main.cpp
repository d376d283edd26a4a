#include "numberdisplays.h"
#include "standardstreams.h"
#include "tavik.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    openClosedStandardStreams();
    QApplication application(argc, argv);
    installNumberDisplayAccessibility();
    tavik window(nullptr);
    window.show();
    window.setWindowTitle(QString::fromUtf8("tavik试卷评测系统-学生端"));
    return application.exec();
}
