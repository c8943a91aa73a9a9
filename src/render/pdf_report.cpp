#include "render/pdf_report.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <hb.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

#include "chart/chart_canvas.h"
#include "render/cairo_canvas.h"
#include "util/files.h"
#include "version.h"

namespace vantrel {
namespace {

// The layout places text in whole device units; a tenth of a point keeps the
// column steps (multiples of the average character width) as true as a
// printer's pixels do.
constexpr double kUnitsPerPoint = 10;
// A printer's usual unprintable edge: half an inch all round.
constexpr double kMargin = 36;

struct PaperPoints {
    double width;
    double height;
};

PaperPoints paperPoints(PaperSize paper) {
    return paper == PaperSize::Letter ? PaperPoints{612, 792} : PaperPoints{595.276, 841.89};
}

// The window program's print fonts: Swiss family, 10 point, the title 12
// point bold, the symbol font bold.
constexpr double kTextPoints = 10;
Owned<PangoFontDescription> fontOf(PrintFont kind, double unitsPerPoint = kUnitsPerPoint) {
    Owned<PangoFontDescription> font(pango_font_description_new());
    pango_font_description_set_family(font.get(), "DejaVu Sans");
    const double points = kind == PrintFont::Title ? 12 : kTextPoints;
    pango_font_description_set_absolute_size(font.get(), points * unitsPerPoint * PANGO_SCALE);
    const bool bold = kind == PrintFont::Bold || kind == PrintFont::Title || kind == PrintFont::Symbol;
    pango_font_description_set_weight(font.get(), bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(font.get(), kind == PrintFont::Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return font;
}

int unitsOf(int pangoUnits) {
    return static_cast<int>(std::lround(static_cast<double>(pangoUnits) * kUnitsPerPoint / PANGO_SCALE));
}

// The font's line spacing in points at `points`: its ascender and descender
// plus its line gap, read from its own tables in design units. The font
// backends' metrics do not agree: cairo's Windows fonts take theirs from GDI
// in whole device units of the context measured on (9 + 2 points for DejaVu
// Sans at 10 points under Wine, where FreeType gives 9.28 + 2.36), and a
// report would break its pages at other rows than on Linux.
double designLineHeight(PangoContext* pointContext, const PangoFontDescription* font, double points) {
    PangoFont* loaded = pango_context_load_font(pointContext, font);
    if (!loaded) return 0;
    hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(loaded));
    // A font of the face's own scale: positions in design units, unhinted.
    hb_font_t* design = hb_font_create(face);
    hb_font_extents_t extents{};
    hb_font_get_h_extents(design, &extents);
    const double unitsPerEm = hb_face_get_upem(face);
    hb_font_destroy(design);
    g_object_unref(loaded);
    const double ascentDescent = extents.ascender - extents.descender;
    return std::max(ascentDescent + extents.line_gap, ascentDescent) * points / unitsPerEm;
}

// What the printout asks of the printer's device context, asked of Pango.
// Pango's font metrics come out wrong under a scaled transformation, so the
// fonts are measured in points on an unscaled context. The character widths
// are Pango's, from the font's advances as HarfBuzz shapes them on every
// system.
PageMetrics measure(PangoContext* pointContext, PaperSize paper) {
    const PaperPoints points = paperPoints(paper);
    const Owned<PangoFontDescription> regular = fontOf(PrintFont::Regular, 1);
    const Owned<PangoFontDescription> symbol = fontOf(PrintFont::Symbol, 1);
    const Owned<PangoFontMetrics> text(pango_context_get_metrics(pointContext, regular.get(), nullptr));
    const Owned<PangoFontMetrics> symbols(pango_context_get_metrics(pointContext, symbol.get(), nullptr));
    PageMetrics metrics{};
    metrics.width = static_cast<int>((points.width - 2 * kMargin) * kUnitsPerPoint);
    metrics.height = static_cast<int>((points.height - 2 * kMargin) * kUnitsPerPoint);
    metrics.lineHeight = static_cast<int>(
        std::lround(designLineHeight(pointContext, regular.get(), kTextPoints) * kUnitsPerPoint));
    metrics.charWidth = unitsOf(pango_font_metrics_get_approximate_char_width(text.get()));
    metrics.symbolWidth = unitsOf(pango_font_metrics_get_approximate_char_width(symbols.get()));
    return metrics;
}

// Widths measured as on paper, not rounded to a screen's pixels.
void unhinted(PangoContext* context) {
    cairo_font_options_t* fontOptions = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(fontOptions, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fontOptions, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, fontOptions);
    cairo_font_options_destroy(fontOptions);
}

using Fonts = std::array<Owned<PangoFontDescription>, 5>;

// The run's text in `layout`; returns where it starts, its alignment applied.
double placeRun(PangoLayout* layout, const Fonts& fonts, const TextRun& run) {
    pango_layout_set_font_description(layout, fonts[static_cast<std::size_t>(run.font)].get());
    pango_layout_set_text(layout, run.text.c_str(), static_cast<int>(run.text.size()));
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double width = static_cast<double>(logical.width) / PANGO_SCALE;
    if (run.align == PrintAlign::Right) return run.x - width;
    if (run.align == PrintAlign::Centre) return run.x - width / 2;
    return run.x;
}

void drawRun(cairo_t* cr, PangoLayout* layout, const Fonts& fonts, const TextRun& run) {
    const double x = placeRun(layout, fonts, run);
    const double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    cairo_move_to(cr, x, run.y - baseline);
    pango_cairo_show_layout(cr, layout);
}

// How far right the layout's text reaches on any page.
double widestReach(TDistPrintLayout pages, const PageMetrics& metrics, PangoLayout* layout, const Fonts& fonts) {
    double reach = 0;
    while (pages.hasPage()) {
        for (const TextRun& run : pages.layoutPage(metrics)) {
            const double x = placeRun(layout, fonts, run);
            PangoRectangle logical;
            pango_layout_get_extents(layout, nullptr, &logical);
            reach = std::max(reach, x + static_cast<double>(logical.width) / PANGO_SCALE);
        }
    }
    return reach;
}

// The chart of the frame's row in the frame, laid out in points (device
// units are `pointsPerUnit` points) so its fonts keep their paper sizes.
void drawFrameChart(cairo_t* cr, const ChartFrame& frame, const ResultRow& row, const ReportOptions& options,
                    double pointsPerUnit) {
    const ChartLayout chart = layoutRowChart(options.chartSweep(row), row, frame.width * pointsPerUnit,
                                             frame.height * pointsPerUnit);
    cairo_save(cr);
    cairo_translate(cr, frame.x, frame.y);
    cairo_scale(cr, 1 / pointsPerUnit, 1 / pointsPerUnit);
    {
        CairoCanvas canvas(cr);
        drawChart(chart, canvas);
    }
    cairo_restore(cr);
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// "2026-12-07T14:05:09", the form the PDF metadata takes.
std::string isoTime(const ReportTime& t) {
    return std::to_string(t.year) + "-" + twoDigits(t.month) + "-" + twoDigits(t.day) + "T" + twoDigits(t.hour) +
           ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

std::string subjectOf(const PrintHeaderData& header) {
    std::string subject;
    if (!header.CustomerName.empty()) subject = tr("Customer:") + (" " + header.CustomerName.substr(0, kPrintNameLength));
    if (!header.ProjectName.empty())
        subject += (subject.empty() ? "" : "; ") + std::string(tr("Project:")) + " " + header.ProjectName.substr(0, kPrintNameLength);
    return subject;
}

// The report's date and time, the same on its pages and in its properties.
ReportTime creationTime(const ReportOptions& options) { return options.created ? *options.created : reportTimeNow(); }

// The pages of `rows` (a ResultTable or PackedRows) as the report lays them out.
template <typename Rows>
TDistPrintLayout reportLayout(const Rows& rows, const ReportOptions& options, const ReportTime& created) {
    PrintHeaderData header = options.header;
    header.IncludeCharts = header.IncludeCharts && options.chartSweep;
    TDistPrintLayout pages(rows, header, options.siUnits,
                           printDate(created.year, created.month, created.day));
    if (!options.rowTags.empty()) pages.setRowTags(options.rowTags);
    return pages;
}

// Draws the report page by page into cairo's PDF stream, which hands each
// finished page to `write`: nothing of a drawn page is kept here. The page
// count, or -1 with cairo's reason in `error`.
int drawReport(TDistPrintLayout pages, const ReportOptions& options, const ReportTime& createdAt,
               cairo_write_func_t write, void* closure,
               std::string& error) {
    int count = 0;
    const PaperPoints points = paperPoints(options.paper);
    Owned<cairo_surface_t> surface(cairo_pdf_surface_create_for_stream(write, closure, points.width, points.height));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, tr(options.title.c_str()));
    const std::string subject = subjectOf(options.header);
    if (!subject.empty()) cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_SUBJECT, subject.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Vantrel " VANTREL_VERSION);
    const std::string created = isoTime(createdAt);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, created.c_str());

    PageMetrics metrics = reportPageMetrics(options.paper);
    Owned<cairo_t> cr(cairo_create(surface.get()));

    cairo_translate(cr.get(), kMargin, kMargin);
    cairo_scale(cr.get(), 1 / kUnitsPerPoint, 1 / kUnitsPerPoint);
    Owned<PangoLayout> layout(pango_cairo_create_layout(cr.get()));
    unhinted(pango_layout_get_context(layout.get()));
    pango_layout_context_changed(layout.get());

    const Fonts fonts = {fontOf(PrintFont::Regular), fontOf(PrintFont::Bold), fontOf(PrintFont::Italic),
                         fontOf(PrintFont::Symbol), fontOf(PrintFont::Title)};
    // The columns were set out for a printer font narrower than DejaVu Sans:
    // at 10 points the last one would pass the margin. The pages shrink to
    // fit the width, as a print dialog's "fit to page" does, the layout given
    // the area that then holds.
    const double reach = widestReach(pages, metrics, layout.get(), fonts);
    double fit = 1;
    if (reach > metrics.width) {
        fit = metrics.width / reach;
        cairo_scale(cr.get(), fit, fit);
        metrics.width = static_cast<int>(std::ceil(metrics.width / fit));
        metrics.height = static_cast<int>(metrics.height / fit);
    }
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    while (pages.hasPage()) {
        for (const TextRun& run : pages.layoutPage(metrics)) drawRun(cr.get(), layout.get(), fonts, run);
        for (const ChartFrame& frame : pages.pageCharts()) {
            drawFrameChart(cr.get(), frame, pages.row(frame.row), options, fit / kUnitsPerPoint);
            cairo_set_source_rgb(cr.get(), 0, 0, 0);
        }
        cairo_show_page(cr.get());
        ++count;
    }
    const cairo_status_t drawn = cairo_status(cr.get());
    layout.reset();
    cr.reset();
    cairo_surface_finish(surface.get());
    const cairo_status_t written = cairo_surface_status(surface.get());
    if (drawn != CAIRO_STATUS_SUCCESS || written != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(drawn != CAIRO_STATUS_SUCCESS ? drawn : written);
        return -1;
    }
    return count;
}

}  // namespace

PageMetrics reportPageMetrics(PaperSize paper) {
    // Measured on the report's kind of surface, with its font options. (It
    // also readies cairo for fonts: a static Windows cairo sets up its locks
    // with the first surface, and loading a font before one never returns.)
    const PaperPoints points = paperPoints(paper);
    const Owned<cairo_surface_t> surface(cairo_pdf_surface_create_for_stream(nullptr, nullptr, points.width, points.height));
    const Owned<cairo_t> cr(cairo_create(surface.get()));
    pangoFontMap();
    PangoContext* pointContext = pango_cairo_create_context(cr.get());
    unhinted(pointContext);
    const PageMetrics metrics = measure(pointContext, paper);
    g_object_unref(pointContext);
    return metrics;
}

ReportPages reportPages(const ResultTable& rows, const ReportOptions& options, std::string& error) {
    ReportPages result;
    const ReportTime created = creationTime(options);
    const int count = drawReport(reportLayout(rows, options, created), options, created, appendToString, &result.pdf,
                                 error);
    if (count < 0) return {};
    result.count = count;
    return result;
}

std::string reportPdf(const ResultTable& rows, const ReportOptions& options, std::string& error) {
    return reportPages(rows, options, error).pdf;
}

namespace {

// Straight into the save's temporary: a report of any length takes no more
// memory than one page and what cairo keeps until the end.
bool saveReport(const TDistPrintLayout& pages, const ReportOptions& options, const ReportTime& created,
                const std::string& path,
                std::string& error) {
    std::string reason;
    const auto produce = [&](ContentSink& sink, std::string& refusal) {
        return drawReport(pages, options, created, writeToSink, &sink, refusal) >= 0;
    };
    if (replaceFileStreamed(path, produce, &reason)) return true;
    error = cannotSaveMessage(path, reason);
    return false;
}

}  // namespace

bool writeReportPdf(const ResultTable& rows, const ReportOptions& options, const std::string& path,
                    std::string& error) {
    const ReportTime created = creationTime(options);
    return saveReport(reportLayout(rows, options, created), options, created, path, error);
}

bool writeReportPdf(const PackedRows& rows, const ReportOptions& options, const std::string& path,
                    std::string& error) {
    const ReportTime created = creationTime(options);
    return saveReport(reportLayout(rows, options, created), options, created, path, error);
}

}  // namespace vantrel
