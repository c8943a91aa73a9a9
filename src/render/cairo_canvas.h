// The chart's canvas on a cairo context: image surfaces for the window,
// the clipboard and PNG files, and the pages of a PDF report.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include "chart/chart_canvas.h"

namespace vantrel {

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
