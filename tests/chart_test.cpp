// The chart of a sweep: its layout from real sweeps of the shipped catalog,
// and its pictures (SVG, PNG) drawn from that layout.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "chart/chart_canvas.h"
#include "chart/chart_layout.h"
#include "curve/sweep.h"
#include "engine/number_text.h"
#include "form/selection_form.h"
#include "render/chart_image.h"
#include "test_support.h"
#include "util/files.h"

namespace vantrel {
namespace {

using test::shippedForm;

Sweep makeSweep(bool si, SweepRange range, const char* part = "5-4-4", const char* capacity = nullptr) {
    FormInputs duty;
    duty.partNumber = part;
    duty.capacity = capacity ? capacity : si ? "5.3" : "1.5";
    if (si) {
        duty.suctionTemp = "4.4";
        duty.liquidTemp = "37.8";
    }
    const SweepOutcome outcome = sweepDistributor(shippedForm(si), duty, range);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    return outcome.sweep;
}

struct NamedSweep {
    const char* name;
    Sweep sweep;
    const char* title = "5-4-4 · R-22";
    const char* subtitle = nullptr;  ///< the venturi's duty of makeSweep when null
};

std::vector<NamedSweep> everyKindOfSweep() {
    return {{"U.S. capacity", makeSweep(false, defaultSweepRange(SweepKind::Capacity, 40, false))},
            {"SI capacity", makeSweep(true, {SweepKind::Capacity, 25, 150, 12.5})},
            {"U.S. suction", makeSweep(false, defaultSweepRange(SweepKind::Suction, 40, false))},
            {"SI suction", makeSweep(true, defaultSweepRange(SweepKind::Suction, 4.4, true))},
            {"U.S. nozzle capacity",
             makeSweep(false, defaultSweepRange(SweepKind::Capacity, 40, false), "502-8-1/4-8", "8"), "502-8-1/4-8 · R-22",
             "Duty: 8.00 tons, suction 40.0 °F, liquid 100.0 °F, tube length 30.00 in"}};
}

bool isNiceStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double mantissa = step / power;
    for (const double nice : {1.0, 2.0, 2.5, 5.0})
        if (std::fabs(mantissa - nice) < 1e-6) return true;
    return false;
}

void expectNiceAxis(const ChartAxis& axis) {
    ASSERT_GE(axis.ticks.size(), 3u);
    EXPECT_LE(axis.ticks.size(), 9u);
    ASSERT_EQ(axis.labels.size(), axis.ticks.size());
    EXPECT_DOUBLE_EQ(axis.ticks.front(), axis.min);
    EXPECT_DOUBLE_EQ(axis.ticks.back(), axis.max);
    const double step = axis.ticks[1] - axis.ticks[0];
    EXPECT_TRUE(isNiceStep(step)) << step;
    for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
        if (i > 0) {
            EXPECT_NEAR(axis.ticks[i] - axis.ticks[i - 1], step, step * 1e-6);
        }
        EXPECT_NEAR(leadingDouble(axis.labels[i]), axis.ticks[i], step * 1e-6) << axis.labels[i];
        EXPECT_EQ(axis.labels[i].find_first_of(" e"), std::string::npos) << axis.labels[i];
    }
    EXPECT_FALSE(axis.title.empty());
}

bool hasText(const ChartLayout& layout, const std::string& text) {
    return std::any_of(layout.texts.begin(), layout.texts.end(), [&](const ChartText& t) { return t.text == text; });
}

double yOf(const ChartPanel& panel, double value) {
    const ChartAxis& axis = panel.yAxis;
    return panel.plot.top + panel.plot.height * (axis.max - value) / (axis.max - axis.min);
}

