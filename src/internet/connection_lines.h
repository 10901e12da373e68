#pragma once

#include <QStringList>
#include <cstdint>

// How many times one connection check asks for the state at most.
inline constexpr int kMaxConnectionQueries = 8;

// Whether a query of the connection state counts as answered: a medium, a proxy or a configured
// connection is there. An unanswered query with flags below 8 is asked again.
bool connectionQueryAnswered(std::uint32_t flags);
bool connectionQueryRepeats(std::uint32_t flags);

// The lines of `connectionStateText` for the flags, and whether they mean a connection to the internet. The
// first two tests look at the whole value, so any of the higher flags counts as connected.
struct ConnectionReport {
    QStringList lines;
    bool connected = false;
};
ConnectionReport connectionReport(std::uint32_t flags);
