#include "preview/preview_window.h"

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"
#include "preview/preview_document.h"

namespace qy {

std::string PreviewCaption(const std::string& title) {
  return title + Sjis(" - Quillory プレビュー");
}

std::string PreviewWriteFailedMessage(const std::string& file, const std::string& reason) {
  return "\r\n" + Sjis("プレビューファイル ") + "\"" + PathToSjis(file) + "\"" +
         Sjis(" を書き込めませんでした。") + "\r\n\r\n" + Sjis("理由 : ") + PathToSjis(reason);
}

PreviewWindow::PreviewWindow(const ProjectModel& model, PreviewView& view, Prompter& prompter,
                             Settings& settings)
    : model_(model), view_(view), prompter_(prompter), settings_(settings) {}

bool PreviewWindow::ShowCurrentPage() {
  if (!model_.ValidPage(model_.CurrentPage())) return false;
  if (!open_) {
    std::string file = MakeTempFile();
    if (file.empty()) {
      prompter_.Error(PreviewWriteFailedMessage(TempFolder() + "/~qy*.tmp",
                                                "no temporary file could be created"));
      return false;
    }
    file_ = file;
    if (register_temp_file) register_temp_file(file_);
    if (!Render()) {
      RemoveFile(file_);
      file_.clear();
      return false;
    }
    open_ = true;
    activated_ = false;
    stay_on_top_ = false;
    view_.Create(SavedPlace());
  } else if (!Render()) {
    return false;
  }
  Reload();
  view_.ShowAndRaise();
  return true;
}

void PreviewWindow::OnPageChanged() {
  if (!open_ || !model_.ValidPage(model_.CurrentPage())) return;
  if (Render()) Reload();
}

void PreviewWindow::ToggleStayOnTop() {
  if (!open_) return;
  stay_on_top_ = !stay_on_top_;
  view_.SetStayOnTop(stay_on_top_);
}

void PreviewWindow::Refresh() { OnPageChanged(); }

void PreviewWindow::PreviousPage() {
  if (!open_ || (page_out_in_editor && page_out_in_editor())) return;
  int page = model_.CurrentPage();
  if (page > 1 && select_page) select_page(page - 1);
}

void PreviewWindow::NextPage() {
  if (!open_ || (page_out_in_editor && page_out_in_editor())) return;
  int page = model_.CurrentPage();
  if (page < model_.PageCount() && select_page) select_page(page + 1);
}

void PreviewWindow::Close() {
  if (!open_) return;
  open_ = false;
  RemoveFile(file_);
  file_.clear();
  // The place is worth keeping even when the settings file can not be
  // written; the window closes either way.
  WindowRect place = view_.Geometry();
  settings_.SetInt(keys::kPreviewTop, place.top);
  settings_.SetInt(keys::kPreviewLeft, place.left);
  settings_.SetInt(keys::kPreviewHeight, place.height);
  settings_.SetInt(keys::kPreviewWidth, place.width);
  view_.Destroy();
}

void PreviewWindow::OnActivated() {
  if (!open_) return;
  activated_ = true;
  view_.SetTextInset(kPreviewTextInset);
}

void PreviewWindow::OnResized() {
  if (open_ && activated_) view_.SetTextInset(kPreviewTextInset);
}

bool PreviewWindow::Render() {
  FileResult written = RenderPreview(model_, model_.CurrentPage(), file_);
  if (!written) {
    prompter_.Error(PreviewWriteFailedMessage(file_, written.error));
    return false;
  }
  return true;
}

void PreviewWindow::Reload() {
  view_.SetCaption(PreviewCaption(model_.Page(model_.CurrentPage()).Title));
  view_.LoadRtfFile(file_);
  if (activated_) view_.SetTextInset(kPreviewTextInset);
}

WindowRect PreviewWindow::SavedPlace() const {
  return {settings_.GetInt(keys::kPreviewLeft), settings_.GetInt(keys::kPreviewTop),
          settings_.GetInt(keys::kPreviewWidth), settings_.GetInt(keys::kPreviewHeight)};
}

}  // namespace qy
