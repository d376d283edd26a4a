#include "checkrun.h"
#include "standardstreams.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    openClosedStandardStreams();
    // What the checker writes is its report: Qt's notes on its own set-up
    // (a runtime folder it makes up, fonts) are no part of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
#ifndef _WIN32
    // The pictures are drawn offscreen: no display is needed, and no window
    // opens, also where there is a display. Windows always has its own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication application(argc, argv);
    // In Chinese where the system's language is Chinese; the source texts,
    // in English, otherwise.
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("tavik-check"), QStringLiteral("_"),
                        QStringLiteral(":/translations")))
        application.installTranslator(&translator);

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    return runChecker(application.arguments().mid(1), out, err);
}
