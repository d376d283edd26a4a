#include "answerexport.h"

#include "examstore.h"
#include "localencoding.h"
#include "stagingfile.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// A text is used up to its first zero character, as its bytes would be.
QString upToNul(const QString &text)
{
    const int nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

#ifdef _WIN32
// Windows keeps a name as it is typed only within its naming rules: it drops
// dots and blanks at the end ("s01." is the file s01, another student's),
// reads a colon as the start of a stream's name, takes CON, NUL, COM1 and
// the like for devices, with or without an extension, and refuses the
// characters below.
bool windowsKeepsName(const QString &name)
{
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QChar c : name) {
        if (c.unicode() < 32 || QStringLiteral("<>:\"|?*").contains(c))
            return false;
    }
    return !name.endsWith(QLatin1Char('.')) && !name.endsWith(QLatin1Char(' '))
           && !device.match(name).hasMatch();
}
#endif

// The student information names one file inside the folder: nothing that
// would climb out of it or name the folder itself. Judged on characters, for
// in a double-byte encoding a character's second byte can be 0x5C.
bool namesOneFile(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
#ifdef _WIN32
    return windowsKeepsName(name);
#else
    return true;
#endif
}

void writeAnswers()
{
    for (int i = 1; i <= choose_count; ++i)
        std::fputc(choose_answer[i], stdout);
    for (int k = 1; k <= unchoose_count; ++k) {
        std::fputc('\n', stdout);
        std::fflush(stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        // Written whole, however long: a cut would lose the student's work.
        // Nothing typed is changed into another character on the way.
        const QByteArray answer = toLocalWithReferences(upToNul(unchoose_answer[k]));
        std::fputc('@', stdout);
        std::fwrite(answer.constData(), 1, std::size_t(answer.size()), stdout);
        std::fputc('$', stdout);
    }
}

bool syncToDisk(FILE *stream)
{
#ifdef _WIN32
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0;
#endif
}

// Writes the answers through standard output, reopened on a file, and
// closes it; the file is on disk when true is returned.
bool writeAndClose()
{
    // An earlier export that failed must not leave its error on the stream.
    std::clearerr(stdout);
    // Room for a whole answer, so that the flushes before each answer are
    // the only writes rather than one more every 4 KiB.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    writeAnswers();
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout) && syncToDisk(stdout);
    return std::fclose(stdout) == 0 && written;
}

// The answers written into the answer file itself, which is emptied first:
// where the file may be written but not replaced.
bool writeInPlace(const char *path)
{
    return std::freopen(path, "w", stdout) && writeAndClose();
}

} // namespace

QByteArray answerPath(const QString &folder, const QString &student)
{
    const QString folderText = upToNul(folder);
    // A folder or a name that the local encoding cannot hold would come out
    // as another one.
    const std::optional<QByteArray> folderBytes = toLocalExactly(folderText);
    const std::optional<QByteArray> name = toLocalExactly(upToNul(student));
    if (!folderBytes || !name)
        return QByteArray();
    QByteArray path = *folderBytes;
    // A cut folder or name would name another file: over its limit, neither
    // is used at all.
    if (path.size() > maxPathBytes || name->size() > maxStudentBytes)
        return QByteArray();
    // A folder that already ends in a slash or a backslash gets no second
    // separator. That is judged on the last character, not the last byte:
    // in a double-byte encoding such as GBK the second byte of a character
    // can be 0x5C, and the file would then land beside the folder.
    if (folderText.isEmpty()
        || (!folderText.endsWith(QLatin1Char('/')) && !folderText.endsWith(QLatin1Char('\\'))))
        path += '/';
    path += *name;
    return path.size() > maxPathBytes ? QByteArray() : path;
}

bool exportAnswers(const QString &folder, const QString &student, const FileMove &move)
{
    const QByteArray path = answerPath(folder, student);
    std::memcpy(answer_path, path.constData(), std::size_t(path.size()) + 1);
    const QString name = upToNul(student);
    if (path.isEmpty() || !namesOneFile(name))
        return false;

    // The answers go into a new file beside the answer file and replace it
    // only once they are all on disk: a full disk or any other failure while
    // writing leaves the file that stood there as it was.
    const QByteArray folderPart = path.left(path.size() - name.toLocal8Bit().size());
    const QByteArray staging = openStagingFile(folderPart, unguessableToken);
    if (!staging.isEmpty()) {
        if (!writeAndClose()) {
            removeStagingFile(staging);
            return false;
        }
        if (moveIntoPlace(staging, path, move))
            return true;
        removeStagingFile(staging);
    }
    // A drop folder that the student may not write in but whose answer file
    // the student may, an answer file that another program holds open on
    // Windows, a folder path that leaves no room for the staging name: the
    // answers go where an overwrite in place puts them, as they always did.
    return writeInPlace(answer_path);
}
