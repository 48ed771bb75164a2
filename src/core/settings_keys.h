// Every key of the settings file, with its section, form and default.
//
// Single keys are constants named k<Section><Key>; numbered families
// (BitmapName1..9, RecentFile1..5, Menu00..19 ...) are functions of the
// number. AllSettingKeys() lists both, so the whole vocabulary can be checked
// at once. Defaults are UTF-8 here; Settings::DefaultText hands them out as
// Shift-JIS.
#pragma once

#include <cstddef>
#include <span>

#include "core/settings.h"

namespace qy::keys {

// X(name, section, key, type, default) for every single key.
#define QY_SETTING_KEYS(X)                                                         \
  /* Window: panes, placement, fonts and the geometry of dialogs. */               \
  X(kWindowPageView, "Window", "PageView", kBool, "1")                             \
  X(kWindowDebugView, "Window", "DebugView", kBool, "1")                           \
  X(kWindowStatusBar, "Window", "StatusBar", kBool, "1")                           \
  X(kWindowPosOption, "Window", "PosOption", kInt, "0")                            \
  X(kWindowLeft, "Window", "Left", kInt, "0")                                      \
  X(kWindowTop, "Window", "Top", kInt, "0")                                        \
  X(kWindowUserLeft, "Window", "UserLeft", kInt, "0")                              \
  X(kWindowUserTop, "Window", "UserTop", kInt, "0")                                \
  X(kWindowSizOption, "Window", "SizOption", kInt, "0")                            \
  X(kWindowWidth, "Window", "Width", kInt, kDefaultHalfScreenWidth)                \
  X(kWindowHeight, "Window", "Height", kInt, kDefaultHalfScreenHeight)             \
  X(kWindowWindowStyle, "Window", "WindowStyle", kBool, "0")                       \
  X(kWindowUserWidth, "Window", "UserWidth", kInt, kDefaultHalfScreenWidth)        \
  X(kWindowUserHeight, "Window", "UserHeight", kInt, kDefaultHalfScreenHeight)     \
  X(kWindowBorderSet, "Window", "BorderSet", kBool, "0")                           \
  X(kWindowBorderLine, "Window", "BorderLine", kInt, "220")                        \
  X(kWindowKeyBarLevel, "Window", "KeyBarLevel", kInt, "1")                        \
  X(kWindowTFontChar, "Window", "TFontChar", kInt, "128")                          \
  X(kWindowTFontName, "Window", "TFontName", kString, "ＭＳ Ｐゴシック")           \
  X(kWindowTFontSize, "Window", "TFontSize", kInt, "11")                           \
  X(kWindowTFontStyle, "Window", "TFontStyle", kInt, "0")                          \
  X(kWindowTFontColor, "Window", "TFontColor", kInt, "-2147483640")                \
  X(kWindowTWinColor, "Window", "TWinColor", kInt, "-2147483643")                  \
  X(kWindowPFontChar, "Window", "PFontChar", kInt, "128")                          \
  X(kWindowPFontName, "Window", "PFontName", kString, kDefaultUiFont)              \
  X(kWindowPFontSize, "Window", "PFontSize", kInt, "9")                            \
  X(kWindowPFontStyle, "Window", "PFontStyle", kInt, "0")                          \
  X(kWindowDFontChar, "Window", "DFontChar", kInt, "128")                          \
  X(kWindowDFontName, "Window", "DFontName", kString, kDefaultUiFont)              \
  X(kWindowDFontSize, "Window", "DFontSize", kInt, "9")                            \
  X(kWindowDFontStyle, "Window", "DFontStyle", kInt, "0")                          \
  X(kWindowEFontChar, "Window", "EFontChar", kInt, "128")                          \
  X(kWindowEFontName, "Window", "EFontName", kString, kDefaultUiFont)              \
  X(kWindowEFontSize, "Window", "EFontSize", kInt, "9")                            \
  X(kWindowEFontStyle, "Window", "EFontStyle", kInt, "0")                          \
  X(kWindowBFontColor, "Window", "BFontColor", kInt, "-2147483640")                \
  X(kWindowBFontStyle, "Window", "BFontStyle", kInt, "0")                          \
  X(kWindowJmpColorChk, "Window", "JmpColorChk", kBool, "0")                       \
  X(kWindowJmpColorUdr, "Window", "JmpColorUdr", kBool, "1")                       \
  X(kWindowJmpColorPos, "Window", "JmpColorPos", kInt, "1")                        \
  X(kWindowPopColorChk, "Window", "PopColorChk", kBool, "0")                       \
  X(kWindowPopColorUdr, "Window", "PopColorUdr", kBool, "1")                       \
  X(kWindowPopColorPos, "Window", "PopColorPos", kInt, "1")                        \
  X(kWindowKeyColorChk, "Window", "KeyColorChk", kBool, "0")                       \
  X(kWindowKeyColorUdr, "Window", "KeyColorUdr", kBool, "1")                       \
  X(kWindowKeyColorPos, "Window", "KeyColorPos", kInt, "1")                        \
  X(kWindowHypColorChk, "Window", "HypColorChk", kBool, "0")                       \
  X(kWindowHypColorUdr, "Window", "HypColorUdr", kBool, "1")                       \
  X(kWindowHypColorPos, "Window", "HypColorPos", kInt, "1")                        \
  X(kWindowLinkWidth, "Window", "LinkWidth", kInt, "440")                          \
  X(kWindowLinkHeight, "Window", "LinkHeight", kInt, "287")                        \
  X(kWindowFindLeft, "Window", "FindLeft", kInt, "0")                              \
  X(kWindowFindTop, "Window", "FindTop", kInt, "0")                                \
  X(kWindowFindWidth, "Window", "FindWidth", kInt, "546")                          \
  X(kWindowFindHeight, "Window", "FindHeight", kInt, "224")                        \
  X(kWindowFindTitWidth, "Window", "FindTitWidth", kInt, "110")                    \
  X(kWindowFindTpcWidth, "Window", "FindTpcWidth", kInt, "220")                    \
  X(kWindowFindConWidth, "Window", "FindConWidth", kInt, "74")                     \
  X(kWindowPageWidth, "Window", "PageWidth", kInt, "0")                            \
  /* Option: the switches of the options dialog. */                                \
  X(kOptionViewIndex, "Option", "ViewIndex", kInt, "0")                            \
  X(kOptionTooBarFlat, "Option", "TooBarFlat", kStringBoolDefaultOn, "True")       \
  X(kOptionTTopSpace, "Option", "TTopSpace", kStringBool, "False")                 \
  /* The options dialog reads TLeftSpace raw and shows it unticked when */         \
  /* absent; at start-up the default applies. */                                   \
  X(kOptionTLeftSpace, "Option", "TLeftSpace", kStringBool, "True")                \
  X(kOptionTreeView, "Option", "TreeView", kStringBool, "True")                    \
  X(kOptionToolTips, "Option", "ToolTips", kBool, "1")                             \
  X(kOptionComVerChk, "Option", "ComVerChk", kBool, "0")                           \
  X(kOptionContextList, "Option", "ContextList", kBool, "0")                       \
  X(kOptionDelConfirm, "Option", "DelConfirm", kStringBool, "True")                \
  X(kOptionAttrConfirm, "Option", "AttrConfirm", kBool, "1")                       \
  X(kOptionPageProp, "Option", "PageProp", kStringBool, "False")                   \
  X(kOptionMakeSave, "Option", "MakeSave", kStringBool, "False")                   \
  X(kOptionCheckMode, "Option", "CheckMode", kInt, "0")                            \
  X(kOptionPagePrev, "Option", "PagePrev", kBool, "1")                             \
  X(kOptionNoLowLayer, "Option", "NoLowLayer", kBool, "1")                         \
  X(kOptionFindItAuto, "Option", "FindItAuto", kBool, "0")                         \
  X(kOptionFindItClose, "Option", "FindItClose", kBool, "0")                       \
  /* Debug: the compiler-message pane and what follows a build. */                 \
  X(kDebugDebugSave, "Debug", "DebugSave", kBool, "0")                             \
  X(kDebugDebugAuto, "Debug", "DebugAuto", kBool, "1")                             \
  X(kDebugAutoNote, "Debug", "AutoNote", kBool, "1")                               \
  X(kDebugAutoWarn, "Debug", "AutoWarn", kBool, "1")                               \
  X(kDebugHelpShow, "Debug", "HelpShow", kBool, "1")                               \
  X(kDebugShowNote, "Debug", "ShowNote", kBool, "1")                               \
  X(kDebugShowWarn, "Debug", "ShowWarn", kBool, "1")                               \
  /* Etcetera: outside programs and the default bitmap folder. */                  \
  X(kEtceteraHelpCompiler, "Etcetera", "HelpCompiler", kString, "hcrtf.exe")       \
  X(kEtceteraHelpWorkshop, "Etcetera", "HelpWorkshop", kString, "Hcw.exe")         \
  X(kEtceteraTextEditor, "Etcetera", "TextEditor", kString, "Notepad.exe")         \
  X(kEtceteraComLine1, "Etcetera", "ComLine1", kString, "")                        \
  X(kEtceteraComLine2, "Etcetera", "ComLine2", kString, "")                        \
  X(kEtceteraExscPath, "Etcetera", "ExscPath", kString, "")                        \
  X(kEtceteraBitmapPath, "Etcetera", "BitmapPath", kString, kDefaultProgramFolder) \
  X(kToolHotspotEdit, "Tool", "HotspotEdit", kString, "")                          \
  /* Macro: the macro folder and menu. */                                          \
  X(kMacroFold, "Macro", "Fold", kString, kDefaultProgramFolder)                   \
  X(kMacroLastMacro, "Macro", "LastMacro", kString, "")                            \
  X(kMacroCount, "Macro", "Count", kInt, "0")                                      \
  X(kPreviewLeft, "Preview", "Left", kInt, "6")                                    \
  X(kPreviewTop, "Preview", "Top", kInt, "6")                                      \
  X(kPreviewWidth, "Preview", "Width", kInt, kDefaultHalfScreenWidth)              \
  X(kPreviewHeight, "Preview", "Height", kInt, kDefaultHalfScreenHeight)           \
  X(kPagePropFont, "PageProp", "Font", kBool, "1")                                 \
  X(kPagePropCipHint, "PageProp", "CipHint", kBool, "1")                           \
  X(kCompileCommand, "Compile", "Command", kString, "/x")                          \
  X(kCompileReadyNum, "Compile", "ReadyNum", kInt, "6000")                         \
  X(kCompileReadyTime, "Compile", "ReadyTime", kInt, "1500")                       \
  /* One section per toolbar, named after it. */                                   \
  X(kTbrWinFileVisible, "tbrWinFile", "Visible", kBool, "1")                       \
  X(kTbrWinEditVisible, "tbrWinEdit", "Visible", kBool, "1")                       \
  X(kTbrWinPropVisible, "tbrWinProp", "Visible", kBool, "1")                       \
  X(kTbrPageVisible, "tbrPage", "Visible", kBool, "1")                             \
  X(kTbrWinShortVisible, "tbrWinShort", "Visible", kBool, "1")                     \
  X(kTbrKeyWordVisible, "tbrKeyWord", "Visible", kBool, "1")

#define QY_DECLARE_SETTING_KEY(name, section, key, type, def) \
  inline constexpr SettingKey name{section, key, SettingType::type, def};
QY_SETTING_KEYS(QY_DECLARE_SETTING_KEY)
#undef QY_DECLARE_SETTING_KEY

// Values of Window/PosOption and Window/SizOption: the system places the
// window, it comes back where (and as big as) it was left, or at the user's
// fixed place (size).
inline constexpr int kWindowPlaceSystem = 0;
inline constexpr int kWindowPlaceLast = 1;
inline constexpr int kWindowPlaceUser = 2;

// Numbered families. An index outside the family's range gives a key with an
// empty name: reading it gives the default, writing it fails.

// Etcetera/BitmapName1..9, BitmapTitle1..9, BitmapCheck1..9 ("True"/"False").
SettingKey EtceteraBitmapName(int i);
SettingKey EtceteraBitmapTitle(int i);
SettingKey EtceteraBitmapCheck(int i);
inline constexpr int kBitmapEntries = 9;  // numbered from 1

// Macro/Menu00..Menu19: a registered macro, written as ""file","title"".
SettingKey MacroMenu(int n);
inline constexpr int kMacroMenuEntries = 20;  // numbered from 0

// Option/Link0..19: the hyperlink history, newest first.
SettingKey OptionLink(int i);
inline constexpr int kLinkHistoryEntries = 20;  // numbered from 0

// Font/ImeFonClr0..3, ImeBakClr0..3, ImeFonSty0..3: the input-method
// composition states; 0 and 2 are blue on white and underlined, 1 and 3 white
// on blue.
SettingKey FontImeFonClr(int i);
SettingKey FontImeBakClr(int i);
SettingKey FontImeFonSty(int i);
inline constexpr int kImeStates = 4;  // numbered from 0

// Help/Title0..4 and File0..4: the external help files of the Help menu.
SettingKey HelpTitle(int i);
SettingKey HelpFile(int i);
inline constexpr int kExternalHelpEntries = 5;  // numbered from 0

// "Recent Files"/RecentFile1..5, newest first.
SettingKey RecentFile(int i);
inline constexpr int kRecentFileEntries = 5;  // numbered from 1

// FindText/Find0..9 and RepText/Rep0..9, newest first.
SettingKey FindTextFind(int i);
SettingKey RepTextRep(int i);
inline constexpr int kFindHistoryEntries = 10;  // numbered from 0

// The toolbars with a section of their own: the five layout toolbars and the
// keyword bar, in this order (tbrWinFile, tbrWinEdit, tbrWinProp, tbrPage,
// tbrWinShort, tbrKeyWord).
inline constexpr int kToolbarSections = 6;
// Toolbar n's Visible key (kTbrWinFileVisible ...).
const SettingKey& ToolbarVisible(int n);
// Where toolbar n was left: the side it is docked to ("Top", "Bottom",
// "Left", "Right" or "Float"), its row and position there, or where it
// floats. The window supplies the row and position defaults, which depend
// on the toolbar.
struct ToolbarPlaceKeys {
  SettingKey docked_to;
  SettingKey dock_row;
  SettingKey dock_pos;
  SettingKey float_left;
  SettingKey float_top;
};
ToolbarPlaceKeys ToolbarPlace(int n);

// Every key above, single keys first, then each family in number order.
std::span<const SettingKey> AllSettingKeys();

}  // namespace qy::keys

namespace qy {

// Start-up rule: Etcetera/BitmapPath and Macro/Fold, when missing or empty,
// become the program's folder in lower case and are written back.
FileResult ApplyFolderDefaults(Settings& settings);

}  // namespace qy