std::string cell(const SweepPoint& point, int col) {
    std::string text = point.row[static_cast<std::size_t>(col)];
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

TEST(ChartLayout, AxesBandsAndSeriesHoldEveryRatedPoint) {
    for (const NamedSweep& named : everyKindOfSweep()) {
        const Sweep& sweep = named.sweep;
        for (const auto& [width, height] : {std::pair{800.0, 600.0}, std::pair{400.0, 300.0}}) {
            SCOPED_TRACE(std::string(named.name) + " at " + std::to_string(width));
            const ChartLayout layout = layoutChart(sweep, width, height);
            ASSERT_FALSE(layout.empty);
            ASSERT_EQ(layout.panels.size(), 2u);
            const ChartPanel& drops = layout.panels[0];
            const ChartPanel& loads = layout.panels[1];
            for (const ChartPanel& panel : layout.panels) {
                expectNiceAxis(panel.xAxis);
                expectNiceAxis(panel.yAxis);
                EXPECT_EQ(panel.yAxis.min, 0);
                EXPECT_GT(panel.plot.height, 40);
                EXPECT_GE(panel.plot.left, 0);
                EXPECT_LE(panel.plot.left + panel.plot.width, width);
                EXPECT_LE(panel.plot.top + panel.plot.height, height);
                for (const std::string& label : panel.yAxis.labels) EXPECT_TRUE(hasText(layout, label)) << label;
            }
            // The panels share the swept axis, and the bottom one labels it.
            EXPECT_EQ(drops.xAxis.ticks, loads.xAxis.ticks);
            EXPECT_EQ(drops.plot.left, loads.plot.left);
            EXPECT_EQ(drops.plot.width, loads.plot.width);
            EXPECT_LT(drops.plot.top + drops.plot.height, loads.plot.top);
            for (const std::string& label : loads.xAxis.labels) EXPECT_TRUE(hasText(layout, label)) << label;
            EXPECT_TRUE(hasText(layout, drops.yAxis.title));
            EXPECT_TRUE(hasText(layout, loads.yAxis.title));
            EXPECT_TRUE(hasText(layout, loads.xAxis.title));
            EXPECT_EQ(drops.yAxis.title, sweep.siUnits ? "Pressure drop (kPa)" : "Pressure drop (psi)");
            EXPECT_EQ(loads.yAxis.title, "Load (%)");
            const char* xTitle = sweep.kind == SweepKind::Capacity
                                     ? (sweep.siUnits ? "Capacity (kW)" : "Capacity (tons)")
                                     : (sweep.siUnits ? "Suction temperature (°C)" : "Suction temperature (°F)");
            EXPECT_EQ(loads.xAxis.title, xTitle);

            std::size_t rated = 0;
            for (const SweepPoint& point : sweep.points) {
                const double x = sweep.kind == SweepKind::Capacity ? leadingDouble(point.capacity) : point.x;
                EXPECT_GE(x, drops.xAxis.min);
                EXPECT_LE(x, drops.xAxis.max);
                if (!point.rated) continue;
                ++rated;
                EXPECT_LE(std::max({point.totalDrop, point.nozzleDrop, point.tubeDrop}), drops.yAxis.max);
                EXPECT_LE(std::max(point.nozzleLoad, point.tubeLoad), loads.yAxis.max);
            }
            // Every rated point is a vertex of each series, inside its plot.
            for (const ChartPanel& panel : layout.panels) {
                for (const ChartSeries& series : panel.series) {
                    std::size_t vertices = 0;
                    for (const auto& run : series.runs) {
                        vertices += run.size();
                        // A point at the axis' end lies on the edge, within rounding.
                        const ChartRect edge{panel.plot.left - 1e-9, panel.plot.top - 1e-9, panel.plot.width + 2e-9,
                                             panel.plot.height + 2e-9};
                        for (const ChartPoint& p : run) EXPECT_TRUE(edge.contains(p.x, p.y)) << series.name;
                    }
                    EXPECT_EQ(vertices, rated) << series.name;
                }
            }
            const auto firstRated = std::find_if(sweep.points.begin(), sweep.points.end(),
                                                 [](const SweepPoint& point) { return point.rated; });
            EXPECT_NEAR(drops.series[0].runs.front().front().y, yOf(drops, firstRated->totalDrop), 1e-9);

            // The load windows the search holds rows to, at their
            // percentages: nozzle then tube; a venturi's tubes only, its
            // body named as such.
            const bool venturi = cell(sweep.points.front(), column::kStyle) == "Venturi";
            EXPECT_EQ(drops.series[1].name, venturi ? "Body drop" : "Nozzle drop");
            EXPECT_EQ(loads.series[0].name, venturi ? "Body load" : "Nozzle load");
            ASSERT_EQ(loads.bands.size(), venturi ? 1u : 2u);
            EXPECT_GE(loads.yAxis.max, std::max(sweep.nozzleWindowHigh, sweep.tubeWindowHigh));
            if (!venturi) {
                EXPECT_NEAR(loads.bands[0].top, yOf(loads, sweep.nozzleWindowHigh), 1e-9);
                EXPECT_NEAR(loads.bands[0].bottom, yOf(loads, sweep.nozzleWindowLow), 1e-9);
                EXPECT_NE(loads.bands[0].fill, loads.bands[1].fill);
                EXPECT_NE(loads.bands[0].edge.dashes, loads.bands[1].edge.dashes);
            }
            EXPECT_NEAR(loads.bands.back().top, yOf(loads, sweep.tubeWindowHigh), 1e-9);
            EXPECT_NEAR(loads.bands.back().bottom, yOf(loads, sweep.tubeWindowLow), 1e-9);

            // Series of a panel differ in dashes and markers, not only colour.
            for (const ChartPanel& panel : layout.panels) {
                for (std::size_t i = 0; i < panel.series.size(); ++i)
                    for (std::size_t j = i + 1; j < panel.series.size(); ++j) {
                        EXPECT_NE(panel.series[i].stroke.dashes, panel.series[j].stroke.dashes);
                        EXPECT_NE(panel.series[i].marker, panel.series[j].marker);
                    }
            }

            // The legend names every series and window, and sits outside the plots.
            std::vector<std::string> names;
            for (const ChartPanel& panel : layout.panels) {
                for (const ChartSeries& series : panel.series) names.push_back(series.name);
                for (const ChartBand& band : panel.bands) names.push_back(band.name);
            }
            ASSERT_EQ(layout.legend.size(), names.size());
            for (std::size_t i = 0; i < names.size(); ++i) {
                EXPECT_EQ(layout.legend[i].name, names[i]);
                EXPECT_TRUE(hasText(layout, names[i]));
                for (const ChartPanel& panel : layout.panels)
                    EXPECT_FALSE(panel.plot.contains(layout.legend[i].at.x, layout.legend[i].at.y)) << names[i];
            }
            for (const ChartText& text : layout.texts) {
                EXPECT_GE(text.at.x, 0) << text.text;
                EXPECT_LE(text.at.x, width) << text.text;
                EXPECT_GE(text.at.y, 0) << text.text;
                EXPECT_LE(text.at.y, height) << text.text;
                EXPECT_GE(text.size, 8) << text.text;
            }

            EXPECT_GT(layout.dutyX, drops.plot.left);
            EXPECT_LT(layout.dutyX, drops.plot.left + drops.plot.width);
            EXPECT_TRUE(hasText(layout, "Duty"));
            EXPECT_EQ(layout.title, named.title);
            EXPECT_TRUE(hasText(layout, layout.title));
            EXPECT_EQ(layout.subtitle, named.subtitle ? named.subtitle : sweep.siUnits
                                           ? "Duty: 5.3 kW, suction 4.40 °C, liquid 37.80 °C, tube length 30.00 in"
                                           : "Duty: 1.50 tons, suction 40.0 °F, liquid 100.0 °F, tube length 30.00 in");
        }
    }
}

TEST(ChartLayout, DutyLiesAtItsPoint) {
    // The duty is one of the default points: the marker line passes through it.
    for (const NamedSweep& named : everyKindOfSweep()) {
        if (std::string(named.name) == "SI capacity") continue;
        const ChartLayout layout = layoutChart(named.sweep, 800, 600);
        bool found = false;
        for (int i = 0; i < static_cast<int>(named.sweep.points.size()); ++i) {
            if (named.sweep.points[static_cast<std::size_t>(i)].x != named.sweep.dutyX) continue;
            found = true;
            EXPECT_NEAR(pointX(layout, named.sweep, i), layout.dutyX, 1e-6) << named.name;
        }
        EXPECT_TRUE(found) << named.name;
    }
}

TEST(ChartLayout, PointerFindsThePointUnderIt) {
    for (const NamedSweep& named : everyKindOfSweep()) {
        const Sweep& sweep = named.sweep;
        const ChartLayout layout = layoutChart(sweep, 640, 480);
        for (const ChartPanel& panel : layout.panels) {
            const double y = panel.plot.top + panel.plot.height / 3;
            for (int i = 0; i < static_cast<int>(sweep.points.size()); ++i)
                EXPECT_EQ(nearestPoint(layout, sweep, pointX(layout, sweep, i), y), i) << named.name;
            // Halfway past the last point still finds it while inside the plot.
            EXPECT_EQ(nearestPoint(layout, sweep, panel.plot.left + panel.plot.width, y),
                      static_cast<int>(sweep.points.size()) - 1);
        }
        const ChartPanel& drops = layout.panels[0];
        const ChartPanel& loads = layout.panels[1];
        const double x = pointX(layout, sweep, 0);
        EXPECT_EQ(nearestPoint(layout, sweep, x, drops.plot.top - 2), -1);
        EXPECT_EQ(nearestPoint(layout, sweep, x, (drops.plot.top + drops.plot.height + loads.plot.top) / 2), -1);
        EXPECT_EQ(nearestPoint(layout, sweep, drops.plot.left - 1, drops.plot.top + 5), -1);
        EXPECT_EQ(nearestPoint(layout, sweep, 0, 0), -1);
    }
}

TEST(ChartLayout, RefusedPointsAreGapsAndSayWhy) {
    // Past 70 °F the Rate refuses: the series stop there, the axis runs on.
    Sweep sweep = makeSweep(false, {SweepKind::Suction, 50, 90, 5});
    ASSERT_EQ(sweep.points.size(), 9u);
    ASSERT_TRUE(sweep.points[4].rated);
    ASSERT_FALSE(sweep.points[5].rated);
    ChartLayout layout = layoutChart(sweep, 800, 600);
    for (const ChartPanel& panel : layout.panels) {
        EXPECT_GE(panel.xAxis.max, 90);
        for (const ChartSeries& series : panel.series) {
            ASSERT_EQ(series.runs.size(), 1u) << series.name;
            EXPECT_EQ(series.runs[0].size(), 5u);
        }
    }
    EXPECT_EQ(pointReadout(sweep, 5), "75 °F: Suction temperature must be between -50 and 70°F (-45.6°C and 21.1°C).");
    const SweepPoint& at50 = sweep.points[0];
    EXPECT_EQ(pointReadout(sweep, 0),
              "50.0 °F: total " + cell(at50, column::kTotalDrop) + " psi, body " + cell(at50, column::kNozzleDrop) +
                  " psi, tube " + cell(at50, column::kTubeDrop) + " psi; body load " +
                  cell(at50, column::kNozzleLoad) + " %, tube load " + cell(at50, column::kTubeLoad) + " %");
    EXPECT_EQ(pointReadout(sweep, -1), "");
    EXPECT_EQ(pointReadout(sweep, 9), "");

    // A refusal inside the range splits each series in two; its readout is
    // one line however the message is broken.
    sweep.points[2].rated = false;
    sweep.points[2].message = "Number of circuits must be between 2 and 50. \n Otherwise, leave blank.";
    layout = layoutChart(sweep, 800, 600);
    for (const ChartPanel& panel : layout.panels) {
        for (const ChartSeries& series : panel.series) {
            ASSERT_EQ(series.runs.size(), 2u) << series.name;
            EXPECT_EQ(series.runs[0].size(), 2u);
            EXPECT_EQ(series.runs[1].size(), 2u);
            EXPECT_LT(series.runs[0].back().x, pointX(layout, sweep, 2));
            EXPECT_GT(series.runs[1].front().x, pointX(layout, sweep, 2));
        }
    }
    EXPECT_EQ(pointReadout(sweep, 2), "60 °F: Number of circuits must be between 2 and 50. Otherwise, leave blank.");
}

TEST(ChartLayout, CapacityReadoutsInTheSweepsUnits) {
    // A nozzle body refuses a quarter of its duty.
    FormInputs duty;
    duty.partNumber = "502-8-1/4-8";
    duty.capacity = "8";
    const SweepOutcome outcome = sweepDistributor(shippedForm(false), duty, {SweepKind::Capacity, 25, 150, 25});
    ASSERT_TRUE(outcome.ok) << outcome.message;
    const Sweep& us = outcome.sweep;
    ASSERT_EQ(us.points.size(), 6u);
    ASSERT_FALSE(us.points[0].rated);
    EXPECT_EQ(pointReadout(us, 0), "2 tons (25 %): " + us.points[0].message);
    EXPECT_EQ(pointReadout(us, 3),
              "8.00 tons (100 %): total 26.7 psi, nozzle 18.7 psi, tube 8.0 psi; "
              "nozzle load 85.2 %, tube load 88.1 %");
    // The refused point still has its place on the axis, left of the first curve point.
    const ChartLayout layout = layoutChart(us, 800, 600);
    EXPECT_LT(pointX(layout, us, 0), layout.panels[0].series[0].runs.front().front().x);
    EXPECT_EQ(nearestPoint(layout, us, pointX(layout, us, 0), layout.panels[1].plot.top + 1), 0);

    const Sweep si = makeSweep(true, {SweepKind::Capacity, 12.5, 25, 12.5});
    ASSERT_TRUE(si.points[0].rated);
    EXPECT_EQ(pointReadout(si, 0).rfind("0.7 kW (12.5 %): total ", 0), 0u) << pointReadout(si, 0);
    EXPECT_NE(pointReadout(si, 0).find(" kPa, tube "), std::string::npos);
}

TEST(ChartLayout, SaveAsOffersThePartNumberAsOneFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"703-8-1/4-6", "703-8-1_4-6.png"},
        {"5-4-8", "5-4-8.png"},
        {"S9-2.5-12", "S9-2.5-12.png"},
        {"1104-14-1/4-1/2", "1104-14-1_4-1_2.png"},
        {" 503-4-1/4-5 ", "503-4-1_4-5.png"},
        {"..\\a:b*c?\"d<e>f|g\x01h.", "_._a_b_c__d_e_f_g_h.png"},
        {"", "chart.png"},
        {".", "chart.png"},
    };
    for (const auto& [part, name] : cases) EXPECT_EQ(chartFileName(part), name) << part;
}

