// What a screen reader learns of each control through Qt's accessibility
// interfaces: its name, the caption that labels it and, for the number
// displays, the number they hold. Nothing on screen shows a slip here.

#include "numberdisplays.h"
#include "tavik.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QtTest>

class tst_accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controls_data();
    void controls();
};

// As the program's entry does: after the application object, before any
// window.
void tst_accessibility::initTestCase()
{
    installNumberDisplayAccessibility();
}

void tst_accessibility::controls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption"); // the label, if any, that names the control
    QTest::addColumn<QVariant>("value");  // a number display's value once the sample exam is loaded

    const auto row = [](const char *control, const QString &name, const char *caption = "",
                        const QVariant &value = {}) {
        QTest::newRow(control) << QString::fromLatin1(control) << name
                               << QString::fromLatin1(caption) << value;
    };

    row("input_button", QStringLiteral("导入"));
    row("input_choose_button", QStringLiteral("选择文件路径"));
    row("input_edit", QStringLiteral("输入试题文件路径"), "label_1");
    row("choose_number_out", QStringLiteral("1.读取到的选择题数"), "label_2", 4.0);
    row("unchoose_number_out", QStringLiteral("2.读取到的非选择题数"), "label_5", 3.0);
    row("output_choose_button", QStringLiteral("选择学生答案文件夹目录"));
    row("output_edit", QStringLiteral("输入导出学生答案文件夹目录"), "label_8");
    row("student_edit", QStringLiteral("输入学生信息"), "label_9");
    row("output_button", QStringLiteral("导出学生文件"));

    row("choose_out", QStringLiteral("题目"), "label_4");
    for (const char *option : {"chooseA", "chooseB", "chooseC", "chooseD", "chooseE", "chooseF",
                               "chooseG"}) {
        row(option, QString(QLatin1Char(option[6])));
    }
    row("choose_save", QStringLiteral("保存结果"));
    row("choose_last", QStringLiteral("上一题"));
    row("choose_next", QStringLiteral("下一题"));
    row("choose_now", QStringLiteral("当前选择题号"), "label_3", 1.0);
    row("choose_total", QStringLiteral("选择题总题数"), "label_10", 4.0);
    row("choose_score", QStringLiteral("当前题目分值"), "label_15", 2.0);

    row("unchoose_out", QStringLiteral("题目"), "label_6");
    row("unchoose_in", QStringLiteral("答题区"), "label_11");
    row("unchoose_save", QStringLiteral("保存结果"));
    row("unchoose_last", QStringLiteral("上一题"));
    row("unchoose_next", QStringLiteral("下一题"));
    row("unchoose_now", QStringLiteral("当前非选择题题号"), "label_12", 1.0);
    row("unchoose_total", QStringLiteral("非选择题题数"), "label_13", 3.0);
    row("unchoose_score", QStringLiteral("当前题目分值"), "label_14", 10.0);
}

void tst_accessibility::controls()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QVariant, value);

    tavik window;
    window.show();
    QWidget *target = window.findChild<QWidget *>(control);
    QVERIFY(target);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(target);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);

    QStringList labels;
    for (const auto &relation : accessible->relations(QAccessible::Label))
        labels << relation.first->object()->objectName();
    QCOMPARE(labels.join(QLatin1Char(' ')), caption);
    if (!caption.isEmpty()) {
        // The name is the caption as the student reads it, colon and all.
        QAccessibleInterface *label = accessible->relations(QAccessible::Label).first().first;
        QCOMPARE(label->text(QAccessible::Name), name + QStringLiteral("："));
        const auto labelled = label->relations(QAccessible::Labelled);
        QCOMPARE(labelled.size(), 1);
        QCOMPARE(labelled.first().first->object(), target);
    }

    // The interface above was made before the load: it reads the display
    // anew, as a screen reader does.
    widget<QLineEdit>(window, "input_edit")
        ->setText(QStringLiteral(TAVIK_SOURCE_DIR "/examples/sample-exam.txt"));
    click(window, "input_button");
    QAccessibleValueInterface *number = accessible->valueInterface();
    if (!value.isValid()) {
        QVERIFY(!number);
        return;
    }
    QVERIFY(number);
    QCOMPARE(number->currentValue(), value);
    QCOMPARE(accessible->text(QAccessible::Value), QString::number(value.toDouble()));
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
