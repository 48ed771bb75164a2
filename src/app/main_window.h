// The main window: holds the one project and every view of it, builds its
// menus, toolbars and shortcuts from the command table and dispatches each
// command to the logic.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QSplitter>
#include <QToolBar>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_actions.h"
#include "app/debug_pane.h"
#include "app/dialogs/normal_find_window.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/search_replace_window.h"
#include "app/keyword_bar.h"
#include "app/page_tree_pane.h"
#include "app/qt_platform.h"
#include "app/status_panels.h"
#include "app/topic_editor.h"
#include "build/build_commands.h"
#include "core/settings.h"
#include "macro/builtins_dialogs.h"
#include "macro/host_interface.h"
#include "macro/macro_run.h"
#include "macro/poor_pascal.h"
#include "markup/find_again.h"
#include "markup/find_session.h"
#include "markup/intelligent_select.h"
#include "platform/posix_process_runner.h"
#include "platform/proc_file_hold_check.h"
#include "platform/wine_help_viewer.h"
#include "preview/page_preview.h"
#include "preview/preview_window.h"
#include "project/page_commands.h"
#include "project/page_properties_model.h"
#include "project/project_document.h"
#include "project/project_model.h"
#include "shell/external_editor.h"
#include "shell/page_history.h"
#include "shell/recent_files.h"
#include "shell/temp_files.h"
#include "shell/toolbar_layout.h"

namespace qy::app {

struct MainWindowOptions {
  std::string settings_path;      // the settings file
  std::string key_file_path;      // ".kst"
  std::string toolbar_file_path;  // ".bar"
  // Where the untitled project and the program's own help files live;
  // ends with '/'.
  std::string program_folder;
  // Where the files delivered with the program lie (the compiler's code list
  // and code help file): the executable's own folder, which stays the same
  // when the program folder moves to the user's configuration folder. Empty:
  // the program folder. Ends with '/'.
  std::string shipped_folder;
  // Not owned; null means the window's own message boxes and file dialogs.
  Prompter* prompter = nullptr;
  FileChooser* chooser = nullptr;

  // The files of the program folder.
  static MainWindowOptions Defaults();
};

// The separator line right above `item` in `menu`; `item` itself when
// there is none.
QAction* SeparatorAbove(QMenu* menu, QAction* item);

// The page-properties box that a click on a keyword-bar field asks for.
PageRow PageRowOfBarField(KeywordBarField field);

// All command-line arguments joined with single blanks: one project file,
// so that a path with blanks works unquoted.
std::string CommandLineFile(const std::vector<std::string>& arguments);

class MainWindow : public QMainWindow, public DocumentView {
  Q_OBJECT

