// The widget tree the window builds: what exists, where it sits, what it
// says and how it starts. Other code finds widgets by object name and
// students find them by position, so a slip in the form breaks silently.

#include "formtree.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QGridLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QStringList formChildren(const QObject *parent, const QMainWindow *window)
{
    QStringList names;
    for (const QObject *child : parent->children()) {
        if (isFormObject(child, window))
            names << child->objectName();
    }
    return names;
}

// Every object of the form, grouped by owner and in creation order within
// each owner; pages are owned by the tab widget. The cell is where the
// owner's layout holds the object: row, column and spans on the grid pages,
// row and role on the file page, the position in the central column.
enum { Label = QFormLayout::LabelRole, Field = QFormLayout::FieldRole,
       Spanning = QFormLayout::SpanningRole };

struct Member
{
    const char *name;
    const char *className;
    const char *owner;
    int row = -1;
    int column = -1;
    int rowSpan = 1;
    int columnSpan = 1;
};

const Member formMembers[] = {
    {"centralWidget", "QWidget", "tavik"},
    {"statusBar", "QStatusBar", "tavik"},

    {"verticalLayout", "QVBoxLayout", "centralWidget"},
    {"label_16", "QLabel", "centralWidget", 0},
    {"tabWidget", "QTabWidget", "centralWidget", 1},

    {"file", "QWidget", "tabWidget"},
    {"ans_xuan", "QWidget", "tabWidget"},
    {"tab", "QWidget", "tabWidget"},

    {"formLayout_3", "QFormLayout", "file"},
    {"label_1", "QLabel", "file", 1, Label},
    {"input_button", "QPushButton", "file", 1, Field},
    {"input_edit", "QLineEdit", "file", 3, Spanning},
    {"label", "QLabel", "file", 5, Label},
    {"label_2", "QLabel", "file", 6, Label},
    {"choose_number_out", "QLCDNumber", "file", 6, Field},
    {"label_5", "QLabel", "file", 7, Label},
    {"unchoose_number_out", "QLCDNumber", "file", 7, Field},
    {"label_8", "QLabel", "file", 9, Label},
    {"output_edit", "QLineEdit", "file", 11, Spanning},
    {"label_9", "QLabel", "file", 12, Label},
    {"student_edit", "QLineEdit", "file", 14, Spanning},
    {"output_button", "QPushButton", "file", 15, Spanning},
    {"input_choose_button", "QPushButton", "file", 2, Label},
    {"output_choose_button", "QPushButton", "file", 9, Field},

    {"gridLayout", "QGridLayout", "ans_xuan"},
    {"choose_save", "QPushButton", "ans_xuan", 3, 0},
    {"label_7", "QLabel", "ans_xuan", 2, 0},
    {"label_3", "QLabel", "ans_xuan", 3, 1, 1, 2},
    {"chooseB", "QRadioButton", "ans_xuan", 2, 2},
    {"chooseC", "QRadioButton", "ans_xuan", 2, 3},
    {"chooseE", "QRadioButton", "ans_xuan", 2, 5},
    {"chooseA", "QRadioButton", "ans_xuan", 2, 1},
    {"label_4", "QLabel", "ans_xuan", 0, 0},
    {"label_10", "QLabel", "ans_xuan", 4, 1, 1, 2},
    {"chooseF", "QRadioButton", "ans_xuan", 2, 6},
    {"choose_out", "QTextBrowser", "ans_xuan", 1, 0, 1, 8},
    {"choose_next", "QPushButton", "ans_xuan", 5, 0},
    {"chooseD", "QRadioButton", "ans_xuan", 2, 4},
    {"chooseG", "QRadioButton", "ans_xuan", 2, 7},
    {"choose_now", "QLCDNumber", "ans_xuan", 3, 3, 1, 5},
    {"choose_last", "QPushButton", "ans_xuan", 4, 0},
    {"choose_total", "QLCDNumber", "ans_xuan", 4, 3, 1, 5},
    {"label_15", "QLabel", "ans_xuan", 5, 1, 1, 2},
    {"choose_score", "QLCDNumber", "ans_xuan", 5, 3, 1, 5},

    {"gridLayout_2", "QGridLayout", "tab"},
    {"label_12", "QLabel", "tab", 4, 1},
    {"unchoose_out", "QTextBrowser", "tab", 1, 0, 1, 4},
    {"unchoose_now", "QLCDNumber", "tab", 4, 2, 1, 2},
    {"unchoose_save", "QPushButton", "tab", 4, 0},
    {"unchoose_last", "QPushButton", "tab", 5, 0},
    {"unchoose_total", "QLCDNumber", "tab", 5, 2, 1, 2},
    {"label_6", "QLabel", "tab", 0, 0, 1, 2},
    {"unchoose_in", "QTextEdit", "tab", 3, 0, 1, 4},
    {"unchoose_next", "QPushButton", "tab", 6, 0},
    {"label_11", "QLabel", "tab", 2, 0, 1, 2},
    {"label_13", "QLabel", "tab", 5, 1},
    {"label_14", "QLabel", "tab", 6, 1},
    {"unchoose_score", "QLCDNumber", "tab", 6, 2, 1, 2},
};

