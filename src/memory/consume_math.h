#pragma once
// The arithmetic of the consumption tools, on figures and field texts read at the moment of use.

#include <QString>
#include <cstdint>
#include <optional>

constexpr std::int64_t kMebibyte = 1048576;

// The safety cap in bytes: 1 MiB for an empty text or one containing "-", else its digits in MiB.
std::int64_t safetyCapBytes(const QString& capText);

// What one consumption aims to hold: available minus the cap (not below 0), no more than a target
// of 0 or more, and at most 1 GiB.
std::int64_t consumeAmount(std::int64_t available, std::int64_t cap, std::int64_t consumeTarget);

// How much a release counts as freed: the available memory, or the target when that is smaller by
// more than 1 MiB, at most 1 GiB. The target is lowered by this after the release.
std::int64_t freeAmount(std::int64_t available, std::int64_t consumeTarget);

// "Rewrite" only runs while memory beyond the cap would still hold the whole target.
bool rewriteAllowed(std::int64_t available, std::int64_t cap, std::int64_t consumeTarget);

// The target of "GO": the product of the three factor fields, or nothing while one is empty. The
// product saturates instead of overflowing.
std::optional<std::int64_t> manualTarget(const QString& first, const QString& second, const QString& third);

// "Extra Mega Bytes:" as a signed number of MiB: nothing for an empty text or a lone "-"; a text
// whose first non-blank character is "-" counts negative, its digits give the size.
std::optional<std::int32_t> extraMegaBytes(const QString& text);

// The value "Extra Mega Bytes:" must be reset to when its size exceeds the physical memory less
// 1 MiB: Round(total / 1 MiB) − 1, with the field's sign; nothing when it is within bounds.
std::optional<std::int32_t> extraMegaBytesReset(const QString& text, std::int64_t total);

enum class QuickChoice {
    None,
    OneThirdRemainsFree, // "so as one third to remain free"
    HalfRemainsFree,     // "so as half to remain free"
    ThirdOfFree,         // "one third of current free"
    HalfOfFree,          // "half of current free"
    ExtraMegaBytes,      // "Extra Mega Bytes:"
};

struct QuickConsumeInput {
    std::int64_t total = 0;
    std::int64_t available = 0;
    std::int64_t held = 0; // bytes the tools hold now
    std::int64_t consumeTarget = 0;
    QString extraText; // the text of "Extra Mega Bytes:"
};

// The new target of a quick consume; 0 or less means free everything instead.
std::int64_t quickConsumeTarget(QuickChoice choice, const QuickConsumeInput& in);

// The memory "Optimize and free RAM" takes: available less the cap field in MiB (nothing less for
// an empty field).
std::int64_t optimizeAmount(std::int64_t available, const QString& capText);

// The "Warning" text for `shortfall` bytes that could not be consumed.
QString shortfallWarning(std::int64_t shortfall);

// Round(bytes / 1024 / 1024), limited to the 32-bit range.
std::int32_t roundedMebibytes(std::int64_t bytes);
