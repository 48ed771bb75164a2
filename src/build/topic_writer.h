// The topic file (".rtf") of a build: every Topic and Popup page as one help
// topic, identified by its footnotes (# context, $ title, K/A/B keywords,
// ! entry macro, + browse sequence).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/progress.h"
#include "project/project_model.h"

namespace qy {

// The topic text as the compiler gets it: paragraph marks completed at the
// line ends, double-byte characters escaped.
std::string TopicBody(const std::string& topic);

// The "#" and "$" footnotes of a page. A field that would break its
// footnote group gets the escapes of MakeFootnoteText.
std::string TitleFootnotes(const PageRecord& page);

// The names of the fields ("Context", "Title", "Keyword", "AKeyword",
// "BKeyword", "Macro"; only the first two with `title_only`) that the
// footnotes write with added escapes.
std::vector<std::string_view> RepairedFootnoteFields(const PageRecord& page, bool title_only);

// One build note per such field of a Topic or Popup page, naming the page
// and the field.
std::vector<std::string> RepairedFieldNotes(const ProjectModel& project);

// "+{\footnote id0001:" + number in four digits + "}".
std::string BrowseFootnote(int browse_number);

// All footnotes of a page on one line. `browse_number` is used for a Topic
// page only; Popup pages are not in the browse sequence.
std::string FootnoteLine(const PageRecord& page, int browse_number);

// The file's bytes. With `progress`, steps once after the head and once per
// page.
std::string BuildTopicFile(const ProjectModel& project, Progress* progress = nullptr);

// Writes BuildFilePath(project, ".rtf") in one atomic write. Progress range =
// page count, position 0; steps after the head, per page and after saving.
FileResult WriteTopicFile(const ProjectModel& project, Progress& progress);

}  // namespace qy
