#include <algorithm>

#include "chart/chart_canvas.h"

namespace vantrel {
namespace {

constexpr Rgb kWhite = 0xffffff;
constexpr Rgb kGridColour = 0xdadada;
constexpr Rgb kFrameColour = 0x444444;
constexpr Rgb kDutyColour = 0x555555;

// Where two windows overlap both tints show, as two inks printed over each
// other would, so neither window hides the other.
Rgb multiply(Rgb a, Rgb b) {
    Rgb out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const Rgb channel = ((a >> shift) & 0xff) * ((b >> shift) & 0xff) / 255;
        out |= channel << shift;
    }
    return out;
}

ChartRect bandRect(const ChartPanel& panel, const ChartBand& band) {
    const double top = std::min(band.top, band.bottom);
    return {panel.plot.left, top, panel.plot.width, std::max(band.top, band.bottom) - top};
}

void drawBands(const ChartPanel& panel, ChartCanvas& canvas) {
    if (panel.bands.empty()) return;
    canvas.clip(panel.plot);
    for (const ChartBand& band : panel.bands) canvas.fillRect(bandRect(panel, band), band.fill);
    for (std::size_t i = 0; i < panel.bands.size(); ++i) {
        for (std::size_t j = i + 1; j < panel.bands.size(); ++j) {
            const ChartRect a = bandRect(panel, panel.bands[i]);
            const ChartRect b = bandRect(panel, panel.bands[j]);
            const double top = std::max(a.top, b.top);
            const double bottom = std::min(a.top + a.height, b.top + b.height);
            if (bottom > top)
                canvas.fillRect({panel.plot.left, top, panel.plot.width, bottom - top},
                                multiply(panel.bands[i].fill, panel.bands[j].fill));
        }
    }
    const double left = panel.plot.left;
    const double right = left + panel.plot.width;
    for (const ChartBand& band : panel.bands) {
        canvas.line({left, band.top}, {right, band.top}, band.edge);
        canvas.line({left, band.bottom}, {right, band.bottom}, band.edge);
    }
    canvas.unclip();
}

void drawGrid(const ChartPanel& panel, ChartCanvas& canvas) {
    const ChartStroke grid{kGridColour, 0.7, {}};
    const ChartRect& plot = panel.plot;
    for (const double tick : panel.xAxis.ticks) {
        const double x = panelX(panel, tick);
        canvas.line({x, plot.top}, {x, plot.top + plot.height}, grid);
    }
    for (const double tick : panel.yAxis.ticks) {
        const double y = panelY(panel, tick);
        canvas.line({plot.left, y}, {plot.left + plot.width, y}, grid);
    }
}

void drawAxes(const ChartPanel& panel, double tickLength, ChartCanvas& canvas) {
    const ChartStroke frame{kFrameColour, 1.0, {}};
    const ChartRect& plot = panel.plot;
    canvas.strokeRect(plot, frame);
    const double bottom = plot.top + plot.height;
    for (const double tick : panel.xAxis.ticks) {
        const double x = panelX(panel, tick);
        canvas.line({x, bottom}, {x, bottom + tickLength}, frame);
    }
    for (const double tick : panel.yAxis.ticks) {
        const double y = panelY(panel, tick);
        canvas.line({plot.left - tickLength, y}, {plot.left, y}, frame);
    }
}

void drawSeries(const ChartPanel& panel, double markerSize, ChartCanvas& canvas) {
    // Markers on the plot's edges show whole; nothing else reaches past it.
    const double m = markerSize + 2;
    canvas.clip({panel.plot.left - m, panel.plot.top - m, panel.plot.width + 2 * m, panel.plot.height + 2 * m});
    for (const ChartSeries& series : panel.series) {
        for (const auto& run : series.runs) {
            if (run.size() > 1) canvas.polyline(run, series.stroke);
        }
    }
    for (const ChartSeries& series : panel.series) {
        if (series.marker == MarkerShape::None) continue;
        const ChartStroke outline{series.stroke.colour, 1.0, {}};
        for (const auto& run : series.runs) {
            for (const ChartPoint& point : run) canvas.marker(point, series.marker, markerSize, outline);
        }
    }
    canvas.unclip();
}

void drawLegendSample(const ChartLegendEntry& entry, double markerSize, ChartCanvas& canvas) {
    const ChartPoint& at = entry.at;
    const double length = entry.length;
    if (entry.band) {
        const double half = markerSize * 1.6;
        canvas.fillRect({at.x, at.y - half, length, 2 * half}, entry.fill);
        canvas.line({at.x, at.y - half}, {at.x + length, at.y - half}, entry.stroke);
        canvas.line({at.x, at.y + half}, {at.x + length, at.y + half}, entry.stroke);
        return;
    }
    canvas.line(at, {at.x + length, at.y}, entry.stroke);
    if (entry.marker != MarkerShape::None)
        canvas.marker({at.x + length / 2, at.y}, entry.marker, markerSize, {entry.stroke.colour, 1.0, {}});
}

}  // namespace

std::vector<ChartPoint> markerCorners(ChartPoint at, MarkerShape shape, double s) {
    switch (shape) {
        case MarkerShape::Square:
            return {{at.x - 1.1 * s, at.y - 1.1 * s},
                    {at.x + 1.1 * s, at.y - 1.1 * s},
                    {at.x + 1.1 * s, at.y + 1.1 * s},
                    {at.x - 1.1 * s, at.y + 1.1 * s}};
        case MarkerShape::Triangle:
            return {{at.x, at.y - 1.15 * s}, {at.x + s, at.y + 0.75 * s}, {at.x - s, at.y + 0.75 * s}};
        case MarkerShape::Diamond:
            return {{at.x, at.y - 1.25 * s}, {at.x + 1.25 * s, at.y}, {at.x, at.y + 1.25 * s}, {at.x - 1.25 * s, at.y}};
        case MarkerShape::None:
        case MarkerShape::Circle:
        case MarkerShape::Cross: break;
    }
    return {};
}

void drawChart(const ChartLayout& layout, ChartCanvas& canvas) {
    canvas.fillRect({0, 0, layout.width, layout.height}, kWhite);
    for (const ChartPanel& panel : layout.panels) drawBands(panel, canvas);
    for (const ChartPanel& panel : layout.panels) drawGrid(panel, canvas);
    for (const ChartPanel& panel : layout.panels) drawAxes(panel, layout.tickLength, canvas);
    if (!layout.empty) {
        for (const ChartPanel& panel : layout.panels) drawSeries(panel, layout.markerSize, canvas);
    }
    const ChartStroke duty{kDutyColour, 1.3, {6, 3, 1.5, 3}};
    for (const ChartPanel& panel : layout.panels)
        canvas.line({layout.dutyX, panel.plot.top}, {layout.dutyX, panel.plot.top + panel.plot.height}, duty);
    for (const ChartText& text : layout.texts) canvas.text(text);
    for (const ChartLegendEntry& entry : layout.legend) {
        drawLegendSample(entry, layout.markerSize, canvas);
    }
}

}  // namespace vantrel
