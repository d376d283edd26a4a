// The program's entry, run as it is: main is built into this test under
// another name and called with different command lines. A hook that runs
// whenever an application object is created watches the window from inside
// main's event loop, then closes it the way a student would.

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QTabWidget>
#include <QtTest>

#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

int tavik_main(int argc, char *argv[]);

namespace {

struct Observed
{
    int shows = 0;
    QString titleWhenShown;
    int windows = -1;
    QString titleInLoop;
    bool visibleInLoop = false;
    QSize sizeInLoop;
    int pageInLoop = -1;
    bool applicationAliveAtWindowEnd = false;
    bool windowEnded = false;
    bool closeIgnored = false;
};

Observed observed;

class ShowWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && object->inherits("tavik")) {
            ++observed.shows;
            observed.titleWhenShown = static_cast<QWidget *>(object)->windowTitle();
        }
        return false;
    }
};

QList<QWidget *> programWindows()
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("tavik"))
            found << widget;
    }
    return found;
}

void inspectAndClose()
{
    const QList<QWidget *> windows = programWindows();
    observed.windows = windows.size();
    if (windows.isEmpty()) {
        QCoreApplication::exit(98);
        return;
    }
    QWidget *window = windows.first();
    observed.titleInLoop = window->windowTitle();
    observed.visibleInLoop = window->isVisible();
    observed.sizeInLoop = window->size();
    if (auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("tabWidget")))
        observed.pageInLoop = tabs->currentIndex();

    QObject::connect(window, &QObject::destroyed, [] {
        observed.windowEnded = true;
        observed.applicationAliveAtWindowEnd = QCoreApplication::instance() != nullptr;
    });
    // Should closing not end the loop, end it with a code the test rejects.
    QTimer::singleShot(5000, qApp, [] {
        observed.closeIgnored = true;
        QCoreApplication::exit(97);
    });
    window->close();
}

void onApplicationCreated()
{
    qApp->installEventFilter(new ShowWatcher(qApp));
    QTimer::singleShot(0, qApp, &inspectAndClose);
}

} // namespace

class tst_entry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void closedDescriptors_data();
    void closedDescriptors();
};

void tst_entry::initTestCase()
{
    qAddPreRoutine(&onApplicationCreated);
}

// Arguments beyond Qt's own are handed to the application object only and
// change nothing: every command line gives the same run.
void tst_entry::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("unknown option") << QStringList{"--unknown-option"};
    QTest::newRow("file name") << QStringList{"exam.txt"};
    QTest::newRow("several") << QStringList{"-x", "1", QStringLiteral("学生"), "/"};
    QTest::newRow("empty") << QStringList{""};
}

void tst_entry::run()
{
    QFETCH(QStringList, arguments);

    std::vector<QByteArray> storage{QByteArrayLiteral("tavik")};
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    observed = Observed();
    const int code = tavik_main(int(storage.size()), argv.data());

    QVERIFY(!observed.closeIgnored);
    QCOMPARE(code, 0);
    QCOMPARE(observed.windows, 1);
    QCOMPARE(observed.shows, 1);
    // Shown with the form's provisional title, then given the full one.
    QCOMPARE(observed.titleWhenShown, QStringLiteral("tavik"));
    QCOMPARE(observed.titleInLoop, QStringLiteral("tavik试卷评测系统-学生端"));
    QVERIFY(observed.visibleInLoop);
    QCOMPARE(observed.sizeInLoop, QSize(1200, 800));
    QCOMPARE(observed.pageInLoop, 0);
    // The window goes before the application object.
    QVERIFY(observed.windowEnded);
    QVERIFY(observed.applicationAliveAtWindowEnd);
    QVERIFY(!QCoreApplication::instance());
}

void tst_entry::closedDescriptors_data()
{
    QTest::addColumn<QVector<int>>("descriptors");
    QTest::newRow("standard input") << QVector<int>{0};
    QTest::newRow("standard output") << QVector<int>{1};
    QTest::newRow("all three") << QVector<int>{0, 1, 2};
}

// Started without some of the standard descriptors, the program runs with
// /dev/null on them, so no file it opens later can take their numbers.
void tst_entry::closedDescriptors()
{
#ifdef _WIN32
    QSKIP("descriptors are a POSIX matter");
#else
    QFETCH(QVector<int>, descriptors);

    struct stat null;
    QCOMPARE(stat("/dev/null", &null), 0);
    std::vector<int> saved;
    // Saved above the standard three, where closing them cannot free them.
    for (int descriptor : descriptors)
        saved.push_back(fcntl(descriptor, F_DUPFD, 10));
    for (int descriptor : descriptors)
        close(descriptor);
    char name[] = "tavik";
    char *argv[] = {name, nullptr};
    observed = Observed();
    const int code = tavik_main(1, argv);

    QVector<bool> onNull;
    for (int descriptor : descriptors) {
        struct stat info;
        onNull << (fstat(descriptor, &info) == 0 && S_ISCHR(info.st_mode)
                   && info.st_rdev == null.st_rdev);
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        dup2(saved[i], descriptors[int(i)]);
        close(saved[i]);
    }
    QCOMPARE(code, 0);
    QCOMPARE(onNull, QVector<bool>(descriptors.size(), true));
#endif
}

QTEST_APPLESS_MAIN(tst_entry)
#include "tst_entry.moc"
