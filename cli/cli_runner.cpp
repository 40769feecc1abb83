// plicato-cli's commands: reading the design, building its pattern and writing EPS, BMP, SVG,
// PDF or DXF, or printing a JSON description of the design.
#include "cli/cli_runner.h"

#include "cli/check_command.h"

#include "model/card_model.h"
#include "model/message_sink.h"
#include "model_file/model_file_reader.h"
#include "output/bitmap_file.h"
#include "output/dxf_writer.h"
#include "output/eps_writer.h"
#include "output/file_output.h"
#include "output/pattern_drawing.h"
#include "output/pdf_writer.h"
#include "output/raster_canvas.h"
#include "output/svg_writer.h"
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <optional>

#include <unistd.h>

#ifndef PLICATO_VERSION
#define PLICATO_VERSION "unknown"
#endif

namespace plicato {

namespace {

// --quiet of the run in progress, for commands that load designs through loadCliDesign.
bool quietRun = false;

// Pattern images beyond this many pixels are refused rather than allocated.
constexpr long long maxImagePixels = 64LL * 1024 * 1024;

// Where every message goes: "plicato-cli: FILE: reason", the way shell tools speak.
class Reporter {
public:
    Reporter(std::ostream& err, bool quiet) : err(err), quiet(quiet) {}
    void error(const std::string& file, const std::string& reason) const {
        err << "plicato-cli: " << file << ": " << reason << '\n';
    }
    void warning(const std::string& file, const std::string& text) const {
        if (!quiet)
            err << "plicato-cli: " << file << ": warning: " << text << '\n';
    }

private:
    std::ostream& err;
    bool quiet;
};

// The readers' messages are the application's own (Japanese, for its message boxes). Failures
// are described from the read report instead; what is left are warnings about pictures.
class ReadWarningSink : public MessageSink {
public:
    ReadWarningSink(const Reporter& reporter, std::string file)
        : reporter(reporter), file(std::move(file)) {}
    void show(const std::string& text) override {
        static const std::string missingPicture = "画像ファイルが見つかりません\n";
        if (startsWith(text, "古いバージョン") || startsWith(text, "新しいバージョン"))
            return;
        if (startsWith(text, missingPicture)) {
            reporter.warning(file, "picture not found: " + text.substr(missingPicture.size()));
            return;
        }
        std::string line;
        for (char c : text)
            line += c == '\n' ? std::string(": ") : std::string(1, c);
        while (line.size() >= 2 && line.compare(line.size() - 2, 2, ": ") == 0)
            line.resize(line.size() - 2);
        reporter.warning(file, "picture: " + line);
    }

private:
    static bool startsWith(const std::string& s, const std::string& prefix) {
        return s.compare(0, prefix.size(), prefix) == 0;
    }
    const Reporter& reporter;
    std::string file;
};

std::string versionText(const ModelReadReport& r) {
    return std::to_string(r.major) + "." + std::to_string(r.minor);
}

} // namespace

std::string describeReadProblem(const ModelReadReport& report) {
    using Problem = ModelReadReport::Problem;
    switch (report.problem) {
    case Problem::None:
        break;
    case Problem::NoSuchFile:
        return "no such file";
    case Problem::IsDirectory:
        return "is a directory";
    case Problem::NotRegularFile:
        return "not a regular file";
    case Problem::Unreadable:
        return std::string("unreadable (") + std::strerror(report.error) + ")";
    case Problem::TooLarge:
        return "too large for a design (over " + std::to_string(maxModelFileBytes >> 20) + " MiB)";
    case Problem::BadHeader:
        return "not a PlicatoPRO design (bad header)";
    case Problem::Truncated:
        return "truncated at byte " + std::to_string(report.byte);
    case Problem::BadValue:
        return "malformed value at byte " + std::to_string(report.byte);
    case Problem::TooOld:
        return "unsupported version " + versionText(report) + " (older than version 2)";
    case Problem::TooNew:
        return "unsupported version " + versionText(report) + " (made by a newer PlicatoPRO)";
    }
    return "not a readable design";
}

namespace {

struct ExportOptions {
    std::string design;
    std::string output;
    int filter = allLineKinds;
    int width = defaultPatternImageWidth;
    bool mirror = false;
    FoldStyle foldStyle = FoldStyle::Dashed;
    PaperSize paper = PaperSize::A4;
};

std::string lowerExtension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return ext;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

int usageError(std::ostream& err, const std::string& problem) {
    if (!problem.empty())
        err << "plicato-cli: " << problem << '\n';
    err << cliUsageText();
    return cliUsage;
}

// JSON numbers: the shortest text that reads back as the same double; null for non-numbers.
std::string jsonNumber(double v) {
    if (!std::isfinite(v))
        return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v == 0.0 ? 0.0 : v);
    return std::string(buffer, result.ptr);
}

// Area enclosed by a loop, always positive.
double loopArea(const Loop& loop) {
    return std::fabs(signedArea(loop.points));
}

// Reads the design and builds its pattern; nullptr (after the message) when refused.
CardModel* loadDesign(const std::string& path, const Reporter& reporter) {
    ReadWarningSink sink(reporter, path);
    ModelReadReport report;
    if (!readModelFile(path, sink, &report) || !currentModel()) {
        reporter.error(path, describeReadProblem(report));
        return nullptr;
    }
    if (report.major == 4 && report.minor > 0)
        reporter.warning(path, "version " + versionText(report) +
                                   " is newer than this program; some of it may not be read");
    CardModel* model = currentModel();
    buildPattern(*model);
    return model;
}

// Why `output` may not be written, before anything is read; empty when it may. The design
// itself is never overwritten by its pattern.
std::string refuseOutput(const std::string& design, const std::string& output) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path out(output);
    if (fs::is_directory(out, ec))
        return "is a directory";
    if (fs::exists(out, ec) && fs::equivalent(out, fs::path(design), ec))
        return "refusing to overwrite the design itself";
    const fs::path folder = out.has_parent_path() ? out.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec))
        return "no such folder";
    if (::access(folder.c_str(), W_OK) != 0 ||
        (fs::exists(out, ec) && ::access(out.c_str(), W_OK) != 0))
        return std::string("cannot write (") + std::strerror(errno) + ")";
    return {};
}

