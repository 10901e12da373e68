#pragma once

#include "platform/torvane_error.h"
#include "platform/types.h"

#include <QString>
#include <cstdint>
#include <optional>

// A number read from an option control's text. When the text's digits are worth more than a
// 32-bit integer, the conversion error is kept and raised only where the number is used, so that a
// lookup which never needs the number is not abandoned because of it.
class OptionNumber {
public:
    constexpr OptionNumber() = default;
    constexpr OptionNumber(std::int32_t value) : m_value(value) {}

    // The number made of the text's digits (DigitsToInt), or the error that conversion raised.
    static OptionNumber fromText(const QString& text);
    static OptionNumber failed(const QString& error) {
        OptionNumber n;
        n.m_error = error;
        return n;
    }

    // Throws TorvaneError with the conversion's text when the control's text was not a number.
    std::int32_t value() const {
        if (m_error)
            throw TorvaneError(*m_error);
        return m_value;
    }
    bool isValid() const { return !m_error.has_value(); }
    bool operator==(const OptionNumber&) const = default;

private:
    std::int32_t m_value = 0;
    std::optional<QString> m_error;
};

// The options of task name recognition as a lookup uses them, made from RecognitionSettings at the
// moment of a call. The defaults are the values at start.
struct RecognitionOptions {
    bool cleverProcessing = true;      // enables the resemblance stage
    bool percentMode = false;          // the run length is a percentage of the name; otherwise characters ("total")
    OptionNumber runLength = 6;        // characters in total mode, a percentage in percent mode
    bool lengthFilter = false;         // names of very different length do not resemble
    bool minimumLengthFilter = true;   // short names are spared the length filter (needs a minimum length text)
    OptionNumber minimumLength = 3;    // how short a spared name is
    bool changeByHandle = true;        // a listed task follows its window when the title changes
    bool limitNameLength = false;      // names are cut to nameLengthLimit characters
    OptionNumber nameLengthLimit = 32; // the cut

    bool operator==(const RecognitionOptions&) const = default;
};

// The "Task Management Options" as the user set them; numbers are kept as typed. The defaults are
// the values at start.
struct RecognitionSettings {
    bool cleverProcessing = true;
    bool percentMode = false; // the tolerance is a percentage; otherwise characters in total
    QString toleranceText = QStringLiteral("6");
    bool lengthFilter = false;
    bool spareShortNames = true;
    QString shortNameLengthText = QStringLiteral("3");
    bool changeByHandle = true;
    bool limitNameLength = false;
    QString nameLengthLimitText = QStringLiteral("32");
    bool sortedLists = false; // the three lists keep their entries sorted by name
};

// The options a lookup uses now. Numbers go through DigitsToInt; a text that does not convert
// raises its error only where the number is used.
RecognitionOptions recognitionOptions(const RecognitionSettings& settings);

// The handle argument of a lookup. It is wider than a window handle so that the marker below,
// which must reach the resemblance stage without ever matching a stored handle, lies outside the
// range of real handles.
using LookupHandle = std::uint64_t;
inline constexpr LookupHandle kNoHandleMarker = LookupHandle(1) << 32;
static_assert(sizeof(platform::WindowHandle) < sizeof(LookupHandle));
