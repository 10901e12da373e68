#pragma once

#include <QString>
#include <cstdint>

// The number made of the decimal digits of a text, every other character dropped; 0 without
// digits. Throws TorvaneError when the digits are worth more than 2147483647.
std::int32_t DigitsToInt(const QString& text);
