// Writing the DXF text: header, line types and layers, then the joined lines as LINE entities.
#include "output/dxf_writer.h"

#include "model/card_model.h"
#include "output/file_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plicato {

namespace {

constexpr double joinEps = 0.0001;

std::string num(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    std::string text(buffer, result.ptr);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
}

// One run of collinear lines: a base point, a unit direction, and the interval covered.
struct Run {
    int kind = 0;
    double ox = 0.0, oy = 0.0; // a point on the line
    double dx = 0.0, dy = 0.0; // unit direction
    double lo = 0.0, hi = 0.0; // parameter interval along the direction
    std::size_t first = 0;     // order of the first line
};

double distanceToLine(const Run& run, double x, double y) {
    return std::fabs((x - run.ox) * run.dy - (y - run.oy) * run.dx);
}

double along(const Run& run, double x, double y) {
    return (x - run.ox) * run.dx + (y - run.oy) * run.dy;
}

} // namespace

PatternLineList joinCollinearLines(const PatternLineList& lines) {
    std::vector<Run> runs;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PatternLine& l = lines[i];
        const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
        if (!(length > joinEps))
            continue; // a point, or not a number: nothing to cut
        Run run{l.kind, l.x1, l.y1, (l.x2 - l.x1) / length, (l.y2 - l.y1) / length, 0.0, length, i};
        // Joining one line can make it touch another run: repeat until nothing joins.
        for (bool joined = true; joined;) {
            joined = false;
            for (std::size_t r = 0; r < runs.size(); ++r) {
                Run& other = runs[r];
                if (other.kind != run.kind)
                    continue;
                const double ax = run.ox + run.dx * run.lo, ay = run.oy + run.dy * run.lo;
                const double bx = run.ox + run.dx * run.hi, by = run.oy + run.dy * run.hi;
                if (distanceToLine(other, ax, ay) > joinEps ||
                    distanceToLine(other, bx, by) > joinEps)
                    continue;
                const double ta = along(other, ax, ay), tb = along(other, bx, by);
                const double lo = std::min(ta, tb), hi = std::max(ta, tb);
                if (lo > other.hi + joinEps || hi < other.lo - joinEps)
                    continue;
                other.lo = std::min(other.lo, lo);
                other.hi = std::max(other.hi, hi);
                other.first = std::min(other.first, run.first);
                run = other;
                runs.erase(runs.begin() + std::ptrdiff_t(r));
                joined = true;
                break;
            }
        }
        runs.push_back(run);
    }
    std::stable_sort(runs.begin(), runs.end(),
                     [](const Run& a, const Run& b) { return a.first < b.first; });
    PatternLineList out;
    out.reserve(runs.size());
    for (const Run& r : runs)
        out.push_back({r.ox + r.dx * r.lo, r.oy + r.dy * r.lo, r.ox + r.dx * r.hi,
                       r.oy + r.dy * r.hi, r.kind});
    return out;
}

std::string patternDxfText(const PatternLineList& lines, int cardWidth, int cardHeight,
                           int filter) {
    const double halfW = cardWidth * 0.5, h = cardHeight;
    std::string out;
    const auto group = [&out](int code, const std::string& value) {
        out += std::to_string(code) + "\n" + value + "\n";
    };
    group(0, "SECTION");
    group(2, "HEADER");
    group(9, "$ACADVER");
    group(1, "AC1009");
    group(9, "$INSUNITS");
    group(70, "4"); // millimetres
    group(9, "$EXTMIN");
    group(10, "0");
    group(20, "0");
    group(9, "$EXTMAX");
    group(10, num(cardWidth));
    group(20, num(2.0 * h));
    group(0, "ENDSEC");

    group(0, "SECTION");
    group(2, "TABLES");
    struct LineType {
        const char* name;
        const char* description;
        std::vector<double> dashes; // millimetres, negative = gap
    };
    const LineType types[3] = {{"CONTINUOUS", "Solid line", {}},
                               {"DASHED", "__ __ __", {1.0583, -1.0583}},
                               {"DASHDOT", "__ . __ .", {2.8222, -1.4111, 1.4111, -1.4111}}};
    group(0, "TABLE");
    group(2, "LTYPE");
    group(70, "3");
    for (const LineType& t : types) {
        group(0, "LTYPE");
        group(2, t.name);
        group(70, "0");
        group(3, t.description);
        group(72, "65");
        group(73, std::to_string(t.dashes.size()));
        double total = 0.0;
        for (const double d : t.dashes)
            total += std::fabs(d);
        group(40, num(total));
        for (const double d : t.dashes)
            group(49, num(d));
    }
    group(0, "ENDTAB");
    struct Layer {
        const char* name;
        const char* colour; // AutoCAD colour index: white/black, red, blue
        const char* lineType;
    };
    const Layer layers[3] = {
        {"CUT", "7", "CONTINUOUS"}, {"MOUNTAIN", "1", "DASHED"}, {"VALLEY", "5", "DASHDOT"}};
    group(0, "TABLE");
    group(2, "LAYER");
    group(70, "3");
    for (const Layer& layer : layers) {
        group(0, "LAYER");
        group(2, layer.name);
        group(70, "0");
        group(62, layer.colour);
        group(6, layer.lineType);
    }
    group(0, "ENDTAB");
    group(0, "ENDSEC");

    group(0, "SECTION");
    group(2, "ENTITIES");
    for (const PatternLine& line : joinCollinearLines(lines)) {
        if (line.kind < 0 || line.kind > 2 || !(filter & (1 << line.kind)))
            continue;
        group(0, "LINE");
        group(8, layers[line.kind].name);
        group(10, num(line.x1 + halfW));
        group(20, num(line.y1 + h));
        group(30, "0");
        group(11, num(line.x2 + halfW));
        group(21, num(line.y2 + h));
        group(31, "0");
    }
    group(0, "ENDSEC");
    group(0, "EOF");
    return out;
}

bool writePatternDxf(const std::string& path, const CardModel& model, int filter,
                     std::string* error) {
    PatternLineList lines;
    collectPatternLines(model, lines);
    return writeFileReplacing(
        path, patternDxfText(lines, model.cardWidth, model.cardHeight, filter), error);
}

} // namespace plicato
