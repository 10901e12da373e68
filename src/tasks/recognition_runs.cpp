#include "tasks/recognition_runs.h"

#include <algorithm>
#include <utility>

CommonRunFinder::CommonRunFinder(QStringView text, std::size_t denseCellLimit)
    : m_textLength(text.size()), m_pageOf(256, -1) {
    const std::vector<int> units = mapSymbols(text);
    markGrams(text);
    const std::vector<Edges> edges = buildAutomaton(units);
    const std::size_t columns = static_cast<std::size_t>(m_symbolCount) + 1;
    if (m_length.size() * columns <= denseCellLimit)
        buildDenseTable(edges, units.size());
    else
        buildEdgeLists(edges);
}

// Numbers the text's distinct code units densely and returns the text as those numbers.
std::vector<int> CommonRunFinder::mapSymbols(QStringView text) {
    std::vector<int> units;
    units.reserve(static_cast<std::size_t>(text.size()));
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        std::int32_t& page = m_pageOf[c >> 8];
        if (page < 0) {
            page = static_cast<std::int32_t>(m_symbols.size() / 256);
            m_symbols.resize(m_symbols.size() + 256, -1);
        }
        std::int32_t& symbol = m_symbols[static_cast<std::size_t>(page) * 256 + (c & 0xFF)];
        if (symbol < 0)
            symbol = m_symbolCount++;
        units.push_back(symbol);
    }
    // The text's own undecodable units keep their symbol in the automaton, but no unit of another
    // text leads there.
    if (const std::int32_t page = m_pageOf[kUndecodable >> 8]; page >= 0)
        m_symbols[static_cast<std::size_t>(page) * 256 + (kUndecodable & 0xFF)] = -1;
    return units;
}

void CommonRunFinder::markGrams(QStringView text) {
    m_pairBits.assign(kGramSlots / 64, 0);
    m_tripleBits.assign(kGramSlots / 64, 0);
    const char16_t* t = reinterpret_cast<const char16_t*>(text.data());
    for (qsizetype i = 1; i < text.size(); ++i) {
        const std::uint32_t pair = gramSlot(t[i - 1], t[i]);
        m_pairBits[pair / 64] |= std::uint64_t(1) << (pair % 64);
        if (i >= 2) {
            const std::uint32_t triple = gramSlot(t[i - 2], t[i - 1], t[i]);
            m_tripleBits[triple / 64] |= std::uint64_t(1) << (triple % 64);
        }
    }
}

// The standard online construction of the suffix automaton; fills the states' lengths and suffix
// links and returns their edges, kept sorted per state while building.
std::vector<CommonRunFinder::Edges> CommonRunFinder::buildAutomaton(const std::vector<int>& units) {
    std::vector<Edges> edges;
    const std::size_t capacity = 2 * units.size() + 1;
    edges.reserve(capacity);
    m_length.reserve(capacity);
    m_link.reserve(capacity);
    auto newState = [&](std::int32_t length, std::int32_t link, Edges out) {
        m_length.push_back(length);
        m_link.push_back(link);
        edges.push_back(std::move(out));
        return static_cast<std::int32_t>(m_length.size() - 1);
    };
    auto find = [&](std::int32_t state, std::int32_t symbol) -> std::pair<std::int32_t, std::int32_t>* {
        Edges& e = edges[static_cast<std::size_t>(state)];
        auto it = std::lower_bound(e.begin(), e.end(), symbol, [](const auto& p, int s) { return p.first < s; });
        return it != e.end() && it->first == symbol ? &*it : nullptr;
    };
    auto add = [&](std::int32_t state, std::int32_t symbol, std::int32_t target) {
        Edges& e = edges[static_cast<std::size_t>(state)];
        auto it = std::lower_bound(e.begin(), e.end(), symbol, [](const auto& p, int s) { return p.first < s; });
        e.insert(it, {symbol, target});
    };

    newState(0, -1, {});
    std::int32_t last = 0;
    for (const int symbol : units) {
        const std::int32_t cur = newState(m_length[static_cast<std::size_t>(last)] + 1, 0, {});
        std::int32_t p = last;
        while (p != -1 && !find(p, symbol)) {
            add(p, symbol, cur);
            p = m_link[static_cast<std::size_t>(p)];
        }
        if (p != -1) {
            const std::int32_t q = find(p, symbol)->second;
            if (m_length[static_cast<std::size_t>(p)] + 1 == m_length[static_cast<std::size_t>(q)]) {
                m_link[static_cast<std::size_t>(cur)] = q;
            } else {
                Edges copy = edges[static_cast<std::size_t>(q)];
                const std::int32_t clone = newState(m_length[static_cast<std::size_t>(p)] + 1,
                                                    m_link[static_cast<std::size_t>(q)], std::move(copy));
                for (; p != -1; p = m_link[static_cast<std::size_t>(p)]) {
                    auto* edge = find(p, symbol);
                    if (!edge || edge->second != q)
                        break;
                    edge->second = clone;
                }
                m_link[static_cast<std::size_t>(q)] = clone;
                m_link[static_cast<std::size_t>(cur)] = clone;
            }
        }
        last = cur;
    }
    return edges;
}

