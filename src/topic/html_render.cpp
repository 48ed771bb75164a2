#include "topic/html_render.h"

#include <cstdio>
#include <cstdlib>

#include "core/codec.h"

namespace qy::topic {

namespace {

constexpr char kStyle[] =
    "<style>"
    ".qy-topic p{margin:0}"
    ".qy-nsr{border-bottom:1px solid #808080;background:#f4f4f4}"
    ".qy-topic a{color:#008000}"
    ".qy-jump{text-decoration:underline}"
    ".qy-popup{text-decoration:underline dotted}"
    ".qy-macro{text-decoration:underline}"
    ".qy-topic a.qy-no-colour{color:inherit}"
    ".qy-topic a.qy-no-ul{text-decoration:none}"
    ".qy-button{border:2px outset #c0c0c0;background:#e0e0e0;padding:0 4px}"
    ".qy-tab{white-space:pre}"
    ".qy-bml{float:left}.qy-bmr{float:right}"
    "</style>";

void AppendSjis(std::string& out, std::string_view sjis) {
  AppendHtmlEscaped(out, Cp932ToUtf8(sjis));
}

std::string Points(int twips) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%gpt", twips / 20.0);
  return buffer;
}

std::string HexColor(const Color& c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.red, c.green, c.blue);
  return buffer;
}

std::string BorderCss(BorderLine line) {
  switch (line) {
    case BorderLine::kThick:
      return "2px solid";
    case BorderLine::kDouble:
      return "3px double";
    case BorderLine::kDotted:
      return "1px dotted";
    default:
      return "1px solid";
  }
}

std::string ParagraphStyle(const ParagraphFormat& f) {
  std::string css;
  switch (f.align) {
    case Align::kCenter:
      css += "text-align:center;";
      break;
    case Align::kRight:
      css += "text-align:right;";
      break;
    case Align::kJustify:
      css += "text-align:justify;";
      break;
    case Align::kLeft:
      break;
  }
  if (f.left_indent) css += "margin-left:" + Points(f.left_indent) + ";";
  if (f.right_indent) css += "margin-right:" + Points(f.right_indent) + ";";
  if (f.first_indent) css += "text-indent:" + Points(f.first_indent) + ";";
  if (f.space_before) css += "margin-top:" + Points(f.space_before) + ";";
  if (f.space_after) css += "margin-bottom:" + Points(f.space_after) + ";";
  if (f.line_spacing) css += "line-height:" + Points(std::abs(f.line_spacing)) + ";";
  if (f.no_wrap) css += "white-space:nowrap;";
  const Borders& b = f.borders;
  if (b.Any()) {
    const std::string line = BorderCss(b.line);
    if (b.box || b.top) css += "border-top:" + line + ";";
    if (b.box || b.bottom) css += "border-bottom:" + line + ";";
    if (b.box || b.left) css += "border-left:" + line + ";";
    if (b.box || b.right) css += "border-right:" + line + ";";
    if (b.line == BorderLine::kShadow) css += "box-shadow:2px 2px #808080;";
  }
  if (f.shading > 0) {
    const int level = 255 - 255 * f.shading / 10000;
    css += "background:" +
           HexColor(Color{static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level),
                          static_cast<std::uint8_t>(level)}) +
           ";";
  }
  return css;
}

std::string FontFamily(const Document& doc, int number) {
  const FontEntry* font = doc.Font(number);
  if (font == nullptr || font->name.empty()) return {};
  std::string family = "'";
  for (char c : Cp932ToUtf8(font->name)) {
    if (c != '\'' && c != '<' && c != '>' && c != '"' && c != '&' && c != '\\') family += c;
  }
  return family + "'";
}

std::string RunStyle(const Document& doc, const CharFormat& f, const RenderOptions& options) {
  std::string css;
  if (f.font != doc.default_font) {
    const std::string family = FontFamily(doc, f.font);
    if (!family.empty()) css += "font-family:" + family + ";";
  }
  if (f.size != options.default_size) css += "font-size:" + Points(f.size * 10) + ";";
  if (f.color > 0) {
    const Color c = doc.ColorAt(f.color);
    if (!c.automatic) css += "color:" + HexColor(c) + ";";
  }
  if (f.bold) css += "font-weight:bold;";
  if (f.italic) css += "font-style:italic;";
  if (f.superscript) css += "vertical-align:super;";
  if (f.subscript) css += "vertical-align:sub;";
  return css;
}

class HtmlWriter {
 public:
  HtmlWriter(const Document& doc, const Topic& topic, const RenderOptions& options)
      : doc_(doc), topic_(topic), options_(options) {}

  std::string Run() {
    out_ += "<div class=\"qy-topic\"";
    std::string css;
    const std::string family = FontFamily(doc_, doc_.default_font);
    if (!family.empty()) css += "font-family:" + family + ";";
    css += "font-size:" + Points(options_.default_size * 10) + ";";
    out_ += " style=\"" + css + "\">" + kStyle + "\n";
    const std::size_t fixed = topic_.NonScrollingCount();
    for (std::size_t i = 0; i < topic_.paragraphs.size(); ++i) {
      if (i == 0 && fixed > 0) out_ += "<div class=\"qy-nsr\">\n";
      Paragraph(topic_.paragraphs[i]);
      if (fixed > 0 && i + 1 == fixed) out_ += "</div>\n";
    }
    out_ += "</div>\n";
    return std::move(out_);
  }

