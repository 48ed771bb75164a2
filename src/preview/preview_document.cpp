#include "preview/preview_document.h"

#include "build/rtf_head.h"
#include "build/rtf_text.h"
#include "core/codec.h"
#include "core/cp932.h"

namespace qy {

namespace {

// The preview has always declared its fonts with these family and pitch words,
// which differ from the topic file's table; the rich-text control picks its
// substitutes from them, so they stay as they are.
std::string PreviewFontTable() {
  std::string t = "{\\fonttbl";
  t += "{\\f0\\fnil\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ Ｐゴシック")) + ";}";
  t += "{\\f1\\froman\\fprq2\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ Ｐ明朝")) + ";}";
  t += "{\\f2\\fmodern\\fprq1\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ ゴシック")) + ";}";
  t += "{\\f3\\froman\\fprq1\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ 明朝")) + ";}";
  t += "{\\f4\\fnil\\fprq2\\fcharset128 System;}";
  t += "{\\f5\\froman\\fprq2 Times New Roman;}";
  t += "{\\f6\\fnil\\fcharset2 Symbol;}{\\f7\\fswiss\\fprq2 Arial;}";
  t += "{\\f8\\fnil\\fcharset128 MS UI Gothic;}}";
  return t;
}

// A damaged project may carry an index outside the tables; the document then
// uses the same font and size the topic file would, never a font number the
// table does not declare or a size word without a size.
std::string FontNumber(int font_name_index) {
  return std::to_string(EffectiveFontIndex(font_name_index));
}

}  // namespace

std::string PreviewDocumentHead(int font_name_index) {
  static const std::string kFontTable = PreviewFontTable();
  return "{\\rtf1\\ansi \\deff" + FontNumber(font_name_index) + kFontTable;
}

std::string PreviewFormatLine(const ProjectHeader& header) {
  return "\\pard\\plain\\f" + FontNumber(header.FontNameIndex) + "\\fs" +
         std::to_string(FontSizeHalfPoints(header.FontSizeIndex));
}

std::string BookPageNotice() {
  return "\\qc \r\n{\\b\\fs22\\cf2 " + Sjis("ブック属性のページです。") + "}\\par\\pard";
}

std::string PreviewBody(const PageRecord& page) {
  if (IsHelpTopic(page.Attribute)) {
    return EscapeTopicText(page.Topic);
  }
  if (IsBook(page.Attribute)) {
    return EscapeTopicText(BookPageNotice());
  }
  return {};
}

std::string BuildPreviewDocument(const ProjectHeader& header, const PageRecord& page) {
  std::string doc = PreviewDocumentHead(header.FontNameIndex);
  doc += kCrLf;
  doc += BuildColorTable();
  doc += kCrLf;
  doc += PreviewFormatLine(header);
  doc += kCrLf;
  doc += PreviewBody(page);
  doc += kCrLf;
  doc += "}";
  doc += kCrLf;
  return doc;
}

std::string BuildPreviewDocument(const ProjectModel& project, int page) {
  return BuildPreviewDocument(project.Header(), project.Page(page));
}

FileResult RenderPreview(const ProjectModel& project, int page, const std::string& file) {
  if (!project.ValidPage(page)) {
    return FileResult::Fail("page " + std::to_string(page) + " does not exist");
  }
  return WriteFileAtomic(file, BuildPreviewDocument(project, page));
}

}  // namespace qy
