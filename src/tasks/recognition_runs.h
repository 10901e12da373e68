#pragma once

#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// What a title that could not be decoded carries in place of each lost character. Two such
// characters may stand for entirely different originals, so it matches nothing, not even itself:
// no shared run and no exact title passes through one.
constexpr char16_t kUndecodable = 0xFFFD;

inline bool hasUndecodable(QStringView text) {
    return text.contains(QChar(kUndecodable));
}

// Answers "do these two texts share a run of at least L consecutive UTF-16 code units?" for one
// fixed text against many others, in one pass over each other text. It is a suffix automaton of
// the fixed text: streaming another text through it yields, at each position, the longest run
// ending there that also occurs in the fixed text. Runs never include kUndecodable.
class CommonRunFinder {
public:
    // Above this many table cells the transitions are kept as sorted edge lists instead of a table.
    static constexpr std::size_t kDenseCellLimit = std::size_t(1) << 20;

    explicit CommonRunFinder(QStringView text, std::size_t denseCellLimit = kDenseCellLimit);

    qsizetype textLength() const { return m_textLength; }
    bool usesDenseTable() const { return !m_moves.empty(); }

    // Whether some run of `other` at least `length` code units long occurs in the text; false when
    // length < 1.
    bool sharesRun(QStringView other, qsizetype length) const;
    // The length of the longest run of `other` that occurs in the text.
    qsizetype longestCommonRun(QStringView other) const;

private:
    // Where one more unit leads from a state, with the suffix links already followed: the new
    // state, and the new run length (-1: the run just grows by one).
    struct Move {
        std::int32_t target;
        std::int32_t length;
    };

    // A run of L units of `other` found in the text has its L - q + 1 overlapping q-unit pieces
    // all in the text too. Checking that first, against small bit sets of the text's pairs and
    // triples, rules out most unrelated texts with at most one bit test per unit, usually far
    // fewer. Collisions in the bit sets only let more texts through to the exact pass.
    static constexpr std::uint32_t kGramSlots = 1u << 16;
    static std::uint32_t gramSlot(char16_t a, char16_t b) {
        return ((std::uint32_t(a) << 7) ^ (std::uint32_t(a) >> 9) ^ b) & (kGramSlots - 1);
    }
    static std::uint32_t gramSlot(char16_t a, char16_t b, char16_t c) {
        return ((std::uint32_t(a) << 10) ^ (std::uint32_t(b) << 5) ^ (std::uint32_t(a) >> 6) ^
                (std::uint32_t(b) >> 11) ^ c) &
               (kGramSlots - 1);
    }
    bool mayShareRun(QStringView other, qsizetype length) const;

    // The constructor's phases, in order.
    using Edges = std::vector<std::pair<std::int32_t, std::int32_t>>; // (symbol, target), sorted
    std::vector<int> mapSymbols(QStringView text);
    void markGrams(QStringView text);
    std::vector<Edges> buildAutomaton(const std::vector<int>& units);
    void buildDenseTable(const std::vector<Edges>& edges, std::size_t textUnits);
    void buildEdgeLists(const std::vector<Edges>& edges);

    // Both return the longest run seen; with a goal (> 0) they stop once it is reached or can no
    // longer be.
    qsizetype streamMoves(QStringView other, qsizetype goal) const;
    qsizetype streamEdges(QStringView other, qsizetype goal) const;
    std::int32_t edge(std::int32_t state, int symbol) const;

    int symbolOf(char16_t c) const {
        const std::int32_t page = m_pageOf[c >> 8];
        return page < 0 ? -1 : m_symbols[static_cast<std::size_t>(page) * 256 + (c & 0xFF)];
    }

    std::vector<std::uint64_t> m_pairBits;
    std::vector<std::uint64_t> m_tripleBits;
    qsizetype m_textLength = 0;
    int m_symbolCount = 0;
    // Code unit -> dense symbol number, by 256-unit pages that exist only where the text has units.
    std::vector<std::int32_t> m_pageOf;
    std::vector<std::int32_t> m_symbols;
    std::vector<std::int32_t> m_length; // longest run each state stands for
    std::vector<std::int32_t> m_link;   // suffix link, -1 for the start state
    // Either a state x (symbol + "not in the text") table of moves, or sorted edge lists per state.
    std::vector<Move> m_moves;
    std::vector<std::int32_t> m_edgeStart;
    std::vector<std::int32_t> m_edgeSymbol;
    std::vector<std::int32_t> m_edgeTarget;
};
