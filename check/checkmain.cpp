#include "checkrun.h"
#include "standardstreams.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif
#else
#include <unistd.h>
#endif

namespace {

// Colour where a person reads the report on a terminal and has not asked
// for none (NO_COLOR); never into a file or a pipe.
bool colourTerminal()
{
    if (!qEnvironmentVariableIsEmpty("NO_COLOR"))
        return false;
#ifdef _WIN32
    if (!_isatty(_fileno(stdout)))
        return false;
    // A console takes colour sequences once asked to (Windows 10 on).
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    return GetConsoleMode(console, &mode)
           && SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#else
    return isatty(STDOUT_FILENO) && qgetenv("TERM") != "dumb";
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    openClosedStandardStreams();
#ifdef _WIN32
    // An exam piped in is copied as it is, to be read in text mode as any
    // exam file is.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
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
#ifndef _WIN32
    // Offscreen, Qt draws in a larger font than the student's window gets on
    // the desktop: the one of Qt's own desktop theme, which the window has
    // wherever the desktop names none of its own.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
#endif
    // In Chinese where the system's language is Chinese; the source texts,
    // in English, otherwise.
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("tavik-check"), QStringLiteral("_"),
                        QStringLiteral(":/translations")))
        application.installTranslator(&translator);

    QFile in;
    QFile out;
    QFile err;
    in.open(stdin, QIODevice::ReadOnly);
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    CheckerSetting setting;
    setting.in = &in;
    setting.colour = colourTerminal();
#ifdef _WIN32
    setting.expandWildcards = true;
#endif
    return runChecker(application.arguments().mid(1), out, err, setting);
}