// A state x symbol table with the suffix links already followed, so streaming takes one lookup per
// unit.
void CommonRunFinder::buildDenseTable(const std::vector<Edges>& edges, std::size_t textUnits) {
    const std::size_t states = m_length.size();
    const std::size_t columns = static_cast<std::size_t>(m_symbolCount) + 1;
    // States by increasing length, so that a state's suffix link is resolved before it.
    std::vector<std::int32_t> order(states);
    std::vector<std::int32_t> count(textUnits + 2, 0);
    for (const std::int32_t len : m_length)
        ++count[static_cast<std::size_t>(len) + 1];
    for (std::size_t i = 1; i < count.size(); ++i)
        count[i] += count[i - 1];
    for (std::size_t s = 0; s < states; ++s)
        order[static_cast<std::size_t>(count[static_cast<std::size_t>(m_length[s])]++)] = std::int32_t(s);

    m_moves.assign(states * columns, Move{0, 0});
    for (const std::int32_t v : order) {
        Move* row = &m_moves[static_cast<std::size_t>(v) * columns];
        const std::int32_t up = m_link[static_cast<std::size_t>(v)];
        if (up >= 0) {
            const Move* upRow = &m_moves[static_cast<std::size_t>(up) * columns];
            const std::int32_t upLength = m_length[static_cast<std::size_t>(up)];
            for (std::size_t c = 0; c + 1 < columns; ++c)
                row[c] = upRow[c].length < 0 ? Move{upRow[c].target, upLength + 1} : upRow[c];
        }
        for (const auto& [symbol, target] : edges[static_cast<std::size_t>(v)])
            row[static_cast<std::size_t>(symbol)] = Move{target, -1};
    }
}

void CommonRunFinder::buildEdgeLists(const std::vector<Edges>& edges) {
    const std::size_t states = m_length.size();
    m_edgeStart.reserve(states + 1);
    for (std::size_t s = 0; s < states; ++s) {
        m_edgeStart.push_back(static_cast<std::int32_t>(m_edgeSymbol.size()));
        for (const auto& [symbol, target] : edges[s]) {
            m_edgeSymbol.push_back(symbol);
            m_edgeTarget.push_back(target);
        }
    }
    m_edgeStart.push_back(static_cast<std::int32_t>(m_edgeSymbol.size()));
}

std::int32_t CommonRunFinder::edge(std::int32_t state, int symbol) const {
    const auto first = m_edgeSymbol.begin() + m_edgeStart[static_cast<std::size_t>(state)];
    const auto last = m_edgeSymbol.begin() + m_edgeStart[static_cast<std::size_t>(state) + 1];
    const auto it = std::lower_bound(first, last, symbol);
    return it != last && *it == symbol ? m_edgeTarget[static_cast<std::size_t>(it - m_edgeSymbol.begin())] : -1;
}

qsizetype CommonRunFinder::streamMoves(QStringView other, qsizetype goal) const {
    const std::size_t columns = static_cast<std::size_t>(m_symbolCount) + 1;
    const std::size_t absent = columns - 1;
    const qsizetype n = other.size();
    qsizetype best = 0;
    qsizetype current = 0;
    std::size_t state = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (goal > 0 && current + (n - i) < goal)
            break;
        const int symbol = symbolOf(other[i].unicode());
        const Move move = m_moves[state * columns + (symbol < 0 ? absent : static_cast<std::size_t>(symbol))];
        current = move.length < 0 ? current + 1 : move.length;
        state = static_cast<std::size_t>(move.target);
        best = std::max(best, current);
        if (goal > 0 && best >= goal)
            break;
    }
    return best;
}

qsizetype CommonRunFinder::streamEdges(QStringView other, qsizetype goal) const {
    const qsizetype n = other.size();
    qsizetype best = 0;
    qsizetype current = 0;
    std::int32_t state = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (goal > 0 && current + (n - i) < goal)
            break;
        const int symbol = symbolOf(other[i].unicode());
        if (symbol < 0) {
            state = 0;
            current = 0;
            continue;
        }
        std::int32_t next = edge(state, symbol);
        while (next < 0 && state != 0) {
            state = m_link[static_cast<std::size_t>(state)];
            current = m_length[static_cast<std::size_t>(state)];
            next = edge(state, symbol);
        }
        if (next < 0) {
            current = 0;
            continue;
        }
        state = next;
        best = std::max(best, ++current);
        if (goal > 0 && best >= goal)
            break;
    }
    return best;
}

bool CommonRunFinder::mayShareRun(QStringView other, qsizetype length) const {
    if (length < 2)
        return true;
    const char16_t* u = reinterpret_cast<const char16_t*>(other.data());
    const bool pairs = length == 2;
    // Pieces starting at 0 .. count - 1; a run of `length` units needs `needed` known ones in a row.
    const qsizetype count = other.size() - (pairs ? 1 : 2);
    const qsizetype needed = pairs ? 1 : length - 2;
    auto known = [&](qsizetype i) {
        const std::uint32_t slot = pairs ? gramSlot(u[i], u[i + 1]) : gramSlot(u[i], u[i + 1], u[i + 2]);
        return ((pairs ? m_pairBits : m_tripleBits)[slot / 64] >> (slot % 64)) & 1;
    };
    // Each window of `needed` pieces is checked from its right end, so an unknown piece skips the
    // window past it; pieces [start, knownEnd) are known already, so no piece is checked twice.
    qsizetype start = 0;
    qsizetype knownEnd = 0;
    while (start + needed <= count) {
        const qsizetype end = start + needed;
        qsizetype i = end - 1;
        while (i >= knownEnd && known(i))
            --i;
        if (i < knownEnd)
            return true;
        start = i + 1;
        knownEnd = end;
    }
    return false;
}

bool CommonRunFinder::sharesRun(QStringView other, qsizetype length) const {
    if (length < 1 || length > m_textLength || length > other.size())
        return false;
    if (!mayShareRun(other, length))
        return false;
    return (usesDenseTable() ? streamMoves(other, length) : streamEdges(other, length)) >= length;
}

qsizetype CommonRunFinder::longestCommonRun(QStringView other) const {
    return usesDenseTable() ? streamMoves(other, 0) : streamEdges(other, 0);
}
