#include "memory/consume_math.h"

#include "core/digits_to_int.h"
#include "memory/consumed_blocks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t kMaxConsumption = ConsumedBlocks::kMaxConsumption;

std::int64_t rounded(double value) {
    constexpr double limit = 9.0e18;
    return static_cast<std::int64_t>(std::clamp(std::nearbyint(value), -limit, limit));
}

std::int64_t saturatingProduct(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return std::numeric_limits<std::int64_t>::max();
    return product;
}

} // namespace

std::int64_t safetyCapBytes(const QString& capText) {
    if (capText.isEmpty() || capText.contains(QLatin1Char('-')))
        return kMebibyte;
    return std::int64_t(DigitsToInt(capText)) * kMebibyte;
}

std::int64_t consumeAmount(std::int64_t available, std::int64_t cap, std::int64_t consumeTarget) {
    std::int64_t amount = std::max<std::int64_t>(available - cap, 0);
    if (consumeTarget >= 0 && consumeTarget < amount)
        amount = consumeTarget;
    return std::min(amount, kMaxConsumption);
}

std::int64_t freeAmount(std::int64_t available, std::int64_t consumeTarget) {
    std::int64_t x = available;
    if (consumeTarget >= 0 && x - kMebibyte > consumeTarget)
        x = consumeTarget;
    return std::min(x, kMaxConsumption);
}

bool rewriteAllowed(std::int64_t available, std::int64_t cap, std::int64_t consumeTarget) {
    return consumeTarget > 0 && available - cap > consumeTarget;
}

std::optional<std::int64_t> manualTarget(const QString& first, const QString& second, const QString& third) {
    if (first.isEmpty() || second.isEmpty() || third.isEmpty())
        return std::nullopt;
    const std::int64_t a = DigitsToInt(first);
    const std::int64_t b = DigitsToInt(second);
    const std::int64_t c = DigitsToInt(third);
    return saturatingProduct(saturatingProduct(a, b), c);
}

std::optional<std::int32_t> extraMegaBytes(const QString& text) {
    if (text.isEmpty() || text == QLatin1String("-"))
        return std::nullopt;
    const std::int32_t size = DigitsToInt(text);
    const bool negative = text.trimmed().startsWith(QLatin1Char('-'));
    return negative ? -size : size;
}

std::optional<std::int32_t> extraMegaBytesReset(const QString& text, std::int64_t total) {
    const std::optional<std::int32_t> value = extraMegaBytes(text);
    if (!value)
        return std::nullopt;
    const std::int64_t size = std::abs(std::int64_t(*value)) * kMebibyte;
    if (size <= total - kMebibyte)
        return std::nullopt;
    // With less than a mebibyte of memory known (or none, when it can not be read) the bound is 0,
    // so the reset settles instead of flipping between two values forever.
    const std::int32_t bound = std::max<std::int32_t>(0, roundedMebibytes(total) - 1);
    return *value < 0 ? -bound : bound;
}

std::int64_t quickConsumeTarget(QuickChoice choice, const QuickConsumeInput& in) {
    const std::int64_t others = in.total - in.available - in.held;
    switch (choice) {
    case QuickChoice::OneThirdRemainsFree:
        return rounded(double(in.total) * 2.0 / 3.0) - others;
    case QuickChoice::HalfRemainsFree:
        return rounded(double(in.total) / 2.0) - others;
    case QuickChoice::ThirdOfFree:
        return rounded(double(in.available) / 3.0) + in.held;
    case QuickChoice::HalfOfFree:
        return rounded(double(in.available) / 2.0) + in.held;
    case QuickChoice::ExtraMegaBytes: {
        const std::optional<std::int32_t> extra = extraMegaBytes(in.extraText);
        if (!extra)
            return 0;
        return in.consumeTarget + std::int64_t(*extra) * kMebibyte;
    }
    case QuickChoice::None:
        break;
    }
    return 0;
}

std::int64_t optimizeAmount(std::int64_t available, const QString& capText) {
    if (capText.isEmpty())
        return available;
    return available - std::int64_t(DigitsToInt(capText)) * kMebibyte;
}

QString shortfallWarning(std::int64_t shortfall) {
    const QString lineBreak = QStringLiteral("\n\r");
    return QString::number(rounded(double(shortfall) / 1024 / 1024)) +
           QStringLiteral(" Mega Bytes could not be consumed.") + lineBreak +
           QStringLiteral("This may be the result of:") + lineBreak + QStringLiteral("- not enough memory space or") +
           lineBreak + QStringLiteral("- too corrupted memory.");
}

std::int32_t roundedMebibytes(std::int64_t bytes) {
    const double value = std::nearbyint(double(bytes) / 1024 / 1024);
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, low, high));
}
