#include "encodingfindings.h"

#include "examfindings.h"

#include <algorithm>

QVector<Diagnostic> encodingFindings(const ExamFindings &findings)
{
    QVector<Diagnostic> found;
    int count = 0;
    bool gbk = true;
    FilePosition first;
    for (const QuestionFindings &question : findings.questions) {
        if (question.nonUtf8.count == 0)
            continue;
        if (count == 0)
            first = question.nonUtf8At;
        count += question.nonUtf8.count;
        gbk = gbk && question.nonUtf8.readsAsGbk;
    }
    if (count > 0) {
        found << warning("not-utf8", first,
                         gbk ? CheckText::tr("the file is saved as GBK (ANSI), not as UTF-8: the "
                                             "students see rows of \uFFFD in place of its Chinese "
                                             "text (%1 bytes, the first here). Save it as UTF-8: in "
                                             "Notepad, File, Save As, Encoding UTF-8")
                                   .arg(count)
                             : CheckText::tr("bytes of the texts not in UTF-8: %1, the first here: "
                                             "the students see \uFFFD for each. Save the file as "
                                             "UTF-8")
                                   .arg(count));
    }
    const ExamSource &source = findings.source;
    const int questions = findings.questions.size();
    if (source.controlZ() >= 0 && questions > 0
        && source.controlZ() < source.offset(findings.load.blockEnd[questions])) {
        found << warning("control-z", source.position(source.controlZ()),
                         CheckText::tr("a byte 0x1A (Ctrl+Z): on Windows the students' program "
                                       "reads the file only up to here, and does not load it"));
    }
    return found;
}

bool looksLikeUtf16(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    const int start = std::min(int(bytes.size()), 64);
    const int zeros = int(std::count(bytes.begin(), bytes.begin() + start, '\0'));
    return start >= 2 && zeros * 4 >= start;
}
