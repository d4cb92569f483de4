#pragma once

#include <QPlainTextEdit>

namespace controls {

// The memo of the control set: Enter inserts a line break instead of reaching
// the window, Tab moves to the next field, and there is no vertical scrolling:
// typing stops at the last line that fits in the memo.
class TMemoNorva : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemoNorva(QWidget* parent = nullptr);

    // Kept with the control; nothing depends on it.
    int MaxLineas() const { return m_maxLineas; }
    void SetMaxLineas(int lines) { m_maxLineas = lines; }

    // The memo's enter handler: from now on Enter inserts a line break.
    void MemoEnter();

    // The lines of text the memo holds, wrapped lines counted, and the lines
    // that fit in it.
    int lineCount() const;
    int visibleLines() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void keepWithinVisibleLines();

    int m_maxLineas = 0;
    bool m_wantReturns = false;
    bool m_restoring = false;
    QString m_lastText;
    int m_lastPosition = 0;
};

} // namespace controls
