// The project file (".qyp"): a line-oriented Shift-JIS text that holds the
// whole project. Every save writes the current layout ("Quillory Project
// Ver1.60b"); the reader also takes the older 1.60, 1.45, 1.40 and 1.30
// layouts and converts them in memory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "project/project_model.h"

namespace qy {

// Version codes of the layouts the reader knows.
inline constexpr int kVersion160b = 61;  // current
inline constexpr int kVersion160 = 60;   // no Window and Macro lines in a page
inline constexpr int kVersion145 = 45;   // as 1.60
inline constexpr int kVersion140 = 40;   // as 1.60, and no ReservedNumber line
inline constexpr int kVersion130 = 30;   // as 1.40, short options, no ContextID line

inline constexpr char kProjectHeaderPrefix[] = "Quillory Project Ver";
inline constexpr char kCurrentProjectHeader[] = "Quillory Project Ver1.60b";

// Results of LoadProjectFile besides a positive line number (corrupt file).
inline constexpr int kLoadSuccess = -10;
inline constexpr int kLoadRefused = 0;  // a message was shown already
inline constexpr int kLoadAgain160 = -6;
inline constexpr int kLoadAgain145 = -5;
inline constexpr int kLoadAgain140 = -4;
inline constexpr int kLoadAgain130 = -3;

// What a load keeps of the topic texts. kLeaveOut reads and checks the whole
// file exactly as kKeep does, with the same results and messages, but keeps
// every topic empty: for reports on the outline of a big project, which then
// need not hold all its text. Such a model is marked (TopicsLeftOut) and
// WriteProjectFile refuses it.
enum class TopicLoad { kKeep, kLeaveOut };

// The version code to read again with for a result -6..-3; 0 for any other
// result.
int RereadVersionCode(int load_result);

// Reads `file` in the layout of `version_code`. Returns kLoadSuccess, 0 when
// the file is refused or the user cancelled (a message was shown), -6..-3 when
// the file carries an older header and must be read again with the code
// RereadVersionCode gives, or a positive number locating the fault in a
// corrupt file (mostly the 1-based number of the offending or missing line).
// The model's header and pages are replaced only on success; nothing else of
// the model is touched. The progress bar advances by one per page.
// A file with more pages than the table holds is read up to the last page
// that fits; `pages_left_out` (when given) receives how many followed.
int LoadProjectFile(ProjectModel& model, const std::string& file, int version_code,
                    Prompter& prompter, Progress& progress, int* pages_left_out = nullptr,
                    TopicLoad topics = TopicLoad::kKeep);

// LoadProjectFile on text already in memory; `file` names it in messages.
int ParseProjectText(ProjectModel& model, std::string_view text, int version_code,
                     const std::string& file, Prompter& prompter, Progress& progress,
                     int* pages_left_out = nullptr, TopicLoad topics = TopicLoad::kKeep);

// The warning shown when `file` can not be read, by the system's reason.
std::string OpenFailedMessage(const std::string& file, int error_number);

// The file text of the current layout, CR LF after every line.
std::string BuildProjectFileText(const ProjectModel& model);

// Writes the current layout to `file` in one atomic replacement; refused,
// with nothing written, for a model loaded without its topic texts.
FileResult WriteProjectFile(const ProjectModel& model, const std::string& file);

// A line that reads exactly "}end" closes a multi-line value in the file, so
// such a line in a topic or a header section can not be stored: the reader
// would cut the value there and usually find the rest of the file corrupt.
enum class EndMarkerText { kWord, kWindows, kConfig, kTopic };
struct EndMarkerLine {
  int page;  // 0 for the header texts
  EndMarkerText text;
  int line;  // from 1 within the text
  bool operator==(const EndMarkerLine&) const = default;
};
// Every such line: the header texts first, then the pages in order.
std::vector<EndMarkerLine> FindEndMarkerLines(const ProjectModel& model);
// The pages of FindEndMarkerLines, each once, 0 standing for the header.
std::vector<int> PagesWithEndMarkerLines(const ProjectModel& model);

// A page without a context (only a hand-edited file has one) would end the
// page tree and be written without a name: each gets the next free context.
// Returns the pages changed.
std::vector<int> GiveEmptyContexts(ProjectModel& model);

}  // namespace qy
