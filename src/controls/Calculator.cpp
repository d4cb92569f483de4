#include "controls/Calculator.h"

#include "core/Formats.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <cmath>

namespace controls {

namespace {
constexpr int MaxEntryDigits = 15;
}

Calculator::Calculator(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setObjectName(QStringLiteral("Calculator"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);

    m_display = new QLabel(this);
    m_display->setObjectName(QStringLiteral("CalculatorDisplay"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameShape(QFrame::Box);
    m_display->setMinimumWidth(150);
    m_display->setMinimumHeight(20);
    m_display->setAutoFillBackground(true);
    QPalette palette = m_display->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_display->setPalette(palette);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    grid->addWidget(m_display, 0, 0, 1, 4);

    const auto button = [this, grid](const QString& text, int row, int column, auto action,
                                     int columns = 1) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(34, 22);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(b, &QToolButton::clicked, this, action);
        grid->addWidget(b, row, column, 1, columns);
    };
    button(QStringLiteral("C"), 1, 0, [this] { pressClear(); });
    button(QStringLiteral("\u2190"), 1, 1, [this] { pressBackspace(); });
    button(QStringLiteral("\u00f7"), 1, 2, [this] { pressOperation(QLatin1Char('/')); });
    button(QStringLiteral("\u00d7"), 1, 3, [this] { pressOperation(QLatin1Char('*')); });
    const int digitRows[10] = {5, 4, 4, 4, 3, 3, 3, 2, 2, 2};
    const int digitColumns[10] = {0, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    for (int d = 0; d <= 9; ++d)
        button(
            QString::number(d), digitRows[d], digitColumns[d], [this, d] { pressDigit(d); },
            d == 0 ? 2 : 1);
    button(QString(core::Formats::current().decimalSeparator), 5, 2, [this] { pressSeparator(); });
    button(QStringLiteral("-"), 2, 3, [this] { pressOperation(QLatin1Char('-')); });
    button(QStringLiteral("+"), 3, 3, [this] { pressOperation(QLatin1Char('+')); });
    button(QStringLiteral("="), 4, 3, [this] { pressEquals(); });
    button(QStringLiteral("Aceptar"), 5, 3, [this] { pressAccept(); });
    setValue(0);
}

void Calculator::setValue(double value) {
    m_accumulator = std::isfinite(value) ? value : 0;
    m_pending = QChar();
    m_entry.clear();
    m_newEntry = true;
    showResult();
}

double Calculator::value() const {
    if (!m_newEntry && !m_entry.isEmpty())
        return m_entry.toDouble();
    return m_accumulator;
}

void Calculator::setDecimals(int decimals) {
    m_decimals = qBound(0, decimals, 10);
    if (m_newEntry)
        showResult();
}

void Calculator::pressDigit(int digit) {
    if (m_newEntry) {
        m_entry.clear();
        m_newEntry = false;
    }
    int digits = 0;
    for (QChar c : m_entry)
        digits += c.isDigit() ? 1 : 0;
    if (digits >= MaxEntryDigits)
        return;
    if (m_entry == QLatin1String("0"))
        m_entry.clear();
    m_entry += QChar(QLatin1Char('0' + digit));
    showEntry();
}

void Calculator::pressSeparator() {
    if (m_newEntry) {
        m_entry = QStringLiteral("0");
        m_newEntry = false;
    }
    if (!m_entry.contains(QLatin1Char('.'))) {
        if (m_entry.isEmpty())
            m_entry = QStringLiteral("0");
        m_entry += QLatin1Char('.');
    }
    showEntry();
}

void Calculator::compute() {
    if (m_newEntry)
        return;
    const double operand = m_entry.isEmpty() ? 0 : m_entry.toDouble();
    double result = operand;
    switch (m_pending.unicode()) {
    case '+':
        result = m_accumulator + operand;
        break;
    case '-':
        result = m_accumulator - operand;
        break;
    case '*':
        result = m_accumulator * operand;
        break;
    case '/':
        // Nothing divides by zero: the result stays.
        result = operand == 0 ? m_accumulator : m_accumulator / operand;
        break;
    default:
        break;
    }
    m_accumulator = std::isfinite(result) ? result : 0;
    m_newEntry = true;
}

void Calculator::pressOperation(QChar operation) {
    compute();
    m_pending = operation;
    showResult();
}

void Calculator::pressEquals() {
    compute();
    m_pending = QChar();
    showResult();
}

void Calculator::pressClear() {
    setValue(0);
}

void Calculator::pressBackspace() {
    if (m_newEntry)
        return;
    m_entry.chop(1);
    showEntry();
}

void Calculator::pressAccept() {
    pressEquals();
    emit valueAccepted(value());
    hide();
}

void Calculator::showEntry() {
    QString text = m_entry.isEmpty() ? QStringLiteral("0") : m_entry;
    text.replace(QLatin1Char('.'), core::Formats::current().decimalSeparator);
    m_display->setText(text);
}

void Calculator::showResult() {
    m_display->setText(core::formatNumber(m_accumulator, 0, m_decimals)
                           .remove(core::Formats::current().thousandSeparator));
}

void Calculator::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const QChar c = text.isEmpty() ? QChar() : text.at(0);
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressAccept();
        return;
    case Qt::Key_Backspace:
        pressBackspace();
        return;
    case Qt::Key_Delete:
        pressClear();
        return;
    default:
        break;
    }
    if (c.isDigit()) {
        pressDigit(c.digitValue());
    } else if (c == core::Formats::current().decimalSeparator || c == QLatin1Char('.') ||
               c == QLatin1Char(',')) {
        pressSeparator();
    } else if (QStringLiteral("+-*/").contains(c)) {
        pressOperation(c);
    } else if (c == QLatin1Char('=')) {
        pressEquals();
    } else {
        QFrame::keyPressEvent(event);
    }
}

void Calculator::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    emit closed();
}

} // namespace controls
