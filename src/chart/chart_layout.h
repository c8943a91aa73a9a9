// The performance chart of a sweep, laid out in the core: panels, axes with
// their ticks, the series with their gaps, the shaded load windows, the duty
// marker, the legend and the title, in drawing units (pixels at 96 dpi, or
// points on paper). Every picture of the chart (window, PNG, SVG, PDF) draws
// this layout with drawChart, so they never differ.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "curve/sweep.h"

namespace vantrel {

/// A colour, 0xRRGGBB.
using Rgb = std::uint32_t;

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ChartRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    bool contains(double x, double y) const { return x >= left && x <= left + width && y >= top && y <= top + height; }
};

/// How a line is drawn; the dash pattern and the marker tell the series apart
/// in black and white print, the colour on screen.
struct ChartStroke {
    Rgb colour = 0x000000;
    double width = 1.0;
    std::vector<double> dashes;  ///< on, off, ... lengths; empty: solid
};

enum class MarkerShape { None, Circle, Square, Triangle, Diamond, Cross };

/// One axis: its range, its ticks with their labels and its title.
struct ChartAxis {
    double min = 0.0;
    double max = 1.0;
    std::vector<double> ticks;        ///< "nice" values within [min, max]
    std::vector<std::string> labels;  ///< one per tick
    std::string title;                ///< with its unit, e.g. "Pressure drop (psi)"
};

/// One plotted quantity of one panel.
struct ChartSeries {
    std::string name;  ///< as the legend shows it, e.g. "Total drop"
    ChartStroke stroke;
    MarkerShape marker = MarkerShape::None;
    /// Runs of consecutive rated points in drawing units; a refused point
    /// ends a run, so it is drawn as a gap.
    std::vector<std::vector<ChartPoint>> runs;
};

/// A shaded band across a panel: a Preferences load window.
struct ChartBand {
    std::string name;  ///< e.g. "Nozzle load window 90-110 %"
    double top = 0.0;  ///< drawing units
    double bottom = 0.0;
    Rgb fill = 0xdddddd;
    ChartStroke edge;  ///< drawn along both edges
};

/// A rectangle of the plot area with its axes and what is drawn in it.
struct ChartPanel {
    ChartRect plot;  ///< the plot area, inside the axes
    ChartAxis xAxis;
    ChartAxis yAxis;
    std::vector<ChartBand> bands;
    std::vector<ChartSeries> series;
};

enum class TextAnchor { Start, Middle, End };

struct ChartText {
    std::string text;  ///< UTF-8
    ChartPoint at;     ///< the baseline point the anchor refers to
    TextAnchor anchor = TextAnchor::Start;
    double size = 10.0;  ///< font size in drawing units
    bool bold = false;
    bool vertical = false;  ///< turned 90° counter-clockwise about `at`
    Rgb colour = 0x000000;
};

struct ChartLegendEntry {
    std::string name;
    ChartStroke stroke;
    MarkerShape marker = MarkerShape::None;
    bool band = false;  ///< a shaded window rather than a line
    Rgb fill = 0xdddddd;
    ChartPoint at;         ///< where the entry's sample begins
    double length = 26.0;  ///< of the sample, from `at` to the right
};

/// The whole chart.
struct ChartLayout {
    double width = 0.0;
    double height = 0.0;
    std::string title;
    std::string subtitle;            ///< the duty: capacity, suction, liquid, tube length
    std::vector<ChartPanel> panels;  ///< pressure drops, then loads
    double dutyX = 0.0;              ///< drawing x of the duty, across every panel
    std::vector<ChartText> texts;    ///< every text to draw: titles, tick labels, axis titles, legend names
    std::vector<ChartLegendEntry> legend;
    bool empty = false;       ///< no point could be rated: the panels say so
    double markerSize = 3.5;  ///< half the width of a series' marker
    double tickLength = 4.0;  ///< of the tick marks outside the plot areas
};

/// Where a value of the panel's x axis (or y axis) lies in drawing units.
double panelX(const ChartPanel& panel, double value);
double panelY(const ChartPanel& panel, double value);

/// Lays out the chart of `sweep` on a page of `width` by `height` drawing units.
ChartLayout layoutChart(const Sweep& sweep, double width, double height);

/// The chart of an output list row as a report draws it: the chart of the
/// row's sweep, or, when its duty could not be rated, the row's part number
/// and refrigerant with the Rate's reason ("No performance chart: ...").
ChartLayout layoutRowChart(const SweepOutcome& outcome, const ResultRow& row, double width, double height);

/// The index of the sweep point nearest the pointer's x within a panel's
/// plot area (any y inside the panels), or -1 outside every plot area.
int nearestPoint(const ChartLayout& layout, const Sweep& sweep, double x, double y);

/// The drawing x of sweep point `index`.
double pointX(const ChartLayout& layout, const Sweep& sweep, int index);

/// One line describing sweep point `index` in the sweep's units, e.g.
/// "7.0 tons (50 %): total 12.3 psi, nozzle 9.1 psi, tube 3.2 psi; nozzle load 52 %, tube load 50 %"
/// or, for a refused point, its capacity or suction and the Rate's message.
std::string pointReadout(const Sweep& sweep, int index);

/// The file name Save As offers for the chart of `partNumber`: the part
/// number whole, with the characters a file name cannot hold (the "/" of
/// its fractions first) as "_", and ".png": 703-8-1/4-6 gives 703-8-1_4-6.png.
std::string chartFileName(const std::string& partNumber);

}  // namespace vantrel
