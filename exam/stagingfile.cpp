#include "stagingfile.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace {

// Standard output on a file that did not exist until now. The C runtime that
// MinGW programs link on Windows (msvcrt.dll) refuses fopen's "x": there the
// file is made by _open with _O_EXCL, which every Windows C runtime honours,
// and standard output is pointed at it.
bool openNew(const QByteArray &path)
{
#ifdef _WIN32
    const int file = _open(path.constData(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT,
                           _S_IREAD | _S_IWRITE);
    if (file == -1)
        return false;
    // Standard output needs a descriptor of its own to be pointed elsewhere.
    const bool pointed = std::freopen("NUL", "w", stdout) && _dup2(file, _fileno(stdout)) == 0;
    const int error = errno;
    _close(file);
    if (!pointed) {
        std::fclose(stdout);
        std::remove(path.constData());
        errno = error;
    }
    return pointed;
#else
    return std::freopen(path.constData(), "wx", stdout) != nullptr;
#endif
}

} // namespace

QByteArray openStagingFile(const QByteArray &folder, const QByteArray &name,
                           const std::function<quint64()> &nextToken)
{
    for (int attempt = 0; attempt < stagingAttempts; ++attempt) {
        const QByteArray token = QByteArray::number(nextToken(), 16).rightJustified(16, '0');
        const QByteArray path = folder + '.' + name + '.' + token + ".tmp";
        if (openNew(path))
            return path;
        if (errno != EEXIST)
            break;
    }
    return QByteArray();
}

quint64 unguessableToken()
{
    return QRandomGenerator::system()->generate64();
}
