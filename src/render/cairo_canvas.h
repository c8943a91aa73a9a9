// The chart's canvas on a cairo context: image surfaces for the window,
// the clipboard and PNG files, and the pages of a PDF report; and the small
// pieces every cairo picture of the program needs.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <memory>

#include "chart/chart_canvas.h"

namespace vantrel {

/// Frees what cairo and Pango hand out, each with its own function.
struct CairoFree {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(PangoFontDescription* font) const { pango_font_description_free(font); }
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
    void operator()(PangoFontMetrics* metrics) const { pango_font_metrics_unref(metrics); }
};
template <typename T>
using Owned = std::unique_ptr<T, CairoFree>;

/// This thread's Pango font map (Pango keeps one per thread), the one
/// pango_cairo_create_layout and pango_cairo_create_context draw with. Code
/// that draws text asks for it first, so that it is built here.
PangoFontMap* pangoFontMap();

/// cairo's write callback for a file made in memory: appends to the
/// std::string `closure` points to.
cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length);

/// cairo's write callback for a file saved as it is made: hands the bytes to
/// the ContentSink `closure` points to; a failed write stops cairo.
cairo_status_t writeToSink(void* closure, const unsigned char* data, unsigned int length);

/// Draws on `cr` in its current user space; texts in DejaVu Sans with Pango.
class CairoCanvas : public ChartCanvas {
public:
    explicit CairoCanvas(cairo_t* cr);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void fillRect(const ChartRect& r, Rgb fill) override;
    void strokeRect(const ChartRect& r, const ChartStroke& stroke) override;
    void line(ChartPoint from, ChartPoint to, const ChartStroke& stroke) override;
    void polyline(const std::vector<ChartPoint>& points, const ChartStroke& stroke) override;
    void marker(ChartPoint at, MarkerShape shape, double s, const ChartStroke& stroke) override;
    void text(const ChartText& t) override;
    void clip(const ChartRect& r) override;
    void unclip() override;

private:
    void applyStroke(const ChartStroke& stroke);

    cairo_t* cr_;
    PangoFontDescription* font_;
    int open_ = 0;
};

}  // namespace vantrel
