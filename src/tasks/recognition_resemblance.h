#pragma once

#include "tasks/recognition_options.h"
#include "tasks/recognition_runs.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The resemblance test of one looked-up name against any number of titles. Both modes come down
// to "the longest common run of the two texts reaches a threshold" (containment, in total mode,
// is a common run as long as the shorter text), so the name's automaton is built once and each
// title costs one pass.
class NameResemblance {
public:
    // Reads the options' numbers as the test itself would: the minimum length only when its
    // filter is on. Throws the controls' conversion errors.
    NameResemblance(QStringView name, bool percentMode, std::int64_t amount, const RecognitionOptions& options);

    bool resembles(QStringView title) const;
    // The shortest common run a title of this length must share with the name to resemble it; 0
    // when no title of this length can (a length filter rules it out, or one text is empty).
    std::int64_t requiredRun(qsizetype titleLength) const;
    bool sharesRun(QStringView title, std::int64_t run) const {
        // Built at the first title that needs it: an indexed lookup often tests none.
        if (!m_finder)
            m_finder.emplace(m_name);
        return m_finder->sharesRun(title, static_cast<qsizetype>(run));
    }
    qsizetype nameLength() const { return m_name.size(); }
    QStringView name() const { return m_name; }

private:
    bool passesFilters(qsizetype titleLength) const;
    // The shortest common run that makes the pair resemble; 0 when nothing can.
    std::int64_t threshold(qsizetype titleLength) const;

    QString m_name;
    mutable std::optional<CommonRunFinder> m_finder;
    bool m_percent;
    std::int64_t m_amount;
    bool m_lengthFilter;
    bool m_minimumFilter;
    std::int64_t m_minimum = 0;
    std::int64_t m_nameShare = 0;     // percent mode: rounded p % of the name's length
    std::int64_t m_nameRestShare = 0; // percent mode: rounded (100 - p) % of the name's length
};

// p % of a length, computed in extended precision and rounded to nearest, ties to even.
std::int64_t RoundedShare(std::int64_t percent, std::int64_t length);
