#include "answerexport.h"

#include "examstore.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

// A text is used up to its first zero character, as its bytes would be.
QString upToNul(const QString &text)
{
    const int nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

// The number of characters at the start of text whose local 8-bit form
// takes at most limit bytes, never ending between the two halves of a
// surrogate pair. The cut is made on characters because the local encoding
// need not be UTF-8: a byte-wise cut could split any multi-byte character.
int fittingLength(const QString &text, int limit)
{
    if (text.toLocal8Bit().size() <= limit)
        return text.size();
    // The encoded length grows with the prefix: search for the longest
    // prefix that fits. left(fits) fits, left(tooLong) does not.
    int fits = 0;
    int tooLong = text.size();
    while (tooLong - fits > 1) {
        const int middle = fits + (tooLong - fits) / 2;
        if (text.left(middle).toLocal8Bit().size() <= limit)
            fits = middle;
        else
            tooLong = middle;
    }
    if (fits > 0 && text.at(fits - 1).isHighSurrogate() && text.at(fits).isLowSurrogate())
        --fits;
    return fits;
}

QByteArray localPrefix(const QString &text, int limit)
{
    return text.left(fittingLength(text, limit)).toLocal8Bit();
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
        const QByteArray answer = upToNul(unchoose_answer[k]).toLocal8Bit();
        std::fputc('@', stdout);
        std::fwrite(answer.constData(), 1, std::size_t(answer.size()), stdout);
        std::fputc('$', stdout);
    }
}

} // namespace

QByteArray answerPath(const QString &folder, const QString &student)
{
    const QString folderText = upToNul(folder);
    const QString kept = folderText.left(fittingLength(folderText, maxPathBytes));
    QByteArray path = kept.toLocal8Bit();
    // A folder that already ends in a slash or a backslash gets no second
    // separator. That is judged on the last character, not the last byte:
    // in a double-byte encoding such as GBK the second byte of a character
    // can be 0x5C, and the file would then land beside the folder.
    if (kept.isEmpty() || (!kept.endsWith(QLatin1Char('/')) && !kept.endsWith(QLatin1Char('\\'))))
        path += '/';
    // A folder of the greatest length leaves room for no separator.
    if (path.size() > maxPathBytes)
        path.chop(1);
    const QString name = upToNul(student);
    path += localPrefix(name.left(fittingLength(name, maxStudentBytes)),
                        maxPathBytes - path.size());
    return path;
}

bool exportAnswers(const QString &folder, const QString &student)
{
    const QByteArray path = answerPath(folder, student);
    std::memcpy(answer_path, path.constData(), std::size_t(path.size()) + 1);

    if (!std::freopen(answer_path, "w", stdout))
        return false;
    // An earlier export that failed must not leave its error on the stream.
    std::clearerr(stdout);
    // Room for a whole answer, so that the flushes before each answer are
    // the only writes rather than one more every 4 KiB.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    writeAnswers();
    const bool written = !std::ferror(stdout);
    return std::fclose(stdout) == 0 && written;
}
