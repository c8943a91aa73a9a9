#include "render/chart_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <cairo.h>
#include <pango/pangocairo.h>

#include "render/cairo_canvas.h"
#include "i18n/translate.h"

namespace vantrel {
namespace {

// Larger pictures take hundreds of megabytes and are no use to anyone.
constexpr double kMaxPixels = 8000;

using Surface = Owned<cairo_surface_t>;

// Draws the chart on a new image surface; null with `reason` when cairo
// could not make or draw it.
Surface drawSurface(const ChartLayout& layout, double scale, std::string& reason) {
    if (!std::isfinite(scale) || scale <= 0) scale = 1;
    const double width = std::isfinite(layout.width) ? std::max(layout.width, 0.0) : 0.0;
    const double height = std::isfinite(layout.height) ? std::max(layout.height, 0.0) : 0.0;
    const double largest = std::max(width, height) * scale;
    if (largest > kMaxPixels) scale *= kMaxPixels / largest;
    const int pixelsWide = static_cast<int>(std::clamp(std::round(width * scale), 1.0, kMaxPixels));
    const int pixelsHigh = static_cast<int>(std::clamp(std::round(height * scale), 1.0, kMaxPixels));
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelsWide, pixelsHigh));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        reason = cairo_status_to_string(cairo_surface_status(surface.get()));
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, scale, scale);
    {
        CairoCanvas canvas(cr);
        drawChart(layout, canvas);
    }
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS) {
        reason = cairo_status_to_string(status);
        return nullptr;
    }
    cairo_surface_flush(surface.get());
    return surface;
}

std::string pngOf(const ChartLayout& layout, double scale, std::string& reason) {
    const Surface surface = drawSurface(layout, scale, reason);
    if (!surface) return {};
    std::string png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), appendToString, &png);
    if (status != CAIRO_STATUS_SUCCESS) {
        reason = cairo_status_to_string(status);
        return {};
    }
    return png;
}

}  // namespace

ChartImage renderChartImage(const ChartLayout& layout, double scale) {
    ChartImage image;
    std::string reason;
    const Surface surface = drawSurface(layout, scale, reason);
    if (!surface) return image;
    image.width = cairo_image_surface_get_width(surface.get());
    image.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (int row = 0; row < image.height; ++row)
        std::memcpy(&image.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(image.width)],
                    data + static_cast<std::ptrdiff_t>(row) * stride,
                    static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
    return image;
}

std::string chartPng(const ChartLayout& layout, double scale) {
    std::string reason;
    return pngOf(layout, scale, reason);
}

bool writeChartPng(const ChartLayout& layout, const std::string& path, std::string& error, double scale) {
    std::string reason;
    const std::string png = pngOf(layout, scale, reason);
    if (png.empty() && reason.empty()) reason = tr("The picture could not be drawn.");
    return saveChartFile(path, png, reason, error);
}

}  // namespace vantrel
