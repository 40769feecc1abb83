// Writing the SVG text: layers per line kind, chained paths, millimetre units, y axis up.
#include "output/svg_writer.h"

#include "model/card_model.h"
#include "output/file_output.h"

#include <charconv>
#include <cmath>

namespace plicato {

namespace {

constexpr double joinEps = 0.0001;
constexpr double pointsPerMm = 2.8346456692913384;

// Short, locale-free numbers: up to `decimals` decimals, trailing zeros dropped, no "-0".
std::string number(double value, int decimals = 4) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

bool onOutline(const PatternLine& line, double halfW, double h) {
    const auto both = [](double a, double b, double v) {
        return std::fabs(a - v) < joinEps && std::fabs(b - v) < joinEps;
    };
    return both(line.x1, line.x2, -halfW) || both(line.x1, line.x2, halfW) ||
           both(line.y1, line.y2, -h) || both(line.y1, line.y2, h);
}

std::vector<std::vector<Point2>> chain(const std::vector<const PatternLine*>& lines) {
    std::vector<std::vector<Point2>> chains;
    std::vector<bool> used(lines.size(), false);
    // The first unused line with an end at p; `other` becomes its far end.
    const auto take = [&](const Point2& p, Point2& other) {
        for (std::size_t j = 0; j < lines.size(); ++j) {
            if (used[j])
                continue;
            const Point2 a{lines[j]->x1, lines[j]->y1}, b{lines[j]->x2, lines[j]->y2};
            if (samePoint2(a, p, joinEps)) {
                other = b;
            } else if (samePoint2(b, p, joinEps)) {
                other = a;
            } else {
                continue;
            }
            used[j] = true;
            return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (used[i])
            continue;
        used[i] = true;
        std::vector<Point2> points{{lines[i]->x1, lines[i]->y1}, {lines[i]->x2, lines[i]->y2}};
        const auto closed = [&points] {
            return points.size() > 2 && samePoint2(points.front(), points.back(), joinEps);
        };
        Point2 next;
        while (!closed() && take(points.back(), next))
            points.push_back(next);
        std::vector<Point2> head;
        while (!closed() && take(head.empty() ? points.front() : head.back(), next)) {
            head.push_back(next);
            if (samePoint2(next, points.back(), joinEps))
                break;
        }
        points.insert(points.begin(), head.rbegin(), head.rend());
        chains.push_back(std::move(points));
    }
    return chains;
}

} // namespace

std::vector<std::vector<Point2>> chainPatternLines(const PatternLineList& lines, LineKind kind) {
    std::vector<const PatternLine*> ofKind;
    for (const PatternLine& line : lines)
        if (line.kind == int(kind))
            ofKind.push_back(&line);
    return chain(ofKind);
}

std::string patternSvgText(const PatternLineList& lines, int cardWidth, int cardHeight,
                           FoldStyle foldStyle) {
    const double halfW = cardWidth * 0.5, h = cardHeight;
    const double width = cardWidth + 10.0, height = 2.0 * cardHeight + 10.0;
    const auto sx = [halfW](double x) { return number(x + halfW + 5); };
    const auto sy = [h](double y) { return number(h + 5 - y); };

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\"\n"
           "     xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"\n"
           "     version=\"1.1\" width=\"" +
           number(width) + "mm\" height=\"" + number(height) + "mm\" viewBox=\"0 0 " +
           number(width) + " " + number(height) + "\">\n";

    struct Layer {
        LineKind kind;
        const char* id;
        const char* label;
        const char* colour;
        std::vector<double> dashPoints;
    };
    const Layer layers[3] = {
        {LineKind::Cut, "cut", "切断線", "#000000", {}},
        {LineKind::Mountain, "mountain", "山折り線", "#ff0000", {3, 3}},
        {LineKind::Valley, "valley", "谷折り線", "#0000ff", {8, 4, 4, 4}},
    };
    for (const Layer& layer : layers) {
        out += "  <g id=\"" + std::string(layer.id) + "\" inkscape:groupmode=\"layer\"" +
               " inkscape:label=\"" + layer.label + "\" fill=\"none\" stroke=\"" + layer.colour +
               "\" stroke-width=\"0.2\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
        if (foldStyle == FoldStyle::Dashed && !layer.dashPoints.empty()) {
            out += " stroke-dasharray=\"";
            for (std::size_t i = 0; i < layer.dashPoints.size(); ++i)
                out += (i ? " " : "") + number(layer.dashPoints[i] / pointsPerMm, 6);
            out += "\"";
        }
        out += ">\n";
        std::vector<const PatternLine*> ofKind;
        for (const PatternLine& line : lines)
            if (line.kind == int(layer.kind) &&
                !(layer.kind == LineKind::Cut && onOutline(line, halfW, h)))
                ofKind.push_back(&line);
        if (layer.kind == LineKind::Cut)
            out += "    <path id=\"outline\" d=\"M " + sx(-halfW) + " " + sy(-h) + " H " +
                   sx(halfW) + " V " + sy(h) + " H " + sx(-halfW) + " Z\"/>\n";
        for (const std::vector<Point2>& points : chain(ofKind)) {
            const bool closed =
                points.size() > 2 && samePoint2(points.front(), points.back(), joinEps);
            out += "    <path d=\"M " + sx(points[0].x) + " " + sy(points[0].y);
            for (std::size_t i = 1; i < points.size() - (closed ? 1 : 0); ++i)
                out += " L " + sx(points[i].x) + " " + sy(points[i].y);
            out += closed ? " Z\"/>\n" : "\"/>\n";
        }
        out += "  </g>\n";
    }
    out += "</svg>\n";
    return out;
}

bool writePatternSvg(const std::string& path, const CardModel& model, FoldStyle foldStyle,
                     std::string* error) {
    PatternLineList lines;
    collectPatternLines(model, lines);
    return writeFileReplacing(
        path, patternSvgText(lines, model.cardWidth, model.cardHeight, foldStyle), error);
}

} // namespace plicato
