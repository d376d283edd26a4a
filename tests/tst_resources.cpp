// The application icon and the Windows resource script that packages it.
// Both are read byte by byte here: a wrong size or depth, a second image or
// a misnamed icon group only shows on Windows, where Qt silently falls back
// to no window icon.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QString resourcesDir = QStringLiteral(TAVIK_SOURCE_DIR "/resources");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 word(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// One entry of a compiled resource file (.res): a header with type, name
// and language, then the data, each entry aligned to four bytes.
struct Resource
{
    int type = -1;     // ordinal, or -1 when named
    QString typeName;
    int id = -1;       // ordinal, or -1 when named
    QString name;
    quint16 language = 0;
    QByteArray data;
};

// Reads a type or name field: 0xFFFF and an ordinal, or a zero-terminated
// UTF-16 string. Returns false if the field runs past the header.
bool readNameOrId(const QByteArray &bytes, int &at, int end, int &id, QString &name)
{
    if (at + 4 > end)
        return false;
    if (word(bytes, at) == 0xFFFF) {
        id = word(bytes, at + 2);
        at += 4;
        return true;
    }
    for (; at + 2 <= end; at += 2) {
        const quint16 unit = word(bytes, at);
        if (unit == 0) {
            at += 2;
            return true;
        }
        name += QChar(unit);
    }
    return false;
}

bool parseRes(const QByteArray &bytes, QList<Resource> &resources)
{
    int at = 0;
    while (at < bytes.size()) {
        if (at + 8 > bytes.size())
            return false;
        const quint32 dataSize = dword(bytes, at);
        const quint32 headerSize = dword(bytes, at + 4);
        if (headerSize < 32 || at + qint64(headerSize) + dataSize > bytes.size())
            return false;
        const int headerEnd = at + int(headerSize);
        Resource resource;
        int field = at + 8;
        if (!readNameOrId(bytes, field, headerEnd, resource.type, resource.typeName)
            || !readNameOrId(bytes, field, headerEnd, resource.id, resource.name))
            return false;
        field = (field + 3) & ~3;
        // DataVersion (4), MemoryFlags (2), LanguageId (2), Version (4), Characteristics (4)
        if (field + 16 > headerEnd)
            return false;
        resource.language = word(bytes, field + 6);
        resource.data = bytes.mid(headerEnd, int(dataSize));
        resources << resource;
        at = (headerEnd + int(dataSize) + 3) & ~3;
    }
    return true;
}

enum { RtIcon = 3, RtGroupIcon = 14 };

} // namespace

class tst_resources : public QObject
{
    Q_OBJECT

private slots:
    void icoHoldsOneImage();
    void pngShowsTheSamePicture();
    void resourceScriptCompiles();
};

// The .ico layout Windows expects for one 32-bit image: the directory, one
// entry, then a DIB whose header counts colour rows and mask rows together.
void tst_resources::icoHoldsOneImage()
{
    const QByteArray ico = readFile(resourcesDir + QStringLiteral("/tavik.ico"));
    QVERIFY(ico.size() > 22 + 40);

    QCOMPARE(word(ico, 0), quint16(0));  // reserved
    QCOMPARE(word(ico, 2), quint16(1));  // icon, not cursor
    QCOMPARE(word(ico, 4), quint16(1));  // one image

    QCOMPARE(quint8(ico.at(6)), quint8(128)); // width
    QCOMPARE(quint8(ico.at(7)), quint8(128)); // height
    QCOMPARE(quint8(ico.at(8)), quint8(0));   // no palette
    QCOMPARE(word(ico, 10), quint16(1));      // planes
    QCOMPARE(word(ico, 12), quint16(32));     // bits per pixel
    const quint32 size = dword(ico, 14);
    const quint32 offset = dword(ico, 18);
    QCOMPARE(offset, quint32(22));
    QCOMPARE(qint64(offset) + size, qint64(ico.size()));

    const int dib = int(offset);
    QCOMPARE(dword(ico, dib), quint32(40));           // BITMAPINFOHEADER
    QCOMPARE(dword(ico, dib + 4), quint32(128));      // width
    QCOMPARE(dword(ico, dib + 8), quint32(2 * 128));  // colour rows + mask rows
    QCOMPARE(word(ico, dib + 12), quint16(1));
    QCOMPARE(word(ico, dib + 14), quint16(32));
    QCOMPARE(dword(ico, dib + 16), quint32(0));       // uncompressed
    QCOMPARE(size, quint32(40 + 128 * 128 * 4 + 128 * 16));

    // Not a blank square: some pixels are transparent and some opaque.
    int transparent = 0, opaque = 0;
    for (int i = 0; i < 128 * 128; ++i) {
        const quint8 alpha = quint8(ico.at(dib + 40 + 4 * i + 3));
        transparent += alpha == 0;
        opaque += alpha == 255;
    }
    QVERIFY(transparent > 0);
    QVERIFY(opaque > 128 * 128 / 2);
}