QString span(const QString &caption)
{
    return QStringLiteral("<span style=\" font-size:11pt;\">") + caption
        + QStringLiteral("</span>");
}

QString boldSpan(const QString &caption)
{
    return QStringLiteral("<span style=\" font-size:11pt; font-weight:600;\">") + caption
        + QStringLiteral("</span>");
}

QString paragraph(const QString &spans)
{
    return QStringLiteral("<html><head/><body><p>") + spans
        + QStringLiteral("</p></body></html>");
}

} // namespace

class tst_form : public QObject
{
    Q_OBJECT

private:
    template<typename T>
    T *child(const tavik &window, const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no %s named %s", T::staticMetaObject.className(), name);
        return found;
    }

private slots:
    void windowSize();
    void tabs();
    void startState();
    void optionsExcludeEachOther();
    void texts_data();
    void texts();
    void banner();
    void members_data();
    void members();
    void creationOrder_data();
    void creationOrder();
    void nothingElse();
    void layouts_data();
    void layouts();
    void formGaps();
    void focusFollowsCreation_data();
    void focusFollowsCreation();
};

void tst_form::windowSize()
{
    tavik window;
    QCOMPARE(window.objectName(), QStringLiteral("tavik"));
    QCOMPARE(window.windowTitle(), QStringLiteral("tavik"));
    QCOMPARE(window.size(), QSize(1200, 800));
    QCOMPARE(window.minimumSize(), QSize(600, 400));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1200, 800));
    window.resize(200, 100);
    QCOMPARE(window.size(), QSize(600, 400));
}

void tst_form::tabs()
{
    tavik window;
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 3);
    const QStringList pages = {"file", "ans_xuan", "tab"};
    const QStringList titles = {QStringLiteral("文件"), QStringLiteral("答选择题"),
                                QStringLiteral("答非选择题")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), pages.at(i));
        QCOMPARE(tabs->tabText(i), titles.at(i));
    }
    QCOMPARE(tabs->currentIndex(), 0);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(tabs->widget(0)->isVisible());
    QVERIFY(!tabs->widget(1)->isVisible());
    QVERIFY(!tabs->widget(2)->isVisible());
}

void tst_form::startState()
{
    tavik window;

    const QList<QLCDNumber *> numbers = window.findChildren<QLCDNumber *>();
    QCOMPARE(numbers.size(), 8);
    for (const QLCDNumber *number : numbers) {
        QVERIFY2(number->intValue() == 0 && number->value() == 0.0,
                 qPrintable(number->objectName()));
        QCOMPARE(number->digitCount(), 5);
        QCOMPARE(number->mode(), QLCDNumber::Dec);
    }

    for (const char *name : {"input_edit", "output_edit", "student_edit"}) {
        const QLineEdit *edit = child<QLineEdit>(window, name);
        QVERIFY(edit);
        QVERIFY2(edit->text().isEmpty(), name);
        QVERIFY2(edit->placeholderText().isEmpty(), name);
        QVERIFY2(!edit->isReadOnly(), name);
    }

    // The question displays are for reading; the answer area takes typing.
    for (const char *name : {"choose_out", "unchoose_out"}) {
        const QTextBrowser *browser = child<QTextBrowser>(window, name);
        QVERIFY(browser);
        QVERIFY2(browser->toPlainText().isEmpty(), name);
        QVERIFY2(browser->isReadOnly(), name);
    }
    const QTextEdit *answer = child<QTextEdit>(window, "unchoose_in");
    QVERIFY(answer);
    QVERIFY(answer->toPlainText().isEmpty());
    QVERIFY(!answer->isReadOnly());

    const QList<QRadioButton *> options = window.findChildren<QRadioButton *>();
    QCOMPARE(options.size(), 7);
    for (const QRadioButton *option : options)
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));

    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

