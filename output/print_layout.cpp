// Page layout arithmetic and the plotter hand-off rules, free of any printing system.
#include "output/print_layout.h"

#include <cmath>

namespace plicato {

OutputSettings& outputSettings() {
    static OutputSettings settings;
    return settings;
}

PageLayout layoutPage(double dpiX, double dpiY, double pageWidth, double pageHeight, int cardWidth,
                      int cardHeight, const OutputSettings& settings) {
    PageLayout layout;
    layout.dpcmX = dpiX * 0.39370078740157477;
    layout.dpcmY = dpiY * 0.39370078740157477;
    layout.originShiftX = -int(std::trunc(settings.marginX));
    layout.originShiftY = -int(std::trunc(settings.marginY));
    if (settings.fitToPaper && cardWidth > 0 && cardHeight > 0) {
        const double sx = (pageWidth - 2 * settings.marginX) / cardWidth;
        const double sy = (pageHeight - 2 * settings.marginY) / (2.0 * cardHeight);
        const double factor = sx < sy ? sx : sy;
        // A page smaller than its margins has nothing to fit into: keep the true size.
        if (factor > 0 && std::isfinite(factor))
            layout.sizeFactor = factor;
    }
    return layout;
}

bool isCraftRoboPrinter(std::string_view printerName) {
    static constexpr std::string_view expected = "Graphtec Craft ROBO";
    if (printerName.size() < expected.size())
        return false;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(printerName[i]) != lower(expected[i]))
            return false;
    }
    return true;
}

std::string plotterCommandLine(bool portrait, long long ownerWindow) {
    return std::string("/FN") + (portrait ? "1" : "0") + " /CUTMODE /NOTRM /OWNER" +
           std::to_string(ownerWindow);
}

} // namespace plicato
