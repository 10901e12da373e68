#include "memory/progress_gauge.h"

#include <QProgressBar>
#include <algorithm>
#include <limits>

ProgressGauge::ProgressGauge(QProgressBar* bar) : m_bar(bar) {
    m_maximum = std::max(bar->maximum(), 0);
    m_value = std::clamp<std::int64_t>(bar->value(), 0, m_maximum);
}

void ProgressGauge::setMaximum(std::int64_t bytes) {
    m_maximum = std::max<std::int64_t>(bytes, 0);
    m_shift = 0;
    while ((m_maximum >> m_shift) > std::numeric_limits<int>::max())
        ++m_shift;
    m_bar->setRange(0, static_cast<int>(m_maximum >> m_shift));
    setValue(m_value);
}

void ProgressGauge::setValue(std::int64_t bytes) {
    m_value = std::clamp<std::int64_t>(bytes, 0, m_maximum);
    m_bar->setValue(static_cast<int>(m_value >> m_shift));
}

void ProgressGauge::showAtZero() {
    setValue(0);
    m_bar->show();
}

void ProgressGauge::hide() {
    m_bar->hide();
}