// The seven options share one page and no group, so they behave as one
// set: a second pick replaces the first, a repeated pick keeps it.
void tst_form::optionsExcludeEachOther()
{
    tavik window;
    window.show();
    child<QTabWidget>(window, "tabWidget")->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QRadioButton *a = child<QRadioButton>(window, "chooseA");
    QRadioButton *g = child<QRadioButton>(window, "chooseG");
    QVERIFY(a && g);
    // A radio button takes clicks on its indicator and text, at its left.
    const QPoint indicator(6, a->height() / 2);
    QTest::mouseClick(a, Qt::LeftButton, {}, indicator);
    QVERIFY(a->isChecked());
    QTest::mouseClick(g, Qt::LeftButton, {}, indicator);
    QVERIFY(g->isChecked());
    QVERIFY(!a->isChecked());
    QTest::mouseClick(g, Qt::LeftButton, {}, indicator);
    QVERIFY(g->isChecked());
    int checked = 0;
    for (const QRadioButton *option : window.findChildren<QRadioButton *>())
        checked += option->isChecked();
    QCOMPARE(checked, 1);
}

void tst_form::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    const auto plain = [](const char *name, const QString &text) {
        QTest::newRow(name) << QString::fromLatin1(name) << text;
    };
    const auto label = [](const char *name, const QString &spans) {
        QTest::newRow(name) << QString::fromLatin1(name) << paragraph(spans);
    };

    label("label_1", span(QStringLiteral("输入试题文件路径：")));
    label("label", boldSpan(QStringLiteral("题目总览：")));
    label("label_2", span(QStringLiteral("1.读取到的选择题数：")));
    label("label_5", span(QStringLiteral("2.读取到的非选择题数：")));
    label("label_8", span(QStringLiteral("输入导出学生答案")) + boldSpan(QStringLiteral("文件夹"))
                         + span(QStringLiteral("目录：")));
    label("label_9", span(QStringLiteral("输入学生信息：")));
    label("label_7", span(QStringLiteral("选项：")));
    label("label_3", span(QStringLiteral("当前选择题号：")));
    label("label_4", span(QStringLiteral("题目：")));
    label("label_6", span(QStringLiteral("题目：")));
    label("label_10", span(QStringLiteral("选择题总题数：")));
    label("label_15", span(QStringLiteral("当前题目分值：")));
    label("label_14", span(QStringLiteral("当前题目分值：")));
    label("label_12", span(QStringLiteral("当前非选择题题号：")));
    label("label_11", span(QStringLiteral("答题区：")));
    label("label_13", span(QStringLiteral("非选择题题数：")));

    plain("input_button", QStringLiteral("导入"));
    plain("input_choose_button", QStringLiteral("选择文件路径"));
    plain("output_choose_button", QStringLiteral("选择学生答案文件夹目录"));
    plain("output_button", QStringLiteral("导出学生文件"));
    plain("choose_save", QStringLiteral("保存结果"));
    plain("unchoose_save", QStringLiteral("保存结果"));
    plain("choose_last", QStringLiteral("上一题"));
    plain("unchoose_last", QStringLiteral("上一题"));
    plain("choose_next", QStringLiteral("下一题"));
    plain("unchoose_next", QStringLiteral("下一题"));
    for (const char *letter : {"A", "B", "C", "D", "E", "F", "G"}) {
        QTest::newRow(letter) << QStringLiteral("choose") + QLatin1String(letter)
                              << QString::fromLatin1(letter);
    }
}

// Character for character, so that a half-width colon, a lost blank in a
// style attribute or a mis-typed character shows up.
void tst_form::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    tavik window;
    QObject *object = window.findChild<QObject *>(name);
    QVERIFY(object);
    if (auto *label = qobject_cast<QLabel *>(object)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::AutoText);
    } else {
        auto *button = qobject_cast<QAbstractButton *>(object);
        QVERIFY(button);
        QCOMPARE(button->text(), text);
    }
}

