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

// The options of task name recognition, taken from the option controls at the moment of a call.
// The defaults are the controls' values at start.
struct RecognitionOptions {
    bool cleverProcessing = true;      // cleverProcessingCheck: enables the resemblance stage
    bool percentMode = false;          // tolerancePercentRadio selected; otherwise toleranceTotalRadio ("total")
    OptionNumber runLength = 6;        // smartToleranceSpin: characters in total mode, a percentage in percent mode
    bool lengthFilter = false;         // filterTextLengthCheck
    bool minimumLengthFilter = true;   // spareShortNamesCheck checked and shortNameLengthSpin's text not empty
    OptionNumber minimumLength = 3;    // shortNameLengthSpin
    bool changeByHandle = true;        // followWindowHandleCheck
    bool limitNameLength = false;      // limitNameLengthCheck
    OptionNumber nameLengthLimit = 32; // nameLengthLimitSpin

    bool operator==(const RecognitionOptions&) const = default;
};

// The handle argument of a lookup. It is wider than a window handle so that the marker below,
// which must reach the resemblance stage without ever matching a stored handle, lies outside the
// range of real handles.
using LookupHandle = std::uint64_t;
inline constexpr LookupHandle kNoHandleMarker = LookupHandle(1) << 32;
static_assert(sizeof(platform::WindowHandle) < sizeof(LookupHandle));
