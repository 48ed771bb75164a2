// Every message of the help compiler has a code, so the debug view can
// explain it. The log shows "HC" and the four digits; notes are 1xxx,
// warnings 3xxx, errors 4xxx and 5xxx, as authors know them.
#pragma once

#include <string>
#include <vector>

#include "hlp/diagnostic.h"

namespace qy::hlp {

namespace code {
// Notes
inline constexpr int kUnknownOption = 1001;
inline constexpr int kPhraseCompression = 1002;
inline constexpr int kIgnoredSection = 1003;
inline constexpr int kTopicsUncompressed = 1004;
inline constexpr int kMultikeyIgnored = 1005;
// Warnings
inline constexpr int kUnknownSection = 3001;
inline constexpr int kBadLine = 3002;
inline constexpr int kBadWindow = 3003;
inline constexpr int kDuplicateMap = 3004;
inline constexpr int kMapUndefined = 3005;
inline constexpr int kAliasUndefined = 3006;
inline constexpr int kContentsUndefined = 3007;
inline constexpr int kMarkupProblem = 3008;
inline constexpr int kTooManyWindows = 3009;
inline constexpr int kLongField = 3010;
inline constexpr int kUnknownWindow = 3011;
inline constexpr int kDuplicateMacroKeyword = 3012;
inline constexpr int kBadIcon = 3013;
inline constexpr int kUndeclaredBuildTag = 3014;
inline constexpr int kJumpUndefined = 3025;
inline constexpr int kPopupUndefined = 3026;
inline constexpr int kUnbalancedGroup = 3027;
// Errors
inline constexpr int kNoHelpFile = 4005;
inline constexpr int kFileUnreadable = 5001;
inline constexpr int kNoTopicFiles = 5002;
inline constexpr int kDuplicateContext = 5003;
inline constexpr int kHashCollision = 5004;
inline constexpr int kMissingPicture = 5005;
inline constexpr int kPictureFormat = 5006;
inline constexpr int kWriteFailed = 5007;
inline constexpr int kTooLarge = 5008;
}  // namespace code

struct MessageCode {
  int code;
  Severity severity;
  const char* summary;  // English, the first line of a log entry
};

// All codes, in ascending order.
const std::vector<MessageCode>& MessageCodes();
const MessageCode* FindMessageCode(int code);

// The code list the program ships beside itself ("quillory.hcl"): one line
// per code, "HCnnnn<TAB>kind<TAB>summary", CR LF.
std::string CodeListText();

Diagnostic MakeDiagnostic(int code, std::string text, std::string file = {}, int line = 0,
                          std::string topic = {});

}  // namespace qy::hlp
