#ifndef STAGINGFILE_H
#define STAGINGFILE_H

#include <QByteArray>

#include <functional>

// Opens standard output, for writing in text mode, on a new file in folder
// (given with its trailing separator) named ".<name>.<token>.tmp", the token
// in 16 hexadecimal digits. Tokens come from nextToken until one names no
// file, at most stagingAttempts of them: a name that is taken, by a file, a
// folder or a link, is passed over and never written through. Returns the
// new file's path, or an empty one when no new file could be made.
QByteArray openStagingFile(const QByteArray &folder, const QByteArray &name,
                           const std::function<quint64()> &nextToken);

constexpr int stagingAttempts = 16;

// A token nobody can guess or use up: 64 bits from the system's random source.
quint64 unguessableToken();

#endif // STAGINGFILE_H
