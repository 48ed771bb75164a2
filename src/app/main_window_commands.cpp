// The commands of the command table, each handed to the logic that carries
// it out. Commands whose dialog the window does not have yet say so.
#include <QCoreApplication>
#include <QTextCursor>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/program_folder.h"
#include "core/settings_keys.h"
#include "markup/convert_commands.h"
#include "markup/edit_commands.h"
#include "markup/format_commands.h"
#include "markup/picture_menu.h"
#include "preview/page_preview.h"
#include "shell/text_files.h"

namespace qy::app {

namespace {

// A preview window the compiled preview never opens.
class NoPreviewView : public PreviewView {
 public:
  void Create(const WindowRect&) override {}
  void SetCaption(const std::string&) override {}
  void LoadRtfFile(const std::string&) override {}
  void ShowAndRaise() override {}
  void SetStayOnTop(bool) override {}
  void SetTextInset(int) override {}
  WindowRect Geometry() const override { return {}; }
  void Destroy() override {}
};

constexpr char kMacroHelpFileName[] = "qymacro.hlp";

}  // namespace

std::string NotAvailableMessage(const std::string& sjis_caption) {
  return "\r\n" + Sjis("「") + sjis_caption + Sjis("」はまだ使用できません。") + "\r\n\r\n" +
         Sjis("このバージョンにはこの機能のダイアログがありません。");
}

void MainWindow::NotAvailableYet(int number) {
  const CommandRow* row = FindCommand(number);
  prompter_->Information(NotAvailableMessage(row ? CommandCaption(*row) : std::string()));
}

void MainWindow::RunCommand(int number) {
  const std::optional<CommandSection> section = SectionOfNumber(number);
  if (!section) return;
  switch (*section) {
    case CommandSection::kFile: RunFileCommand(number); break;
    case CommandSection::kEdit: RunEditCommand(number); break;
    case CommandSection::kView: RunViewCommand(number); break;
    case CommandSection::kProject: RunProjectCommand(number); break;
    case CommandSection::kShortCut: RunShortCutCommand(number); break;
    case CommandSection::kMacro: RunMacroCommand(number); break;
    case CommandSection::kHelp: RunHelpCommand(number); break;
  }
}

void MainWindow::RunFileCommand(int number) {
  if ((number == 0 || number == 1 || number == 11) && RefuseWhileMacroRuns()) return;
  switch (number) {
    case 0: document_->NewCommand(); break;
    case 1: document_->OpenCommand(true); break;
    case 2: document_->SaveCommand(); break;
    case 3: document_->SaveProjectAs(); break;
    case 4:
      if (CurrentPageHasText() && !editor_->ReadOnly()) OpenText(*editor_, *chooser_, *prompter_);
      break;
    case 5:
      if (CurrentPageHasText()) SaveText(model_, *prompter_);
      break;
    case 7: build_->MakeHelp(); break;
    case 9: build_->MakeIntermediateFiles(); break;
    case 10: build_->DeleteIntermediateFiles(); break;
    case 11: close(); break;
    default: NotAvailableYet(number); break;
  }
}

void MainWindow::RunEditCommand(int number) {
  const PageAttribute kind = CurrentAttribute();
  switch (number) {
    case 21: UndoCommand(*editor_, kind); break;
    case 22: editor_widget_->cut(); break;
    case 23: editor_widget_->copy(); break;
    case 24: editor_widget_->paste(); break;
    case 25:
      if (!editor_->ReadOnly()) DeleteCommand(*editor_);
      break;
    case 26: editor_widget_->selectAll(); break;
    case 27: IntelligentSelect(*editor_); break;
    case 29: case 30: case 31: case 32: case 33: case 34: {
      static constexpr TextMapping kMappings[] = {TextMapping::kUpperCase, TextMapping::kLowerCase,
                                                  TextMapping::kHalfWidth, TextMapping::kFullWidth,
                                                  TextMapping::kHiragana,  TextMapping::kKatakana};
      if (ConversionEnabled(kind, editor_->SelLength())) ConvertSelection(*editor_, kMappings[number - 29]);
      break;
    }
    case 41: editor_widget_->moveCursor(QTextCursor::Start); break;
    case 42: editor_widget_->moveCursor(QTextCursor::End); break;
    default: NotAvailableYet(number); break;
  }
}

void MainWindow::RunViewCommand(int number) {
  switch (number) {
    case 52: case 53: case 54: case 55: case 56: {
      QToolBar* bar = toolbars_[static_cast<std::size_t>(number - 52)];
      bar->setVisible(!bar->isVisibleTo(this));
      commands_->action(number)->setChecked(bar->isVisibleTo(this));
      break;
    }
    case 59: case 60: case 61: case 62: SetKeywordRows(number - 58); break;
    case 63:
      keyword_toolbar_->setVisible(!keyword_toolbar_->isVisibleTo(this));
      commands_->action(63)->setChecked(keyword_toolbar_->isVisibleTo(this));
      break;
    case 64:
      statusBar()->setVisible(!statusBar()->isVisibleTo(this));
      commands_->action(64)->setChecked(statusBar()->isVisibleTo(this));
      break;
    case 65:
      if (external_->IsOut()) {
        commands_->action(65)->setChecked(false);
        break;
      }
      SetPageViewShown(!tree_pane_->isVisibleTo(this));
      break;
    case 66: SetDebugViewShown(!debug_pane_->isVisibleTo(this)); break;
    case 68: case 69: case 70: {
      // The three items are the bits 2, 4 and 8 of the label mode.
      const int bit = 2 << (number - 68);
      const int mode = model_.TreeLabelMode();
      const bool known = mode >= 0 && mode <= 14 && mode % 2 == 0;
      SetTreeLabelMode((known ? mode : 0) ^ bit);
      break;
    }
    case 71: build_->ShowHelpFile(); break;
    case 73: build_->OpenIntermediateFile(IntermediateFile::kContents); break;
    case 74: build_->OpenIntermediateFile(IntermediateFile::kHelpProject); break;
    case 75: build_->OpenIntermediateFile(IntermediateFile::kTopics); break;
    case 76: build_->OpenIntermediateFile(IntermediateFile::kMapHeader); break;
    case 77: build_->OpenIntermediateFile(IntermediateFile::kErrorLog); break;
    case 79: build_->OpenInHelpWorkshop(IntermediateFile::kContents); break;
    case 80: build_->OpenInHelpWorkshop(IntermediateFile::kHelpProject); break;
    case 81:
      if (hotspot_->Configured()) hotspot_->Start(editor_->SelText());
      break;
    default: NotAvailableYet(number); break;
  }
}

void MainWindow::RunProjectCommand(int number) {
  if (external_->IsOut() && number != 104 && number != 105 && number != 110 && number != 111 &&
      number != 94 && number != 112) {
    return;  // the page commands wait until the page is back
  }
  switch (number) {
    case 91: ApplyPageCommand(page_commands_->NewPageCommand()); break;
    case 93: ApplyPageCommand(page_commands_->CutPage()); break;
    case 94: page_commands_->CopyPage(); break;
    case 95: ApplyPageCommand(page_commands_->PastePage()); break;
    case 96: ApplyPageCommand(page_commands_->DeletePage()); break;
    case 99: ApplyPageCommand(page_commands_->ChangePageAttribute(kTopicPage)); break;
    case 100: ApplyPageCommand(page_commands_->ChangePageAttribute(kPopupPage)); break;
    case 101: ApplyPageCommand(page_commands_->ChangePageAttribute(kContentPage)); break;
    case 104:
      external_->EditPageExternally();
      commands_->action(104)->setChecked(external_->IsOut());
      break;
    case 105: Preview(); break;
    case 107: GoToNeighbourPage(-1); break;
    case 108: GoToNeighbourPage(1); break;
    case 109: ShowHistoryPopup(); break;
    case 110: ApplyPageCommand(page_commands_->MovePageDown()); break;
    case 111: ApplyPageCommand(page_commands_->MovePageUp()); break;
    default: NotAvailableYet(number); break;
  }
}

void MainWindow::RunShortCutCommand(int number) {
  const PageAttribute kind = CurrentAttribute();
  if (number >= 123 && number <= 131) {
    InsertRegisteredPicture(*editor_, kind, settings_, model_.Header().BitmapSection, number - 122);
    return;
  }
  switch (number) {
    case 153: Bold(*editor_, kind); break;
    case 154: Italic(*editor_, kind); break;
    case 155: Align(*editor_, kind, Alignment::kLeft); break;
    case 156: Align(*editor_, kind, Alignment::kCenter); break;
    case 157: Align(*editor_, kind, Alignment::kRight); break;
    default: NotAvailableYet(number); break;
  }
}

void MainWindow::ShowOwnHelp(const std::string& file_name) {
  help_viewer_->ShowContents(options_.program_folder + file_name);
}

void MainWindow::RunHelpCommand(int number) {
  switch (number) {
    case 201:
      // While the message list has the focus the key asks about its code.
      if (debug_pane_->hasFocus()) {
        build_->ShowCompilerCodeHelp(debug_pane_->SelectedCode());
      } else {
        ShowOwnHelp(kProgramHelpFileName);
      }
      break;
    case 202: ShowOwnHelp(kMacroHelpFileName); break;
    case 203:
      help_viewer_->ShowKeyword(options_.program_folder + kProgramHelpFileName,
                                Sjis("Quillory FAQ"));
      break;
    case 204:
      help_viewer_->ShowContents(
          ChangeExtension(settings_.GetString(keys::kEtceteraHelpWorkshop), ".hlp"));
      break;
    case 205: case 206: case 207: case 208: case 209:
      help_viewer_->ShowContents(settings_.GetString(keys::HelpFile(number - 205)));
      break;
    case 211:
      prompter_->Information(Sjis("Quillory バージョン ") +
                             std::string(QY_VERSION) + "\r\n\r\n" +
                             Sjis("Windows ヘルプ 4.x のヘルププロジェクト作成ツール"));
      break;
    default: NotAvailableYet(number); break;
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
  if (!settings_.GetBool(keys::kOptionPagePrev)) {
    NotAvailableYet(105);
    return;
  }
  if (!page_preview_) {
    preview_view_ = std::make_unique<NoPreviewView>();
    preview_window_ =
        std::make_unique<PreviewWindow>(model_, *preview_view_, *prompter_, settings_);
    page_preview_ = std::make_unique<PagePreview>(model_, settings_, *prompter_, *preview_window_);
    page_preview_->register_help_preview_file = [this](const std::string& file) {
      temp_files_.AddWithHelpFiles(file);
    };
    page_preview_->run_preview_compiler = [this](const std::string& folder,
                                                 const std::string& base_name) {
      build_->RunPreviewCompiler(folder, base_name);
    };
  }
  page_preview_->RunHelpPreview();
}

}  // namespace qy::app