// The reason part of a writer's error text ("cannot write PATH: reason").
std::string writeFailure(const std::string& why) {
    const std::size_t colon = why.rfind(": ");
    return colon == std::string::npos ? "cannot write"
                                      : "cannot write (" + why.substr(colon + 2) + ")";
}

int runExport(const ExportOptions& o, const Reporter& reporter) {
    const std::string ext = lowerExtension(o.output);
    if (ext != "eps" && ext != "bmp" && ext != "svg" && ext != "pdf" && ext != "dxf") {
        reporter.error(o.output, "unknown output format (the name must end in .eps, .bmp, .svg, "
                                 ".pdf or .dxf)");
        return cliOutputRefused;
    }
    if (const std::string why = refuseOutput(o.design, o.output); !why.empty()) {
        reporter.error(o.output, why);
        return cliOutputRefused;
    }
    CardModel* model = loadDesign(o.design, reporter);
    if (!model)
        return cliInputRefused;

    std::string why;
    bool written = false;
    if (ext == "eps") {
        written = writePatternEps(o.output, *model, o.filter, &why);
    } else if (ext == "pdf" || ext == "dxf") {
        PatternLineList lines, chosen;
        collectPatternLines(*model, lines);
        for (const PatternLine& line : lines)
            if (line.kind < 0 || line.kind > 2 || (o.filter & (1 << line.kind)))
                chosen.push_back(line);
        const std::string text =
            ext == "pdf" ? patternPdfText(chosen, model->cardWidth, model->cardHeight, o.paper)
                         : patternDxfText(chosen, model->cardWidth, model->cardHeight, o.filter);
        written = writeFileReplacing(o.output, text, &why);
    } else if (ext == "svg") {
        PatternLineList lines, chosen;
        collectPatternLines(*model, lines);
        for (const PatternLine& line : lines)
            if (line.kind < 0 || line.kind > 2 || (o.filter & (1 << line.kind)))
                chosen.push_back(line);
        const std::string text =
            patternSvgText(chosen, model->cardWidth, model->cardHeight, o.foldStyle);
        written = writeFileReplacing(o.output, text, &why);
    } else {
        const PatternImageGeometry g =
            patternImageGeometry(o.width, model->cardWidth, model->cardHeight);
        if (g.height <= 0 || (long long)g.width * g.height > maxImagePixels) {
            reporter.error(o.output, "the card's proportions give an image too large to make");
            return cliOutputRefused;
        }
        RasterImage image(g.width, g.height);
        RasterCanvas canvas(image);
        drawPattern(canvas, *model, g.offset, g.offset, g.ratio, g.ratio, 1.0, o.mirror, false);
        written = writeBitmapFile(o.output, makeBitmapInfo(image), image, &why);
    }
    if (!written) {
        reporter.error(o.output, writeFailure(why));
        return cliOutputRefused;
    }
    return cliSuccess;
}

