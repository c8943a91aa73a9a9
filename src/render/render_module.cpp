// The entry point of vantrel-render, the drawing module the command line opens.
#include "render/render_module.h"

#include "render/chart_image.h"
#include "version.h"

namespace {

bool writePng(const vantrel::ChartLayout& layout, const std::string& path, std::string& error) {
    return vantrel::writeChartPng(layout, path, error);
}

bool writeReport(const vantrel::ResultTable& rows, const vantrel::ReportOptions& options, const std::string& path,
                 std::string& error) {
    return vantrel::writeReportPdf(rows, options, path, error);
}

bool writePackedReport(const vantrel::PackedRows& rows, const vantrel::ReportOptions& options,
                       const std::string& path, std::string& error) {
    return vantrel::writeReportPdf(rows, options, path, error);
}

void useTranslator(const vantrel::Translator& translator) { vantrel::setTranslator(translator); }

constexpr vantrel::RenderModule kModule{vantrel::kRenderModuleInterface, VANTREL_VERSION, writePng, writeReport,
                                        writePackedReport, useTranslator};

}  // namespace

extern "C" const vantrel::RenderModule* vantrel_render_module() { return &kModule; }
