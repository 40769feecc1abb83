// plicato-cli check: reads the design, builds its links, classifies every piece and prints the
// findings and the doubts as JSON.
#include "cli/check_command.h"

#include "check/design_check.h"
#include "cli/cli_runner.h"

#include <charconv>
#include <cmath>

namespace plicato {

namespace {

std::string number(double v) {
    if (!std::isfinite(v))
        return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v == 0.0 ? 0.0 : v);
    return std::string(buffer, result.ptr);
}

// Millimetres on the sheet to a thousandth: finer than any cut, and stable across platforms.
std::string mm(double v) {
    return number(std::round(v * 1000.0) / 1000.0);
}

std::string point(const Point2& p) {
    return "[" + mm(p.x) + ", " + mm(p.y) + "]";
}

const char* kindName(FindingKind kind) {
    switch (kind) {
    case FindingKind::FallsOut:
        return "fallsOut";
    case FindingKind::Flap:
        return "flap";
    case FindingKind::SticksOut:
        return "sticksOut";
    case FindingKind::TooThin:
        return "tooThin";
    }
    return "unknown";
}

const char* doubtName(DoubtKind kind) {
    switch (kind) {
    case DoubtKind::Linkage:
        return "linkage";
    case DoubtKind::FlapBeyond:
        return "flapBeyond";
    case DoubtKind::ShortHold:
        return "shortHold";
    }
    return "unknown";
}

const char* doubtText(DoubtKind kind) {
    switch (kind) {
    case DoubtKind::Linkage:
        return "these pieces are joined by folds on parallel lines into a linkage; counting "
               "pieces and hinges leaves this many freedoms, so it may move; the check cannot "
               "tell whether it stands";
    case DoubtKind::FlapBeyond:
        return "a flap drawn this many mm beyond the closed card; where it goes when the card "
               "closes depends on how it swings";
    case DoubtKind::ShortHold:
        return "held by only this many mm of fold, less than the minimum paper width";
    }
    return "";
}

bool parseWidth(const std::string& text, double& width) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), width);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           width >= 0.01 && width <= 100.0;
}

} // namespace

std::string checkResultJson(const CardModel& model, const CheckResult& result) {
    std::string json = "{\n";
    json += "  \"cardWidth\": " + std::to_string(model.cardWidth) + ",\n";
    json += "  \"cardHeight\": " + std::to_string(model.cardHeight) + ",\n";
    json += "  \"pieces\": " + std::to_string(result.pieces.size()) + ",\n";
    long frame = 0;
    for (const PieceCheck& p : result.pieces)
        frame += p.frame ? 1 : 0;
    json += "  \"frame\": " + std::to_string(frame) + ",\n";
    json += "  \"findings\": [";
    for (std::size_t i = 0; i < result.findings.size(); ++i) {
        const Finding& f = result.findings[i];
        const PieceCheck& p = result.pieces[f.piece];
        json += i ? ",\n    " : "\n    ";
        json += std::string("{\"class\": \"") + kindName(f.kind) +
                "\", \"piece\": " + std::to_string(f.piece) + ", \"plane\": \"" +
                (p.face->plane == FacePlane::Vertical ? "vertical" : "horizontal") +
                "\", \"offset\": " + mm(p.face->offset) + ", \"area\": " + mm(p.area) +
                ", \"box\": [" + mm(p.boxMin.x) + ", " + mm(p.boxMin.y) + ", " + mm(p.boxMax.x) +
                ", " + mm(p.boxMax.y) + "]";
        if (f.kind == FindingKind::SticksOut)
            json += ", \"by\": " + mm(f.amount) + ", \"at\": " + point(p.farthest);
        if (f.kind == FindingKind::TooThin)
            json += ", \"width\": " + mm(f.amount) + ", \"across\": [" + point(p.narrowFrom) +
                    ", " + point(p.narrowTo) + "]";
        json += "}";
    }
    json += result.findings.empty() ? "],\n" : "\n  ],\n";
    json += "  \"doubts\": [";
    for (std::size_t i = 0; i < result.doubts.size(); ++i) {
        const Doubt& d = result.doubts[i];
        json += i ? ",\n    " : "\n    ";
        json += std::string("{\"kind\": \"") + doubtName(d.kind) + "\", \"pieces\": [";
        for (std::size_t k = 0; k < d.pieces.size(); ++k)
            json += (k ? ", " : "") + std::to_string(d.pieces[k]);
        json += "], \"value\": " + mm(d.value) + ", \"text\": \"" + doubtText(d.kind) + "\"}";
    }
    json += result.doubts.empty() ? "]\n" : "\n  ]\n";
    json += "}\n";
    return json;
}

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool strict = false;
    CheckOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--strict") {
            strict = true;
        } else if (a.rfind("--min-width=", 0) == 0) {
            if (!parseWidth(a.substr(12), options.minPaperWidth)) {
                err << "plicato-cli: --min-width takes millimetres from 0.01 to 100\n"
                    << cliUsageText();
                return cliUsage;
            }
        } else if (a.rfind("--", 0) == 0 && a != "--") {
            err << "plicato-cli: unknown option " << a << '\n' << cliUsageText();
            return cliUsage;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 1) {
        err << "plicato-cli: check needs exactly one design\n" << cliUsageText();
        return cliUsage;
    }
    CardModel* model = loadCliDesign(positional[0], err);
    if (!model)
        return cliRefused;
    const CheckResult result = checkDesign(*model, options);
    out << checkResultJson(*model, result);
    if (strict)
        for (const Finding& f : result.findings)
            if (f.kind == FindingKind::TooThin || f.kind == FindingKind::SticksOut)
                return cliCheckFailed;
    return cliSuccess;
}

} // namespace plicato