void tst_form::banner()
{
    tavik window;
    const QLabel *banner = child<QLabel>(window, "label_16");
    QVERIFY(banner);

    static const QRegularExpression shape(QStringLiteral(
        "^<html><head/><body><p>"
        "创作不易，请勿恶意盗用，我们的官网是："
        "<a href=\"([^\"]+)\">"
        "<span style=\" text-decoration: underline; color:#0000ff;\">([^<]+)</span>"
        "</a> 制作者：([^<]+)"
        "</p></body></html>$"));
    const QRegularExpressionMatch match = shape.match(banner->text());
    QVERIFY2(match.hasMatch(), qPrintable(banner->text()));

    const QString address = match.captured(1);
    QCOMPARE(match.captured(2), address);
    QVERIFY(address.startsWith(QLatin1String("http")));

    // Names are HTML-escaped: every '&' opens an entity.
    const QString makers = match.captured(3);
    QVERIFY(!makers.trimmed().isEmpty());
    static const QRegularExpression bareAmpersand(QStringLiteral("&(?![a-z]+;|#[0-9]+;)"));
    QVERIFY2(!bareAmpersand.match(makers).hasMatch(), qPrintable(makers));

    QVERIFY(!banner->openExternalLinks());
    QCOMPARE(banner->textFormat(), Qt::AutoText);
}

void tst_form::members_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QRect>("cell"); // column, row, column span, row span
    for (const Member &member : formMembers) {
        QTest::newRow(member.name)
            << QString::fromLatin1(member.name) << QString::fromLatin1(member.className)
            << QString::fromLatin1(member.owner)
            << QRect(member.column, member.row, member.columnSpan, member.rowSpan);
    }
}

void tst_form::members()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, owner);
    QFETCH(QRect, cell);

    tavik window;
    const QList<QObject *> found = window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *object = found.first();
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);

    if (auto *layout = qobject_cast<QLayout *>(object)) {
        // A layout is owned by the widget it lays out.
        QCOMPARE(layout->parent()->objectName(), owner);
        QCOMPARE(layout->parentWidget()->layout(), layout);
        return;
    }
    auto *widget = qobject_cast<QWidget *>(object);
    QVERIFY(widget);
    if (owner == QLatin1String("tabWidget")) {
        // A page is adopted by the tab widget's page stack.
        auto *tabs = window.findChild<QTabWidget *>(owner);
        QVERIFY(tabs && tabs->indexOf(widget) >= 0);
        QCOMPARE(widget->parentWidget()->parentWidget(), static_cast<QWidget *>(tabs));
        return;
    }
    QCOMPARE(object->parent()->objectName(), owner);

    const QLayout *layout = widget->parentWidget()->layout();
    if (owner == QLatin1String("tavik")) {
        QVERIFY(widget == window.centralWidget() || widget == window.statusBar());
    } else if (auto *form = qobject_cast<const QFormLayout *>(layout)) {
        int row = -1;
        QFormLayout::ItemRole role = QFormLayout::LabelRole;
        form->getWidgetPosition(widget, &row, &role);
        QCOMPARE(QRect(int(role), row, 1, 1), cell);
    } else if (auto *grid = qobject_cast<const QGridLayout *>(layout)) {
        const int index = grid->indexOf(widget);
        QVERIFY(index >= 0);
        int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QRect(column, row, columnSpan, rowSpan), cell);
        QCOMPARE(grid->itemAt(index)->alignment(), Qt::Alignment());
    } else {
        // The central column: banner above the tabs, neither stretched.
        auto *column = qobject_cast<const QVBoxLayout *>(layout);
        QVERIFY(column);
        QCOMPARE(column->indexOf(widget), cell.y());
        QCOMPARE(column->stretch(cell.y()), 0);
        QCOMPARE(column->itemAt(cell.y())->alignment(), Qt::Alignment());
    }
}

// Qt keeps children in the order they were added, so each owner's list of
// form objects shows the creation order (and catches strays).
void tst_form::creationOrder_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QStringList>("expected");
    for (const char *owner : {"tavik", "centralWidget", "file", "ans_xuan", "tab"}) {
        QStringList names;
        for (const Member &member : formMembers) {
            if (qstrcmp(member.owner, owner) == 0)
                names << QString::fromLatin1(member.name);
        }
        QTest::newRow(owner) << QString::fromLatin1(owner) << names;
    }
}

void tst_form::creationOrder()
{
    QFETCH(QString, owner);
    QFETCH(QStringList, expected);

    tavik window;
    const QObject *parent = owner == QLatin1String("tavik")
        ? static_cast<QObject *>(&window) : window.findChild<QObject *>(owner);
    QVERIFY(parent);
    QCOMPARE(formChildren(parent, &window).join(QLatin1Char(' ')),
             expected.join(QLatin1Char(' ')));
}

