#include "controls/TMemoNorva.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace controls {

TMemoNorva::TMemoNorva(QWidget* parent) : QPlainTextEdit(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &TMemoNorva::keepWithinVisibleLines);
}

void TMemoNorva::MemoEnter() {
    m_wantReturns = true;
}

int TMemoNorva::lineCount() const {
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        lines += layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
    }
    return lines;
}

int TMemoNorva::visibleLines() const {
    const int spacing = fontMetrics().lineSpacing();
    const int height = viewport()->height() - 2 * int(document()->documentMargin());
    return spacing > 0 ? qMax(1, height / spacing) : 1;
}

void TMemoNorva::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    MemoEnter();
}

void TMemoNorva::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !m_wantReturns) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemoNorva::keepWithinVisibleLines() {
    if (m_restoring)
        return;
    if (isVisible() && lineCount() > visibleLines()) {
        // What does not fit is not taken: the text goes back to what it was.
        m_restoring = true;
        setPlainText(m_lastText);
        QTextCursor cursor = textCursor();
        cursor.setPosition(qMin(m_lastPosition, int(m_lastText.size())));
        setTextCursor(cursor);
        m_restoring = false;
        return;
    }
    m_lastText = toPlainText();
    m_lastPosition = textCursor().position();
}

} // namespace controls
