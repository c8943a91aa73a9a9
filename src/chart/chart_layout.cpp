#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <tuple>

#include "engine/number_text.h"
#include "i18n/translate.h"
#include "util/plain_text.h"

namespace vantrel {
namespace {

// Text widths are estimated, not measured: the core has no font library.
// DejaVu Sans averages about 0.55 of its size per character in these texts,
// so the estimate errs on the roomy side, and every renderer anchors its
// texts, so a wrong estimate only moves margins and legend gaps.
constexpr double kCharWidth = 0.56;

// A sweep writes a point's capacity in at most eight characters.
constexpr std::size_t kFieldChars = 8;

constexpr Rgb kTextColour = 0x222222;
constexpr Rgb kTotalColour = 0x1f3d8f;
constexpr Rgb kNozzleColour = 0xd2690e;
constexpr Rgb kTubeColour = 0x23803a;
constexpr Rgb kNozzleWindowFill = 0xffecd9;
constexpr Rgb kTubeWindowFill = 0xdff3e4;
constexpr Rgb kDutyColour = 0x555555;

std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

double textWidth(const std::string& text, double size) {
    return kCharWidth * size * static_cast<double>(characters(text));
}

// The type sizes of a chart of `width` by `height` drawing units: they follow
// the page, but no smaller than still reads on a screen and no larger than a
// title wants.
struct ChartType {
    double scale;
    double font;
    double titleFont;
    double pad;
};

ChartType chartType(double width, double height) {
    const double scale = std::clamp(std::min(width / 800, height / 600), 0.5, 2.0);
    const double font = std::clamp(10.5 * scale, 9.0, 18.0);
    return {scale, font, font * 1.3, std::max(6.0, 10 * scale)};
}

// A cell as text without its padding.
std::string trimmed(const std::string& text) { return std::string(trimmedBlanks(text)); }

// A number in as few decimals as it needs, at most `decimals`.
std::string shortNumber(double value, int decimals) {
    std::string text = formatFixed(value, 0, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

// The capacity a point was rated at, as the form reads its field.
double capacityOf(const std::string& text) { return readLeadingNumber(text.substr(0, kFieldChars)).value; }

double sweptValue(const Sweep& sweep, const SweepPoint& point) {
    return sweep.kind == SweepKind::Capacity ? capacityOf(point.capacity) : point.x;
}

double dutyValue(const Sweep& sweep) {
    return sweep.kind == SweepKind::Capacity ? sweep.dutyCapacity : sweep.dutyX;
}

// TRANSLATORS: the capacity's unit, refrigeration tons, after a number on a chart.
const char* capacityUnit(bool si) { return si ? "kW" : trc("unit", "tons"); }
const char* temperatureUnit(bool si) { return si ? "°C" : "°F"; }
const char* dropUnit(bool si) { return si ? "kPa" : "psi"; }

// Ticks of 1, 2, 2.5 or 5 times a power of ten over [low, high], the finest
// that keeps to at most `maxIntervals` intervals. The axis is widened to the
// ticks round the data, so the first and last tick are its ends.
void niceAxis(ChartAxis& axis, double low, double high, int maxIntervals) {
    if (!std::isfinite(low) || !std::isfinite(high)) low = high = 0;
    if (low > high) std::swap(low, high);
    if (high - low < 1e-9 * std::max(1.0, std::fabs(high))) {
        // One value: a unit round it, or up from it when it is the axis' zero.
        const double pad = std::max(1.0, std::fabs(high) * 0.1);
        if (low != 0) low -= pad;
        high += pad;
    }
    maxIntervals = std::max(2, maxIntervals);
    static const double kMantissas[] = {1, 2, 2.5, 5};
    double step = 0;
    double first = 0;
    double last = 0;
    const int startPower = static_cast<int>(std::floor(std::log10((high - low) / maxIntervals))) - 1;
    for (int power = startPower; step == 0 && power < startPower + 4; ++power) {
        for (const double mantissa : kMantissas) {
            const double candidate = mantissa * std::pow(10.0, power);
            const double from = std::floor(low / candidate + 1e-9);
            const double to = std::ceil(high / candidate - 1e-9);
            if (to - from <= maxIntervals) {
                step = candidate;
                first = from;
                last = to;
                break;
            }
        }
    }
    const int power = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    const bool quarter = std::fabs(step / std::pow(10.0, power) - 2.5) < 1e-9;
    const int decimals = std::max(0, -power + (quarter ? 1 : 0));
    axis.ticks.clear();
    axis.labels.clear();
    for (double k = first; k <= last + 0.5; k += 1) {
        const double tick = k * step;
        axis.ticks.push_back(tick);
        axis.labels.push_back(shortNumber(tick, decimals));
    }
    axis.min = axis.ticks.front();
    axis.max = axis.ticks.back();
}

ChartText makeText(std::string text, double x, double y, TextAnchor anchor, double size, Rgb colour = kTextColour) {
    ChartText t;
    t.text = std::move(text);
    t.at = {x, y};
    t.anchor = anchor;
    t.size = size;
    t.colour = colour;
    return t;
}

ChartSeries makeSeries(std::string name, Rgb colour, double width, std::vector<double> dashes, MarkerShape marker) {
    ChartSeries series;
    series.name = std::move(name);
    series.stroke = {colour, width, std::move(dashes)};
    series.marker = marker;
    return series;
}

// `pattern` (English, marked) with the window's limits in percent.
std::string windowName(const char* pattern, double low, double high) {
    return formatText(tr(pattern), {shortNumber(low, 2), shortNumber(high, 2)});
}

// The runs of a series: consecutive rated points, a refused one ending a run.
void addRuns(ChartSeries& series, const ChartPanel& panel, const Sweep& sweep, double SweepPoint::*value) {
    std::vector<ChartPoint> run;
    for (const SweepPoint& point : sweep.points) {
        if (!point.rated) {
            if (!run.empty()) series.runs.push_back(std::move(run));
            run.clear();
            continue;
        }
        run.push_back({panelX(panel, sweptValue(sweep, point)), panelY(panel, point.*value)});
    }
    if (!run.empty()) series.runs.push_back(std::move(run));
}

// The legend entries of one panel, flowed in lines from `left` to `right`
// with their first line's middle at `y`; returns the middle of the last line.
double flowLegend(ChartLayout& layout, const std::vector<ChartLegendEntry>& entries, double left, double right,
                  double y, double size, double sample, double lineStep) {
    double x = left;
    const double gap = size * 1.3;
    for (ChartLegendEntry entry : entries) {
        const double width = sample + size * 0.5 + textWidth(entry.name, size);
        if (x > left && x + width > right) {
            x = left;
            y += lineStep;
        }
        entry.at = {x, y};
        entry.length = sample;
        layout.texts.push_back(makeText(entry.name, x + sample + size * 0.5, y + size * 0.36, TextAnchor::Start, size));
        layout.legend.push_back(std::move(entry));
        x += width + gap;
    }
    return y;
}

// How many lines flowLegend will need.
int legendLines(const std::vector<ChartLegendEntry>& entries, double width, double size, double sample) {
    int lines = 1;
    double x = 0;
    for (const ChartLegendEntry& entry : entries) {
        const double w = sample + size * 0.5 + textWidth(entry.name, size);
        if (x > 0 && x + w > width) {
            ++lines;
            x = 0;
        }
        x += w + size * 1.3;
    }
    return lines;
}

ChartLegendEntry seriesEntry(const ChartSeries& series) {
    ChartLegendEntry entry;
    entry.name = series.name;
    entry.stroke = series.stroke;
    entry.marker = series.marker;
    return entry;
}

ChartLegendEntry bandEntry(const ChartBand& band) {
    ChartLegendEntry entry;
    entry.name = band.name;
    entry.stroke = band.edge;
    entry.band = true;
    entry.fill = band.fill;
    return entry;
}

// The capacity of a point as a text with its unit and share of the duty.
std::string capacityWords(const Sweep& sweep, const SweepPoint& point) {
    const std::string capacity = point.rated ? trimmed(point.row[column::kCapacity]) : trimmed(point.capacity);
    return capacity + " " + capacityUnit(sweep.siUnits) + " (" + shortNumber(point.x, 2) + " %)";
}

std::string suctionWords(const Sweep& sweep, const SweepPoint& point) {
    const std::string suction = point.rated ? trimmed(point.row[column::kSuction]) : trimmed(point.suction);
    return suction + " " + temperatureUnit(sweep.siUnits);
}

// A message as one line: its line breaks and the blanks round them become one space.
std::string oneLine(const std::string& message) {
    std::string line;
    bool blank = false;
    for (const char c : message) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank && !line.empty()) line += ' ';
        blank = false;
        line += c;
    }
    return line;
}

}  // namespace

double panelX(const ChartPanel& panel, double value) {
    const ChartAxis& axis = panel.xAxis;
    return panel.plot.left + (value - axis.min) / (axis.max - axis.min) * panel.plot.width;
}

double panelY(const ChartPanel& panel, double value) {
    const ChartAxis& axis = panel.yAxis;
    return panel.plot.top + panel.plot.height - (value - axis.min) / (axis.max - axis.min) * panel.plot.height;
}

ChartLayout layoutChart(const Sweep& sweep, double width, double height) {
    ChartLayout layout;
    if (!std::isfinite(width) || width < 1) width = 1;
    if (!std::isfinite(height) || height < 1) height = 1;
    layout.width = width;
    layout.height = height;
    const bool si = sweep.siUnits;

    const ChartType type = chartType(width, height);
    const double scale = type.scale;
    const double font = type.font;
    const double titleFont = type.titleFont;
    const double smallFont = font * 0.95;
    const double pad = type.pad;
    const double sample = font * 2.6;
    const double lineStep = font * 1.45;
    layout.markerSize = std::clamp(3.7 * scale, 2.8, 6.5);
    layout.tickLength = std::clamp(4 * scale, 3.0, 6.0);

    const ResultRow& duty = sweep.dutyRow;
    layout.title = trimmed(duty[column::kPartNumber]) + " · " + trimmed(duty[column::kRefrigerant]);
    // TRANSLATORS: a chart's subtitle: %1$s the capacity, %2$s its unit, %3$s the suction temperature, %4$s the
    // temperatures' unit, %5$s the liquid temperature, %6$s the tube length in inches ("in").
    layout.subtitle = formatText(tr("Duty: %1$s %2$s, suction %3$s %4$s, liquid %5$s %4$s, tube length %6$s in"),
                                 {trimmed(duty[column::kCapacity]), capacityUnit(si), trimmed(duty[column::kSuction]),
                                  temperatureUnit(si), trimmed(duty[column::kLiquid]), trimmed(duty[column::kLength])});

    // The data the axes must hold.
    double xLow = dutyValue(sweep);
    double xHigh = xLow;
    double dropHigh = 0;
    double loadHigh = std::max(sweep.nozzleWindowHigh, sweep.tubeWindowHigh);
    layout.empty = true;
    for (const SweepPoint& point : sweep.points) {
        const double x = sweptValue(sweep, point);
        xLow = std::min(xLow, x);
        xHigh = std::max(xHigh, x);
        if (!point.rated) continue;
        layout.empty = false;
        dropHigh = std::max({dropHigh, point.totalDrop, point.nozzleDrop, point.tubeDrop});
        loadHigh = std::max({loadHigh, point.nozzleLoad, point.tubeLoad});
    }

    ChartPanel drops;
    ChartPanel loads;
    // TRANSLATORS: the chart's legend: the pressure drops and loads drawn.
    drops.series.push_back(makeSeries(tr("Total drop"), kTotalColour, 2.4, {}, MarkerShape::Circle));
    // A venturi has no nozzle: the drop and load are its body's, and the
    // search holds only its tubes to a window.
    const bool venturi = trimmed(duty[column::kStyle]) == "Venturi";
    drops.series.push_back(
        makeSeries(venturi ? tr("Body drop") : tr("Nozzle drop"), kNozzleColour, 1.7, {7, 4}, MarkerShape::Square));
    drops.series.push_back(makeSeries(tr("Tube drop"), kTubeColour, 1.7, {2, 2.5}, MarkerShape::Triangle));
    loads.series.push_back(
        makeSeries(venturi ? tr("Body load") : tr("Nozzle load"), kNozzleColour, 1.7, {7, 4}, MarkerShape::Square));
    loads.series.push_back(makeSeries(tr("Tube load"), kTubeColour, 1.7, {2, 2.5}, MarkerShape::Triangle));
    ChartBand nozzleWindow;
    nozzleWindow.name =
        // TRANSLATORS: a legend entry: the loads the search accepts, from %1$s to %2$s percent of the rated load.
        windowName(N_("Nozzle load window %1$s-%2$s %%"), sweep.nozzleWindowLow, sweep.nozzleWindowHigh);
    nozzleWindow.fill = kNozzleWindowFill;
    nozzleWindow.edge = {0xc07a3a, 1.0, {8, 3}};
    ChartBand tubeWindow;
    // TRANSLATORS: a legend entry: the loads the search accepts, from %1$s to %2$s percent of the rated load.
    tubeWindow.name = windowName(N_("Tube load window %1$s-%2$s %%"), sweep.tubeWindowLow, sweep.tubeWindowHigh);
    tubeWindow.fill = kTubeWindowFill;
    tubeWindow.edge = {0x4a9a5e, 1.0, {1.5, 2}};

    // Legends of each panel sit above it, so they never cover a curve.
    std::vector<ChartLegendEntry> dropEntries;
    for (const ChartSeries& series : drops.series) dropEntries.push_back(seriesEntry(series));
    std::vector<ChartLegendEntry> loadEntries;
    for (const ChartSeries& series : loads.series) loadEntries.push_back(seriesEntry(series));
    if (!venturi) loadEntries.push_back(bandEntry(nozzleWindow));
    loadEntries.push_back(bandEntry(tubeWindow));

    drops.xAxis.title = sweep.kind == SweepKind::Capacity
                            // TRANSLATORS: the charts' axes; %s is the unit.
                            ? formatText(tr("Capacity (%s)"), {capacityUnit(si)})
                            : formatText(tr("Suction temperature (%s)"), {temperatureUnit(si)});
    drops.yAxis.title = formatText(tr("Pressure drop (%s)"), {dropUnit(si)});
    // xgettext:no-c-format
    loads.yAxis.title = tr("Load (%)");

    // Vertical budget, from the top: title, subtitle, drop legend, the duty
    // label, the drop panel, the load legend, the load panel, the x tick
    // labels and the x title.
    const double titleBase = pad + titleFont;
    const double subtitleBase = titleBase + smallFont * 1.5;

    // The left margin holds the y title and the widest tick label. The tick
    // labels come from the axes, which need the panels' heights, which need
    // the legends' lines, which need the margin: it starts at three
    // characters and only grows, so a pass or two settles it.
    const double right = width - pad - font * 1.2;
    const double legendRight = width - pad;
    auto labelRoom = [&](const ChartAxis& axis) {
        double widest = 0;
        for (const std::string& label : axis.labels) widest = std::max(widest, textWidth(label, smallFont));
        return widest;
    };
    auto yIntervals = [&](double length) { return std::clamp(static_cast<int>(length / (smallFont * 2.2)), 2, 7); };
    const double dropLegendTop = subtitleBase + font * 0.9;
    const double bottomRoom = layout.tickLength + smallFont * 1.4 + font * 1.5 + pad;
    double left = pad + font * 1.6 + smallFont * 3 * kCharWidth + layout.tickLength + 6;
    double dropsTop = 0;
    double dropsHeight = 0;
    double loadsHeight = 0;
    double loadsTop = 0;
    for (int pass = 0; pass < 3; ++pass) {
        const int dropLines = legendLines(dropEntries, legendRight - left, font, sample);
        const int loadLines = legendLines(loadEntries, legendRight - left, font, sample);
        dropsTop = dropLegendTop + dropLines * lineStep + font * 1.2;
        const double loadLegendRoom = loadLines * lineStep + font * 1.2;
        const double plotRoom = std::max(20.0, height - dropsTop - bottomRoom - loadLegendRoom);
        dropsHeight = plotRoom * 0.56;
        loadsHeight = plotRoom - dropsHeight;
        loadsTop = dropsTop + dropsHeight + loadLegendRoom;
        niceAxis(drops.yAxis, 0, dropHigh, yIntervals(dropsHeight));
        niceAxis(loads.yAxis, 0, loadHigh, yIntervals(loadsHeight));
        if (layout.empty) {
            // Nothing to read off a scale that no point set.
            drops.yAxis.ticks.clear();
            drops.yAxis.labels.clear();
        }
        const double needed =
            pad + font * 1.6 + std::max(labelRoom(drops.yAxis), labelRoom(loads.yAxis)) + layout.tickLength + 6;
        if (needed <= left) break;
        left = needed;
    }
    const double plotWidth = std::max(10.0, right - left);

    // The x labels want room of their own: about six characters each.
    const int xIntervals = std::clamp(static_cast<int>(plotWidth / (smallFont * kCharWidth * 6 + smallFont * 2)), 2, 8);
    niceAxis(drops.xAxis, xLow, xHigh, xIntervals);
    loads.xAxis = drops.xAxis;
    loads.xAxis.title = drops.xAxis.title;

    drops.plot = {left, dropsTop, plotWidth, std::max(5.0, dropsHeight)};
    loads.plot = {left, loadsTop, plotWidth, std::max(5.0, loadsHeight)};

    for (const auto& [band, low, high] : {std::make_tuple(&nozzleWindow, sweep.nozzleWindowLow, sweep.nozzleWindowHigh),
                                          std::make_tuple(&tubeWindow, sweep.tubeWindowLow, sweep.tubeWindowHigh)}) {
        band->top = panelY(loads, std::max(low, high));
        band->bottom = panelY(loads, std::min(low, high));
        if (band != &nozzleWindow || !venturi) loads.bands.push_back(*band);
    }
    addRuns(drops.series[0], drops, sweep, &SweepPoint::totalDrop);
    addRuns(drops.series[1], drops, sweep, &SweepPoint::nozzleDrop);
    addRuns(drops.series[2], drops, sweep, &SweepPoint::tubeDrop);
    addRuns(loads.series[0], loads, sweep, &SweepPoint::nozzleLoad);
    addRuns(loads.series[1], loads, sweep, &SweepPoint::tubeLoad);
    layout.dutyX = panelX(drops, dutyValue(sweep));

    // Texts.
    layout.texts.push_back(makeText(layout.title, pad, titleBase, TextAnchor::Start, titleFont, 0x000000));
    layout.texts.back().bold = true;
    layout.texts.push_back(makeText(layout.subtitle, pad, subtitleBase, TextAnchor::Start, smallFont));
    flowLegend(layout, dropEntries, left, legendRight, dropLegendTop + lineStep * 0.5, font, sample, lineStep);
    flowLegend(layout, loadEntries, left, legendRight, drops.plot.top + drops.plot.height + font * 0.7 + lineStep * 0.5,
               font, sample, lineStep);
    layout.texts.push_back(
        // TRANSLATORS: the label over the chart's line at the duty's own point.
        makeText(trc("chart", "Duty"), layout.dutyX, dropsTop - font * 0.35, TextAnchor::Middle, smallFont,
                 kDutyColour));
    layout.texts.back().bold = true;

    for (ChartPanel* panel : {&drops, &loads}) {
        const ChartAxis& y = panel->yAxis;
        for (std::size_t i = 0; i < y.ticks.size(); ++i)
            layout.texts.push_back(makeText(y.labels[i], left - layout.tickLength - 3,
                                            panelY(*panel, y.ticks[i]) + smallFont * 0.36, TextAnchor::End, smallFont));
        ChartText title =
            makeText(y.title, pad + font, panel->plot.top + panel->plot.height / 2, TextAnchor::Middle, font);
        title.vertical = true;
        layout.texts.push_back(std::move(title));
    }
    const double axisBottom = loads.plot.top + loads.plot.height;
    const ChartAxis& x = loads.xAxis;
    for (std::size_t i = 0; i < x.ticks.size(); ++i)
        layout.texts.push_back(makeText(x.labels[i], panelX(loads, x.ticks[i]),
                                        axisBottom + layout.tickLength + smallFont * 1.1, TextAnchor::Middle,
                                        smallFont));
    layout.texts.push_back(makeText(x.title, left + plotWidth / 2,
                                    axisBottom + layout.tickLength + smallFont * 1.4 + font * 1.1, TextAnchor::Middle,
                                    font));
    if (layout.empty) {
        layout.texts.push_back(makeText(tr("No point of this sweep could be rated."), left + plotWidth / 2,
                                        drops.plot.top + drops.plot.height / 2, TextAnchor::Middle, titleFont,
                                        0x000000));
    }

    layout.panels.push_back(std::move(drops));
    layout.panels.push_back(std::move(loads));
    return layout;
}

double pointX(const ChartLayout& layout, const Sweep& sweep, int index) {
    if (layout.panels.empty() || index < 0 || index >= static_cast<int>(sweep.points.size())) return 0.0;
    return panelX(layout.panels.front(), sweptValue(sweep, sweep.points[static_cast<std::size_t>(index)]));
}

ChartLayout layoutRowChart(const SweepOutcome& outcome, const ResultRow& row, double width, double height) {
    if (outcome.ok) return layoutChart(outcome.sweep, width, height);
    ChartLayout layout;
    layout.width = std::isfinite(width) && width >= 1 ? width : 1;
    layout.height = std::isfinite(height) && height >= 1 ? height : 1;
    layout.empty = true;
    layout.title = trimmed(row[column::kPartNumber]) + " · " + trimmed(row[column::kRefrigerant]);
    const ChartType type = chartType(layout.width, layout.height);
    ChartText title =
        makeText(layout.title, type.pad, type.pad + type.titleFont, TextAnchor::Start, type.titleFont, 0x000000);
    title.bold = true;
    layout.texts.push_back(std::move(title));
    // TRANSLATORS: %s says why the distributor could not be rated.
    layout.texts.push_back(makeText(formatText(tr("No performance chart: %s"), {oneLine(outcome.message)}),
                                    layout.width / 2, layout.height / 2, TextAnchor::Middle, type.font));
    return layout;
}

int nearestPoint(const ChartLayout& layout, const Sweep& sweep, double x, double y) {
    bool inside = false;
    for (const ChartPanel& panel : layout.panels) inside = inside || panel.plot.contains(x, y);
    if (!inside) return -1;
    int nearest = -1;
    double best = 0;
    for (int i = 0; i < static_cast<int>(sweep.points.size()); ++i) {
        const double distance = std::fabs(pointX(layout, sweep, i) - x);
        if (nearest < 0 || distance < best) {
            nearest = i;
            best = distance;
        }
    }
    return nearest;
}

std::string pointReadout(const Sweep& sweep, int index) {
    if (index < 0 || index >= static_cast<int>(sweep.points.size())) return {};
    const SweepPoint& point = sweep.points[static_cast<std::size_t>(index)];
    const std::string where =
        sweep.kind == SweepKind::Capacity ? capacityWords(sweep, point) : suctionWords(sweep, point);
    if (!point.rated) return where + ": " + oneLine(point.message);
    const std::string unit = dropUnit(sweep.siUnits);
    const ResultRow& row = point.row;
    const bool venturi = trimmed(row[column::kStyle]) == "Venturi";
    const char* pattern =
        // TRANSLATORS: the readout of a chart's point: %1$s where (capacity or suction), %2$s the total pressure drop,
        // %3$s the drops' unit, %4$s the body's or nozzle's drop, %5$s the tubes' drop, %6$s and %7$s their loads in
        // percent.
        venturi ? tr("%1$s: total %2$s %3$s, body %4$s %3$s, tube %5$s %3$s; body load %6$s %%, tube load %7$s %%")
                : tr("%1$s: total %2$s %3$s, nozzle %4$s %3$s, tube %5$s %3$s; nozzle load %6$s %%, tube load %7$s %%");
    return formatText(
        pattern, {where, trimmed(row[column::kTotalDrop]), unit, trimmed(row[column::kNozzleDrop]),
                  trimmed(row[column::kTubeDrop]), trimmed(row[column::kNozzleLoad]), trimmed(row[column::kTubeLoad])});
}

std::string chartFileName(const std::string& partNumber) {
    std::string name(trimmedBlanks(partNumber));
    // A part number's fraction would be a folder to the file dialog; the
    // characters other systems refuse in a name go the same way.
    for (char& c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7f || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    // Nor hidden, nor a name some systems would cut short.
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (!name.empty() && name.front() == '.') name.front() = '_';
    return (name.empty() ? std::string("chart") : name) + ".png";
}

}  // namespace vantrel