// Counted over the whole tree: an extra widget or one of the wrong class
// changes a count even where no table row names it.
void tst_form::nothingElse()
{
    tavik window;
    QMap<QString, int> counts;
    for (const QObject *object : window.findChildren<QObject *>()) {
        if (isFormObject(object, &window))
            ++counts[QString::fromLatin1(object->metaObject()->className())];
    }
    QStringList summary;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        summary << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    QCOMPARE(summary.join(QStringLiteral(", ")),
             QStringLiteral("QFormLayout 1, QGridLayout 2, QLCDNumber 8, QLabel 17, "
                            "QLineEdit 3, QPushButton 10, QRadioButton 7, QStatusBar 1, "
                            "QTabWidget 1, QTextBrowser 2, QTextEdit 1, QVBoxLayout 1, "
                            "QWidget 4"));

    // No menu bar and no tool bar.
    QVERIFY(!window.findChild<QMenuBar *>());
    QVERIFY(!window.findChild<QToolBar *>());
}

void tst_form::layouts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("items");
    QTest::addColumn<QSize>("grid"); // columns by rows, for the grid layouts
    QTest::newRow("verticalLayout") << "verticalLayout" << 2 << QSize();
    QTest::newRow("formLayout_3") << "formLayout_3" << 16 << QSize();
    QTest::newRow("gridLayout") << "gridLayout" << 19 << QSize(8, 6);
    QTest::newRow("gridLayout_2") << "gridLayout_2" << 13 << QSize(4, 7);
}

void tst_form::layouts()
{
    QFETCH(QString, name);
    QFETCH(int, items);
    QFETCH(QSize, grid);

    tavik window;
    const QLayout *layout = window.findChild<QLayout *>(name);
    QVERIFY(layout);
    QCOMPARE(layout->count(), items);
    QCOMPARE(layout->spacing(), 6);
    QCOMPARE(layout->contentsMargins(), QMargins(11, 11, 11, 11));
    if (auto *gridLayout = qobject_cast<const QGridLayout *>(layout)) {
        QCOMPARE(gridLayout->horizontalSpacing(), 6);
        QCOMPARE(gridLayout->verticalSpacing(), 6);
        QCOMPARE(QSize(gridLayout->columnCount(), gridLayout->rowCount()), grid);
    }
    if (auto *form = qobject_cast<const QFormLayout *>(layout)) {
        QCOMPARE(form->horizontalSpacing(), 6);
        QCOMPARE(form->verticalSpacing(), 6);
    }
}

// What the member table cannot show: the spacer and the empty rows that
// space out the file page.
void tst_form::formGaps()
{
    tavik window;
    auto *form = child<QFormLayout>(window, "formLayout_3");
    QVERIFY(form);
    QCOMPARE(form->rowCount(), 16);

    QLayoutItem *item = form->itemAt(8, QFormLayout::LabelRole);
    QVERIFY(item);
    QSpacerItem *spacer = item->spacerItem();
    QVERIFY(spacer);
    QCOMPARE(spacer->sizeHint(), QSize(40, 20));
    QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
    QVERIFY(!form->itemAt(8, QFormLayout::FieldRole));

    for (int row : {0, 4, 10, 13}) {
        for (auto role : {QFormLayout::LabelRole, QFormLayout::FieldRole,
                          QFormLayout::SpanningRole}) {
            QVERIFY2(!form->itemAt(row, role), qPrintable(QString::number(row)));
        }
    }
}

// No explicit tab order: Tab walks each page's widgets in creation order.
void tst_form::focusFollowsCreation_data()
{
    QTest::addColumn<QString>("page");
    for (const char *page : {"file", "ans_xuan", "tab"})
        QTest::newRow(page) << QString::fromLatin1(page);
}

void tst_form::focusFollowsCreation()
{
    QFETCH(QString, page);

    tavik window;
    const QWidget *pageWidget = window.findChild<QWidget *>(page);
    QVERIFY(pageWidget);

    QList<QWidget *> created;
    for (QObject *object : pageWidget->children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        if (widget && isFormObject(widget, &window) && (widget->focusPolicy() & Qt::TabFocus))
            created << widget;
    }
    QVERIFY(created.size() >= 3);

    QStringList expected, chain;
    for (const QWidget *widget : created)
        expected << widget->objectName();
    QWidget *walker = created.first();
    do {
        if (created.contains(walker))
            chain << walker->objectName();
        walker = walker->nextInFocusChain();
    } while (walker != created.first() && chain.size() < created.size());
    QCOMPARE(chain.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
}

QTEST_MAIN(tst_form)
#include "tst_form.moc"
