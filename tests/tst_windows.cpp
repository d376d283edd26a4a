// The program as Windows sees it: the executable that was built, started as
// a student starts it. Built and run for Windows only.

#include "tavik.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

#include <memory>

namespace {

const wchar_t title[] = L"tavik试卷评测系统-学生端";

// The directory of an icon group resource, as the resource compiler stores it.
#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id;
};
struct GroupIcon
{
    WORD reserved;
    WORD type;
    WORD count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

struct ModuleDeleter
{
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

Module programResources()
{
    const QString path = QDir::toNativeSeparators(QStringLiteral(TAVIK_EXE));
    return Module(LoadLibraryExW(reinterpret_cast<const wchar_t *>(path.utf16()), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// The pixels of an icon's colour image, top row first, 32 bits each.
QImage iconPixels(HICON icon)
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return QImage();
    BITMAP bitmap;
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    QImage image(bitmap.bmWidth, bitmap.bmHeight, QImage::Format_ARGB32);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, info.hbmColor, 0, UINT(bitmap.bmHeight), image.bits(),
                               &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return rows == bitmap.bmHeight ? image : QImage();
}

HWND programWindow()
{
    return FindWindowW(nullptr, title);
}

// The subsystem in the PE header of a program: whether Windows gives it a
// console.
WORD subsystem(const char *path)
{
    QFile program(QString::fromLocal8Bit(path));
    if (!program.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = program.readAll();
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(bytes.constData());
    if (bytes.size() < int(sizeof(IMAGE_DOS_HEADER)) || dos->e_magic != IMAGE_DOS_SIGNATURE
        || dos->e_lfanew + int(sizeof(IMAGE_NT_HEADERS64)) > bytes.size())
        return 0;
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS64 *>(bytes.constData() + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return 0;
    return nt->OptionalHeader.Subsystem;
}

} // namespace

class tst_windows : public QObject
{
    Q_OBJECT

private slots:
    void subsystems();
    void versionResources_data();
    void versionResources();
    void iconResource();
    void windowShowsTheIcon();
    void startsAndCloses();
    void exportsWithoutConsole();
    void checkerReadsAsTheWindow_data();
    void checkerReadsAsTheWindow();
};

// A GUI program: no console window opens beside it. The checker is a
// console program: its report goes to the console it is started from.
void tst_windows::subsystems()
{
    QCOMPARE(subsystem(TAVIK_EXE), WORD(IMAGE_SUBSYSTEM_WINDOWS_GUI));
    QCOMPARE(subsystem(TAVIK_CHECK_EXE), WORD(IMAGE_SUBSYSTEM_WINDOWS_CUI));
}

void tst_windows::versionResources_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("name");

    QTest::newRow("tavik") << QStringLiteral(TAVIK_EXE) << QStringLiteral("tavik.exe");
    QTest::newRow("tavik-check") << QStringLiteral(TAVIK_CHECK_EXE) << QStringLiteral("tavik-check.exe");
}

// Both programs tell Windows their version and name, as the file's
// properties and inventory tools show them.
void tst_windows::versionResources()
{
    QFETCH(QString, program);
    QFETCH(QString, name);

    const std::wstring path = QDir::toNativeSeparators(program).toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    QVERIFY(size > 0);
    QByteArray info(int(size), '\0');
    QVERIFY(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    const auto value = [&info](const wchar_t *key) {
        void *text = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(info.constData(), key, &text, &length) || length == 0)
            return QString();
        return QString::fromWCharArray(static_cast<const wchar_t *>(text), int(length) - 1);
    };
    QCOMPARE(value(L"\\StringFileInfo\\040904B0\\ProductVersion"), QStringLiteral(TAVIK_VERSION));
    QCOMPARE(value(L"\\StringFileInfo\\040904B0\\OriginalFilename"), name);
}

// The icon group IDI_ICON1, in English (United States), of one 128 x 128
// image at 32 bits per pixel.
void tst_windows::iconResource()
{
    const Module module = programResources();
    QVERIFY(module);
    // RT_GROUP_ICON, of the wide-character API.
    HRSRC found = FindResourceExW(module.get(), MAKEINTRESOURCEW(14), L"IDI_ICON1",
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    QVERIFY(found);
    const auto *group = static_cast<const GroupIcon *>(LockResource(LoadResource(module.get(), found)));
    QVERIFY(group);
    QCOMPARE(int(group->type), 1);
    QCOMPARE(int(group->count), 1);
    QCOMPARE(int(group->entries[0].width), 128);
    QCOMPARE(int(group->entries[0].height), 128);
    QCOMPARE(int(group->entries[0].bitsPerPixel), 32);
}

// The window shows the picture of IDI_ICON1 as its icon: Qt's Windows
// platform takes it from the executable that runs. This test carries the
// program's resource script too, and shows the program's window itself, for
// Windows keeps a window's icon from other programs.
void tst_windows::windowShowsTheIcon()
{
    tavik window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto shownIcon =
        reinterpret_cast<HICON>(GetClassLongPtrW(HWND(window.winId()), GCLP_HICON));
    const QImage shown = iconPixels(shownIcon);
    QVERIFY(!shown.isNull());

    const Module module = programResources();
    const auto programIcon = static_cast<HICON>(
        LoadImageW(module.get(), L"IDI_ICON1", IMAGE_ICON, shown.width(), shown.height(), 0));
    const QImage expected = iconPixels(programIcon);
    DestroyIcon(programIcon);
    QVERIFY(!expected.isNull());
    QVERIFY(shown == expected);
}

// Started as a student starts it, the program shows its window, and closing
// the window ends it with 0.
void tst_windows::startsAndCloses()
{
    QVERIFY2(!programWindow(), "the program runs already");
    QProcess program;
    program.start(QStringLiteral(TAVIK_EXE), {QStringLiteral("-platform"), QStringLiteral("windows")});
    QVERIFY(program.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(programWindow(), 20000);

    PostMessageW(programWindow(), WM_CLOSE, 0, 0);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

// A GUI program has no console: loading and the export reopen standard
// input and output on their files all the same, the answer file has CR LF
// line ends, and a second export replaces the first. (Started by Explorer
// it has no standard handles at all; Wine's C runtime then refuses to
// reopen the streams, Windows' does not: here they are the null device.)
void tst_windows::exportsWithoutConsole()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile exam(dir.filePath(QStringLiteral("exam.txt")));
    QVERIFY(exam.open(QIODevice::WriteOnly) && exam.write("3 2\n1 1 1 2 2\n@a$@b$@c$@d$@e$\n") > 0);
    exam.close();

    for (int round = 0; round < 2; ++round) {
        QProcess program;
        program.setStandardInputFile(QProcess::nullDevice());
        program.setStandardOutputFile(QProcess::nullDevice());
        program.setStandardErrorFile(QProcess::nullDevice());
        program.start(QStringLiteral(GUI_EXPORT_EXE), {exam.fileName(), dir.path()});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
    QFile answers(dir.filePath(QStringLiteral("s01")));
    QVERIFY(answers.open(QIODevice::ReadOnly));
    const QByteArray workedExample = "B_D\r\n\r\n@42$\r\n\r\n@line one\r\nline two$";
    QCOMPARE(workedExample.size(), 35);
    QCOMPARE(answers.readAll(), workedExample);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void tst_windows::checkerReadsAsTheWindow_data()
{
    QTest::addColumn<QByteArray>("exam");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("status");

    const QString exam = QStringLiteral("exam.txt");
    const QByteArray crlf = "1 1\r\n2 3\r\n@one\r\ntwo$\r\n  @th";
    QTest::newRow("CR LF")
        << crlf + "ree$\r\n" << exam
        << QStringList{QString::fromUtf8("exam.txt: 可以导入；选择题 1 道，非选择题 1 道，总分 5"),
                       QString::fromUtf8("exam.txt:3:1: 选择题第 1 题：分值 2，字节数 7，纯文本"),
                       QString::fromUtf8("exam.txt:5:3: 非选择题第 1 题：分值 3，字节数 5，纯文本")}
        << 0;
    // The line shown under a place ends where the program stops reading.
    QTest::newRow("0x1A ends the file")
        << crlf + "\x1aree$\r\n" << exam
        << QStringList{QString::fromUtf8("exam.txt:5:3: 错误：非选择题第 1 题的题目文字缺少结尾的“$”"),
                       "    5 |   @th", "      |   ^",
                       QString::fromUtf8("exam.txt:5:6: 附注：在 Windows 上文件在这个 0x1A 字节（Ctrl+Z）处结束"),
                       "    5 |   @th", "      |      ^"}
        << 2;
    // No shell expands a wildcard on Windows: the checker does.
    QTest::newRow("a wildcard")
        << crlf + "ree$\r\n" << QStringLiteral("*.txt")
        << QStringList{QString::fromUtf8("exam.txt: 可以导入；选择题 1 道，非选择题 1 道，总分 5"),
                       QString::fromUtf8("exam.txt:3:1: 选择题第 1 题：分值 2，字节数 7，纯文本"),
                       QString::fromUtf8("exam.txt:5:3: 非选择题第 1 题：分值 3，字节数 5，纯文本")}
        << 0;
}

// The checker reads a file in text mode as the window does, so a line and
// column are where a teacher's editor shows them; on a Chinese Windows it
// reports in Chinese, through the console's code page, with CR LF.
void tst_windows::checkerReadsAsTheWindow()
{
    QFETCH(QByteArray, exam);
    QFETCH(QString, argument);
    QFETCH(QStringList, lines);
    QFETCH(int, status);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("exam.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(exam) == exam.size());
    file.close();

    QProcess checker;
    checker.setWorkingDirectory(dir.path());
    checker.start(QStringLiteral(TAVIK_CHECK_EXE), {argument});
    QVERIFY(checker.waitForFinished(20000));
    QCOMPARE(checker.exitStatus(), QProcess::NormalExit);
    QCOMPARE(checker.exitCode(), status);
    QCOMPARE(QString::fromLocal8Bit(checker.readAllStandardOutput()),
             lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// With Qt's Windows platform, as the program runs on a student's desktop.
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "windows");
    QApplication application(argc, argv);
    tst_windows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
