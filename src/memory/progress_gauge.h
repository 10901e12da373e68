#pragma once

#include <cstdint>

class QProgressBar;

// A progress bar counted in bytes. Maxima beyond the bar's 32-bit range are shown in units of
// 2^shift bytes, so a target of several GiB still moves the bar in proportion.
class ProgressGauge {
public:
    explicit ProgressGauge(QProgressBar* bar);

    std::int64_t maximum() const { return m_maximum; }
    void setMaximum(std::int64_t bytes);
    // Clamped into 0..maximum.
    void setValue(std::int64_t bytes);
    std::int64_t value() const { return m_value; }
    void showAtZero();
    void hide();

private:
    QProgressBar* m_bar;
    std::int64_t m_maximum = 100;
    std::int64_t m_value = 0;
    int m_shift = 0;
};
