#pragma once

#include "memory/memory_graph.h"

#include <QColor>

class QImage;

// The system's hot-light colour: the palette's link colour.
QColor hotLightColor();

// Draws the memory graph over the whole of `image` (whose size the layout was made for): the
// hot-light area outlined in red, the yellow history line, the red texts on the hot-light colour and
// the two red bars.
void paintMemoryGraph(QImage& image, const MemoryGraphLayout& layout, const QColor& hotLight);
