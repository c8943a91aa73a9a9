#include "cli/curve_pictures.h"

#include <iostream>

#include "chart/chart_canvas.h"
#include "chart/chart_layout.h"
#include "cli/render_loader.h"
#include "render/chart_image.h"

namespace vantrel::cli {

int writeCurvePicture(const Sweep& sweep, const std::string& format, const std::string& output) {
    const ChartLayout layout = layoutChart(sweep, 800, 600);
    if (output.empty()) {
        // PNG is binary: the command refuses it without a file before it gets here.
        std::cout << chartSvg(layout);
        std::cout.flush();
        return std::cout ? 0 : 2;
    }
    std::string error;
    bool written = false;
    if (format != "png") {
        written = writeChartSvg(layout, output, error);
    } else if (const RenderModule* drawing = renderModule(error)) {
        written = drawing->writeChartPng(layout, output, error);
    }
    if (written) return 0;
    std::cerr << error << '\n';
    return 2;
}

}  // namespace vantrel::cli
