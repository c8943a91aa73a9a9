#include "render/cairo_canvas.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <pango/pangocairo.h>

#include "util/files.h"

namespace vantrel {
namespace {

constexpr double kPi = 3.14159265358979323846;

void setColour(cairo_t* cr, Rgb rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
}

#ifdef _WIN32
// Pango's Windows font map lists the faces DirectWrite knows and leaves out
// those DirectWrite cannot name again from their GDI names, but first asks
// the missing name for its family, and GLib says so on standard error:
// under Wine a dozen times, for the Linux fonts Wine shows (DejaVu Sans
// Condensed, Liberation Sans Narrow), whose GDI names are not family names
// of DirectWrite's. The faces are left out either way; only that one
// message goes unsaid, and only while the map is built.
void withoutUnnamedFaceAlarm(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer data) {
    if (std::strcmp(message, "pango_font_description_get_family: assertion 'desc != NULL' failed") != 0)
        g_log_default_handler(domain, level, message, data);
}
#endif

}  // namespace

PangoFontMap* pangoFontMap() {
#ifdef _WIN32
    thread_local bool built = false;
    if (!built) {
        const guint handler = g_log_set_handler("Pango", G_LOG_LEVEL_CRITICAL, withoutUnnamedFaceAlarm, nullptr);
        pango_cairo_font_map_get_default();
        g_log_remove_handler("Pango", handler);
        built = true;
    }
#endif
    return pango_cairo_font_map_get_default();
}

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t writeToSink(void* closure, const unsigned char* data, unsigned int length) {
    const bool written = static_cast<ContentSink*>(closure)->write(reinterpret_cast<const char*>(data), length);
    return written ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

CairoCanvas::CairoCanvas(cairo_t* cr) : cr_(cr), font_(pango_font_description_new()) {
    pangoFontMap();
    pango_font_description_set_family(font_, "DejaVu Sans");
}

CairoCanvas::~CairoCanvas() {
    while (open_ > 0) unclip();
    pango_font_description_free(font_);
}

void CairoCanvas::fillRect(const ChartRect& r, Rgb fill) {
    cairo_rectangle(cr_, r.left, r.top, r.width, r.height);
    setColour(cr_, fill);
    cairo_fill(cr_);
}

void CairoCanvas::strokeRect(const ChartRect& r, const ChartStroke& stroke) {
    cairo_rectangle(cr_, r.left, r.top, r.width, r.height);
    applyStroke(stroke);
}

void CairoCanvas::line(ChartPoint from, ChartPoint to, const ChartStroke& stroke) {
    cairo_move_to(cr_, from.x, from.y);
    cairo_line_to(cr_, to.x, to.y);
    applyStroke(stroke);
}

void CairoCanvas::polyline(const std::vector<ChartPoint>& points, const ChartStroke& stroke) {
    if (points.empty()) return;
    cairo_move_to(cr_, points.front().x, points.front().y);
    for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    applyStroke(stroke);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
}

void CairoCanvas::marker(ChartPoint at, MarkerShape shape, double s, const ChartStroke& stroke) {
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

void CairoCanvas::text(const ChartText& t) {
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

void CairoCanvas::clip(const ChartRect& r) {
    cairo_save(cr_);
    cairo_rectangle(cr_, r.left, r.top, r.width, r.height);
    cairo_clip(cr_);
    ++open_;
}

void CairoCanvas::unclip() {
    if (open_ == 0) return;
    cairo_restore(cr_);
    --open_;
}

void CairoCanvas::applyStroke(const ChartStroke& stroke) {
    setColour(cr_, stroke.colour);
    cairo_set_line_width(cr_, stroke.width);
    cairo_set_dash(cr_, stroke.dashes.empty() ? nullptr : stroke.dashes.data(), static_cast<int>(stroke.dashes.size()),
                   0);
    cairo_stroke(cr_);
}

}  // namespace vantrel
