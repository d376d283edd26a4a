#include "examstore.h"

#include <QTextCodec>

int choose_count;
int unchoose_count;
double question_score[maxQuestions + 1];
char question_text[maxQuestions + 1][maxTextBytes + 1];
char choose_answer[maxChoiceQuestions + 1];
QString unchoose_answer[maxTextQuestions + 1];
int choose_cursor;
int unchoose_cursor;
char exam_path[maxPathBytes + 1];
char answer_path[maxPathBytes + 1];

QString questionText(int row)
{
    return QTextCodec::codecForName("UTF-8")->toUnicode(question_text[row]);
}
