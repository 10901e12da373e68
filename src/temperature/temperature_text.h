#pragma once

#include <QLocale>
#include <QString>

// The general decimal form of a temperature: up to 15 significant digits, no trailing zeros, with
// the locale's decimal separator. A single-precision value is widened first, so the average of 40,
// 41 and 46 shows as 42.3333320617676.
QString temperatureText(double value, const QLocale& locale = QLocale());
