#include "render/chart_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <cairo.h>
#include <pango/pangocairo.h>

#include "chart/chart_canvas.h"
#include "util/files.h"

namespace vantrel {
namespace {

// Larger pictures take hundreds of megabytes and are no use to anyone.
constexpr double kMaxPixels = 8000;
constexpr double kPi = 3.14159265358979323846;

void setColour(cairo_t* cr, Rgb rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
}

class CairoCanvas : public ChartCanvas {
public:
    explicit CairoCanvas(cairo_t* cr) : cr_(cr), font_(pango_font_description_new()) {
        pango_font_description_set_family(font_, "DejaVu Sans");
    }
    ~CairoCanvas() override { pango_font_description_free(font_); }
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void fillRect(const ChartRect& r, Rgb fill) override {
        cairo_rectangle(cr_, r.left, r.top, r.width, r.height);
        setColour(cr_, fill);
        cairo_fill(cr_);
    }
    void strokeRect(const ChartRect& r, const ChartStroke& stroke) override {
        cairo_rectangle(cr_, r.left, r.top, r.width, r.height);
        applyStroke(stroke);
    }
    void line(ChartPoint from, ChartPoint to, const ChartStroke& stroke) override {
        cairo_move_to(cr_, from.x, from.y);
        cairo_line_to(cr_, to.x, to.y);
        applyStroke(stroke);
    }
    void polyline(const std::vector<ChartPoint>& points, const ChartStroke& stroke) override {
        if (points.empty()) return;
        cairo_move_to(cr_, points.front().x, points.front().y);
        for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        applyStroke(stroke);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
    }
    void marker(ChartPoint at, MarkerShape shape, double s, const ChartStroke& stroke) override {
        switch (shape) {
            case MarkerShape::None: return;
            case MarkerShape::Circle: cairo_arc(cr_, at.x, at.y, s, 0, 2 * kPi); break;
            case MarkerShape::Square:
            case MarkerShape::Triangle:
            case MarkerShape::Diamond: {
                const std::vector<ChartPoint> corners = markerCorners(at, shape, s);
                cairo_move_to(cr_, corners.front().x, corners.front().y);
                for (std::size_t i = 1; i < corners.size(); ++i) cairo_line_to(cr_, corners[i].x, corners[i].y);
                cairo_close_path(cr_);
                break;
            }
            case MarkerShape::Cross:
                cairo_move_to(cr_, at.x - s, at.y - s);
                cairo_line_to(cr_, at.x + s, at.y + s);
                cairo_move_to(cr_, at.x - s, at.y + s);
                cairo_line_to(cr_, at.x + s, at.y - s);
                applyStroke({stroke.colour, 1.5, {}});
                return;
        }
        setColour(cr_, stroke.colour);
        cairo_fill_preserve(cr_);
        applyStroke({stroke.colour, stroke.width, {}});
    }
    void text(const ChartText& t) override {
        if (t.text.empty()) return;
        cairo_save(cr_);
        cairo_translate(cr_, t.at.x, t.at.y);
        if (t.vertical) cairo_rotate(cr_, -kPi / 2);
        PangoLayout* layout = pango_cairo_create_layout(cr_);
        pango_font_description_set_absolute_size(font_, std::max(1.0, t.size) * PANGO_SCALE);
        pango_font_description_set_weight(font_, t.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_layout_set_font_description(layout, font_);
        pango_layout_set_text(layout, t.text.c_str(), static_cast<int>(t.text.size()));
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        const double width = static_cast<double>(logical.width) / PANGO_SCALE;
        const double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
        const double x = t.anchor == TextAnchor::Start ? 0 : t.anchor == TextAnchor::Middle ? -width / 2 : -width;
        setColour(cr_, t.colour);
        cairo_move_to(cr_, x, -baseline);
        pango_cairo_show_layout(cr_, layout);
        g_object_unref(layout);
        cairo_restore(cr_);
    }
    void clip(const ChartRect& r) override {
        cairo_save(cr_);
        cairo_rectangle(cr_, r.left, r.top, r.width, r.height);
        cairo_clip(cr_);
        ++open_;
    }
    void unclip() override {
        if (open_ == 0) return;
        cairo_restore(cr_);
        --open_;
    }

private:
    void applyStroke(const ChartStroke& stroke) {
        setColour(cr_, stroke.colour);
        cairo_set_line_width(cr_, stroke.width);
        cairo_set_dash(cr_, stroke.dashes.empty() ? nullptr : stroke.dashes.data(),
                       static_cast<int>(stroke.dashes.size()), 0);
        cairo_stroke(cr_);
    }

    cairo_t* cr_;
    PangoFontDescription* font_;
    int open_ = 0;
};

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

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

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string pngOf(const ChartLayout& layout, double scale, std::string& reason) {
    const Surface surface = drawSurface(layout, scale, reason);
    if (!surface) return {};
    std::string png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), appendBytes, &png);
    if (status != CAIRO_STATUS_SUCCESS) {
        reason = cairo_status_to_string(status);
        return {};
    }
    return png;
}

bool save(const std::string& path, const std::string& content, const std::string& drawFailure, std::string& error) {
    std::string reason = drawFailure;
    if (reason.empty() && replaceFile(path, content, &reason)) return true;
    error = "Cannot save " + path + ".\n" + reason;
    return false;
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
    if (png.empty() && reason.empty()) reason = "The picture could not be drawn.";
    return save(path, png, reason, error);
}

bool writeChartSvg(const ChartLayout& layout, const std::string& path, std::string& error) {
    return save(path, chartSvg(layout), {}, error);
}

}  // namespace vantrel
