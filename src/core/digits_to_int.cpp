#include "core/digits_to_int.h"

#include "platform/torvane_error.h"

std::int32_t DigitsToInt(const QString& text) {
    QString digits;
    std::int64_t value = 0;
    bool any = false;
    bool overflow = false;
    for (QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            continue;
        digits.append(c);
        any = true;
        if (!overflow) {
            value = value * 10 + (c.unicode() - u'0');
            if (value > 2147483647)
                overflow = true;
        }
    }
    if (!any)
        return 0;
    if (overflow)
        throw TorvaneError(QStringLiteral("'%1' is not a valid integer value").arg(digits));
    return static_cast<std::int32_t>(value);
}
