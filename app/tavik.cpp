#include "tavik.h"
#include "ui_tavik.h"

#include "answerexport.h"
#include "choicetab.h"
#include "examloader.h"
#include "examstore.h"
#include "localencoding.h"
#include "texttab.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

ChoiceTab choiceTab(const Ui_tavik *ui)
{
    return {ui->choose_out, ui->choose_now, ui->choose_score,
            {ui->chooseA, ui->chooseB, ui->chooseC, ui->chooseD,
             ui->chooseE, ui->chooseF, ui->chooseG}};
}

TextTab textTab(const Ui_tavik *ui)
{
    return {ui->unchoose_out, ui->unchoose_now, ui->unchoose_score, ui->unchoose_in};
}

// Where both file dialogs open. On a machine without /home the dialog would
// put "home" into its name field, and accepting would then fail with "not
// found": there it opens where Qt would by itself.
QString dialogStart()
{
    const QString home = QStringLiteral("/home");
    return QFileInfo(home).isDir() ? home : QString();
}

} // namespace

tavik::tavik(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui_tavik)
{
    ui->setupUi(this);
}

tavik::~tavik()
{
    delete ui;
}

void tavik::on_input_choose_button_clicked()
{
    ui->input_edit->setText(
        QFileDialog::getOpenFileName(this, tr("选择试题文件"), dialogStart()));
}

void tavik::on_input_button_clicked()
{
    // A path the local encoding cannot hold would name another file.
    const std::optional<QByteArray> path = toLocalExactly(ui->input_edit->text());
    if (!path || !loadExam(*path))
        return;
    ui->choose_number_out->display(choose_count);
    ui->unchoose_number_out->display(unchoose_count);
    ui->choose_total->display(choose_count);
    ui->unchoose_total->display(unchoose_count);
    showChoiceQuestion(choiceTab(ui));
    showTextQuestion(textTab(ui));
}

void tavik::on_output_choose_button_clicked()
{
    ui->output_edit->setText(QFileDialog::getExistingDirectory(
        this, tr("选择学生答案文件夹"), dialogStart(), QFileDialog::ShowDirsOnly));
}

void tavik::on_output_button_clicked()
{
    exportAnswers(ui->output_edit->text(), ui->student_edit->text());
}

void tavik::on_choose_save_clicked()
{
    saveChoice(choiceTab(ui));
}

void tavik::on_choose_last_clicked()
{
    previousChoice(choiceTab(ui));
}

void tavik::on_choose_next_clicked()
{
    nextChoice(choiceTab(ui));
}

void tavik::on_unchoose_save_clicked()
{
    saveText(textTab(ui));
}

void tavik::on_unchoose_last_clicked()
{
    previousText(textTab(ui));
}

void tavik::on_unchoose_next_clicked()
{
    nextText(textTab(ui));
}
