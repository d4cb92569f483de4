// The date edit's rules under any keys and texts: typing as the edit does it
// (the key action applied at the caret), reading what was typed, leaving
// with any limits, pasting.

#include "controls/DateRules.h"
#include "FuzzInput.h"

#include <cstdlib>

using namespace controls;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    core::Formats::setCurrent(in.formats());
    const QDate today(2000 + in.upTo(120), 1 + in.upTo(11), 1 + in.upTo(27));

    QString text = in.text(12);
    int cursor = in.upTo(int(text.size()));
    for (int step = 0; step < 32 && !in.empty(); ++step) {
        const bool selection = in.byte() & 1;
        const QChar c = in.character();
        const daterules::KeyAction a = daterules::typedKey(text, cursor, selection, c);
        switch (a.kind) {
        case daterules::KeyAction::Drop:
            break;
        case daterules::KeyAction::Replace:
            text = a.text;
            cursor = int(text.size());
            break;
        case daterules::KeyAction::Pass:
            if (selection) {
                text.clear();
                cursor = 0;
            }
            if (c == QLatin1Char('\b')) {
                if (cursor > 0)
                    text.remove(--cursor, 1);
            } else {
                text.insert(cursor++, c);
            }
            break;
        }
        if (cursor > text.size())
            std::abort(); // the caret stays inside the text
    }

    if (const std::optional<QDate> d = daterules::readDate(text, today); d && !d->isValid())
        std::abort(); // a date read is a date
    const QString shown = daterules::interpretedText(text, today);

    TNorvaDateObject limits;
    limits.SetMinFecha(in.text(10));
    limits.SetMaxFecha(in.text(10));
    limits.SetActFecha(shown);
    const QString left = daterules::exitText(shown, limits, in.byte() & 1);
    // What leaving gives is a short date or nothing.
    if (!left.isEmpty() && !core::parseShortDate(left))
        std::abort();

    daterules::pastedDate(in.rest());
    return 0;
}
