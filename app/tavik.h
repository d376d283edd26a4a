#ifndef TAVIK_H
#define TAVIK_H

#include <QMainWindow>

class Ui_tavik;

// The one window of the program. It keeps no exam state: each slot works on
// the exam store and reaches its widgets through the form.
class tavik : public QMainWindow
{
    Q_OBJECT

public:
    explicit tavik(QWidget *parent = nullptr);
    ~tavik() override;

private slots:
    void on_input_choose_button_clicked();
    void on_input_button_clicked();
    void on_output_choose_button_clicked();
    void on_output_button_clicked();
    void on_choose_save_clicked();
    void on_choose_last_clicked();
    void on_choose_next_clicked();
    void on_unchoose_save_clicked();
    void on_unchoose_last_clicked();
    void on_unchoose_next_clicked();

private:
    Ui_tavik *ui;
};

#endif // TAVIK_H
