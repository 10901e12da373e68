#pragma once

#include "temperature/temperature_graph.h"

#include <QColor>
#include <QImage>

class QPainter;

// The colour behind the graphs: the system's hot-light colour, i.e. the palette's link colour.
QColor systemHotLightColor();

QColor toQColor(const GraphColor& color, const QColor& hotLight);
GraphColor fromQColor(const QColor& color);

// Replays a computed graph on `painter` (1-pixel solid pens, the painter's current font).
void paintTemperatureGraph(QPainter& painter, const GraphDrawing& drawing, const QColor& hotLight);

// The graph as a fresh image of the drawing's size, e.g. for a QLabel's pixmap.
QImage renderTemperatureGraph(const GraphDrawing& drawing, const QColor& hotLight = systemHotLightColor());