int parseExport(const std::vector<std::string>& args, std::ostream& err, ExportOptions& o) {
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (startsWith(a, "--lines=")) {
            o.filter = 0;
            std::string list = a.substr(8);
            std::size_t start = 0;
            while (start <= list.size()) {
                std::size_t comma = list.find(',', start);
                if (comma == std::string::npos)
                    comma = list.size();
                const std::string kind = list.substr(start, comma - start);
                if (kind == "cut")
                    o.filter |= CutLines;
                else if (kind == "mountain")
                    o.filter |= MountainLines;
                else if (kind == "valley")
                    o.filter |= ValleyLines;
                else if (!kind.empty())
                    return usageError(err, "unknown line kind \"" + kind + "\"");
                start = comma + 1;
            }
            if (o.filter == 0) {
                err << "plicato-cli: --lines needs at least one of cut, mountain, valley\n";
                return cliUsage;
            }
        } else if (startsWith(a, "--width=")) {
            const std::string v = a.substr(8);
            int width = 0;
            const auto result = std::from_chars(v.data(), v.data() + v.size(), width);
            if (v.empty() || result.ec != std::errc() || result.ptr != v.data() + v.size() ||
                width < minPatternImageWidth || width > maxPatternImageWidth) {
                err << "plicato-cli: --width takes a whole number from " << minPatternImageWidth
                    << " to " << maxPatternImageWidth << '\n';
                return cliUsage;
            }
            o.width = width;
        } else if (startsWith(a, "--paper=") || a == "--paper") {
            const bool separate = a == "--paper";
            if (separate && i + 1 >= args.size())
                return usageError(err, "--paper needs a4, letter or a3");
            const std::string name = separate ? args[++i] : a.substr(8);
            const std::optional<PaperSize> paper = paperFromName(name);
            if (!paper)
                return usageError(err, "unknown paper \"" + name + "\" (a4, letter or a3)");
            o.paper = *paper;
        } else if (a == "--mirror") {
            o.mirror = true;
        } else if (a == "--fold-style=dashed") {
            o.foldStyle = FoldStyle::Dashed;
        } else if (a == "--fold-style=solid") {
            o.foldStyle = FoldStyle::Solid;
        } else if (startsWith(a, "--") && a != "--") {
            return usageError(err, "unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2)
        return usageError(err, "export needs a design and an output file");
    o.design = positional[0];
    o.output = positional[1];
    return cliSuccess;
}

int runInfo(const std::string& path, std::ostream& out, const Reporter& reporter) {
    CardModel* model = loadDesign(path, reporter);
    if (!model)
        return cliInputRefused;
    PatternLineList lines;
    collectPatternLines(*model, lines);

    std::string json = "{\n";
    json += "  \"cardWidth\": " + std::to_string(model->cardWidth) + ",\n";
    json += "  \"cardHeight\": " + std::to_string(model->cardHeight) + ",\n";
    json += "  \"gridSize\": " + jsonNumber(model->gridSize) + ",\n";
    json += "  \"userFaces\": " + std::to_string(model->userFaces.size()) + ",\n";
    json += "  \"builtFaces\": [";
    for (std::size_t i = 0; i < model->builtFaces.size(); ++i) {
        const Face& face = *model->builtFaces[i];
        double area = 0.0;
        int outer = 0, holes = 0;
        for (const auto& loop : face.polygon.loops) {
            if (loop->isHole) {
                ++holes;
                area -= loopArea(*loop);
            } else {
                ++outer;
                area += loopArea(*loop);
            }
        }
        json += i ? ",\n    " : "\n    ";
        json += std::string("{\"plane\": \"") +
                (face.plane == FacePlane::Vertical ? "vertical" : "horizontal") +
                "\", \"offset\": " + jsonNumber(face.offset) + ", \"area\": " + jsonNumber(area) +
                ", \"outerLoops\": " + std::to_string(outer) +
                ", \"holes\": " + std::to_string(holes) + "}";
    }
    json += model->builtFaces.empty() ? "],\n" : "\n  ],\n";
    json += "  \"pattern\": {";
    const char* const names[3] = {"cut", "mountain", "valley"};
    for (int k = 0; k < 3; ++k) {
        const long count = long(std::count_if(lines.begin(), lines.end(),
                                              [k](const PatternLine& l) { return l.kind == k; }));
        json += std::string(k ? ",\n" : "\n") + "    \"" + names[k] +
                "\": {\"count\": " + std::to_string(count) +
                ", \"length\": " + jsonNumber(patternLength(lines, LineKind(k))) + "}";
    }
    json += "\n  }\n}\n";
    out << json;
    return cliSuccess;
}

} // namespace

CardModel* loadCliDesign(const std::string& path, std::ostream& err) {
    return loadDesign(path, Reporter(err, quietRun));
}

std::string cliUsageText() {
    return "usage: plicato-cli [--quiet] export DESIGN.plq OUTPUT [--lines=cut,mountain,valley]\n"
           "                          [--width=PIXELS] [--mirror] [--fold-style=dashed|solid]\n"
           "                          [--paper=a4|letter|a3]\n"
           "       plicato-cli [--quiet] info DESIGN.plq\n"
           "       plicato-cli [--quiet] check DESIGN.plq [--strict] [--min-width=MM]\n"
           "       plicato-cli --help | --version\n"
           "\n"
           "export  writes the development pattern of DESIGN.plq; OUTPUT's extension picks the\n"
           "        format: .eps (true size, the chosen line kinds, all three by default),\n"
           "        .bmp (an image PIXELS wide, 100 to 1600, default 400; --mirror flips it\n"
           "        left to right) or .svg (true size in millimetres, one layer per line kind,\n"
           "        folds dashed or, with --fold-style=solid, solid; --lines chooses the\n"
           "        layers that get lines), .pdf (true size on the --paper, A4 by default; a\n"
           "        card larger than the paper is tiled with a 10 mm overlap, crop marks and\n"
           "        labels A1, A2, ..) or .dxf (R12, millimetres, layers CUT, MOUNTAIN and\n"
           "        VALLEY of LINE entities). --lines applies to .eps, .svg, .pdf and .dxf.\n"
           "info    prints the card size, the grid, the faces and the pattern's line counts\n"
           "        and lengths (millimetres) as one JSON object.\n"
           "check   prints, as one JSON object, the pieces of paper that fall out, swing as\n"
           "        flaps, stick out of the closed card or are narrower than MM (default 0.5),\n"
           "        and where the check cannot be sure; --strict exits with 3 when a piece is\n"
           "        too thin or sticks out.\n"
           "--quiet, -q  no warnings (missing pictures, a newer minor version); errors still\n"
           "        print one line each.\n"
           "\n"
           "Messages go to standard error as \"plicato-cli: FILE: reason\".\n"
           "Exit status: 0 success, 1 the design could not be read, 2 usage error,\n"
           "3 check --strict found a piece too thin or sticking out, 4 the output file was\n"
           "refused or could not be written.\n";
}

int runCli(const std::vector<std::string>& allArgs, std::ostream& out, std::ostream& err) {
    // --quiet may stand anywhere, as with most tools.
    std::vector<std::string> args;
    bool quiet = false;
    for (const std::string& a : allArgs) {
        if (a == "--quiet" || a == "-q")
            quiet = true;
        else
            args.push_back(a);
    }
    quietRun = quiet;
    const Reporter reporter(err, quiet);
    if (args.empty())
        return usageError(err, "");
    const std::string& command = args[0];
    const bool help = std::any_of(args.begin(), args.end(),
                                  [](const std::string& a) { return a == "--help" || a == "-h"; });
    if (help || command == "help") {
        out << cliUsageText();
        return cliSuccess;
    }
    if (command == "--version" || command == "-V") {
        out << "plicato-cli " << PLICATO_VERSION << '\n';
        return cliSuccess;
    }
    if (command == "export") {
        ExportOptions options;
        const int status = parseExport(args, err, options);
        if (status != cliSuccess)
            return status;
        return runExport(options, reporter);
    }
    if (command == "check")
        return runCheckCommand(args, out, err);
    if (command == "info") {
        if (args.size() != 2 || startsWith(args[1], "--"))
            return usageError(err, "info needs exactly one design");
        return runInfo(args[1], out, reporter);
    }
    return usageError(err, "unknown command \"" + command + "\"");
}

} // namespace plicato
