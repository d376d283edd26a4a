// The window class as Qt's meta-object system sees it, and the wiring from
// the ten push buttons to its slots. The slots are found by name only, so a
// renamed slot or button, or an extra hand-made connection, breaks a button
// without any compile error.

#include "formtree.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

// QtCore's signal-spy hook, the one behind QtTest's -vs option: it is told
// of every slot that an emitted signal runs, which lets the test see the
// slots run by a click without depending on what their bodies do.
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
struct QSignalSpyCallbackSet
{
    typedef void (*BeginCallback)(QObject *caller, int index, void **argv);
    typedef void (*EndCallback)(QObject *caller, int index);
    BeginCallback signal_begin_callback, slot_begin_callback;
    EndCallback signal_end_callback, slot_end_callback;
};
void qt_register_signal_spy_callbacks(QSignalSpyCallbackSet *callbacks);
#define TAVIK_HAVE_SLOT_HOOK 1
#endif

namespace {

const char *const slotNames[] = {
    "on_input_choose_button_clicked",
    "on_input_button_clicked",
    "on_output_choose_button_clicked",
    "on_output_button_clicked",
    "on_choose_save_clicked",
    "on_choose_last_clicked",
    "on_choose_next_clicked",
    "on_unchoose_save_clicked",
    "on_unchoose_last_clicked",
    "on_unchoose_next_clicked",
};

// The button behind a slot: "on_" + object name + "_clicked".
QString buttonOf(const char *slot)
{
    return QString::fromLatin1(slot).mid(3).chopped(8);
}

bool opensDialog(const QString &button)
{
    return button == QLatin1String("input_choose_button")
        || button == QLatin1String("output_choose_button");
}

// QObject::receivers() is protected; a pointer to it, taken through a
// subclass that makes it public, can be applied to any object.
struct ReceiverCount : QObject
{
    using QObject::receivers;
};

int connectionCount(const QObject *sender, const QMetaMethod &signal)
{
    int (QObject::*count)(const char *) const = &ReceiverCount::receivers;
    const QByteArray code = QByteArray::number(QSIGNAL_CODE) + signal.methodSignature();
    return (sender->*count)(code.constData());
}

int connectionCount(const QObject *sender, const char *signature)
{
    const QMetaObject *meta = sender->metaObject();
    const int index = meta->indexOfSignal(QMetaObject::normalizedSignature(signature));
    return index < 0 ? -1 : connectionCount(sender, meta->method(index));
}

// Cancels every modal dialog that opens while it lives, and counts them.
class DialogCanceller
{
public:
    DialogCanceller()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                ++count;
                dialog->reject();
            }
        });
        timer.start(10);
    }

    int count = 0;

private:
    QTimer timer;
};

#ifdef TAVIK_HAVE_SLOT_HOOK
// The window's slots that signals ran while the hook was registered.
const QObject *recorded = nullptr;
QStringList slotsRun;

void slotBegins(QObject *receiver, int index, void **)
{
    if (receiver == recorded)
        slotsRun << QString::fromLatin1(receiver->metaObject()->method(index).name());
}
#endif

QObject *newOfClass(const QObject *object)
{
    static const QMap<QByteArray, std::function<QObject *()>> make = {
        {"QWidget", [] { return new QWidget; }},
        {"QLabel", [] { return new QLabel; }},
        {"QPushButton", [] { return new QPushButton; }},
        {"QRadioButton", [] { return new QRadioButton; }},
        {"QLineEdit", [] { return new QLineEdit; }},
        {"QLCDNumber", [] { return new QLCDNumber; }},
        {"QTextBrowser", [] { return new QTextBrowser; }},
        {"QTextEdit", [] { return new QTextEdit; }},
        {"QTabWidget", [] { return new QTabWidget; }},
        {"QStatusBar", [] { return new QStatusBar; }},
        {"QVBoxLayout", [] { return new QVBoxLayout; }},
        {"QFormLayout", [] { return new QFormLayout; }},
        {"QGridLayout", [] { return new QGridLayout; }},
    };
    const auto factory = make.find(object->metaObject()->className());
    return factory == make.end() ? nullptr : (*factory)();
}

