#pragma once

#include "memory/consume_math.h"

#include <QString>

// The options of "Optimize and free RAM" and of the consumption tools. Texts are read through their
// digits at the moment of use; the defaults are the controls' values at start.
struct MemoryOptions {
    bool periodicOptimize = false;                  // optimize and free every `optimizeInterval` minutes
    QString optimizeInterval = QStringLiteral("1"); // minutes between two periodic optimizations
    bool periodicRewrite = true;                    // rewrite what is consumed every `rewriteInterval` minutes
    QString rewriteInterval = QStringLiteral("1");  // minutes between two periodic rewrites
    // "GO" consumes the product of the three factors in bytes.
    QString consumeFirstFactor = QStringLiteral("1024");
    QString consumeSecondFactor = QStringLiteral("1024");
    QString consumeThirdFactor = QStringLiteral("1");
    QuickChoice quickChoice = QuickChoice::ExtraMegaBytes; // what a quick consume aims at
    QString extraMegabytes = QStringLiteral("0"); // MiB a quick consume adds to the current target; may be negative
    QString safetyCap = QStringLiteral("10");     // MiB of physical memory consumption always leaves free

    bool operator==(const MemoryOptions&) const = default;
};
