#include "stagingfile.h"

#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#ifdef _WIN32
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
// The staging file is made, moved and removed under one and the same wide
// name, the one its ANSI bytes stand for, so that the three calls agree on
// which file that is however long its path: C runtimes differ in whether
// they hand an ANSI name on to an ANSI or a wide call of Windows, and the two
// take paths of different lengths.
std::wstring wideName(const QByteArray &path)
{
    return QFile::decodeName(path).toStdWString();
}
#endif

// Standard output on a file that did not exist until now. The C runtime that
// MinGW programs link on Windows (msvcrt.dll) refuses fopen's "x": there the
// file is made by _wopen with _O_EXCL, which every Windows C runtime honours,
// and standard output is pointed at it.
bool openNew(const QByteArray &path)
{
#ifdef _WIN32
    const int file = _wopen(wideName(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT,
                            _S_IREAD | _S_IWRITE);
    if (file == -1)
        return false;
    // Standard output needs a descriptor of its own to be pointed elsewhere.
    const bool pointed = std::freopen("NUL", "w", stdout) && _dup2(file, _fileno(stdout)) == 0;
    const int error = errno;
    _close(file);
    if (!pointed) {
        std::fclose(stdout);
        removeStagingFile(path);
        errno = error;
    }
    return pointed;
#else
    return std::freopen(path.constData(), "wx", stdout) != nullptr;
#endif
}

} // namespace

QByteArray openStagingFile(const QByteArray &folder, const std::function<quint32()> &nextToken)
{
    for (int attempt = 0; attempt < stagingAttempts; ++attempt) {
        const QByteArray token = QByteArray::number(nextToken(), 16).rightJustified(8, '0');
        const QByteArray path = folder + '.' + token + ".tmp";
        if (openNew(path))
            return path;
        if (errno != EEXIST)
            break;
    }
    return QByteArray();
}

quint32 unguessableToken()
{
    return QRandomGenerator::system()->generate();
}

bool moveFileOver(const QByteArray &from, const QByteArray &to)
{
#ifdef _WIN32
    return MoveFileExW(wideName(from).c_str(), wideName(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
           != 0;
#else
    return std::rename(from.constData(), to.constData()) == 0;
#endif
}

bool moveIntoPlace(const QByteArray &staging, const QByteArray &target, const FileMove &move)
{
    for (int attempt = 1; !move(staging, target); ++attempt) {
        if (attempt == moveAttempts)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

void removeStagingFile(const QByteArray &staging)
{
#ifdef _WIN32
    _wremove(wideName(staging).c_str());
#else
    std::remove(staging.constData());
#endif
}
