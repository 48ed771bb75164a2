#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include "app/caps_lock.h"
#include "app/dialogs/brace_check_window.h"
#include "app/dialogs/normal_find_window.h"
#include "app/dialogs/search_replace_window.h"
#include "app/main_window_macro_view.h"
#include "app/qt_prompter.h"
#include "app/qt_text.h"
#include "app/topic_highlighter.h"
#include "core/codec.h"
#include "core/native_path.h"
#include "core/program_folder.h"
#include "core/settings_keys.h"
#include "markup/markup_menu_states.h"
#include "shell/command_guard.h"

namespace qy::app {

namespace {

SettingsEnvironment EnvironmentFor(const std::string& program_folder) {
  SettingsEnvironment env;
  env.program_folder = program_folder;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    env.screen_width = screen->size().width();
    env.screen_height = screen->size().height();
  }
  return env;
}

}  // namespace

MainWindowOptions MainWindowOptions::Defaults() {
  MainWindowOptions options;
  options.settings_path = SettingsFilePath();
  options.key_file_path = KeyFilePath();
  options.toolbar_file_path = ToolbarFilePath();
  options.program_folder = ProgramFolder();
  options.shipped_folder = ExecutableFolder();
  return options;
}

std::string CommandLineFile(const std::vector<std::string>& arguments) {
  std::string file;
  for (const std::string& argument : arguments) {
    if (!file.empty()) file += ' ';
    file += argument;
  }
  return file;
}

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      settings_(options_.settings_path, EnvironmentFor(options_.program_folder)) {
  // The title first, so that every message box of the start-up names the program.
  QApplication::setApplicationName(QStringLiteral("Quillory"));
  setWindowTitle(QStringLiteral("Quillory"));
  setObjectName(QStringLiteral("frmMain"));
  if (options_.prompter) {
    prompter_ = options_.prompter;
  } else {
    own_prompter_ = std::make_unique<QtPrompter>(this);
    prompter_ = own_prompter_.get();
  }
  if (options_.chooser) {
    chooser_ = options_.chooser;
  } else {
    own_chooser_ = std::make_unique<QtFileChooser>(this);
    chooser_ = own_chooser_.get();
  }
  runner_ = std::make_unique<PosixProcessRunner>(
      [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  help_viewer_ = std::make_unique<WineHelpViewer>(*prompter_, *runner_);

  BuildViews();
  BuildLogic();
  BuildMacro();
  ConnectViews();

  // Default folders are written back so the options dialog shows where they point.
  ApplyFolderDefaults(settings_);
  // Status panels start from an empty caret, the real Caps Lock state and no change.
  status_->ShowCaret(0, 0);
  status_->ShowCaps(CapsLockOn());
  status_->ShowModified(false);
  // Toolbar layout before the settings (which place the bars), keys last so that a
  // key file overrides the defaults of the command table.
  ApplyToolbarLayoutFile();
  LoadSettings();
  RebuildRecentMenus();
  RebuildExternalHelpMenu();
  ApplyKeyFile();
  // Every run starts with an untitled project; a file on the command line replaces it.
  document_->NewProject();
  UpdateCommandStates();
  // Project files dropped from a file manager open like the command line.
  setAcceptDrops(true);
}

MainWindow::~MainWindow() {
  // The find windows store their settings and hold the model and the editor.
  delete normal_find_.data();
  delete search_window_.data();
  // The logic holds references to widgets and to the model; it goes first.
  // The pause box's end reaches the component, which must still be there.
  delete pause_box_.data();
  macro_runner_.reset();
  pascal_.reset();
  macro_host_.reset();
  page_preview_.reset();
  preview_window_.reset();
  build_.reset();
  hotspot_.reset();
  external_.reset();
  navigator_.reset();
  page_commands_.reset();
  recent_.reset();
  document_.reset();
  temp_files_.DeleteAll();
}

void MainWindow::BuildViews() {
  commands_ = new CommandActions(this);
  commands_->BuildMenus(menuBar());
  connect(commands_, &CommandActions::commandTriggered, this,
          [this](CommandId number) { RunCommandGuarded([&] { RunCommand(number); }, *prompter_); });

  editor_widget_ = new TopicEditor(this);
  editor_ = editor_widget_;
  editor_widget_->setObjectName(QStringLiteral("edtTopic"));
  editor_widget_->setContextMenuPolicy(Qt::CustomContextMenu);
  new TopicHighlighter(editor_widget_->document());

  tree_pane_ = new PageTreePane;
  debug_pane_ = new DebugPane;
  page_splitter_ = new QSplitter(Qt::Horizontal);
  page_splitter_->setObjectName(QStringLiteral("splPage"));
  page_splitter_->setChildrenCollapsible(false);
  page_splitter_->addWidget(tree_pane_);
  page_splitter_->addWidget(editor_widget_);
  page_splitter_->setStretchFactor(1, 1);
  outer_splitter_ = new QSplitter(Qt::Vertical);
  outer_splitter_->addWidget(page_splitter_);
  outer_splitter_->addWidget(debug_pane_);
  outer_splitter_->setStretchFactor(0, 1);
  outer_splitter_->setSizes({600, 120});
  setCentralWidget(outer_splitter_);

  status_ = std::make_unique<StatusPanels>(statusBar());
  // Panel 0 follows the hint of the command under the mouse.
  connect(statusBar(), &QStatusBar::messageChanged, this,
          [this](const QString& hint) { status_->panel(kMessagePanel)->setText(hint); });

  BuildToolbars();

  keyword_bar_ = new KeywordBar;
  keyword_toolbar_ = new QToolBar(QStringLiteral("キーワードバー"));
  keyword_toolbar_->setObjectName(QString::fromLatin1(kKeywordBarSettingsSection));
  keyword_toolbar_->addWidget(keyword_bar_);
  addToolBar(Qt::TopToolBarArea, keyword_toolbar_);

  editor_popup_ = new QMenu(this);
  editor_popup_->setObjectName(QStringLiteral("pumEditor"));
  commands_->FillEditorPopup(editor_popup_);
  // The conversions and the registered pictures are offered in the editor
  // too, as the same actions, so that texts and visibility follow.
  editor_popup_->addSeparator();
  editor_conversions_ = editor_popup_->addMenu(commands_->group_menu(kCmdConvertGroup)->title());
  for (CommandId c : {kCmdUCase, kCmdLCase, kCmdHalf, kCmdFull, kCmdHira, kCmdKata}) {
    editor_conversions_->addAction(commands_->action(c));
  }
  QMenu* pictures = editor_popup_->addMenu(commands_->group_menu(kCmdPictureGroup)->title());
  for (CommandId c :
       {kCmdBmp1, kCmdBmp2, kCmdBmp3, kCmdBmp4, kCmdBmp5, kCmdBmp6, kCmdBmp7, kCmdBmp8, kCmdBmp9}) {
    pictures->addAction(commands_->action(c));
  }
  for (QMenu* menu : {commands_->section_menu(CommandSection::kEdit),
                      commands_->section_menu(CommandSection::kShortCut), editor_popup_}) {
    connect(menu, &QMenu::aboutToShow, this, [this] { ShowMarkupMenuStates(true); });
    connect(menu, &QMenu::aboutToHide, this, [this] { ShowMarkupMenuStates(false); });
  }
  tree_popup_ = new QMenu(this);
  commands_->FillTreePopup(tree_popup_);
  history_popup_ = new QMenu(this);
  history_popup_->setObjectName(QStringLiteral("mnuPumGrpHis"));
}

void MainWindow::BuildLogic() {
  model_.on_modified_changed = [this](bool modified) { OnModifiedChanged(modified); };
  document_ = std::make_unique<ProjectDocument>(model_, *this, *prompter_, *status_, *chooser_,
                                                settings_, options_.program_folder);
  document_->rebuild_bitmap_menus = [this] { RebuildPictureMenu(); };

  page_commands_ = std::make_unique<PageCommands>(model_, *prompter_, clipboard_, settings_);
  navigator_ = std::make_unique<PageSwitch>(model_, *editor_, history_);
  navigator_->tree_visible = [this] { return tree_pane_->isVisible(); };
  navigator_->on_shown = [this](int page) {
    keyword_bar_->ShowPage(model_.ValidPage(page) ? &model_.Page(page) : nullptr);
    OnCaretMoved();
    UpdateCommandStates();
  };
  page_commands_->on_page_deleted = [this](const PageRecord& deleted) {
    navigator_->PageDeleted(deleted.Context);
    if (find_session_.result_state == FindResultState::kHits) DropFindHits();
  };

  recent_ = std::make_unique<RecentFiles>(settings_);
  recent_->Attach(*document_);
  recent_->on_changed = [this] { RebuildRecentMenus(); };

  external_ = std::make_unique<ExternalEditor>(model_, *editor_, *prompter_, *runner_, settings_,
                                               hold_check_);
  external_->on_mode_changed = [this](bool out) { OnExternalModeChanged(out); };
  document_->take_back_external_page = [this] { return external_->TakeBackExternalPage(); };
  document_->show_page = [this](int page) {
    if (!external_->IsOut()) ShowPage(page);
  };
  page_commands_->page_out_in_editor = [this] { return external_->IsOut(); };

  hotspot_ = std::make_unique<HotspotEditor>(model_, settings_, *runner_, *prompter_);

  build_ = std::make_unique<BuildCommands>(model_, settings_, *prompter_, *status_, *runner_,
                                           *help_viewer_, *debug_pane_);
  build_->save_project = [this] { return document_->SaveProject(); };
  build_->enable_window = [this](bool enabled) { setEnabled(enabled); };
  build_->windows_path = [](const std::string& path) { return WineWindowsPath(path); };
  build_->program_folder =
      options_.shipped_folder.empty() ? options_.program_folder : options_.shipped_folder;
  debug_pane_->on_show_view = [this](bool shown) {
    commands_->action(kCmdDebugView)->setChecked(shown);
  };
}

void MainWindow::ConnectViews() {
  connect(tree_pane_, &PageTreePane::pageSelected, this, &MainWindow::ShowPage);
  connect(tree_pane_->tree(), &PageTreeWidget::pageDropped, this, [this](int page, int target) {
    if (external_->IsOut()) return;
    // The dragged node is the page the command moves: shown like any
    // selected page, so that a refused drop leaves model and view agreeing.
    if (page != model_.CurrentPage()) ShowPage(page);
    ApplyPageCommand(page_commands_->DropPage(target));
  });
  connect(tree_pane_->tree(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (QTreeWidgetItem* item = tree_pane_->tree()->itemAt(at)) {
      tree_pane_->tree()->setCurrentItem(item);
    }
    tree_popup_->exec(tree_pane_->tree()->viewport()->mapToGlobal(at));
  });
  connect(editor_widget_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    editor_popup_->exec(editor_widget_->viewport()->mapToGlobal(at));
  });
  editor_widget_->on_text_changed = [this](const std::string&) { OnEditorTextChanged(); };
  connect(editor_widget_, &TopicEditor::caretMoved, this,
          [this](int row, int col) { status_->ShowCaret(row, col); });
  connect(editor_widget_, &TopicEditor::overwriteModeChanged, this,
          [this](bool overwrite) { status_->ShowOverwrite(overwrite); });
  connect(editor_widget_, &QPlainTextEdit::selectionChanged, this,
          [this] { widener_.OnSelectionChanged(*editor_, external_->IsOut()); });
  editor_widget_->viewport()->installEventFilter(this);
  qApp->installEventFilter(this);

  connect(keyword_bar_, &KeywordBar::rowsRequested, this, &MainWindow::SetKeywordRows);
  connect(keyword_bar_, &KeywordBar::fieldClicked, this, [this](KeywordBarField field) {
    OpenPageProperties(std::nullopt, PageRowOfBarField(field));
  });
  connect(debug_pane_, &DebugPane::codeHelpRequested, this,
          [this](const QString& code) { build_->ShowCompilerCodeHelp(FromQt(code)); });
  connect(debug_pane_, &DebugPane::workshopHelpRequested, this,
          [this](const QString& code) { build_->ShowWorkshopCodeHelp(FromQt(code)); });
  connect(history_popup_, &QMenu::aboutToShow, this,
          [this] { RebuildHistoryMenu(history_popup_); });
}

QToolBar* MainWindow::toolbar(ToolbarId id) const {
  const auto index = static_cast<int>(id) - static_cast<int>(ToolbarId::kFile);
  if (index < 0 || index >= static_cast<int>(toolbars_.size())) return nullptr;
  return toolbars_[static_cast<std::size_t>(index)];
}

// --- DocumentView -----------------------------------------------------------

void MainWindow::SetCaption(const std::string& caption) { setWindowTitle(ToQt(caption)); }

void MainWindow::SetPropertiesMenuText(const std::string& text) {
  commands_->action(kCmdProperty)->setText(ToQt(text));
}

void MainWindow::ClearEditorUndo() { editor_->ClearUndo(); }

void MainWindow::FocusEditor() { editor_->SetFocus(); }

void MainWindow::ClearPageTree() { tree_pane_->Clear(); }

void MainWindow::ShowPageTree(const PageTree& tree, int selected_page) {
  tree_pane_->Show(model_, tree, selected_page, expand_tree_);
  if (model_.ValidPage(selected_page)) ShowPage(selected_page);
}

void MainWindow::ResetPageViews(bool keep_message_pane) {
  debug_pane_->SetEntries({});
  if (!keep_message_pane) SetDebugViewShown(false);
  history_.Reset();
  // A new or opened project closes the brace check of the old one.
  if (BraceCheckDialog* braces = OpenBraceCheckWindow(this)) braces->close();
  if (preview_window_) preview_window_->Close();
  FindProjectCleared();
}

// --- Pages and the editor ---------------------------------------------------

void MainWindow::ShowPage(int page) {
  if (!model_.ValidPage(page)) return;
  loading_page_ = true;
  navigator_->ShowPage(page);
  loading_page_ = false;
  tree_pane_->SelectQuietly(page);
  if (preview_window_) preview_window_->OnPageChanged();
}

bool MainWindow::CurrentPageHasText() const {
  return model_.ValidPage(model_.CurrentPage()) && HasTopicText(CurrentAttribute());
}

PageAttribute MainWindow::CurrentAttribute() const {
  return model_.ValidPage(model_.CurrentPage()) ? model_.Page(model_.CurrentPage()).Attribute
                                                : kTopicPage;
}

void MainWindow::OnEditorTextChanged() {
  if (loading_page_ || !CurrentPageHasText()) return;
  // The model always holds what the user sees.
  std::string text = editor_->Text();
  PageRecord& page = model_.MutablePage(model_.CurrentPage());
  if (text == page.Topic) return;
  page.Topic = std::move(text);
  model_.SetModified(true);
  if (BraceCheckDialog* braces = OpenBraceCheckWindow(this)) braces->NoteTopicEdited();
  if (search_window_) search_window_->NoteTopicEdited();
}

void MainWindow::OnCaretMoved() { status_->ShowCaret(editor_->Row(), editor_->Col()); }

void MainWindow::OnModifiedChanged(bool modified) { status_->ShowModified(modified); }

void MainWindow::ApplyPageCommand(const PageCommandResult& result) {
  if (result.tree_change == TreeChange::kNone && !result.show_page) return;
  if (result.tree_change == TreeChange::kRefreshNode) {
    tree_pane_->RefreshLabels(model_);
  } else if (result.tree_change != TreeChange::kNone) {
    tree_pane_->Show(model_, result.tree, result.current_page, expand_tree_);
  }
  if (model_.ValidPage(result.current_page)) {
    if (result.show_page || result.current_page != tree_pane_->SelectedPage()) {
      ShowPage(result.current_page);
    } else {
      tree_pane_->SelectQuietly(result.current_page);
      keyword_bar_->ShowPage(&model_.Page(result.current_page));
    }
  }
  if (result.topic_cleared) {
    loading_page_ = true;
    editor_->SetText("");
    loading_page_ = false;
  }
  if (result.focus_editor) editor_->SetFocus();
  UpdateCommandStates();
  if (result.open_properties) OpenPageProperties();
}

void MainWindow::OnExternalModeChanged(bool out) {
  commands_->action(kCmdEditor)->setChecked(out);
  tree_pane_->caption()->setText(ToQt(out ? ExternalEditTreeCaption() : PageTreeCaption()));
  status_->SetStatusText(kMessagePanel, out ? ExternalEditReadOnlyNotice() : std::string());
  // The pane comes back only when the user had it shown.
  if (commands_->action(kCmdPageView)->isChecked()) tree_pane_->setVisible(!out);
  UpdateCommandStates();
}

void MainWindow::UpdateCommandStates() {
  const bool out = external_ && external_->IsOut();
  for (const CommandRow& row : CommandRows()) {
    if (row.Has(kNotWhilePageOut)) commands_->action(row.number)->setEnabled(!out);
  }
  commands_->action(kCmdShowSHG)->setEnabled(hotspot_ && hotspot_->Configured());
  commands_->action(kCmdEditor)->setChecked(out);
  UpdateFindCommandStates();
  UpdateMacroCommandStates();
}

void MainWindow::ShowMarkupMenuStates(bool menu_open) {
  // Only an open menu shows the states: a closed one leaves the items
  // enabled, so that their keys keep working once there is a selection.
  const MarkupMenuStates states =
      menu_open ? MarkupMenuStatesFor(CurrentAttribute(), editor_->SelLength())
                : MarkupMenuStates{true, true};
  commands_->group_menu(kCmdConvertGroup)->setEnabled(states.conversions);
  editor_conversions_->setEnabled(states.conversions);
  for (CommandId c : {kCmdBold, kCmdItalic, kCmdIndent, kCmdLineSpace}) {
    commands_->action(c)->setEnabled(states.selection_formats);
  }
}

void MainWindow::SetTreeLabelMode(int mode) {
  model_.SetTreeLabelMode(mode);
  commands_->action(kCmdViewCon)->setChecked(model_.TreeLabelShows(kLabelContext));
  commands_->action(kCmdViewId)->setChecked(model_.TreeLabelShows(kLabelContextId));
  commands_->action(kCmdViewKey)->setChecked(model_.TreeLabelShows(kLabelKeyword));
  tree_pane_->RefreshLabels(model_);
}

void MainWindow::SetKeywordRows(int rows) {
  keyword_bar_->SetRows(rows);
  for (int rows = 1; rows <= 4; ++rows) {
    commands_->action(CommandAfter(kCmdKeyOne, rows - 1))->setChecked(rows == keyword_bar_->rows());
  }
}

void MainWindow::SetPageViewShown(bool shown) {
  tree_pane_->setVisible(shown);
  commands_->action(kCmdPageView)->setChecked(shown);
}

void MainWindow::SetDebugViewShown(bool shown) { debug_pane_->ShowView(shown); }

// --- Recent files and history -----------------------------------------------

void MainWindow::RebuildRecentMenus() {
  const std::vector<RecentMenuItem> items = recent_->MenuItems();
  recent_popup_->clear();
  for (std::size_t i = 0; i < recent_items_.size(); ++i) {
    const bool visible = i < items.size() && items[i].visible;
    QAction* item = recent_items_[i];
    item->setVisible(visible);
    if (!visible) continue;
    // Captions hold the path as the settings file does (Shift-JIS).
    item->setText(ToQt(items[i].caption));
    item->setStatusTip(ToQt(items[i].hint));
    QAction* copy = recent_popup_->addAction(item->text());
    copy->setStatusTip(item->statusTip());
    connect(copy, &QAction::triggered, item, &QAction::trigger);
  }
  recent_separator_->setVisible(recent_->SeparatorVisible());
}

void MainWindow::RebuildHistoryMenu(QMenu* menu) {
  menu->clear();
  const std::vector<PageHistoryMenuItem> items = history_.MenuItems(model_);
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (!items[k].visible) continue;
    QAction* item = menu->addAction(ToQt(items[k].caption));
    const int entry = static_cast<int>(k);
    connect(item, &QAction::triggered, this, [this, entry] {
      if (external_->IsOut()) return;
      loading_page_ = true;
      const bool moved = navigator_->GoToHistoryEntry(entry);
      loading_page_ = false;
      if (moved) tree_pane_->SelectQuietly(model_.CurrentPage());
    });
  }
  menu->addSeparator();
  QAction* clear = menu->addAction(QStringLiteral("移動略歴の初期化(&F)"));
  connect(clear, &QAction::triggered, this, [this] { history_.ClearPageHistory(); });
}