// A fresh object of the same class, text and accessible name, captioned by a
// label of its own where the form gives it a caption, to learn which
// connections Qt makes to a widget's own signals without the window's help
// (setting a text or an accessible name, and becoming a label's buddy,
// already attach to destroyed).
QObject *bareInstance(const QObject *object)
{
    QObject *bare = newOfClass(object);
    if (auto *label = qobject_cast<QLabel *>(bare))
        label->setText(static_cast<const QLabel *>(object)->text());
    if (auto *button = qobject_cast<QAbstractButton *>(bare))
        button->setText(static_cast<const QAbstractButton *>(object)->text());
    auto *widget = qobject_cast<const QWidget *>(object);
    auto *bareWidget = qobject_cast<QWidget *>(bare);
    if (!widget || !bareWidget)
        return bare;
    if (!widget->accessibleName().isEmpty())
        bareWidget->setAccessibleName(widget->accessibleName());
    const QWidget *page = widget->parentWidget();
    for (const QLabel *caption : page->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (caption->buddy() == widget)
            (new QLabel(bareWidget))->setBuddy(bareWidget);
    }
    return bare;
}

} // namespace

class tst_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void metaObject();
    void slotTable_data();
    void slotTable();
    void metacast_data();
    void metacast();
    void buttonWiring_data();
    void buttonWiring();
    void nothingElseConnected();
    void clickRunsItsSlotOnce_data();
    void clickRunsItsSlotOnce();
    void invokeByName_data();
    void invokeByName();

private:
    void addSlotRows();
    void useScratchFolder(tavik &window);
    QTemporaryDir scratch;
};

void tst_window::initTestCase()
{
    // Qt's own file dialogs, so that the canceller can find and answer them.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QVERIFY(scratch.isValid());
}

// Points the exam path at a missing file and the answer folder at a scratch
// folder, so that the load and the export touch nothing else.
void tst_window::useScratchFolder(tavik &window)
{
    window.findChild<QLineEdit *>(QStringLiteral("input_edit"))
        ->setText(scratch.filePath(QStringLiteral("missing-exam.txt")));
    window.findChild<QLineEdit *>(QStringLiteral("output_edit"))->setText(scratch.path());
    window.findChild<QLineEdit *>(QStringLiteral("student_edit"))
        ->setText(QStringLiteral("2024001-test"));
}

void tst_window::metaObject()
{
    const QMetaObject &meta = tavik::staticMetaObject;
    QCOMPARE(meta.className(), "tavik");
    QCOMPARE(meta.superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(meta.methodCount() - meta.methodOffset(), 10);
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
    QCOMPARE(meta.enumeratorCount(), meta.enumeratorOffset());
    QCOMPARE(meta.classInfoCount(), meta.classInfoOffset());
    QCOMPARE(meta.constructorCount(), 0);

    tavik window;
    QCOMPARE(window.metaObject(), &meta);
    QVERIFY(qobject_cast<tavik *>(static_cast<QMainWindow *>(&window)));
}

void tst_window::addSlotRows()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("slot");
    for (int i = 0; i < 10; ++i)
        QTest::newRow(slotNames[i]) << i << QByteArray(slotNames[i]);
}

void tst_window::slotTable_data()
{
    addSlotRows();
}

void tst_window::slotTable()
{
    QFETCH(int, index);
    QFETCH(QByteArray, slot);

    const QMetaObject &meta = tavik::staticMetaObject;
    const QMetaMethod method = meta.method(meta.methodOffset() + index);
    QCOMPARE(method.name(), slot);
    QCOMPARE(method.methodSignature(), slot + "()");
    QCOMPARE(method.methodType(), QMetaMethod::Slot);
    QCOMPARE(method.access(), QMetaMethod::Private);
    QCOMPARE(method.parameterCount(), 0);
    QCOMPARE(method.returnType(), int(QMetaType::Void));
    QCOMPARE(meta.indexOfSlot(slot + "()"), meta.methodOffset() + index);
}

void tst_window::metacast_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("expected"); // which view of the window, or none

    QTest::newRow("own class") << QByteArray("tavik") << "window";
    QTest::newRow("base class") << QByteArray("QMainWindow") << "window";
    QTest::newRow("QWidget") << QByteArray("QWidget") << "window";
    QTest::newRow("QObject") << QByteArray("QObject") << "window";
    QTest::newRow("second base") << QByteArray("QPaintDevice") << "paint device";
    QTest::newRow("prefix") << QByteArray("tav") << "none";
    QTest::newRow("longer") << QByteArray("tavik2") << "none";
    QTest::newRow("other case") << QByteArray("Tavik") << "none";
    QTest::newRow("unrelated") << QByteArray("QDialog") << "none";
    QTest::newRow("empty") << QByteArray("") << "none";
}

void tst_window::metacast()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, expected);

    tavik window;
    const void *want = nullptr;
    if (expected == QLatin1String("window"))
        want = static_cast<QMainWindow *>(&window);
    else if (expected == QLatin1String("paint device"))
        want = static_cast<QPaintDevice *>(&window);
    QCOMPARE(static_cast<const void *>(window.qt_metacast(name.constData())), want);
    QVERIFY(!window.qt_metacast(nullptr));
}

