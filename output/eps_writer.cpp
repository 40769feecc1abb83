// Writing the EPS text: header, bounding box, then a dash setting and one stroke per line.
#include "output/eps_writer.h"

#include "model/card_model.h"
#include "output/file_output.h"

#include <charconv>
#include <cmath>

namespace plicato {

namespace {

constexpr double pointsPerMm = 2.8346456692913384;

} // namespace

std::string formatFixed6(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string patternEpsText(const PatternLineList& lines, int cardWidth, int cardHeight,
                           int filter) {
    const long long urx = (long long)std::trunc((double(cardWidth) + 10) * pointsPerMm);
    const long long ury = (long long)std::trunc((2.0 * cardHeight + 10) * pointsPerMm);
    const double originX = (cardWidth * 0.5 + 5) * pointsPerMm;
    const double originY = (cardHeight + 5) * pointsPerMm;

    std::string out = "%!PS-Adobe-2.0 EPSF-2.0\n";
    out += "%%BoundingBox:0 0 " + std::to_string(urx) + " " + std::to_string(ury) + "\n";
    static const char* const dashes[3] = {"\n[] 0 setdash", "\n[3 ] 0 setdash",
                                          "\n[8 4 4 4] 0 setdash"};
    for (const PatternLine& line : lines) {
        if (line.kind >= 0 && line.kind <= 2) {
            if (!(filter & (1 << line.kind)))
                continue;
            out += dashes[line.kind];
        }
        out += "\n" + formatFixed6(originX + pointsPerMm * line.x1) + " " +
               formatFixed6(originY + pointsPerMm * line.y1) + " moveto";
        out += "\n" + formatFixed6(originX + pointsPerMm * line.x2) + " " +
               formatFixed6(originY + pointsPerMm * line.y2) + " lineto";
        out += "\nstroke";
    }
    return out;
}

bool writePatternEps(const std::string& path, const CardModel& model, int filter,
                     std::string* error) {
    PatternLineList lines;
    collectPatternLines(model, lines);
    return writeFileReplacing(
        path, patternEpsText(lines, model.cardWidth, model.cardHeight, filter), error);
}

} // namespace plicato
