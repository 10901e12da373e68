#pragma once
// Where the memory graph puts its line, texts and bars on an image of a given size; the painter
// only replays it.

#include "memory/memory_history.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>

struct MemoryGraphText {
    QPoint topLeft;
    QString text;
};

struct MemoryGraphLayout {
    QSize size;
    // The yellow pen path: line[0] is the bottom-left corner, line[j] the j-th point; the first
    // point is the newest sample, the rest run from the oldest to the second newest.
    std::array<QPoint, MemoryHistory::kSlots + 1> line{};
    MemoryGraphText newest; // top right
    MemoryGraphText high;   // top left, the scale's upper bound
    MemoryGraphText low;    // bottom left, the scale's lower bound
    QRect leftBar;          // red, along the left edge
    QRect bottomBar;        // red, along the bottom edge
};

// Round(j × (W / 200)).
int memoryGraphX(int j, int width);
// H − Round((value − low) / (high − low) × (H − 20)); the top 20 pixels stay for the texts. An
// empty scale (high equal to low, only while every sample is 0) puts every value on the bottom
// edge.
int memoryGraphY(std::int64_t value, std::int64_t low, std::int64_t high, int height);

// A number of whole mebibytes followed by " MB".
QString megabyteText(std::int64_t bytes);

// Fills `layout` for `history` on an image of `size`. Only the texts are allocated, so a layout can
// be reused for every redraw.
void layoutMemoryGraph(const MemoryHistory& history, QSize size, MemoryGraphLayout& layout);
