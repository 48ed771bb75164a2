// The fixed head of every generated RTF document: font table, colour table
// and the paragraph format that starts each topic.
#pragma once

#include <string>

#include "project/project_model.h"

namespace qy {

inline constexpr int kFontCount = 9;
inline constexpr int kFontSizeCount = 16;

// The "\fs" value (half-points) of a font size index 0..15. An index outside
// that range (a damaged project) gives the default size, 22.
int FontSizeHalfPoints(int font_size_index);

// The font index actually written: FontNameIndex when it is 0..8, else 0, so
// that the document never names a font its table does not declare.
int EffectiveFontIndex(int font_name_index);

// "{\rtf1\ansi \deff<n>{\fonttbl<nine fonts>}" - the document group stays
// open; the document's last line closes it.
std::string BuildRtfHeader(int font_name_index);
std::string BuildRtfHeader(const ProjectModel& project);

// The colour table defining colours 1..16 that inserted "\cf" markup uses.
std::string BuildColorTable();

// "\trowd\pard\plain\f<font>\fs<size>", the line before each topic.
std::string BuildTopicFormatLine(const ProjectModel& project);

}  // namespace qy
