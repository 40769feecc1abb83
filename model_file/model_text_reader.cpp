// The text model reader. Numbers are scanned the way a formatted C read takes them from a
// stream (a number ends at the first character that cannot continue it), in the "C" locale.
#include "model_file/model_text_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace plicato {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text(text) {}

    bool nextToken(std::string_view& token) {
        skipSpace();
        if (pos == text.size())
            return false;
        const std::size_t start = pos;
        while (pos < text.size() && !isSpace(text[pos]))
            ++pos;
        token = text.substr(start, pos - start);
        return true;
    }

    bool readInt(int& out) {
        skipSpace();
        valueAt = pos;
        std::size_t p = pos;
        bool negative = false;
        if (p < text.size() && (text[p] == '+' || text[p] == '-'))
            negative = text[p++] == '-';
        const std::size_t digits = p;
        long long value = 0;
        while (p < text.size() && isDigit(text[p])) {
            value = value * 10 + (text[p++] - '0');
            if (value > std::numeric_limits<int>::max() + 1LL)
                return false; // out of range is as unreadable as no number
        }
        if (p == digits)
            return false;
        value = negative ? -value : value;
        if (value > std::numeric_limits<int>::max())
            return false;
        out = static_cast<int>(value);
        pos = p;
        return true;
    }

    // Finite reals only: "nan" and "inf" are unreadable tokens here.
    bool readReal(double& out) {
        skipSpace();
        valueAt = pos;
        std::size_t p = pos;
        // from_chars takes no leading '+'; a '-' after one is no number either.
        if (p < text.size() && text[p] == '+') {
            ++p;
            if (p < text.size() && text[p] == '-')
                return false;
        }
        const auto result = std::from_chars(text.data() + p, text.data() + text.size(), out);
        if (result.ec != std::errc() || !std::isfinite(out))
            return false;
        pos = static_cast<std::size_t>(result.ptr - text.data());
        return true;
    }

    // The rest of the current line, line feed included.
    void skipRestOfLine() {
        while (pos < text.size() && text[pos++] != '\n') {
        }
    }

    // One line of at most maxChars characters; a longer line leaves its tail to the tokens.
    std::string readLine(std::size_t maxChars) {
        std::string line;
        while (pos < text.size() && line.size() < maxChars && text[pos] != '\n')
            line.push_back(text[pos++]);
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // files written on Windows end their lines with CR LF
        return line;
    }

    // Where the value last read (or last failing to read) starts; the end of the text when the
    // text ended before it.
    std::size_t lastValueAt() const { return valueAt; }
    std::size_t size() const { return text.size(); }

private:
    void skipSpace() {
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
    }

    std::string_view text;
    std::size_t pos = 0;
    std::size_t valueAt = 0;
};

// A value was missing or impossible: the file ended early, or the value is malformed.
void reportValueFailure(const TextScanner& in, ModelReadReport* report) {
    if (!report)
        return;
    const std::size_t at = in.lastValueAt();
    report->problem =
        at >= in.size() ? ModelReadReport::Problem::Truncated : ModelReadReport::Problem::BadValue;
    report->byte = at;
}

bool withinCoordinateRange(double v) {
    return std::fabs(v) <= maxModelCoordinate;
}

bool readUnderlay(TextScanner& in, UnderlayImage& record, std::size_t maxPath,
                  const UnderlayLoader& loadUnderlay) {
    double cx = 0, bottom = 0, width = 0, height = 0;
    if (!in.readReal(cx) || !in.readReal(bottom) || !in.readReal(width) || !in.readReal(height))
        return false;
    if (!withinCoordinateRange(cx) || !withinCoordinateRange(bottom) ||
        !withinCoordinateRange(width) || !withinCoordinateRange(height))
        return false;
    in.skipRestOfLine();
    const std::string path = in.readLine(maxPath);
    placeStoredUnderlay(record, path, cx, bottom, width, height, loadUnderlay);
    return true;
}

// One face after its "face" keyword. False when a value is missing or unreadable, or when the
// file holds more loops than any design could.
bool readFace(TextScanner& in, Face& face, BaseFaceRule& baseRule, std::int64_t& totalLoops) {
    std::string_view token;
    while (in.nextToken(token)) {
        if (token == "type") {
            int type = 0;
            if (!in.readInt(type))
                return false;
            face.plane = type == 1 ? FacePlane::Horizontal : FacePlane::Vertical;
        } else if (token == "t") {
            double t = 0;
            if (!in.readReal(t) || !withinCoordinateRange(t))
                return false;
            face.offset = t;
            baseRule.apply(face);
        } else if (token == "loops") {
            int loopCount = 0;
            if (!in.readInt(loopCount))
                return false;
            if (loopCount > 0 && (totalLoops += loopCount) > maxModelLoops)
                return false;
            for (int i = 0; i < loopCount; ++i) {
                int hole = 0, pointCount = 0;
                if (!in.readInt(hole) || !in.readInt(pointCount))
                    return false;
                auto loop = std::make_unique<Loop>();
                loop->isHole = hole != 0;
                // Points are appended as they are read, so a false count allocates nothing.
                for (int k = 0; k < pointCount; ++k) {
                    Point2 p;
                    if (!in.readReal(p.x) || !in.readReal(p.y) || !withinCoordinateRange(p.x) ||
                        !withinCoordinateRange(p.y))
                        return false;
                    loop->addPoint(p);
                }
                face.polygon.addLoop(std::move(loop));
            }
            return true;
        }
    }
    return true; // the end of the file ends the face
}

} // namespace

