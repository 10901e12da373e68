#include "tasks/recognition_resemblance.h"

#include <algorithm>
#include <cmath>

std::int64_t RoundedShare(std::int64_t percent, std::int64_t length) {
    // The quotient is rounded to extended precision before the product, exactly as stored.
    const long double quotient = static_cast<long double>(percent) / 100.0L;
    const long double product = quotient * static_cast<long double>(length);
    return static_cast<std::int64_t>(std::nearbyint(product));
}

NameResemblance::NameResemblance(QStringView name, bool percentMode, std::int64_t amount,
                                 const RecognitionOptions& options)
    : m_name(name.toString()), m_percent(percentMode), m_amount(amount), m_lengthFilter(options.lengthFilter),
      m_minimumFilter(options.minimumLengthFilter) {
    if (m_minimumFilter)
        m_minimum = options.minimumLength.value();
    if (m_percent) {
        m_nameShare = RoundedShare(m_amount, m_name.size());
        m_nameRestShare = RoundedShare(100 - m_amount, m_name.size());
    }
}

bool NameResemblance::passesFilters(qsizetype titleLength) const {
    const std::int64_t x = titleLength;
    const std::int64_t y = m_name.size();
    if (m_lengthFilter) {
        if (m_percent) {
            if (x <= m_nameRestShare || y <= RoundedShare(100 - m_amount, x))
                return false;
        } else if (x <= m_amount || y <= m_amount) {
            return false;
        }
    }
    if (m_minimumFilter) {
        if (m_percent ? (x < m_minimum || y < m_minimum) : (x <= m_minimum || y <= m_minimum))
            return false;
    }
    return true;
}

std::int64_t NameResemblance::threshold(qsizetype titleLength) const {
    const std::int64_t x = titleLength;
    const std::int64_t y = m_name.size();
    if (x == 0 || y == 0)
        return 0;
    if (m_percent) {
        // Runs longer than the rounded share of either text; a negative share asks for any run.
        const std::int64_t share = std::min(RoundedShare(m_amount, x), m_nameShare);
        const std::int64_t run = std::max<std::int64_t>(share, 0) + 1;
        return run <= std::min(x, y) ? run : 0;
    }
    // A run of a + 1, or containment: a common run as long as the shorter text.
    return std::min({std::max<std::int64_t>(m_amount, 0) + 1, x, y});
}

std::int64_t NameResemblance::requiredRun(qsizetype titleLength) const {
    return passesFilters(titleLength) ? threshold(titleLength) : 0;
}

bool NameResemblance::resembles(QStringView title) const {
    const std::int64_t run = requiredRun(title.size());
    return run > 0 && sharesRun(title, run);
}
