#pragma once

#include <QString>

inline const QString kDefaultAddressPage = QStringLiteral("http://checkip.dyndns.org/");

// The options of the public address retrieval; the defaults are the controls' values at start.
struct InternetOptions {
    QString addressPage = kDefaultAddressPage;       // the page whose body tells the public address
    bool periodicLookup = false;                     // retrieve the address every `lookupInterval` milliseconds
    QString lookupInterval = QStringLiteral("1000"); // milliseconds, read through its digits
    bool lookupOnlyWhenConnected = false;            // a periodic retrieval waits for a connection to the internet

    bool operator==(const InternetOptions&) const = default;
};