void BaseFaceRule::apply(Face& face) {
    if (std::fabs(face.offset) >= 0.00001)
        return;
    bool& seen = face.plane == FacePlane::Horizontal ? horizontalSeen : verticalSeen;
    if (!seen) {
        face.isBase = true;
        seen = true;
    }
}

TextReadResult readTextModel(std::string_view bytes, MessageSink& sink,
                             const UnderlayLoader& loadUnderlay, ModelReadReport* report) {
    using Outcome = TextReadResult::Outcome;
    using Problem = ModelReadReport::Problem;
    TextReadResult result;
    auto model = std::make_unique<CardModel>();
    TextScanner in(bytes);
    const auto valueFailed = [&in, report, &result] {
        reportValueFailure(in, report);
        return std::move(result);
    };
    const auto failAs = [report, &result](Problem problem, std::size_t byte) {
        if (report) {
            report->problem = problem;
            report->byte = byte;
        }
        return std::move(result);
    };
    int width = 0, height = 0, grid = 16;
    std::size_t widthAt = 0, heightAt = 0, gridAt = 0;
    bool headerEnded = false;
    bool headerSeen = false; // any word of a design's header
    std::string_view token;
    while (!headerEnded && in.nextToken(token)) {
        if (token == "header")
            headerSeen = true;
        if (token == "version") {
            headerSeen = true;
            int major = 0, minor = 0;
            if (!in.readInt(major) || !in.readInt(minor))
                return valueFailed();
            if (report) {
                report->major = major;
                report->minor = minor;
            }
            if (major < 2) {
                sink.show("古いバージョンのファイルなため、本バージョンでは読み込めません。");
                return failAs(Problem::TooOld, 0);
            }
            if (major > 4) {
                sink.show("新しいバージョンのファイルなため、本バージョンでは読み込めません。\n"
                          "最新版のPlicatoPROを入手してください。");
                return failAs(Problem::TooNew, 0);
            }
            if (major == 4) {
                if (minor > 0)
                    sink.show("新しいバージョンのファイルなため、一部の情報を読み込めない可能性"
                              "があります。\n最新版のPlicatoPROを入手してください。");
                result.outcome = Outcome::Binary;
                return result;
            }
        } else if (token == "width") {
            headerSeen = true;
            if (!in.readInt(width))
                return valueFailed();
            widthAt = in.lastValueAt();
        } else if (token == "height") {
            headerSeen = true;
            if (!in.readInt(height))
                return valueFailed();
            heightAt = in.lastValueAt();
        } else if (token == "initGridSize") {
            if (!in.readInt(grid))
                return valueFailed();
            gridAt = in.lastValueAt();
        } else if (token == "imageFront") {
            if (!readUnderlay(in, model->frontImage, 258, loadUnderlay))
                return valueFailed();
        } else if (token == "imageTop") {
            if (!readUnderlay(in, model->topImage, 259, loadUnderlay))
                return valueFailed();
        } else if (token == "end_header") {
            headerEnded = true;
        }
    }
    // A file that ends inside its header holds no design; sizes and grid must be usable.
    if (!headerEnded)
        return headerSeen ? failAs(Problem::Truncated, bytes.size())
                          : failAs(Problem::BadHeader, 0);
    const auto badSize = [](int v) { return v <= 0 || v > maxCardSize; };
    if (badSize(width))
        return widthAt ? failAs(Problem::BadValue, widthAt) : failAs(Problem::BadHeader, 0);
    if (badSize(height))
        return heightAt ? failAs(Problem::BadValue, heightAt) : failAs(Problem::BadHeader, 0);
    if (badSize(grid))
        return failAs(Problem::BadValue, gridAt);
    model->cardWidth = width;
    model->cardHeight = height;
    model->setGridSize(grid);

    BaseFaceRule baseRule;
    std::int64_t totalLoops = 0;
    while (in.nextToken(token)) {
        if (token != "face")
            continue;
        if (std::int64_t(model->userFaces.size()) >= maxModelFaces)
            return valueFailed();
        auto face = std::make_unique<Face>(FacePlane::Vertical, 0.0);
        if (!readFace(in, *face, baseRule, totalLoops))
            return valueFailed();
        face->triangulate();
        model->userFaces.push_back(std::move(face));
    }
    result.outcome = Outcome::Read;
    result.model = std::move(model);
    return result;
}

} // namespace plicato
