// The commands of the settings menu (grid size, colours, card size) and the text-shape command,
// bound onto the main window.
#pragma once

namespace plicato {

class CMainFrame;

// Gives the four commands their handlers; the modeless card-size dialog is made here, hidden,
// and lives as long as the window.
void bindSettingsCommands(CMainFrame& frame);

} // namespace plicato
