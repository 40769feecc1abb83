// The output settings shared by printing and the plotter job, and the page layout: device units
// per centimetre, the margin shift and the fit-to-paper factor.
#pragma once

#include <string>
#include <string_view>

namespace plicato {

struct OutputSettings {
    bool mirrorPattern = false;
    bool fitToPaper = true;
    double marginX = 15.0; // millimetres, left; taken twice from the page width when fitting
    double marginY = 15.0; // millimetres, top; taken twice from the page height when fitting
};

constexpr int minPrintMargin = 5;
constexpr int maxPrintMargin = 50;

// The process-wide settings: not kept in the profile, every run starts from the defaults.
OutputSettings& outputSettings();

struct PageLayout {
    double dpcmX = 0.0; // device units per centimetre
    double dpcmY = 0.0;
    int originShiftX = 0; // the viewport origin moves by these device units
    int originShiftY = 0;
    double sizeFactor = 1.0;
};

// For a device of dpiX x dpiY with a printable area of pageWidth x pageHeight mm and a card of
// cardWidth x 2 * cardHeight mm. Fitting scales the card to the area inside the margins, up as
// well as down; a card or an area without size keeps the true size.
PageLayout layoutPage(double dpiX, double dpiY, double pageWidth, double pageHeight, int cardWidth,
                      int cardHeight, const OutputSettings& settings);

// The plotter's printer: the first 19 characters of its name are "Graphtec Craft ROBO", in any
// letter case.
bool isCraftRoboPrinter(std::string_view printerName);

// The controller's command line: "/FN1" for portrait paper, "/FN0" otherwise, then the owner
// window as a decimal number.
std::string plotterCommandLine(bool portrait, long long ownerWindow);

// Where the controller's install location is kept (an INI file standing in for the registry).
inline constexpr char plotterRegistrySection[] =
    "HKEY_LOCAL_MACHINE\\Software\\Graphtec\\Craft Robo Controller";
inline constexpr char plotterRegistryKey[] = "EXENAME";
inline constexpr char plotterRegistryDefaultPath[] = "/etc/xdg/PlicatoPRO/registry.ini";
// The controller's exit code that asks for the cut.
constexpr int plotterCutNow = 2;

} // namespace plicato