TEST(ChartLayout, NoRatedPointLeavesTheChartEmpty) {
    const Sweep sweep = makeSweep(false, {SweepKind::Suction, 75, 90, 5});
    ASSERT_FALSE(sweep.points.empty());
    const ChartLayout layout = layoutChart(sweep, 800, 600);
    EXPECT_TRUE(layout.empty);
    EXPECT_TRUE(hasText(layout, "No point of this sweep could be rated."));
    ASSERT_EQ(layout.panels.size(), 2u);
    for (const ChartPanel& panel : layout.panels)
        for (const ChartSeries& series : panel.series) EXPECT_TRUE(series.runs.empty());
    EXPECT_FALSE(layoutChart(makeSweep(false, {SweepKind::Suction, 65, 90, 5}), 800, 600).empty);
    // Sizes no window has still give a layout inside the page.
    for (const double size : {0.0, -5.0, std::nan("")}) {
        const ChartLayout tiny = layoutChart(sweep, size, size);
        EXPECT_GE(tiny.width, 1);
        EXPECT_GE(tiny.height, 1);
    }
}

// Numbers of more than two decimals in an SVG document.
bool hasLongNumbers(const std::string& svg) { return std::regex_search(svg, std::regex("[0-9]\\.[0-9]{3}")); }

TEST(ChartSvg, WellFormedWithEveryLabel) {
    std::vector<NamedSweep> sweeps = everyKindOfSweep();
    sweeps[0].sweep.dutyRow[column::kPartNumber] = "A&B<1> \"x\"";
    sweeps.push_back({"empty", makeSweep(true, {SweepKind::Suction, 22.5, 30, 2.5})});
    const std::string noLint = test::missingTool("xmllint");
    const bool lint = noLint.empty();
    test::TempDir dir;
    for (const NamedSweep& named : sweeps) {
        SCOPED_TRACE(named.name);
        const ChartLayout layout = layoutChart(named.sweep, 800, 600);
        const std::string svg = chartSvg(layout);
        EXPECT_EQ(svg.rfind("<?xml version=\"1.0\"", 0), 0u);
        EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"800\" height=\"600\" "
                           "viewBox=\"0 0 800 600\">"),
                  std::string::npos);
        EXPECT_FALSE(hasLongNumbers(svg));
        EXPECT_NE(svg.find(">Duty</text>"), std::string::npos);
        for (const ChartPanel& panel : layout.panels) {
            for (const std::string& label : panel.yAxis.labels)
                EXPECT_NE(svg.find(">" + label + "</text>"), std::string::npos);
        }
        for (const std::string& label : layout.panels[1].xAxis.labels)
            EXPECT_NE(svg.find(">" + label + "</text>"), std::string::npos) << label;
        EXPECT_NE(svg.find("stroke-dasharray=\"7 4\""), std::string::npos);
        EXPECT_NE(svg.find("clip-path=\"url(#clip1)\""), std::string::npos);
        EXPECT_NE(svg.find("transform=\"rotate(-90 "), std::string::npos);

        const std::string path = dir.path() + "/chart.svg";
        std::string error;
        ASSERT_TRUE(writeChartSvg(layout, path, error)) << error;
        std::string written;
        ASSERT_TRUE(readWholeFile(path, written));
        EXPECT_EQ(written, svg);
        if (lint) {
            EXPECT_EQ(test::runProgram({"xmllint", "--noout", path}).exitCode, 0);
        }
    }
    const std::string escaped = chartSvg(layoutChart(sweeps[0].sweep, 800, 600));
    EXPECT_NE(escaped.find(">A&amp;B&lt;1&gt; &quot;x&quot; · R-22</text>"), std::string::npos);
    EXPECT_NE(
        chartSvg(layoutChart(sweeps.back().sweep, 800, 600)).find(">No point of this sweep could be rated.</text>"),
        std::string::npos);
    if (!lint) GTEST_SKIP() << noLint;
}

