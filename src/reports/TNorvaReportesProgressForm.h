#pragma once

#include "shell/TEForm.h"

class QLabel;
class QProgressBar;

namespace reports {

// The small window that shows, while a report is laid out, how many rows have
// been read, and lets the user cancel: Escape or a click on it asks the cancel
// question. The user cannot close it; the program frees it.
//
// The report's row events call StepProgress after every row; that is where
// the window takes the key presses and clicks addressed to it (the other
// windows take no input while a report runs).
class TNorvaReportesProgressForm : public shell::TEForm {
    Q_OBJECT
public:
    static constexpr int MinWidth = 457;
    static constexpr int MaxWidth = 798;
    static constexpr int SingleBarHeight = 47;
    static constexpr int DoubleBarHeight = 100;

    explicit TNorvaReportesProgressForm(QWidget* parent = nullptr);
    ~TNorvaReportesProgressForm() override;

    QProgressBar* ProgressBar1;
    QLabel* LabelCaption;
    QProgressBar* ProgressBar2;
    QLabel* LabelCaption2;

    // The text shown before the count (up to 30 characters).
    QString ProgressText() const { return m_progressText; }
    // The question asked on cancel.
    QString CancelQuestion() const { return m_cancelQuestion; }
    // "n%" instead of "n/max".
    bool PercentMode() const { return m_percentMode; }
    // Only the first bar and label: 47 pixels high instead of 100.
    bool SingleBar() const { return m_singleBar; }
    void SetSingleBar(bool single);
    // The user has confirmed cancelling.
    bool Cancelled() const { return m_cancelled; }
    int Position() const { return m_position; }
    int Step() const { return m_step; } // what one step of the bar is

    // Bar range first..last, position 0, not cancelled. An empty question
    // gives "Cancelar la impresión ?"; an empty text hides the label.
    void StartProgress(int first, int last, bool percentMode, const QString& text,
                       const QString& cancelQuestion, int step);
    // Takes the Escape key and clicks addressed to the window since the last
    // step: after one, the window hides and asks the cancel question; "Sí"
    // cancels (false, the window stays hidden), "No" shows it again. Then the
    // bar advances by `amount` and the label follows. False once cancelled.
    bool StepProgress(int amount);

signals:
    // At every step, before the window takes its input (position so far).
    void Stepping(int position);

protected:
    bool FormKeyDown(QKeyEvent* event) override;
    bool FormCloseQuery() override { return false; }
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showCaption();
    void takeInput();

    QString m_progressText;
    QString m_cancelQuestion;
    bool m_percentMode = false;
    bool m_singleBar = false;
    bool m_cancelled = false;
    bool m_cancelAsked = false;
    int m_position = 0;
    int m_last = 100;
    int m_step = 1;
};

} // namespace reports
