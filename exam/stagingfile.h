#ifndef STAGINGFILE_H
#define STAGINGFILE_H

#include <QByteArray>

#include <functional>

// Opens standard output, for writing in text mode, on a new file in folder
// (given with its trailing separator) named ".<token>.tmp", the token in 8
// hexadecimal digits: a short name, so that it still fits beside an answer
// file whose path is near the longest that Windows takes. Tokens come from
// nextToken until one names no file, at most stagingAttempts of them: a name
// that is taken, by a file, a folder or a link, is passed over and never
// written through. Returns the new file's path, or an empty one when no new
// file could be made.
QByteArray openStagingFile(const QByteArray &folder, const std::function<quint32()> &nextToken);

constexpr int stagingAttempts = 16;

// A token nobody can guess: 32 bits from the system's random source.
quint32 unguessableToken();

// Puts the file from in place of the file to in one step, whatever stood
// there; false when the system refuses.
using FileMove = std::function<bool(const QByteArray &from, const QByteArray &to)>;
bool moveFileOver(const QByteArray &from, const QByteArray &to);

// Moves a finished staging file over target with move. A program that holds
// the target open for a moment (a scanner, an indexer) makes the move fail
// meanwhile: it is tried moveAttempts times within half a second.
bool moveIntoPlace(const QByteArray &staging, const QByteArray &target, const FileMove &move);

constexpr int moveAttempts = 5;

// Removes a staging file that was not moved into place, by the name it was
// made with.
void removeStagingFile(const QByteArray &staging);

#endif // STAGINGFILE_H
