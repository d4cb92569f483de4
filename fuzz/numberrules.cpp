// The number edit's rules under any key, text and field: typing as the edit
// does it (a key accepted goes in at the caret or over the selection, then the
// change rule runs), leaving, pasting and reading.

#include "controls/NumberRules.h"
#include "FuzzInput.h"

#include <cstdlib>

using namespace controls;

namespace {

NumberField field(fuzz::Input& in) {
    NumberField f;
    const uint8_t b = in.byte();
    f.tipoDato = (b & 1) ? TDato::Reales : TDato::Entero;
    f.porcent = TPorcent(((b >> 1) & 3) % 3);
    f.hideSeparator = (b >> 3) & 1;
    f.decimales = in.upTo(6);
    static const double Limits[] = {0, 1, -1, 100, -100000, 9999999999999.99, 1e300, -1e300};
    f.minValor = Limits[in.byte() % 8];
    f.maxValor = Limits[in.byte() % 8];
    if (f.maxValor < f.minValor)
        std::swap(f.minValor, f.maxValor);
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    core::Formats::setCurrent(in.formats());
    const NumberField f = field(in);

    QString text = in.text(8);
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const int start = in.upTo(int(text.size()));
        const int length = in.upTo(int(text.size()) - start);
        const QChar c = in.character();
        if (numberrules::acceptsKey(text, start, length, c, f)) {
            text.replace(start, length, c == QLatin1Char('\b') ? QString() : QString(c));
            text = numberrules::changedText(text, f);
        }
        if (in.byte() % 8 == 0)
            text = numberrules::editingText(text);
    }
    const std::optional<QString> left = numberrules::exitText(text, f);
    if (left && left->isEmpty())
        std::abort(); // leaving never empties the field

    const QString pasted = in.rest();
    numberrules::readReal(pasted);
    numberrules::wholeValue(pasted);
    if (const std::optional<double> v = numberrules::pastedValue(pasted, f))
        numberrules::shownText(*v, pasted.contains(QLatin1Char('%')), f);
    const double value = numberrules::realValue(text);
    numberrules::shownText(numberrules::calculatorValue(value, f), false, f);
    numberrules::formatValue(value, f.shownDecimals(), f.hideSeparator);
    return 0;
}
