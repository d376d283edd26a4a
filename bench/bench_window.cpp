// The window's own actions, driven as a student drives them (buttons found by
// object name and clicked), each against the least work that gives the same
// result, measured in the same run under the offscreen platform.

#include "examtext.h"
#include "ratioreporter.h"

#include "examstore.h"
#include "tavik.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLCDNumber>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ---------------------------------------------------------------- set-up

struct Files
{
    std::string folder;    // where the exams lie and the answers go
    std::string largest;   // the largest exam the tables hold
    std::string twoOfEach; // two choice and two non-choice questions
};

Files files;
tavik *window = nullptr;

template <class Widget>
Widget *child(const char *name)
{
    auto *widget = window->findChild<Widget *>(QLatin1String(name));
    if (!widget) {
        std::fprintf(stderr, "the window has no widget %s\n", name);
        std::exit(2);
    }
    return widget;
}

void click(const char *button)
{
    child<QAbstractButton>(button)->click();
}

void showTab(const char *page)
{
    child<QTabWidget>("tabWidget")->setCurrentWidget(child<QWidget>(page));
    QCoreApplication::processEvents();
}

// A text edit lays a long document out in steps on a timer; the steps still
// to come are done here, so that each iteration pays for all its work.
// Then the pending events run: the repaint of whatever changed on screen.
void settle(std::initializer_list<QTextEdit *> edits)
{
    for (QTextEdit *edit : edits) {
        QTextDocument *document = edit->document();
        document->documentLayout()->blockBoundingRect(document->lastBlock());
    }
    QCoreApplication::processEvents();
}

// A plain widget of the baseline on parent, where the window's widget of that
// name lies in within and with the same size, so that it shows its text on
// the same area.
template <class Widget>
Widget *placedLike(const char *name, QWidget *parent, QWidget *within)
{
    auto *copy = new Widget(parent);
    const QWidget *original = child<QWidget>(name);
    copy->setGeometry(QRect(original->mapTo(within, QPoint(0, 0)), original->size()));
    return copy;
}

QString answerText(int k)
{
    return QString::fromStdString(chineseText(answerBytes, 1000u + unsigned(k)));
}

// What the store holds, so the benchmarks that need a given state set it up
// only when another benchmark changed it.
enum class Scene { None, Largest, TwoOfEach, Answered };
Scene scene = Scene::None;

void loadThroughWindow(const std::string &path)
{
    showTab("file");
    child<QLineEdit>("input_edit")->setText(QString::fromStdString(path));
    click("input_button");
    QCoreApplication::processEvents();
}

// Two choice questions answered B and D, two non-choice questions answered
// with 9000 bytes each; the first of each on screen.
void setUpTwoOfEach()
{
    if (scene == Scene::TwoOfEach)
        return;
    loadThroughWindow(files.twoOfEach);
    showTab("ans_xuan");
    child<QAbstractButton>("chooseB")->click();
    click("choose_next");
    child<QAbstractButton>("chooseD")->click();
    click("choose_last");
    showTab("tab");
    auto *editor = child<QTextEdit>("unchoose_in");
    editor->setPlainText(answerText(1));
    click("unchoose_next");
    editor->setPlainText(answerText(2));
    click("unchoose_last");
    scene = Scene::TwoOfEach;
}

// The largest exam with every question answered through the tabs, then the
// student back on the file tab with a folder and a name for the answers.
void setUpAnswered()
{
    if (scene == Scene::Answered)
        return;
    loadThroughWindow(files.largest);
    showTab("ans_xuan");
    const char *options[] = {"chooseA", "chooseB", "chooseC", "chooseD", "chooseE", "chooseF", "chooseG"};
    for (int i = 1; i <= choose_count; ++i) {
        child<QAbstractButton>(options[i % 7])->click();
        click(i < choose_count ? "choose_next" : "choose_save");
    }
    showTab("tab");
    auto *editor = child<QTextEdit>("unchoose_in");
    for (int k = 1; k <= unchoose_count; ++k) {
        editor->setPlainText(answerText(k));
        click(k < unchoose_count ? "unchoose_next" : "unchoose_save");
    }
    showTab("file");
    child<QLineEdit>("output_edit")->setText(QString::fromStdString(files.folder));
    child<QLineEdit>("student_edit")->setText(QStringLiteral("s01"));
    scene = Scene::Answered;
}

// ---------------------------------------------------------------- loading

// The baseline's own copy of the tables.
struct Exam
{
    int choices = 0;
    int texts = 0;
    double score[maxQuestions + 1] = {};
    char text[maxQuestions + 1][maxTextBytes + 1] = {};
};

