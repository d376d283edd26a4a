#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

// Drives the real window as a student would: widgets found by object name,
// buttons clicked, text typed, and the modal file dialogs answered from a
// timer while they run their own event loop.

#include "tavik.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

template <typename T = QWidget>
inline T *widget(const tavik &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

// Brings a page of the window to the front, as the student does by its tab.
inline void openPage(const tavik &window, const char *page)
{
    widget<QTabWidget>(window, "tabWidget")->setCurrentWidget(widget(window, page));
}

inline void click(const tavik &window, const char *button)
{
    QTest::mouseClick(widget<QPushButton>(window, button), Qt::LeftButton);
}

// Clicks on an option's round indicator: a radio button laid out wider than
// its caption does not take clicks beside the caption.
inline void clickOption(const tavik &window, const char *option)
{
    auto *radio = widget<QRadioButton>(window, option);
    const int indicator = radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier,
                      QPoint(indicator / 2, radio->height() / 2));
}

// Types text into target: ASCII on the keys, everything else committed
// through the input method, as a student's Chinese input method does.
inline void typeText(QWidget *target, const QString &text)
{
    for (const QChar character : text) {
        if (character == QLatin1Char('\n')) {
            QTest::keyClick(target, Qt::Key_Return);
        } else if (character.unicode() < 0x80) {
            QTest::keyClick(target, character.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(character);
            QApplication::sendEvent(target, &commit);
        }
    }
}

inline void type(QTextEdit *editor, const QString &text)
{
    editor->clear();
    typeText(editor, text);
}

// Letters of the checked options of the choice tab.
inline QString checkedOptions(const tavik &window)
{
    QString letters;
    for (char letter = 'A'; letter <= 'G'; ++letter) {
        const QByteArray name = QByteArray("choose") + letter;
        if (widget<QRadioButton>(window, name.constData())->isChecked())
            letters += QLatin1Char(letter);
    }
    return letters;
}

// Answers the next modal file dialog as the student meets it: open, active,
// the keyboard focus in its file name field. Answering any earlier races the
// dialog's activation, and the focused field then ignores selectFile().
// Every wait is bounded: a dialog that does not become active, or that the
// answer leaves open, is rejected, and so is any further modal box the answer
// raises, so the click returns and the test fails instead of stalling.
class DialogAnswer
{
public:
    explicit DialogAnswer(std::function<void(QFileDialog *)> answer)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_poll.stop();
            m_found = true;
            m_stray.start();
            if (QTest::qWaitForWindowActive(dialog, boundMs)) {
                answer(dialog);
                m_closed = !dialog->isVisible();
            }
            m_stray.stop();
            if (dialog->isVisible())
                dialog->reject();
        });
        m_stray.setInterval(boundMs);
        QObject::connect(&m_stray, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                box->reject();
        });
        m_poll.start();
    }

    // A dialog opened and the answer closed it.
    bool closedDialog() const { return m_found && m_closed; }

private:
    static constexpr int boundMs = 5000;
    QTimer m_poll;
    QTimer m_stray;
    bool m_found = false;
    bool m_closed = false;
};

// Types a path into the dialog's focused file name field and presses Enter.
inline void typePath(QFileDialog *dialog, const QString &path)
{
    auto *field = qobject_cast<QLineEdit *>(dialog->focusWidget());
    if (!field)
        return;
    field->setText(path);
    QTest::keyClick(field, Qt::Key_Return);
}

#endif // WINDOWDRIVER_H
