// The chart drawn with cairo and Pango: a picture in memory for the window
// and the clipboard, and PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart/chart_layout.h"

namespace vantrel {

/// Pixels of a drawn chart, row by row from the top, each 0xAARRGGBB
/// (opaque: the chart has a white background).
struct ChartImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

/// Draws `layout` at `scale` pixels per drawing unit.
ChartImage renderChartImage(const ChartLayout& layout, double scale = 1.0);

/// The chart as PNG file content.
std::string chartPng(const ChartLayout& layout, double scale = 1.0);

/// Writes the chart as a PNG file through a temporary neighbour renamed into
/// place; false with `error` ("Cannot save <path>." and the reason) on failure.
bool writeChartPng(const ChartLayout& layout, const std::string& path, std::string& error, double scale = 1.0);

/// Writes the chart as an SVG file the same way. SVG is our own text: no
/// cairo is needed for it.
bool writeChartSvg(const ChartLayout& layout, const std::string& path, std::string& error);

/// Puts a chart file's `content` in place as writeChartPng does, or, when
/// `drawFailure` says why it could not be drawn, writes nothing and fails.
bool saveChartFile(const std::string& path, const std::string& content, const std::string& drawFailure,
                   std::string& error);

}  // namespace vantrel
