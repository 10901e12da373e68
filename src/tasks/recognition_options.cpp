#include "tasks/recognition_options.h"

#include "core/digits_to_int.h"

OptionNumber OptionNumber::fromText(const QString& text) {
    try {
        return OptionNumber(DigitsToInt(text));
    } catch (const TorvaneError& e) {
        return failed(e.text());
    }
}

RecognitionOptions recognitionOptions(const RecognitionSettings& settings) {
    RecognitionOptions o;
    o.cleverProcessing = settings.cleverProcessing;
    o.percentMode = settings.percentMode;
    o.runLength = OptionNumber::fromText(settings.toleranceText);
    o.lengthFilter = settings.lengthFilter;
    o.minimumLengthFilter = settings.spareShortNames && !settings.shortNameLengthText.isEmpty();
    o.minimumLength = OptionNumber::fromText(settings.shortNameLengthText);
    o.changeByHandle = settings.changeByHandle;
    o.limitNameLength = settings.limitNameLength;
    o.nameLengthLimit = OptionNumber::fromText(settings.nameLengthLimitText);
    return o;
}