void tst_window::buttonWiring_data()
{
    addSlotRows();
}

// Exactly one connection leaves each button's clicked signal, and it is
// the one to the slot of the button's name: removing that one leaves none.
void tst_window::buttonWiring()
{
    QFETCH(QByteArray, slot);

    tavik window;
    const QString name = buttonOf(slot.constData());
    auto *button = window.findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(connectionCount(button, "clicked(bool)"), 1);
    const QByteArray slotCode = QByteArray::number(QSLOT_CODE) + slot + "()";
    QVERIFY(QObject::disconnect(button, SIGNAL(clicked()), &window, slotCode.constData()));
    QCOMPARE(connectionCount(button, "clicked(bool)"), 0);
}

// Apart from the ten clicked signals, the window leaves every signal of its
// widgets and layouts as the widget classes themselves wire them.
void tst_window::nothingElseConnected()
{
    tavik window;
    QStringList buttonClicks;
    for (const char *slot : slotNames)
        buttonClicks << buttonOf(slot);

    QStringList differences;
    int checked = 0;
    for (const QObject *object : window.findChildren<QObject *>()) {
        if (!isFormObject(object, &window))
            continue;
        const QString name = object->objectName();
        QScopedPointer<QObject> bare(bareInstance(object));
        if (!bare) {
            differences << QStringLiteral("%1: unexpected class %2")
                               .arg(name, QLatin1String(object->metaObject()->className()));
            continue;
        }
        const QMetaObject *meta = object->metaObject();
        for (int i = 0; i < meta->methodCount(); ++i) {
            const QMetaMethod signal = meta->method(i);
            if (signal.methodType() != QMetaMethod::Signal)
                continue;
            int expected = connectionCount(bare.data(), signal);
            if (signal.name() == "clicked" && buttonClicks.contains(name))
                expected += 1;
            const int actual = connectionCount(object, signal);
            if (actual != expected) {
                differences << QStringLiteral("%1.%2: %3 connections, expected %4")
                                   .arg(name, QLatin1String(signal.methodSignature()))
                                   .arg(actual)
                                   .arg(expected);
            }
            ++checked;
        }
    }
    for (const QString &difference : qAsConst(differences))
        qWarning("%s", qPrintable(difference));
    QVERIFY(differences.isEmpty());
    QVERIFY(checked > 58);
}

void tst_window::clickRunsItsSlotOnce_data()
{
    addSlotRows();
}

// A real mouse click on the button, on its page, runs exactly its own slot,
// once. The store is empty, so the loading, answering and export bodies
// have nothing to work on and must simply cope.
void tst_window::clickRunsItsSlotOnce()
{
    QFETCH(QByteArray, slot);

#ifndef TAVIK_HAVE_SLOT_HOOK
    QSKIP("QtCore before 5.14 has a different signal-spy hook");
#else
    tavik window;
    const QString name = buttonOf(slot.constData());
    auto *button = window.findChild<QPushButton *>(name);
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QVERIFY(button && tabs);

    useScratchFolder(window);

    window.show();
    tabs->setCurrentWidget(button->parentWidget());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(button->isVisible());

    // The hook reports slots connected by name or signature, as the form
    // connects them, but not functor connections; those would show as a
    // second receiver.
    QCOMPARE(connectionCount(button, "clicked(bool)"), 1);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    DialogCanceller dialogs;
    QSignalSpyCallbackSet hook = {nullptr, &slotBegins, nullptr, nullptr};
    recorded = &window;
    slotsRun.clear();
    qt_register_signal_spy_callbacks(&hook);
    QTest::mouseClick(button, Qt::LeftButton);
    qt_register_signal_spy_callbacks(nullptr);

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(slotsRun, QStringList{QString::fromLatin1(slot)});
    QCOMPARE(dialogs.count, opensDialog(name) ? 1 : 0);
#endif
}

void tst_window::invokeByName_data()
{
    addSlotRows();
}

// Invoked by name through the meta-object, a slot does what a click does;
// the two pickers are the slots whose effect shows without an exam.
void tst_window::invokeByName()
{
    QFETCH(QByteArray, slot);

    tavik window;
    useScratchFolder(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    DialogCanceller dialogs;
    QVERIFY(QMetaObject::invokeMethod(&window, slot.constData()));
    QCOMPARE(dialogs.count, opensDialog(buttonOf(slot.constData())) ? 1 : 0);
}

QTEST_MAIN(tst_window)
#include "tst_window.moc"
