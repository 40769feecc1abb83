// The commands of the settings menu (grid size, colours, underlay tool window, card size) and
// the text-shape command, bound onto the main window.
#pragma once

namespace plicato {

class CMainFrame;

// Gives the five commands their handlers; the modeless card-size and underlay windows are made
// here, hidden, and live as long as the window.
void bindSettingsCommands(CMainFrame& frame);

} // namespace plicato
