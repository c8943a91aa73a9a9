// The entry point of vantrel-render, the drawing module the command line opens.
#include "render/render_module.h"

#include "render/chart_image.h"
#include "version.h"

namespace {

bool writePng(const vantrel::ChartLayout& layout, const std::string& path, std::string& error) {
    return vantrel::writeChartPng(layout, path, error);
}

constexpr vantrel::RenderModule kModule{vantrel::kRenderModuleInterface, VANTREL_VERSION, writePng,
                                        vantrel::writeReportPdf};

}  // namespace

extern "C" const vantrel::RenderModule* vantrel_render_module() { return &kModule; }
