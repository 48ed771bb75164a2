// One paragraph of topic text as a display-text TOPICLINK (record type
// 0x20): LinkData1 holds the paragraph's layout and the formatting
// commands, LinkData2 the text, one NUL-terminated piece before each
// command. Text bytes go in as the markup gave them (Shift-JIS), so a lead
// and its trail byte always stay together.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "hlp/font_table.h"
#include "topic/document.h"

namespace qy::hlp {

struct DisplayContext {
  const topic::Document* document = nullptr;
  // [WINDOWS] names; a hotspot's ">name" is written as its index.
  const std::vector<std::string>* window_names = nullptr;
  FontTable* fonts = nullptr;
  // Picture files in |bmN order; new files are added. `picture_numbers`
  // finds them regardless of letter case.
  std::vector<std::string>* pictures = nullptr;
  std::map<std::string, int>* picture_numbers = nullptr;

  // Font descriptors of the formats used lately in `document`; a handful of
  // formats make up most text, and asking the font table is the slow way.
  // It belongs to `document`: a context is not reused for another one.
  struct FontMemo {
    topic::CharFormat format;
    bool keep_underline = false;
    int descriptor = -1;
  };
  std::vector<FontMemo> font_memo;
  std::size_t font_memo_next = 0;  // the entry replaced next when full
  std::string commands;            // room for a record's commands, kept between records
};

struct DisplayRecord {
  std::string data1;
  std::string data2;
  // Hotspots of the topic whose ">window" names no [WINDOWS] entry; they
  // jump without the window.
  std::vector<int> unknown_windows;
  // Embedded commands other than pictures (\{ewc ...\}, \{mci ...\}):
  // not written; the caller reports them.
  std::vector<std::string> skipped_commands;
};

DisplayRecord EncodeParagraph(const topic::Topic& topic, const topic::Paragraph& paragraph,
                              DisplayContext& context);
// The same into `record`, whose strings keep their room from the last use:
// one record can serve a whole file's paragraphs without an allocation each.
void EncodeParagraph(const topic::Topic& topic, const topic::Paragraph& paragraph,
                     DisplayContext& context, DisplayRecord& record);

// Twips as the record's metric: half-points, 10 twips each.
int TwipsToRecordUnits(int twips);

}  // namespace qy::hlp
