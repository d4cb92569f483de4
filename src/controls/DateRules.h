#pragma once

#include "controls/TNorvaDateObject.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

namespace controls {

// The text rules of the date field, apart from the widget. Dates are typed
// and shown as "dd", separator, "MM", separator, "yyyy" with the current
// separator of core::Formats.
namespace daterules {

// What a typed key does to the text.
struct KeyAction {
    enum Kind {
        Drop,   // the key is refused
        Pass,   // the key goes in as usual
        Replace // the text becomes `text`, caret at its end
    };
    Kind kind = Pass;
    QString text;
};

// Typing `c` into `text` with the caret at `cursor` and, when `hasSelection`,
// part of the text selected. Only digits, the separator and Backspace go in;
// a full field takes a digit only over a selection (which empties it first);
// a digit typed at the end after a complete day or month gets the separator
// put before it.
KeyAction typedKey(const QString& text, int cursor, bool hasSelection, QChar c);

// Reads what was typed as a date, filling what is missing from `today`: a day
// alone, day and month, or day, month and year, with separators or as digits
// only ("31", "3112", "311224", "31122024"). Two-digit years fall in 2000 to
// 2099. nullopt for an empty text or one that is not a date.
std::optional<QDate> readDate(const QString& text, const QDate& today);

// The text shown when the field is left, before its own exit rule: typed input
// that reads as a date becomes the full short date; anything else stays.
QString interpretedText(const QString& text, const QDate& today);

// Leaving the field: a text that is not a short date is emptied; an empty one
// stays so with `allowBlank`; a date before the minimum (an empty field counts
// as the date zero) becomes the minimum and one after the maximum the maximum.
QString exitText(const QString& text, const TNorvaDateObject& limits, bool allowBlank);

// A paste: the clipboard text as a short date, or nullopt when it is not a
// whole date (day, month and year; a two-digit year falls in 2000 to 2099).
std::optional<QString> pastedDate(const QString& clipboardText);

} // namespace daterules
} // namespace controls
