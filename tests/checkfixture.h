#ifndef CHECKFIXTURE_H
#define CHECKFIXTURE_H

// What the checker's tests share: exam files written into a folder of
// their own, and the checker run as tavik-check runs it.

#include "checkrun.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs the checker as tavik-check does; its exit status, with what it wrote.
inline int run(const QStringList &arguments, QByteArray *out = nullptr, QByteArray *err = nullptr,
               CheckerSetting setting = CheckerSetting())
{
    QBuffer written;
    QBuffer errors;
    written.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    const int status = runChecker(arguments, written, errors, setting);
    if (out)
        *out = written.data();
    if (err)
        *err = errors.data();
    return status;
}

// A folder of exam files.
class ExamFolder
{
public:
    bool isValid() const { return m_dir.isValid(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString path() const { return m_dir.path(); }

    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("exam.txt")) const
    {
        const QString path = m_dir.filePath(name);
        if (!writeFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private:
    QTemporaryDir m_dir;
};

#endif // CHECKFIXTURE_H
