// What the chart is drawn on. drawChart is the one drawing routine; each
// picture (SVG text, a cairo surface for PNG, the window and PDF) is a Canvas.
#pragma once

#include <string>
#include <vector>

#include "chart/chart_layout.h"

namespace vantrel {

class ChartCanvas {
public:
    virtual ~ChartCanvas() = default;
    virtual void fillRect(const ChartRect& rect, Rgb fill) = 0;
    virtual void strokeRect(const ChartRect& rect, const ChartStroke& stroke) = 0;
    virtual void line(ChartPoint from, ChartPoint to, const ChartStroke& stroke) = 0;
    virtual void polyline(const std::vector<ChartPoint>& points, const ChartStroke& stroke) = 0;
    virtual void marker(ChartPoint at, MarkerShape shape, double size, const ChartStroke& stroke) = 0;
    virtual void text(const ChartText& text) = 0;
    /// Limits what follows to `rect` until unclip().
    virtual void clip(const ChartRect& rect) = 0;
    virtual void unclip() = 0;
};

/// The corners of a marker that is a polygon (square, triangle, diamond)
/// round `at`, `size` being the layout's marker size; empty for the others.
/// A triangle fits inside a square, so where a tube curve lies on a nozzle
/// curve both markers still show.
std::vector<ChartPoint> markerCorners(ChartPoint at, MarkerShape shape, double size);

/// Draws `layout` on `canvas`: background, bands, grid, axes, series,
/// markers, duty line, texts and legend, in that order.
void drawChart(const ChartLayout& layout, ChartCanvas& canvas);

/// The chart as an SVG document (UTF-8, well-formed XML, texts as text).
std::string chartSvg(const ChartLayout& layout);

}  // namespace vantrel
