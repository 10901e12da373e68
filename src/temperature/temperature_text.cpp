#include "temperature/temperature_text.h"

QString temperatureText(double value, const QLocale& locale) {
    // asprintf formats in the C locale whatever setlocale() says, so the only '.' is the separator.
    QString text = QString::asprintf("%.15g", value);
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}
