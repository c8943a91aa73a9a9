// The drawing module: cairo and Pango, and what they load in turn (GLib,
// HarfBuzz, fontconfig, FreeType, X libraries), take most of a short
// command's time just to be loaded. The command line therefore draws through
// a library of its own, vantrel-render, that it opens the first time a PNG
// picture or a PDF report is asked for. The desktop program, which loads
// cairo with GTK anyway, links the same drawing code directly.
#pragma once

#include <string>

#include "chart/chart_layout.h"
#include "i18n/translate.h"
#include "render/pdf_report.h"

#if defined(_WIN32)
#define VANTREL_RENDER_MODULE_EXPORT __declspec(dllexport)
#else
#define VANTREL_RENDER_MODULE_EXPORT __attribute__((visibility("default")))
#endif

namespace vantrel {

/// Raised whenever a function below changes, or a type it takes changes
/// its layout: the program and its module pass C++ objects to each other.
constexpr int kRenderModuleInterface = 3;

/// What the module offers. The first two fields stay where they are in
/// every interface, so that a program can tell a module of another build
/// before it touches anything else.
struct RenderModule {
    int interface;
    const char* programVersion;  ///< VANTREL_VERSION of the build it belongs to
    bool (*writeChartPng)(const ChartLayout& layout, const std::string& path, std::string& error);
    bool (*writeReportPdf)(const ResultTable& rows, const ReportOptions& options, const std::string& path,
                           std::string& error);
    bool (*writePackedReportPdf)(const PackedRows& rows, const ReportOptions& options, const std::string& path,
                                 std::string& error);
    /// The program's translator, for the texts the module draws: the module
    /// has its own copy of the core and so its own translator.
    void (*useTranslator)(const Translator& translator);
};

}  // namespace vantrel

/// The module's one exported symbol.
#define VANTREL_RENDER_MODULE_ENTRY "vantrel_render_module"
extern "C" VANTREL_RENDER_MODULE_EXPORT const vantrel::RenderModule* vantrel_render_module();