struct PngReader {
    const std::string& data;
    std::size_t at = 0;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length) {
    PngReader& reader = *static_cast<PngReader*>(closure);
    if (reader.data.size() - reader.at < length) return CAIRO_STATUS_READ_ERROR;
    std::copy_n(reader.data.data() + reader.at, length, out);
    reader.at += length;
    return CAIRO_STATUS_SUCCESS;
}

// The width and height of a PNG as cairo decodes it; 0 by 0 when it cannot.
std::pair<int, int> pngSize(const std::string& png) {
    PngReader reader{png};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readPng, &reader);
    std::pair<int, int> size{0, 0};
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
        size = {cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
    cairo_surface_destroy(surface);
    return size;
}

TEST(ChartImage, PngDecodesAtItsSize) {
    const Sweep sweep = makeSweep(false, defaultSweepRange(SweepKind::Capacity, 40, false));
    const ChartLayout layout = layoutChart(sweep, 400, 300);
    const std::string png = chartPng(layout);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(pngSize(png), (std::pair{400, 300}));
    EXPECT_EQ(pngSize(chartPng(layout, 2)), (std::pair{800, 600}));
    // Sizes beyond reason are kept within 8000 pixels, and nothing is never less than one.
    ChartLayout odd = layout;
    odd.width = 0;
    odd.height = 0;
    EXPECT_EQ(pngSize(chartPng(odd)), (std::pair{1, 1}));
    EXPECT_EQ(pngSize(chartPng(layout, 1e9)), (std::pair{8000, 6000}));
    EXPECT_EQ(pngSize(chartPng(layout, -3)), (std::pair{400, 300}));
}

