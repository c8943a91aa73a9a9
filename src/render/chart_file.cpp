// Chart files put in place, and the SVG file, which needs no drawing library.
#include "chart/chart_canvas.h"
#include "i18n/translate.h"
#include "render/chart_image.h"
#include "util/files.h"

namespace vantrel {

bool saveChartFile(const std::string& path, const std::string& content, const std::string& drawFailure,
                   std::string& error) {
    std::string reason = drawFailure;
    if (reason.empty() && replaceFile(path, content, &reason)) return true;
    error = cannotSaveMessage(path, reason);
    return false;
}

bool writeChartSvg(const ChartLayout& layout, const std::string& path, std::string& error) {
    return saveChartFile(path, chartSvg(layout), {}, error);
}

}  // namespace vantrel
