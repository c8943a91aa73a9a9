// The curve command's pictures: the chart of a sweep as an SVG or PNG file.
#pragma once

#include <string>

#include "curve/sweep.h"

namespace vantrel::cli {

/// Draws `sweep` 800 by 600 and writes it as `format` ("svg" or "png") to
/// `output`; an SVG with no `output` goes to standard output. Returns the
/// exit status, after a message on standard error when the file could not
/// be written.
int writeCurvePicture(const Sweep& sweep, const std::string& format, const std::string& output);

}  // namespace vantrel::cli
