#include "tasks/recognition_options.h"

#include "core/digits_to_int.h"

OptionNumber OptionNumber::fromText(const QString& text) {
    try {
        return OptionNumber(DigitsToInt(text));
    } catch (const TorvaneError& e) {
        return failed(e.text());
    }
}
