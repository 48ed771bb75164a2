#include "hlp/system_file.h"

#include "core/cp932.h"
#include "hlp/bytes.h"

namespace qy::hlp {

namespace {

void PutRecord(std::string& out, unsigned type, const std::string& data) {
  PutU16(out, type);
  PutU16(out, static_cast<unsigned>(data.size()));
  out += data;
}

std::string StringZ(const std::string& text) {
  // Records hold at most 64k; titles and macros are far below it, but an
  // author's text must not overflow the size field.
  return LimitField(text, 4096) + '\0';
}

void PutFixed(std::string& out, const std::string& text, std::size_t size) {
  std::string field = LimitField(text, size - 1);
  field.resize(size, '\0');
  out += field;
}

}  // namespace

std::string BuildWindowRecord(const WindowDefinition& w) {
  unsigned flags = 0x0002;  // the name is always given
  if (w.has_caption) flags |= 0x0004;
  if (w.has_position) flags |= 0x0008 | 0x0010 | 0x0020 | 0x0040;
  if (w.has_state) flags |= 0x0080;
  if (w.has_colour) flags |= 0x0100;
  if (w.has_nsr_colour) flags |= 0x0200;
  if (w.on_top & 1) flags |= 0x0400;
  if (w.on_top & 2) flags |= 0x0800;
  std::string out;
  PutU16(out, flags);
  PutFixed(out, "", 10);  // type
  PutFixed(out, w.name, 9);
  PutFixed(out, w.caption, 51);
  PutI16(out, w.x);
  PutI16(out, w.y);
  PutI16(out, w.width);
  PutI16(out, w.height);
  PutI16(out, w.state);
  PutU32(out, w.colour);
  PutU32(out, w.nsr_colour);
  return out;
}

std::string BuildSystemFile(const SystemInfo& info) {
  std::string out;
  PutU16(out, 0x036C);
  PutU16(out, 33);  // the Windows 95 help file format
  PutU16(out, 1);
  PutU32(out, info.generated);
  PutU16(out, info.compressed ? 4 : 0);
  PutRecord(out, 1, StringZ(info.title));
  if (!info.copyright.empty()) PutRecord(out, 2, StringZ(info.copyright));
  std::string contents;
  PutU32(contents, info.contents_offset);
  PutRecord(out, 3, contents);
  for (const std::string& macro : info.macros) PutRecord(out, 4, StringZ(macro));
  if (!info.icon.empty()) PutRecord(out, 5, info.icon);
  for (const WindowDefinition& w : info.windows) PutRecord(out, 6, BuildWindowRecord(w));
  if (!info.citation.empty()) PutRecord(out, 8, StringZ(info.citation));
  if (info.lcid != 0) {
    // Two sort flags, two unused words, then the language.
    std::string lcid;
    for (int i = 0; i < 4; ++i) PutU16(lcid, 0);
    PutU16(lcid, info.lcid);
    PutRecord(out, 9, lcid);
  }
  if (!info.cnt.empty()) PutRecord(out, 10, StringZ(info.cnt));
  std::string charset;
  PutU16(charset, static_cast<unsigned>(info.charset));
  PutRecord(out, 11, charset);
  return out;
}

}  // namespace qy::hlp
