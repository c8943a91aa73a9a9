#include "chart/wx/chart_bitmap.h"

#include <wx/image.h>

namespace vantrel {

wxBitmap chartBitmap(const ChartImage& image) {
    if (image.width <= 0 || image.height <= 0) return wxBitmap();
    wxImage picture(image.width, image.height, false);
    unsigned char* rgb = picture.GetData();
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t p = image.pixels[i];
        rgb[3 * i] = static_cast<unsigned char>(p >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(p >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(p);
    }
    return wxBitmap(picture);
}

}  // namespace vantrel
