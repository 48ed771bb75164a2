// The commands of the command table, each handed to the logic that carries
// it out. Commands whose dialog the window does not have yet say so.
#include <QCoreApplication>
#include <QTextCursor>

#include "app/dialogs/brace_check_window.h"
#include "app/dialogs/font_effects_dialog.h"
#include "app/dialogs/indent_spacing_dialog.h"
#include "app/dialogs/keyword_link_dialog.h"
#include "app/dialogs/link_dialog.h"
#include "app/dialogs/other_shortcuts_dialog.h"
#include "app/dialogs/picture_insert_dialog.h"
#include "app/dialogs/picture_registration_dialog.h"
#include "app/main_window.h"
#include "app/preview_view.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/program_folder.h"
#include "core/settings_keys.h"
#include "export/export_command.h"
#include "markup/convert_commands.h"
#include "markup/edit_commands.h"
#include "markup/format_commands.h"
#include "markup/hotspot_markup.h"
#include "markup/picture_folder.h"
#include "markup/picture_menu.h"
#include "preview/page_preview.h"
#include "shell/text_files.h"

namespace qy::app {

namespace {

constexpr char kMacroHelpFileName[] = "qymacro.hlp";

}  // namespace

// Every row of the command table has a handler in its section's switch; reaching
// a default branch means a row was added without one.
void MainWindow::CommandWithoutHandler(CommandId command) {
  qWarning("command %d has no handler", static_cast<int>(command));
  Q_ASSERT_X(false, "RunCommand", "command without a handler");
}

void MainWindow::RunCommand(CommandId command) {
  const CommandRow* row = FindCommand(command);
  if (!row || row->IsGroup()) return;
  // Disabled meanwhile; a key or a macro can still ask.
  if (row->Has(kNotWhilePageOut) && external_->IsOut()) return;
  if (row->Has(kNotWhileMacroRuns) && RefuseWhileMacroRuns()) return;
  switch (row->section) {
    case CommandSection::kFile:
      RunFileCommand(command);
      break;
    case CommandSection::kEdit:
      RunEditCommand(command);
      break;
    case CommandSection::kView:
      RunViewCommand(command);
      break;
    case CommandSection::kProject:
      RunProjectCommand(command);
      break;
    case CommandSection::kShortCut:
      RunShortCutCommand(command);
      break;
    case CommandSection::kMacro:
      RunMacroCommand(command);
      break;
    case CommandSection::kHelp:
      RunHelpCommand(command);
      break;
  }
}

void MainWindow::RunFileCommand(CommandId command) {
  switch (command) {
    case kCmdNewPro:
      document_->NewCommand();
      break;
    case kCmdOpenPro:
      document_->OpenCommand(true);
      break;
    case kCmdSavePro:
      document_->SaveCommand();
      break;
    case kCmdSaveAs:
      document_->SaveProjectAs();
      break;
    case kCmdOpenText:
      if (CurrentPageHasText() && !editor_->ReadOnly()) OpenText(*editor_, *chooser_, *prompter_);
      break;
    case kCmdSaveText:
      if (CurrentPageHasText()) SaveText(model_, *prompter_);
      break;
    case kCmdHelpMake:
      build_->MakeHelp();
      break;
    case kCmdHelpWiz:
      OpenMakeWizard();
      break;
    case kCmdHelpMap:
      OpenHelpMapDialog();
      break;
    case kCmdFileMake:
      build_->MakeIntermediateFiles();
      break;
    case kCmdFileDel:
      build_->DeleteIntermediateFiles();
      break;
    case kCmdExit:
      close();
      break;
    case kCmdExport: {
      help_export::ExportOptions options;
      options.picture_folder = PictureFolder(settings_, PictureSection(model_));
      help_export::RunExportCommand(model_, options, {*prompter_, *chooser_, *status_, *runner_});
      break;
    }
    default:
      CommandWithoutHandler(command);
      break;
  }
}

void MainWindow::RunEditCommand(CommandId command) {
  const PageAttribute kind = CurrentAttribute();
  switch (command) {
    case kCmdUndo:
      UndoCommand(*editor_, kind);
      break;
    case kCmdCut:
      editor_widget_->cut();
      break;
    case kCmdCopy:
      editor_widget_->copy();
      break;
    case kCmdPaste:
      editor_widget_->paste();
      break;
    case kCmdDel:
      if (!editor_->ReadOnly()) DeleteCommand(*editor_);
      break;
    case kCmdSelect:
      editor_widget_->selectAll();
      break;
    case kCmdIntelli:
      IntelligentSelect(*editor_);
      break;
    case kCmdUCase:
    case kCmdLCase:
    case kCmdHalf:
    case kCmdFull:
    case kCmdHira:
    case kCmdKata: {
      static constexpr TextMapping kMappings[] = {TextMapping::kUpperCase, TextMapping::kLowerCase,
                                                  TextMapping::kHalfWidth, TextMapping::kFullWidth,
                                                  TextMapping::kHiragana,  TextMapping::kKatakana};
      if (ConversionEnabled(kind, editor_->SelLength())) {
        ConvertSelection(*editor_, kMappings[command - kCmdUCase]);
      }
      break;
    }
    case kCmdNewFind:
    case kCmdNextFind:
    case kCmdBackFind:
    case kCmdFind:
    case kCmdFindReset:
    case kCmdContext:
      RunFindCommand(command);
      break;
    case kCmdTop:
      editor_widget_->moveCursor(QTextCursor::Start);
      break;
    case kCmdBottom:
      editor_widget_->moveCursor(QTextCursor::End);
      break;
    default:
      CommandWithoutHandler(command);
      break;
  }
}

void MainWindow::RunViewCommand(CommandId command) {
  switch (command) {
    case kCmdOption:
      OpenOptions();
      break;
    case kCmdSetupBar:
      OpenOptions(OptionsTab::kToolbar);
      break;
    case kCmdFileBar:
    case kCmdEditBar:
    case kCmdPropBar:
    case kCmdPageBar:
    case kCmdShortBar: {
      QToolBar* bar = toolbars_[static_cast<std::size_t>(command - kCmdFileBar)];
      bar->setVisible(!bar->isVisibleTo(this));
      commands_->action(command)->setChecked(bar->isVisibleTo(this));
      break;
    }
    case kCmdKeyOne:
    case kCmdKeyTwo:
    case kCmdKeyThree:
    case kCmdKeyFour:
      SetKeywordRows(command - kCmdKeyOne + 1);
      break;
    case kCmdKeybar:
      keyword_toolbar_->setVisible(!keyword_toolbar_->isVisibleTo(this));
      commands_->action(kCmdKeybar)->setChecked(keyword_toolbar_->isVisibleTo(this));
      break;
    case kCmdStatusBar:
      statusBar()->setVisible(!statusBar()->isVisibleTo(this));
      commands_->action(kCmdStatusBar)->setChecked(statusBar()->isVisibleTo(this));
      break;
    case kCmdPageView:
      if (external_->IsOut()) {
        commands_->action(kCmdPageView)->setChecked(false);
        break;
      }
      SetPageViewShown(!tree_pane_->isVisibleTo(this));
      break;
    case kCmdDebugView:
      SetDebugViewShown(!debug_pane_->isVisibleTo(this));
      break;
    case kCmdViewCon:
      SetTreeLabelMode(model_.TreeLabelModeToggled(kLabelContext));
      break;
    case kCmdViewId:
      SetTreeLabelMode(model_.TreeLabelModeToggled(kLabelContextId));
      break;
    case kCmdViewKey:
      SetTreeLabelMode(model_.TreeLabelModeToggled(kLabelKeyword));
      break;
    case kCmdHelpView:
      build_->ShowHelpFile();
      break;
    case kCmdEditCnt:
      build_->OpenIntermediateFile(IntermediateFile::kContents);
      break;
    case kCmdEditHpj:
      build_->OpenIntermediateFile(IntermediateFile::kHelpProject);
      break;
    case kCmdEditRtf:
      build_->OpenIntermediateFile(IntermediateFile::kTopics);
      break;
    case kCmdEditHh:
      build_->OpenIntermediateFile(IntermediateFile::kMapHeader);
      break;
    case kCmdEditErr:
      build_->OpenIntermediateFile(IntermediateFile::kErrorLog);
      break;
    case kCmdHwsCnt:
      build_->OpenInHelpWorkshop(IntermediateFile::kContents);
      break;
    case kCmdHwsHpj:
      build_->OpenInHelpWorkshop(IntermediateFile::kHelpProject);
      break;
    case kCmdShowSHG:
      if (hotspot_->Configured()) hotspot_->Start(editor_->SelText());
      break;
    default:
      CommandWithoutHandler(command);
      break;
  }
}

void MainWindow::RunProjectCommand(CommandId command) {
  switch (command) {
    case kCmdPageWiz:
      OpenNewPageWizard();
      break;
    case kCmdPageProperties:
      OpenPageProperties();
      break;
    case kCmdAttrInclude:
      OpenPageProperties(kIncludePage);
      break;
    case kCmdAttrBook:
      OpenPageProperties(BookAttribute(1));
      break;
    case kCmdProperty:
      OpenProjectProperties();
      break;
    case kCmdNewPage:
      ApplyPageCommand(page_commands_->NewPageCommand());
      break;
    case kCmdCutPage:
      ApplyPageCommand(page_commands_->CutPage());
      break;
    case kCmdCopyPage:
      page_commands_->CopyPage();
      break;
    case kCmdPastePage:
      ApplyPageCommand(page_commands_->PastePage());
      break;
    case kCmdDelPage:
      ApplyPageCommand(page_commands_->DeletePage());
      break;
    case kCmdAttrTopic:
      ApplyPageCommand(page_commands_->ChangePageAttribute(kTopicPage));
      break;
    case kCmdAttrPopup:
      ApplyPageCommand(page_commands_->ChangePageAttribute(kPopupPage));
      break;
    case kCmdAttrContent:
      ApplyPageCommand(page_commands_->ChangePageAttribute(kContentPage));
      break;
    case kCmdEditor:
      external_->EditPageExternally();
      commands_->action(kCmdEditor)->setChecked(external_->IsOut());
      break;
    case kCmdPreview:
      Preview();
      break;
    case kCmdPageBack:
      GoToNeighbourPage(-1);
      break;
    case kCmdPageNext:
      GoToNeighbourPage(1);
      break;
    case kCmdPageHis:
      ShowHistoryPopup();
      break;
    case kCmdPageDown:
      ApplyPageCommand(page_commands_->MovePageDown());
      break;
    case kCmdPageUp:
      ApplyPageCommand(page_commands_->MovePageUp());
      break;
    case kCmdBraceChk:
      ShowBraceCheckWindow(
          model_, *prompter_,
          [this](int page) {
            if (QTreeWidgetItem* item = tree_pane_->tree()->ItemOf(page)) {
              tree_pane_->tree()->setCurrentItem(item);
            }
          },
          this);
      break;
    default:
      CommandWithoutHandler(command);
      break;
  }
}

void MainWindow::RunShortCutCommand(CommandId command) {
  const PageAttribute kind = CurrentAttribute();
  // Whatever a markup command writes is taken back by one undo.
  EditGroup group(*editor_);
  switch (command) {
    case kCmdBmp1:
    case kCmdBmp2:
    case kCmdBmp3:
    case kCmdBmp4:
    case kCmdBmp5:
    case kCmdBmp6:
    case kCmdBmp7:
    case kCmdBmp8:
    case kCmdBmp9:
      InsertRegisteredPicture(*editor_, kind, settings_, model_.Header().BitmapSection,
                              command - kCmdBmp1 + 1);
      break;
    case kCmdBold:
      Bold(*editor_, kind);
      break;
    case kCmdItalic:
      Italic(*editor_, kind);
      break;
    case kCmdLeft:
      Align(*editor_, kind, Alignment::kLeft);
      break;
    case kCmdCenter:
      Align(*editor_, kind, Alignment::kCenter);
      break;
    case kCmdRight:
      Align(*editor_, kind, Alignment::kRight);
      break;
    case kCmdIndent:
    case kCmdLineSpace:
      // Both wrap the selection in a paragraph; without one they do nothing.
      if (ServesFormatting(kind) && editor_->SelLength() > 0) {
        RunIndentSpacingDialog(
            *editor_,
            command == kCmdIndent ? IndentDialogMode::kIndent : IndentDialogMode::kLineSpacing,
            this);
      }
      break;
    case kCmdFont:
      if (ServesFormatting(kind)) RunFontEffectsDialog(*editor_, model_.Header(), this);
      break;
    case kCmdBmpIn: {
      const std::string section = PictureSection(model_);
      if (CheckPictureFolder(settings_, section, *prompter_, *chooser_,
                             [this] { RebuildPictureMenu(); })) {
        RunPictureInsertDialog(*editor_, PictureFolder(settings_, section), *runner_,
                               PathFromSjis(settings_.GetString(keys::kToolHotspotEdit)), this);
      }
      break;
    }
    case kCmdBmpSet: {
      const std::string section = PictureSection(model_);
      if (CheckPictureFolder(settings_, section, *prompter_, *chooser_,
                             [this] { RebuildPictureMenu(); }) &&
          RunPictureRegistrationDialog(
              settings_, section, PictureFolder(settings_, section), *runner_,
              PathFromSjis(settings_.GetString(keys::kToolHotspotEdit)), *prompter_, this)) {
        RebuildPictureMenu();
      }
      break;
    }
    case kCmdEtc:
      if (ServesFormatting(kind)) {
        RunOtherShortcutsDialog(*editor_, OtherShortcutsTab::kLines, this);
      }
      break;
    case kCmdJumpLink:
    case kCmdPopupLink:
      if (LinkCommandApplies(
              command == kCmdJumpLink ? LinkCommand::kJumpLink : LinkCommand::kPopupLink, kind)) {
        RunLinkDialog(model_, settings_, *prompter_, *editor_,
                      command == kCmdJumpLink ? LinkMode::kJump : LinkMode::kPopup, this);
      }
      break;
    case kCmdKLink:
    case kCmdALink:
    case kCmdHLink: {
      static constexpr LinkCommand kCommands[] = {LinkCommand::kKLink, LinkCommand::kALink,
                                                  LinkCommand::kHLink};
      static constexpr KeywordLinkMode kModes[] = {KeywordLinkMode::kKLink, KeywordLinkMode::kALink,
                                                   KeywordLinkMode::kHyperlink};
      const int i = command - kCmdKLink;
      if (LinkCommandApplies(kCommands[i], kind)) {
        RunKeywordLinkDialog(model_, settings_, *editor_, kModes[i], this);
      }
      break;
    }
    default:
      CommandWithoutHandler(command);
      break;
  }
}

void MainWindow::ShowOwnHelp(const std::string& file_name) {
  help_viewer_->ShowContents(options_.program_folder + file_name);
}

void MainWindow::RunHelpCommand(CommandId command) {
  switch (command) {
    case kCmdOutside:
      OpenOptions(OptionsTab::kExternalHelp);
      break;
    case kCmdHelpTopic:
      // While the message list has the focus the key asks about its code.
      if (debug_pane_->hasFocus()) {
        build_->ShowCompilerCodeHelp(debug_pane_->SelectedCode());
      } else {
        ShowOwnHelp(kProgramHelpFileName);
      }
      break;
    case kCmdQYMacro:
      ShowOwnHelp(kMacroHelpFileName);
      break;
    case kCmdFaq:
      help_viewer_->ShowKeyword(options_.program_folder + kProgramHelpFileName,
                                Sjis("Quillory FAQ"));
      break;
    case kCmdHcw:
      help_viewer_->ShowContents(
          ChangeExtension(settings_.GetString(keys::kEtceteraHelpWorkshop), ".hlp"));
      break;
    case kCmdHelp0:
    case kCmdHelp1:
    case kCmdHelp2:
    case kCmdHelp3:
    case kCmdHelp4:
      help_viewer_->ShowContents(settings_.GetString(keys::HelpFile(command - kCmdHelp0)));
      break;
    case kCmdAbout:
      prompter_->Information(Sjis("Quillory バージョン ") + std::string(QY_VERSION) + "\r\n\r\n" +
                             Sjis("Windows ヘルプ 4.x のヘルププロジェクト作成ツール"));
      break;
    default:
      CommandWithoutHandler(command);
      break;
  }
}

void MainWindow::ShowHistoryPopup() {
  RebuildHistoryMenu(history_popup_);
  QPoint at = editor_widget_->mapToGlobal(editor_widget_->cursorRect().bottomLeft());
  history_popup_->exec(at);
}

void MainWindow::GoToNeighbourPage(int step) {
  if (external_->IsOut()) return;
  const int page = model_.CurrentPage() + step;
  if (model_.ValidPage(page) && tree_pane_->tree()->ItemOf(page)) ShowPage(page);
}

void MainWindow::Preview() {
  if (!page_preview_) {
    auto view = std::make_unique<QtPreviewView>(model_, settings_);
    preview_window_ = std::make_unique<PreviewWindow>(model_, *view, *prompter_, settings_);
    view->Attach(preview_window_.get());
    preview_view_ = std::move(view);
    preview_window_->page_out_in_editor = [this] { return external_->IsOut(); };
    preview_window_->select_page = [this](int page) {
      if (tree_pane_->tree()->ItemOf(page)) ShowPage(page);
    };
    preview_window_->register_temp_file = [this](const std::string& file) {
      temp_files_.Add(file);
    };
    page_preview_ = std::make_unique<PagePreview>(model_, settings_, *prompter_, *preview_window_);
    page_preview_->register_help_preview_file = [this](const std::string& file) {
      temp_files_.AddWithHelpFiles(file);
    };
    page_preview_->run_preview_compiler = [this](const std::string& folder,
                                                 const std::string& base_name) {
      build_->RunPreviewCompiler(folder, base_name);
    };
  }
  page_preview_->Run();
}

}  // namespace qy::app
