#include <cmath>
#include <cstdio>

#include "chart/chart_canvas.h"
#include "engine/number_text.h"

namespace vantrel {
namespace {

constexpr const char* kFontFamily = "DejaVu Sans, Bitstream Vera Sans, sans-serif";

// Two decimals are a hundredth of a pixel: more only makes the file longer.
std::string number(double value) {
    if (!std::isfinite(value)) value = 0;
    std::string text = formatFixed(value, 0, 2);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::string colour(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
    return text;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // Control characters other than tab and line breaks are not XML.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
        }
    }
    return out;
}

class SvgCanvas : public ChartCanvas {
public:
    explicit SvgCanvas(std::string& out) : out_(out) {}

    void fillRect(const ChartRect& r, Rgb fill) override {
        out_ += "<rect x=\"" + number(r.left) + "\" y=\"" + number(r.top) + "\" width=\"" + number(r.width) +
                "\" height=\"" + number(r.height) + "\" fill=\"" + colour(fill) + "\"/>\n";
    }
    void strokeRect(const ChartRect& r, const ChartStroke& stroke) override {
        out_ += "<rect x=\"" + number(r.left) + "\" y=\"" + number(r.top) + "\" width=\"" + number(r.width) +
                "\" height=\"" + number(r.height) + "\" fill=\"none\"" + strokeAttributes(stroke) + "/>\n";
    }
    void line(ChartPoint from, ChartPoint to, const ChartStroke& stroke) override {
        out_ += "<line x1=\"" + number(from.x) + "\" y1=\"" + number(from.y) + "\" x2=\"" + number(to.x) + "\" y2=\"" +
                number(to.y) + "\"" + strokeAttributes(stroke) + "/>\n";
    }
    void polyline(const std::vector<ChartPoint>& points, const ChartStroke& stroke) override {
        out_ += "<polyline points=\"";
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0) out_ += ' ';
            out_ += number(points[i].x) + "," + number(points[i].y);
        }
        out_ += "\" fill=\"none\" stroke-linejoin=\"round\"" + strokeAttributes(stroke) + "/>\n";
    }
    void marker(ChartPoint at, MarkerShape shape, double size, const ChartStroke& stroke) override {
        const std::string x = number(at.x);
        const std::string y = number(at.y);
        const std::string paint = " fill=\"" + colour(stroke.colour) + "\"" + strokeAttributes(stroke) + "/>\n";
        switch (shape) {
            case MarkerShape::None: return;
            case MarkerShape::Circle:
                out_ += "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + number(size) + "\"" + paint;
                return;
            case MarkerShape::Square:
            case MarkerShape::Triangle:
            case MarkerShape::Diamond: {
                out_ += "<path d=\"";
                const std::vector<ChartPoint> corners = markerCorners(at, shape, size);
                for (std::size_t i = 0; i < corners.size(); ++i)
                    out_ += (i == 0 ? "M" : " L") + number(corners[i].x) + " " + number(corners[i].y);
                out_ += " Z\"" + paint;
                return;
            }
            case MarkerShape::Cross: {
                const double s = size;
                out_ += "<path d=\"M" + number(at.x - s) + " " + number(at.y - s) + " L" + number(at.x + s) + " " +
                        number(at.y + s) + " M" + number(at.x - s) + " " + number(at.y + s) + " L" + number(at.x + s) +
                        " " + number(at.y - s) + "\" fill=\"none\"" + strokeAttributes({stroke.colour, 1.5, {}}) +
                        "/>\n";
                return;
            }
        }
    }
    void text(const ChartText& t) override {
        static const char* const kAnchors[] = {"start", "middle", "end"};
        out_ += "<text x=\"" + number(t.at.x) + "\" y=\"" + number(t.at.y) + "\" font-family=\"" + kFontFamily +
                "\" font-size=\"" + number(t.size) + "\" fill=\"" + colour(t.colour) + "\" text-anchor=\"" +
                kAnchors[static_cast<int>(t.anchor)] + "\"";
        if (t.bold) out_ += " font-weight=\"bold\"";
        if (t.vertical) out_ += " transform=\"rotate(-90 " + number(t.at.x) + " " + number(t.at.y) + ")\"";
        out_ += ">" + escaped(t.text) + "</text>\n";
    }
    void clip(const ChartRect& r) override {
        const std::string id = "clip" + std::to_string(++clips_);
        out_ += "<clipPath id=\"" + id + "\"><rect x=\"" + number(r.left) + "\" y=\"" + number(r.top) + "\" width=\"" +
                number(r.width) + "\" height=\"" + number(r.height) + "\"/></clipPath>\n";
        out_ += "<g clip-path=\"url(#" + id + ")\">\n";
        ++open_;
    }
    void unclip() override {
        if (open_ == 0) return;
        out_ += "</g>\n";
        --open_;
    }
    /// Closes the groups of clips never undone, so the document stays well-formed.
    void finish() {
        while (open_ > 0) unclip();
    }

private:
    static std::string strokeAttributes(const ChartStroke& stroke) {
        std::string a = " stroke=\"" + colour(stroke.colour) + "\" stroke-width=\"" + number(stroke.width) + "\"";
        if (!stroke.dashes.empty()) {
            a += " stroke-dasharray=\"";
            for (std::size_t i = 0; i < stroke.dashes.size(); ++i) a += (i > 0 ? " " : "") + number(stroke.dashes[i]);
            a += "\"";
        }
        return a;
    }

    std::string& out_;
    int clips_ = 0;
    int open_ = 0;
};

}  // namespace

std::string chartSvg(const ChartLayout& layout) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    const std::string w = number(layout.width);
    const std::string h = number(layout.height);
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w + "\" height=\"" + h +
           "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    out += "<title>" + escaped(layout.title) + "</title>\n";
    SvgCanvas canvas(out);
    drawChart(layout, canvas);
    canvas.finish();
    out += "</svg>\n";
    return out;
}

}  // namespace vantrel
