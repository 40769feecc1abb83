// Numeric ids of every command of the main window; menus, toolbar and status prompts are keyed
// by them.
#pragma once

namespace plicato::cmd {

// Files and the program.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int PrintSetup = 57606;
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;
inline constexpr int RecentFile1 = 57616; // .. 57619
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int IdleMessage = 57345;

// Pattern output and help.
inline constexpr int SavePattern = 32772;
inline constexpr int CopyPattern = 32790;
inline constexpr int CutPattern = 32851;
inline constexpr int Help = 32782;
inline constexpr int HomePage = 32822;

// Camera and display.
inline constexpr int ResetView = 32788;
inline constexpr int Orthographic = 32807;
inline constexpr int Viewpoint = 32812;
inline constexpr int FitView = 32901; // zoom and pan so the whole card is in view
inline constexpr int CardOpening = 32803;
inline constexpr int AntiAlias = 32819;
inline constexpr int MirrorEdit = 32820;
inline constexpr int ShowUnderlay = 32830;
inline constexpr int InputDisplay = 32835;
inline constexpr int PopupDisplay = 32836;
inline constexpr int DesignCheck = 32880;

// Edit plane and grid.
inline constexpr int VerticalPlane = 32794;
inline constexpr int HorizontalPlane = 32795;
inline constexpr int GridSmaller = 32783;
inline constexpr int GridLarger = 32802;
inline constexpr int HideEditPlane = 32787;

// Editing modes.
inline constexpr int PolygonFace = 32805;
inline constexpr int Rectangle3 = 32863;
inline constexpr int CutOut = 32806;
inline constexpr int FaceOperation = 32832;
inline constexpr int OutlineEdit = 32856;
inline constexpr int Subdivide = 32858;
inline constexpr int UnderlayFront = 32826;
inline constexpr int UnderlayTop = 32828;
inline constexpr int TextShape = 32860;

// Faces.
inline constexpr int CopyFaces = 32839;
inline constexpr int CutFaces = 32840;
inline constexpr int PasteFaces = 32841;
inline constexpr int DeleteFaces = 32842;
inline constexpr int ScaleFaces = 32850;
inline constexpr int ToTop = 32854;
inline constexpr int UpOne = 32852;
inline constexpr int DownOne = 32853;
inline constexpr int ToBottom = 32855;

// Settings.
inline constexpr int GridSizeSettings = 32817;
inline constexpr int ColorSettings = 32823;
inline constexpr int UnderlaySettings = 32829;
inline constexpr int CardSize = 32833;

} // namespace plicato::cmd