// The PNG installed for desktops is the same picture as the Windows icon,
// which also shows that the icon's rows are stored the right way up.
void tst_resources::pngShowsTheSamePicture()
{
    QImage png;
    QVERIFY(png.load(resourcesDir + QStringLiteral("/tavik.png"), "PNG"));
    QCOMPARE(png.size(), QSize(128, 128));
    QVERIFY(png.hasAlphaChannel());

    QImage ico;
    if (!ico.load(resourcesDir + QStringLiteral("/tavik.ico"), "ICO"))
        QSKIP("Qt's ICO image plugin is not available");
    QCOMPARE(ico.size(), QSize(128, 128));
    // Compared premultiplied, the form Qt's ICO reader delivers, so that
    // half-transparent edge pixels are not rounded twice.
    QCOMPARE(ico.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

// Compiles the script the way a MinGW build of the program does and reads
// the result back: one icon group IDI_ICON1 in English (United States)
// holding the one image of tavik.ico, and nothing else.
void tst_resources::resourceScriptCompiles()
{
#ifdef _WIN32
    QSKIP("on Windows tst_windows reads the built executable's own resources");
#endif
    const QString windres = QStandardPaths::findExecutable(
        QStringLiteral("x86_64-w64-mingw32-windres"));
    if (windres.isEmpty())
        QSKIP("x86_64-w64-mingw32-windres is not installed");

    // windres runs the script through the MinGW compiler's preprocessor;
    // without that compiler the host's cpp does the same job.
    QStringList arguments;
    if (QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-gcc")).isEmpty()) {
        const QString cpp = QStandardPaths::findExecutable(QStringLiteral("cpp"));
        if (cpp.isEmpty())
            QSKIP("no C preprocessor for windres");
        arguments << QStringLiteral("--preprocessor=") + cpp;
    }

    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString res = out.filePath(QStringLiteral("tavik.res"));
    arguments << QStringLiteral("-I") << resourcesDir << QStringLiteral("-O")
              << QStringLiteral("res") << resourcesDir + QStringLiteral("/tavik.rc") << res;

    QProcess process;
    process.setWorkingDirectory(out.path());
    process.start(windres, arguments);
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             process.readAllStandardError().constData());

    QList<Resource> resources;
    QVERIFY(parseRes(readFile(res), resources));

    // A .res file opens with an empty entry; the rest are the resources.
    QVERIFY(!resources.isEmpty());
    QCOMPARE(resources.first().type, 0);
    QVERIFY(resources.first().data.isEmpty());
    resources.removeFirst();
    QCOMPARE(resources.size(), 2);

    const Resource *group = nullptr;
    const Resource *image = nullptr;
    for (const Resource &resource : qAsConst(resources)) {
        if (resource.type == RtGroupIcon)
            group = &resource;
        else if (resource.type == RtIcon)
            image = &resource;
    }
    QVERIFY(group && image);

    QCOMPARE(group->id, -1);
    QCOMPARE(group->name, QStringLiteral("IDI_ICON1"));
    QCOMPARE(group->language, quint16(0x0409));
    QCOMPARE(image->language, quint16(0x0409));

    // GRPICONDIR with one 14-byte entry that points at the image by ordinal.
    const QByteArray &entries = group->data;
    QCOMPARE(entries.size(), 6 + 14);
    QCOMPARE(word(entries, 0), quint16(0));
    QCOMPARE(word(entries, 2), quint16(1));
    QCOMPARE(word(entries, 4), quint16(1));
    QCOMPARE(quint8(entries.at(6)), quint8(128));
    QCOMPARE(quint8(entries.at(7)), quint8(128));
    QCOMPARE(word(entries, 10), quint16(1));
    QCOMPARE(word(entries, 12), quint16(32));
    QCOMPARE(dword(entries, 14), quint32(image->data.size()));
    QCOMPARE(int(word(entries, 18)), image->id);

    const QByteArray ico = readFile(resourcesDir + QStringLiteral("/tavik.ico"));
    QVERIFY(ico.size() > 22);
    QCOMPARE(image->data, ico.mid(int(dword(ico, 18))));
}

QTEST_MAIN(tst_resources)
#include "tst_resources.moc"