// --- Start-up, drops and shutdown -------------------------------------------

void MainWindow::OpenFromCommandLine(const std::string& file) {
  if (file.empty()) return;
  document_->OpenProject(file, false);
}

void MainWindow::OpenDroppedFile(const std::string& file) {
  if (RefuseWhileMacroRuns()) return;
  if (!document_->ConfirmSaveChanges()) return;
  document_->OpenProject(file, true);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  OpenDroppedFile(urls.first().toLocalFile().toStdString());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // 0. The running macro holds the model and the views.
  if (RefuseWhileMacroRuns()) {
    event->ignore();
    return;
  }
  // 1. A page out in the external editor refuses the close.
  if (!external_->TakeBackExternalPage()) {
    event->ignore();
    return;
  }
  // 2.-3. The question runs with the editor hidden. Hiding it lets the
  // splitter give its room to the tree, so the layout the user had is
  // taken first.
  const int border_line = BorderLine();
  const QList<int> sizes = page_splitter_->sizes();
  editor_widget_->hide();
  if (!document_->ConfirmSaveChanges()) {
    editor_widget_->show();
    page_splitter_->setSizes(sizes);
    event->ignore();
    return;
  }
  // 4. Settings, then the project is cleared.
  CloseFindWindows();
  SaveSettings(border_line);
  document_->ClearProject();
  // 5. Temporary files go with the window.
  temp_files_.DeleteAll();
  closing_ = true;
  event->accept();
}

bool MainWindow::OwnsKey(QObject* watched, const QKeyEvent& key) const {
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const QKeySequence sequence(key.keyCombination());
  for (const QAction* action : actions()) {
    if (action->shortcut() == sequence) return true;
  }
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      OwnsKey(watched, *static_cast<QKeyEvent*>(event))) {
    // A key of the key table reaches its command from every view: the view
    // does not get to claim it for itself (the editor would move the caret
    // by a word on Ctrl+Left).
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    if (QWidget* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this) {
      status_->ShowCaps(CapsLockOn());
      // Typing into the page that is out says why nothing happens.
      if (widget == editor_widget_ && external_->IsOut()) {
        status_->SetStatusText(kMessagePanel, ExternalEditReadOnlyNotice());
      }
    }
  } else if (watched == editor_widget_->viewport() &&
             (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
              event->type() == QEvent::MouseButtonDblClick)) {
    widener_.OnMouseAction();
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace qy::app