TEST(ChartImage, DrawsTheCurvesOnWhite) {
    const Sweep sweep = makeSweep(false, defaultSweepRange(SweepKind::Suction, 40, false));
    const ChartLayout layout = layoutChart(sweep, 800, 600);
    const ChartImage image = renderChartImage(layout);
    ASSERT_EQ(image.width, 800);
    ASSERT_EQ(image.height, 600);
    ASSERT_EQ(image.pixels.size(), 800u * 600u);
    auto pixel = [&](double x, double y) {
        return image.pixels[static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)];
    };
    // Antialiased edges blend a colour with what lies below it.
    auto near = [](std::uint32_t argb, Rgb rgb) {
        for (int shift = 0; shift <= 16; shift += 8) {
            const int a = static_cast<int>((argb >> shift) & 0xff);
            const int b = static_cast<int>((rgb >> shift) & 0xff);
            if (std::abs(a - b) > 24) return false;
        }
        return true;
    };
    EXPECT_EQ(pixel(0, 0), 0xffffffffu);
    EXPECT_EQ(pixel(799, 599), 0xffffffffu);
    for (const ChartPanel& panel : layout.panels) {
        const ChartRect& plot = panel.plot;
        int ink = 0;
        for (double y = plot.top + 2; y < plot.top + plot.height - 2; ++y)
            for (double x = plot.left + 2; x < plot.left + plot.width - 2; ++x) ink += pixel(x, y) != 0xffffffffu;
        EXPECT_GT(ink, 1000);
        // Each series' marker shows in its own colour at its point, also where
        // a venturi's two load curves lie on each other.
        const int reach = static_cast<int>(layout.markerSize) + 1;
        for (const ChartSeries& series : panel.series) {
            for (const ChartPoint& at : series.runs.front()) {
                if (std::fabs(at.x - layout.dutyX) < reach) continue;  // the duty line crosses it
                int own = 0;
                for (int dy = -reach; dy <= reach; ++dy)
                    for (int dx = -reach; dx <= reach; ++dx)
                        own += near(pixel(at.x + dx, at.y + dy), series.stroke.colour);
                EXPECT_GE(own, 4) << series.name << " at " << at.x;
            }
        }
    }
}