Exam baselineExam;
std::string baselineBuffer;

// One fread of the whole file, the blocks cut in memory.
bool readWhole(const char *path, Exam &exam)
{
    std::FILE *file = std::fopen(path, "r");
    if (!file)
        return false;
    struct stat status;
    if (fstat(fileno(file), &status) != 0) {
        std::fclose(file);
        return false;
    }
    const std::size_t size = std::size_t(status.st_size);
    baselineBuffer.resize(size);
    const std::size_t got = std::fread(&baselineBuffer[0], 1, size, file);
    std::fclose(file);
    if (got != size)
        return false;

    const char *p = baselineBuffer.c_str();
    const char *const end = p + size;
    char *after;
    exam.choices = int(std::strtol(p, &after, 10));
    exam.texts = int(std::strtol(after, &after, 10));
    if (exam.choices < 0 || exam.choices > maxChoiceQuestions || exam.texts < 0
        || exam.texts > maxTextQuestions)
        return false;
    const int questions = exam.choices + exam.texts;
    for (int row = 1; row <= questions; ++row)
        exam.score[row] = std::strtod(after, &after);
    p = after;
    for (int row = 1; row <= questions; ++row) {
        const char *at = static_cast<const char *>(std::memchr(p, '@', std::size_t(end - p)));
        if (!at)
            return false;
        const char *dollar = static_cast<const char *>(std::memchr(at + 1, '$', std::size_t(end - at - 1)));
        if (!dollar || dollar - at - 1 > maxTextBytes)
            return false;
        const std::size_t length = std::size_t(dollar - at - 1);
        std::memcpy(exam.text[row], at + 1, length);
        exam.text[row][length] = '\0';
        p = dollar + 1;
    }
    return true;
}

void loadTavik(benchmark::State &state)
{
    showTab("file");
    child<QLineEdit>("input_edit")->setText(QString::fromStdString(files.largest));
    auto *choiceText = child<QTextBrowser>("choose_out");
    auto *textText = child<QTextBrowser>("unchoose_out");
    scene = Scene::Largest;
    for (auto _ : state) {
        click("input_button");
        settle({choiceText, textText});
    }

    // The store must hold what the file holds, or there was nothing to measure.
    if (!readWhole(files.largest.c_str(), baselineExam)) {
        state.SkipWithError("the baseline could not read the exam");
        return;
    }
    bool same = choose_count == baselineExam.choices && unchoose_count == baselineExam.texts;
    for (int row = 1; same && row <= choose_count + unchoose_count; ++row)
        same = question_score[row] == baselineExam.score[row]
            && std::strcmp(question_text[row], baselineExam.text[row]) == 0;
    if (!same)
        state.SkipWithError("the window did not load the exam");
}

void loadBaseline(benchmark::State &state)
{
    // The same tabs, the texts on the same areas of their pages.
    static QTabWidget *tabs = nullptr;
    static QTextBrowser *choiceText = nullptr;
    static QTextBrowser *textText = nullptr;
    if (!tabs) {
        auto *realTabs = child<QTabWidget>("tabWidget");
        tabs = new QTabWidget;
        tabs->resize(realTabs->size());
        tabs->addTab(new QWidget, QStringLiteral("1"));
        auto *choicePage = new QWidget;
        choiceText = placedLike<QTextBrowser>("choose_out", choicePage, child<QWidget>("ans_xuan"));
        tabs->addTab(choicePage, QStringLiteral("2"));
        auto *textPage = new QWidget;
        textText = placedLike<QTextBrowser>("unchoose_out", textPage, child<QWidget>("tab"));
        tabs->addTab(textPage, QStringLiteral("3"));
        tabs->show();
        // Every page shown once, as the window's were.
        for (int page : {1, 2, 0}) {
            tabs->setCurrentIndex(page);
            QCoreApplication::processEvents();
        }
    }

    const char *path = files.largest.c_str();
    for (auto _ : state) {
        if (!readWhole(path, baselineExam)) {
            state.SkipWithError("the baseline could not read the exam");
            break;
        }
        choiceText->setText(QString::fromUtf8(baselineExam.text[1]));
        textText->setText(QString::fromUtf8(baselineExam.text[baselineExam.choices + 1]));
        settle({choiceText, textText});
    }
}

// ---------------------------------------------------------------- next

