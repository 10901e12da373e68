#pragma once
// What the two temperature graphs show, as plain drawing data: the painter only replays it.

#include "temperature/temperature_history.h"

#include <QList>
#include <QLocale>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <variant>
#include <vector>

constexpr int kDefaultGraphSpan = 200;
constexpr int kMinGraphSpan = 10;
constexpr int kGraphSpanStep = 10;

int zoomIn(int graphSpan);
int zoomOut(int graphSpan);
inline int zoomDefault() {
    return kDefaultGraphSpan;
}

// An RGB colour, or the system's hot-light colour that the painter looks up at drawing time.
struct GraphColor {
    bool hotLight = false;
    int red = 0;
    int green = 0;
    int blue = 0;

    static constexpr GraphColor rgb(int r, int g, int b) { return {false, r, g, b}; }
    static constexpr GraphColor systemHotLight() { return {true, 0, 0, 0}; }
    bool operator==(const GraphColor&) const = default;
};

inline constexpr GraphColor kGraphRed = GraphColor::rgb(255, 0, 0);
inline constexpr GraphColor kGraphYellow = GraphColor::rgb(255, 255, 0);
inline constexpr GraphColor kGraphBlack = GraphColor::rgb(0, 0, 0);

// The colours chosen for cores 1..8; black until changed.
class CoreColors {
public:
    GraphColor colorOfButton(int ni) const;
    void setColor(int ni, GraphColor color);

private:
    std::array<GraphColor, TemperatureHistory::kCores> m_colors{};
};

// A rectangle filled with `brush` and outlined with `pen`, covering left..right-1 and top..bottom-1.
struct GraphRectangle {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    GraphColor brush;
    GraphColor pen;
};

// A pen path: starts at points[0] without drawing, then a line to each following point.
struct GraphPolyline {
    GraphColor pen;
    QList<QPoint> points;
};

// Text whose top-left corner is at `position`, drawn opaquely on `background`.
struct GraphLabel {
    QPoint position;
    QString text;
    GraphColor color;
    GraphColor background;
};

using GraphItem = std::variant<GraphRectangle, GraphPolyline, GraphLabel>;

// Items in painting order; later items cover earlier ones.
struct GraphDrawing {
    QSize size;
    std::vector<GraphItem> items;
};

// The ring slots plotted for a span, oldest first and ending with the newest slot `tempIndex`.
std::vector<int> plotSlots(int tempIndex, int graphSpan);

// The pen path of one series over an image of `size`: from the bottom-left corner through one
// point per plotted slot, scaled so that a value of peakTemp + 1 would reach 20 pixels below the top.
QList<QPoint> plotSeries(const std::function<float(int slot)>& series, int tempIndex, int graphSpan, float peakTemp,
                         QSize size);

// The average and biggest core temperature graph.
GraphDrawing computeAverageGraph(const TemperatureHistory& history, int graphSpan, QSize size,
                                 const QLocale& locale = QLocale());
// One line per core, in the core's colour, labelled while its newest value is not 0.
GraphDrawing computeCoreGraph(const TemperatureHistory& history, int graphSpan, QSize size, const CoreColors& colors,
                              const QLocale& locale = QLocale());