 public:
  explicit MainWindow(MainWindowOptions options = MainWindowOptions::Defaults(),
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up step 7: opens the file the command line names, without moving
  // the focus. Nothing happens for an empty name.
  void OpenFromCommandLine(const std::string& file);
  // Runs `command` as a menu item, button or key would.
  void RunCommand(CommandId command);

  // For tests and the views around the window.
  ProjectModel& model() { return model_; }
  Settings& settings() { return settings_; }
  ProjectDocument& document() { return *document_; }
  Editor& editor() { return *editor_; }
  TopicEditor* editor_widget() const { return editor_widget_; }
  PageTreePane* tree_pane() const { return tree_pane_; }
  KeywordBar* keyword_bar() const { return keyword_bar_; }
  QToolBar* keyword_toolbar() const { return keyword_toolbar_; }
  DebugPane* debug_pane() const { return debug_pane_; }
  StatusPanels& status() { return *status_; }
  CommandActions& commands() { return *commands_; }
  QSplitter* page_splitter() const { return page_splitter_; }
  QToolBar* toolbar(ToolbarId id) const;
  QMenu* recent_menu_source() const { return recent_popup_; }
  // The page-tree width (side by side) or height (one above the other).
  int BorderLine() const;
  bool external_editing() const { return external_ && external_->IsOut(); }
  MacroRunner& macro_runner() { return *macro_runner_; }
  TPoorPascal& macro_component() { return *pascal_; }
  // The box a paused macro shows; null while no macro waits in Pause.
  QMessageBox* macro_pause_box() const { return pause_box_; }
  // Ends the running macro before its next statement (a paused one too).
  void RequestMacroStop();
  // The find windows while they exist, else null.
  SearchReplaceDialog* search_window() const { return search_window_; }
  NormalFindWindow* normal_find_window() const { return normal_find_; }
  const FindSession& find_session() const { return find_session_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True when `key`, pressed in a view of this window, is the shortcut of
  // one of its commands.
  bool OwnsKey(QObject* watched, const QKeyEvent& key) const;

 private:
  // DocumentView.
  void SetCaption(const std::string& caption) override;
  void SetPropertiesMenuText(const std::string& text) override;
  void ClearEditorUndo() override;
  void FocusEditor() override;
  void ClearPageTree() override;
  void ShowPageTree(const PageTree& tree, int selected_page) override;
  void ResetPageViews(bool keep_message_pane) override;

  // Construction (main_window.cpp).
  void BuildViews();
  void BuildLogic();
  void ConnectViews();
  // main_window_toolbars.cpp
  void BuildToolbars();
  void ApplyToolbarLayoutFile();
  void SaveToolbarPositions();
  void RestoreToolbarPositions();
  std::vector<QToolBar*> AllToolbars() const;
  // main_window_settings.cpp
  void LoadSettings();
  // `border_line`: the tree extent the user had before the close began.
  void SaveSettings(int border_line);
  void ApplyFonts();
  void ApplyEditorMargins();
  void ApplySplit(bool top_split, int border_line);
  void ApplyKeyFile();
  void RebuildExternalHelpMenu();
  void RebuildPictureMenu();

  // The macro component and its menu (main_window_macro.cpp).
  class MacroView;
  void BuildMacro();
  void RunMacroCommand(CommandId command);
  void RebuildMacroMenu();
  void UpdateMacroCommandStates();
  void PumpDuringMacro();
  void ShowPauseBox();
  void ClosePauseBox();
  // True when a macro runs: the command that would replace or close the
  // project is refused, after offering to stop the macro.
  bool RefuseWhileMacroRuns();

  // Page display and bookkeeping.
  void ShowPage(int page);
  void OnEditorTextChanged();
  void OnCaretMoved();
  void OnModifiedChanged(bool modified);
  void ApplyPageCommand(const PageCommandResult& result);
  void UpdateCommandStates();
  void OnExternalModeChanged(bool out);
  void RebuildRecentMenus();
  void RebuildHistoryMenu(QMenu* menu);
  void SetTreeLabelMode(int mode);
  void SetKeywordRows(int rows);
  void SetPageViewShown(bool shown);
  void SetDebugViewShown(bool shown);
  void OpenDroppedFile(const std::string& file);
  bool CurrentPageHasText() const;
  PageAttribute CurrentAttribute() const;
  // The markup items' states by page kind and selection while a menu that
  // shows them is open; all enabled again when it closes.
  void ShowMarkupMenuStates(bool menu_open);

  // Commands (main_window_commands.cpp).
  void RunFileCommand(CommandId command);
  void RunEditCommand(CommandId command);
  void RunViewCommand(CommandId command);
  void RunProjectCommand(CommandId command);
  void RunShortCutCommand(CommandId command);
  void RunHelpCommand(CommandId command);
  void CommandWithoutHandler(CommandId command);
  void ShowHistoryPopup();
  // Find, replace and page link (main_window_find.cpp).
  void RunFindCommand(CommandId command);
  void OpenSearchWindow();
  void OpenNormalFind();
  FindTarget MakeFindTarget();
  // A page was deleted or the project cleared: the hits go.
  void DropFindHits();
  void FindProjectCleared();
  void CloseFindWindows();
  void UpdateFindCommandStates();
  void GoToNeighbourPage(int step);
  void Preview();
  void ShowOwnHelp(const std::string& file_name);

  // Dialogs (main_window_dialogs.cpp).
  void ShowProgramHelp(int context);
  // The page-properties dialog for the current page; `preset` chooses
  // another kind at once, `focus` the box that takes the focus.
  void OpenPageProperties(std::optional<PageAttribute> preset = std::nullopt,
                          PageRow focus = PageRow::kContext);
  void OpenNewPageWizard();
  void OpenProjectProperties();
  // The options dialog at `tab`; what it wrote is applied at once.
  void OpenOptions(OptionsTab tab = OptionsTab::kGeneral);
  // Fonts, toolbar style, margins and tree options from the settings.
  void ApplyViewOptions();
  void ApplyOptions();
  void OpenMakeWizard();
  void OpenHelpMapDialog();
  // The macro run dialog over `native_folder`: the chosen file's path.
  std::optional<std::string> ChooseMacro(const std::string& native_folder);
  void OpenMacroRegistration();
  void EditMacroFile(const std::string& native_path);

  MainWindowOptions options_;
  std::unique_ptr<Prompter> own_prompter_;
  Prompter* prompter_;
  std::unique_ptr<FileChooser> own_chooser_;
  FileChooser* chooser_;
  Settings settings_;
  ProjectModel model_;
  QtClipboard clipboard_;
  std::unique_ptr<PosixProcessRunner> runner_;
  std::unique_ptr<WineHelpViewer> help_viewer_;
  ProcFileHoldCheck hold_check_;
  TempFileRegistry temp_files_;
  PageHistory history_;
  MouseSelectionWidener widener_;

  CommandActions* commands_ = nullptr;
  QSplitter* outer_splitter_ = nullptr;
  QSplitter* page_splitter_ = nullptr;
  PageTreePane* tree_pane_ = nullptr;
  TopicEditor* editor_widget_ = nullptr;
  Editor* editor_ = nullptr;
  DebugPane* debug_pane_ = nullptr;
  KeywordBar* keyword_bar_ = nullptr;
  QToolBar* keyword_toolbar_ = nullptr;
  std::array<QToolBar*, 5> toolbars_{};
  // The toolbar buttons and separators by toolbar-table row.
  std::array<QAction*, kToolbarRowCount> toolbar_items_{};
  std::unique_ptr<StatusPanels> status_;
  QMenu* editor_popup_ = nullptr;
  QMenu* editor_conversions_ = nullptr;
  QMenu* tree_popup_ = nullptr;
  QMenu* recent_popup_ = nullptr;
  QMenu* history_popup_ = nullptr;
  std::vector<QAction*> recent_items_;
  QAction* recent_separator_ = nullptr;
  QAction* help_separator_ = nullptr;
  QAction* picture_separator_ = nullptr;

  std::unique_ptr<ProjectDocument> document_;
  std::unique_ptr<PageCommands> page_commands_;
  std::unique_ptr<PageSwitch> navigator_;
  std::unique_ptr<RecentFiles> recent_;
  std::unique_ptr<ExternalEditor> external_;
  std::unique_ptr<HotspotEditor> hotspot_;
  std::unique_ptr<BuildCommands> build_;
  std::unique_ptr<PreviewView> preview_view_;
  std::unique_ptr<PreviewWindow> preview_window_;
  std::unique_ptr<PagePreview> page_preview_;
  std::unique_ptr<MacroView> macro_view_;
  std::unique_ptr<PrompterDialogs> macro_dialogs_;
  std::unique_ptr<TPoorPascal> pascal_;
  std::unique_ptr<MacroHostInterface> macro_host_;
  std::unique_ptr<MacroRunner> macro_runner_;
  QAction* macro_stop_ = nullptr;
  QPointer<QMessageBox> pause_box_;
  FindSession find_session_;
  std::unique_ptr<PageNavigator> find_navigator_;
  QPointer<SearchReplaceDialog> search_window_;
  QPointer<NormalFindWindow> normal_find_;

  // Set while the window itself loads text into the editor: such a load is
  // no edit of the page.
  bool loading_page_ = false;
  bool closing_ = false;
  bool top_split_ = false;
  bool expand_tree_ = true;
};

}  // namespace qy::app