void nextChoiceTavik(benchmark::State &state)
{
    setUpTwoOfEach();
    showTab("ans_xuan");
    auto *question = child<QTextBrowser>("choose_out");
    for (auto _ : state) {
        // Two questions: next from the first, previous from the second.
        click(choose_cursor == 1 ? "choose_next" : "choose_last");
        settle({question});
    }
    state.SetLabel("next and previous in turn");
}

void nextChoiceBaseline(benchmark::State &state)
{
    setUpTwoOfEach();
    showTab("ans_xuan");
    static QWidget *plain = nullptr;
    static QTextBrowser *question = nullptr;
    static QLCDNumber *number = nullptr;
    static QLCDNumber *score = nullptr;
    static std::array<QRadioButton *, 7> options;
    if (!plain) {
        plain = new QWidget;
        plain->resize(window->size());
        question = placedLike<QTextBrowser>("choose_out", plain, window);
        number = placedLike<QLCDNumber>("choose_now", plain, window);
        score = placedLike<QLCDNumber>("choose_score", plain, window);
        for (std::size_t i = 0; i < options.size(); ++i) {
            const char letter = char('A' + i);
            options[i] = placedLike<QRadioButton>(QByteArray("choose").append(letter).constData(),
                                                  plain, window);
            options[i]->setText(QString(QLatin1Char(letter)));
        }
        plain->show();
    }

    const std::string texts[] = {{}, chineseText(largestTextBytes, 1), chineseText(largestTextBytes, 2)};
    char letters[] = {'_', 'B', 'D'};
    int cursor = 1;
    question->setText(QString::fromUtf8(texts[1].c_str()));
    options[std::size_t(letters[1] - 'A')]->setChecked(true);
    settle({question});

    for (auto _ : state) {
        for (std::size_t i = 0; i < options.size(); ++i) {
            if (options[i]->isChecked())
                letters[cursor] = char('A' + i);
        }
        cursor = 3 - cursor;
        number->display(cursor);
        score->display(benchScore(cursor));
        question->setText(QString::fromUtf8(texts[cursor].c_str()));
        options[std::size_t(letters[cursor] - 'A')]->setChecked(true);
        settle({question});
    }
}

void nextTextTavik(benchmark::State &state)
{
    setUpTwoOfEach();
    showTab("tab");
    auto *question = child<QTextBrowser>("unchoose_out");
    auto *answer = child<QTextEdit>("unchoose_in");
    for (auto _ : state) {
        click(unchoose_cursor == 1 ? "unchoose_next" : "unchoose_last");
        settle({question, answer});
    }
    state.SetLabel("next and previous in turn");
}

void nextTextBaseline(benchmark::State &state)
{
    setUpTwoOfEach();
    showTab("tab");
    static QWidget *plain = nullptr;
    static QTextBrowser *question = nullptr;
    static QLCDNumber *number = nullptr;
    static QLCDNumber *score = nullptr;
    static QTextEdit *answer = nullptr;
    if (!plain) {
        plain = new QWidget;
        plain->resize(window->size());
        question = placedLike<QTextBrowser>("unchoose_out", plain, window);
        number = placedLike<QLCDNumber>("unchoose_now", plain, window);
        score = placedLike<QLCDNumber>("unchoose_score", plain, window);
        answer = placedLike<QTextEdit>("unchoose_in", plain, window);
        plain->show();
    }

    const std::string texts[] = {{}, chineseText(largestTextBytes, 3), chineseText(largestTextBytes, 4)};
    QString answers[] = {{}, answerText(1), answerText(2)};
    int cursor = 1;
    question->setText(QString::fromUtf8(texts[1].c_str()));
    answer->setPlainText(answers[1]);
    settle({question, answer});

    for (auto _ : state) {
        answers[cursor] = answer->toPlainText();
        cursor = 3 - cursor;
        number->display(cursor);
        score->display(benchScore(2 + cursor));
        question->setText(QString::fromUtf8(texts[cursor].c_str()));
        answer->setPlainText(answers[cursor]);
        settle({question, answer});
    }
}

// ---------------------------------------------------------------- export

// The answer file's bytes as the store gives them.
std::string expectedAnswers()
{
    std::string bytes(choose_answer + 1, std::size_t(choose_count));
    for (int k = 1; k <= unchoose_count; ++k) {
        bytes += "\n\n@";
        bytes += unchoose_answer[k].toLocal8Bit().toStdString();
        bytes += '$';
    }
    return bytes;
}