 private:
  void Paragraph(const topic::Paragraph& p) {
    const std::string css = ParagraphStyle(p.format);
    out_ += css.empty() ? "<p>" : "<p style=\"" + css + "\">";
    int open_hotspot = -1;
    for (const Inline& item : p.inlines) {
      if (item.kind == InlineKind::kHidden) continue;
      if (item.hotspot != open_hotspot) {
        if (open_hotspot >= 0) out_ += "</a>";
        open_hotspot = item.hotspot;
        if (open_hotspot >= 0) OpenLink(topic_.hotspots[static_cast<std::size_t>(open_hotspot)]);
      }
      Item(item);
    }
    if (open_hotspot >= 0) out_ += "</a>";
    if (p.inlines.empty()) out_ += "<br>";
    out_ += "</p>\n";
  }

  void OpenLink(const Hotspot& h) {
    std::string classes =
        h.kind == HotspotKind::kPopup || (h.kind == HotspotKind::kMacro && h.popup_style)
            ? "qy-popup"
        : h.kind == HotspotKind::kJump ? "qy-jump"
                                       : "qy-macro";
    if (h.button) classes = "qy-button";
    if (h.target.no_colour) classes += " qy-no-colour";
    if (h.target.no_underline) classes += " qy-no-ul";
    out_ += "<a class=\"" + classes + "\"";
    const std::string href = options_.href ? options_.href(h) : HotspotHref(h);
    if (!href.empty()) out_ += " href=\"" + href + "\"";
    if (!h.target.file.empty()) Attribute("data-file", h.target.file);
    if (!h.target.window.empty()) Attribute("data-window", h.target.window);
    if (!h.target.macro.empty()) Attribute("data-macro", h.target.macro);
    out_ += ">";
  }

  void Attribute(const char* name, const std::string& sjis) {
    out_ += std::string(" ") + name + "=\"";
    AppendSjis(out_, sjis);
    out_ += "\"";
  }

  void Item(const Inline& item) {
    switch (item.kind) {
      case InlineKind::kText: {
        const std::string css = RunStyle(doc_, item.format, options_);
        if (!css.empty()) out_ += "<span style=\"" + css + "\">";
        AppendSjis(out_, item.text);
        if (!css.empty()) out_ += "</span>";
        return;
      }
      case InlineKind::kLineBreak:
        out_ += "<br>";
        return;
      case InlineKind::kTab:
        out_ += "<span class=\"qy-tab\">\t</span>";
        return;
      case InlineKind::kPicture: {
        const Picture& pic = topic_.pictures[static_cast<std::size_t>(item.picture)];
        out_ += std::string("<img class=\"qy-bm") + pic.position + "\" src=\"";
        if (options_.picture_source) {
          AppendHtmlEscaped(out_, options_.picture_source(pic));
        } else {
          AppendHtmlEscaped(out_, options_.picture_folder);
          AppendSjis(out_, pic.file);
        }
        out_ += "\" alt=\"";
        AppendSjis(out_, pic.file);
        out_ += "\">";
        return;
      }
      case InlineKind::kEmbedded:
        out_ += "<span class=\"qy-command\">{";
        AppendSjis(out_, item.text);
        out_ += "}</span>";
        return;
      case InlineKind::kHidden:
        return;
    }
  }

  const Document& doc_;
  const Topic& topic_;
  const RenderOptions& options_;
  std::string out_;
};

}  // namespace

std::string HotspotHref(const Hotspot& hotspot) {
  const std::string& context =
      hotspot.kind == HotspotKind::kMacro ? hotspot.macro_context : hotspot.target.context;
  if (context.empty()) return {};
  std::string href;
  for (unsigned char c : context) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
        c == '_' || c == '-') {
      href += static_cast<char>(c);
    } else {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "%%%02X", c);
      href += buffer;
    }
  }
  return href + ".html";
}

std::string RenderHtml(const Document& doc, const Topic& topic, const RenderOptions& options) {
  return HtmlWriter(doc, topic, options).Run();
}

std::string RenderText(const Topic& topic) {
  std::string sjis;
  for (const Paragraph& p : topic.paragraphs) {
    for (const Inline& item : p.inlines) {
      switch (item.kind) {
        case InlineKind::kText:
          sjis += item.text;
          break;
        case InlineKind::kLineBreak:
          sjis += '\n';
          break;
        case InlineKind::kTab:
          sjis += '\t';
          break;
        case InlineKind::kPicture:
          sjis += "[" + topic.pictures[static_cast<std::size_t>(item.picture)].file + "]";
          break;
        case InlineKind::kHidden:
        case InlineKind::kEmbedded:
          break;
      }
    }
    sjis += '\n';
  }
  return Cp932ToUtf8(sjis);
}

void AppendHtmlEscaped(std::string& out, std::string_view utf8) {
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

}  // namespace qy::topic
