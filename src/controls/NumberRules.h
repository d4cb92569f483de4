#pragma once

#include "controls/TNorvaNumberObject.h"

#include <QChar>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace controls {

// Whether a number field shows a percent sign.
enum class TPorcent {
    Numero = 0,     // never: setting it removes a "%" from the text
    Porcentaje = 1, // always: the text ends in "%"
    Ambos = 2       // the sign may be typed or not
};

// What the text rules of a number field need to know of it. The separators
// come from core::Formats::current().
struct NumberField {
    TDato tipoDato = TDato::Reales;
    int decimales = 2;
    double minValor = 0;
    double maxValor = TNorvaNumberObject::DefaultMaxValor;
    TPorcent porcent = TPorcent::Numero;
    bool hideSeparator = false;

    static NumberField of(const TNorvaNumberObject& limits, TPorcent porcent, bool hideSeparator);
    // Decimals the field shows: none in a whole-number field.
    int shownDecimals() const { return tipoDato == TDato::Reales ? decimales : 0; }
};

// The text rules of the number field, apart from the widget.
namespace numberrules {

// Reads a whole text as a real number: an optional sign, digits and at most
// one decimal separator (the current one), blanks around it allowed; nothing
// else. A lone sign or separator does not read.
std::optional<double> readReal(const QString& text);

// The value of a field's text as the windows read it: every character but the
// signs, the digits and the decimal separator dropped, the rest read; 0 when it
// does not read.
double realValue(const QString& text);
// realValue rounded to the nearest whole number, halves away from zero.
qint64 wholeValue(const QString& text);

// A value shown in the field: `decimals` decimals, with thousands separators
// unless `hideSeparator`, no blanks. A value that cannot be printed shows as 0.
QString formatValue(double value, int decimals, bool hideSeparator);

// Showing a value (InitText): the formatted value, with "%" appended when the
// old text held one or the field always shows it.
QString shownText(double value, bool oldTextHadPercent, const NumberField& field);

// Entering the field: the text without thousands separators (every character
// but "%", "-", the digits and the decimal separator removed).
QString editingText(const QString& text);

// Typing: whether the character `c` may go into `text`, typed at
// `selectionStart` replacing `selectionLength` characters (0: inserted at the
// caret). The rules judge the text the key would produce.
bool acceptsKey(const QString& text, int selectionStart, int selectionLength, QChar c,
                const NumberField& field);

// After every change of the text: the "%" moved to the end, decimals beyond
// the field's cut, a value above the maximum replaced by the maximum. Returns
// the text unchanged when nothing applies.
QString changedText(const QString& text, const NumberField& field);

// Leaving the field: the value raised to the minimum and shown formatted; never
// empty. nullopt when the text does not read (the field then shows 0).
std::optional<QString> exitText(const QString& text, const NumberField& field);

// A paste: the clipboard text without thousands separators read as a number
// and kept within the limits; nullopt when it is not a number.
std::optional<double> pastedValue(const QString& clipboardText, const NumberField& field);

// The value the calculator hands to the field, kept within the limits.
double calculatorValue(double value, const NumberField& field);

} // namespace numberrules
} // namespace controls