// The least that gives the export's result: the bytes on disk under the
// name, in place of the earlier file only once they are all there.
bool replaceDurably(const std::string &path, const std::string &bytes)
{
    const std::string staging = path + ".tmp";
    std::FILE *file = std::fopen(staging.c_str(), "w");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()
                         && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    return std::fclose(file) == 0 && written && std::rename(staging.c_str(), path.c_str()) == 0;
}

void exportTavik(benchmark::State &state)
{
    setUpAnswered();
    for (auto _ : state)
        click("output_button");

    if (readFile(files.folder + "/s01") != expectedAnswers())
        state.SkipWithError("the window did not write the answers");
}

void exportBaseline(benchmark::State &state)
{
    setUpAnswered();
    const std::string bytes = expectedAnswers();
    const std::string path = files.folder + "/baseline";
    for (auto _ : state) {
        if (!replaceDurably(path, bytes)) {
            state.SkipWithError("the baseline could not write its file");
            break;
        }
    }
}

// The same file from the same store when the least work also counts the
// conversion of the stored answers to the local 8-bit encoding, which no
// writer of this file can skip.
void exportConvertingBaseline(benchmark::State &state)
{
    setUpAnswered();
    const std::string path = files.folder + "/baseline";
    std::string bytes;
    for (auto _ : state) {
        bytes.assign(choose_answer + 1, std::size_t(choose_count));
        for (int k = 1; k <= unchoose_count; ++k) {
            const QByteArray answer = unchoose_answer[k].toLocal8Bit();
            bytes += "\n\n@";
            bytes.append(answer.constData(), std::size_t(answer.size()));
            bytes += '$';
        }
        if (!replaceDurably(path, bytes)) {
            state.SkipWithError("the baseline could not write its file");
            break;
        }
    }
    if (bytes != expectedAnswers())
        state.SkipWithError("the baseline wrote other bytes");
}

} // namespace

int main(int argc, char *argv[])
{
    // The export reopens standard output on the answer file and closes it:
    // the report goes to a descriptor of its own.
    const int reportFd = dup(STDOUT_FILENO);
    FdStreamBuf reportBuffer(reportFd);
    std::ostream report(&reportBuffer);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Many short repetitions in random order, so that a slow spell of the
    // machine falls on both sides of a comparison; the figures are medians.
    // Options given on the command line come later and win.
    std::vector<char *> arguments{argv[0]};
    char repetitions[] = "--benchmark_repetitions=20";
    char minimumTime[] = "--benchmark_min_time=0.2";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_display_aggregates_only=true";
    arguments.insert(arguments.end(), {repetitions, minimumTime, interleaving, aggregates});
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    arguments.push_back(nullptr);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());

    QApplication application(count, arguments.data());

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::cerr << "no temporary folder\n";
        return 1;
    }
    files.folder = folder.path().toStdString();
    files.largest = files.folder + "/largest.txt";
    files.twoOfEach = files.folder + "/two.txt";
    if (!writeFile(files.largest, examFile(largestChoices, largestTexts, largestTextBytes))
        || !writeFile(files.twoOfEach, examFile(2, 2, largestTextBytes))) {
        std::cerr << "cannot write the exams\n";
        return 1;
    }

    tavik mainWindow(nullptr);
    window = &mainWindow;
    mainWindow.show();
    mainWindow.setWindowTitle(QString::fromUtf8("tavik试卷评测系统-学生端"));
    // Every page laid out once, so that the baselines can copy where the
    // window shows its texts.
    for (const char *page : {"ans_xuan", "tab", "file"})
        showTab(page);

    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("load/tavik", loadTavik)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("load/baseline", loadBaseline)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("next_choice/tavik", nextChoiceTavik)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("next_choice/baseline", nextChoiceBaseline)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("next_text/tavik", nextTextTavik)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("next_text/baseline", nextTextBaseline)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("export/tavik", exportTavik)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("export/baseline", exportBaseline)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("export/converting_baseline", exportConvertingBaseline)
        ->Unit(kMillisecond);

    RatioReporter reporter(
        {
            {"load", "load/tavik", "load/baseline", Comparison::CpuTime, 3},
            {"next, choice tab", "next_choice/tavik", "next_choice/baseline", Comparison::CpuTime, 1.5},
            {"next, non-choice tab", "next_text/tavik", "next_text/baseline", Comparison::CpuTime, 1.5},
            {"export", "export/tavik", "export/baseline", Comparison::CpuTime, 3},
            {"export, conversion counted in the baseline too", "export/tavik",
             "export/converting_baseline", Comparison::CpuTime, 0},
        },
        consoleOptions(reportFd));
    reporter.SetOutputStream(&report);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
