#pragma once

#include <QFrame>

class QLabel;

namespace controls {

// The small calculator that drops down from an amount field: digits, the
// decimal separator, the four operations, "=" and the button that hands the
// value to the field. Keys: digits, separator, + - * /, Enter (hands the value
// over), Backspace, Delete (clears) and Esc (closes without handing anything).
class Calculator : public QFrame {
    Q_OBJECT
public:
    explicit Calculator(QWidget* parent = nullptr);

    // Starts a new calculation from `value`.
    void setValue(double value);
    // The value on the display.
    double value() const;
    // Decimals of the results shown (the field's PopupDecimals).
    void setDecimals(int decimals);
    int decimals() const { return m_decimals; }

    // The calculator's buttons, by what they do.
    void pressDigit(int digit);
    void pressSeparator();
    void pressOperation(QChar operation); // '+', '-', '*', '/'
    void pressEquals();
    void pressClear();
    void pressBackspace();
    // The button that hands the value to the field: computes, emits
    // valueAccepted and closes.
    void pressAccept();

signals:
    void valueAccepted(double value);
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void compute();
    void showEntry();
    void showResult();

    QLabel* m_display;
    QString m_entry;          // what is being typed, with '.' as separator
    double m_accumulator = 0; // the result so far
    QChar m_pending;          // the operation waiting for its second operand
    bool m_newEntry = true;   // the next digit starts a new number
    int m_decimals = 2;
};

} // namespace controls
