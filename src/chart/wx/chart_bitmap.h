// A drawn chart as a bitmap the window toolkit can show, copy or print.
#pragma once

#include <wx/bitmap.h>

#include "render/chart_image.h"

namespace vantrel {

/// The picture's pixels in a bitmap; an invalid bitmap for an empty picture.
wxBitmap chartBitmap(const ChartImage& image);

}  // namespace vantrel