TEST(ChartImage, SavesThroughAReplacedFileOrSaysWhy) {
    const Sweep sweep = makeSweep(true, defaultSweepRange(SweepKind::Capacity, 4.4, true));
    const ChartLayout layout = layoutChart(sweep, 600, 450);
    test::TempDir dir;
    std::string error;
    const std::string path = dir.path() + "/chart.png";
    ASSERT_TRUE(writeChartPng(layout, path, error)) << error;
    std::string written;
    ASSERT_TRUE(readWholeFile(path, written));
    EXPECT_EQ(written, chartPng(layout));

    // A folder that cannot exist: a file stands in its place.
    const std::string blocked = dir.write("file", "x") + "/chart.png";
    EXPECT_FALSE(writeChartPng(layout, blocked, error));
    EXPECT_EQ(error.rfind("Cannot save " + blocked + ".\n", 0), 0u) << error;
    EXPECT_GT(error.size(), ("Cannot save " + blocked + ".\n").size());
    EXPECT_FALSE(std::filesystem::exists(blocked));
    error.clear();
    EXPECT_FALSE(writeChartSvg(layout, blocked, error));
    EXPECT_EQ(error.rfind("Cannot save " + blocked + ".\n", 0), 0u) << error;
}

}  // namespace
}  // namespace vantrel
