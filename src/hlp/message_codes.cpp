#include "hlp/message_codes.h"

#include <algorithm>
#include <cstdio>

namespace qy::hlp {

const std::vector<MessageCode>& MessageCodes() {
  static const std::vector<MessageCode> codes = {
      {code::kUnknownOption, Severity::kNote, "Option not supported; ignored"},
      {code::kPhraseCompression, Severity::kNote, "Phrase compression is not used"},
      {code::kIgnoredSection, Severity::kNote, "Section not supported; ignored"},
      {code::kTopicsUncompressed, Severity::kNote, "Topic text written uncompressed"},
      {code::kMultikeyIgnored, Severity::kNote,
       "Keyword footnote letter without MULTIKEY; ignored"},
      {code::kUnknownSection, Severity::kWarning, "Unknown section in the help project"},
      {code::kBadLine, Severity::kWarning, "Line not understood; ignored"},
      {code::kBadWindow, Severity::kWarning, "Window definition not understood"},
      {code::kDuplicateMap, Severity::kWarning, "Context mapped more than once"},
      {code::kMapUndefined, Severity::kWarning, "Mapped context is not defined"},
      {code::kAliasUndefined, Severity::kWarning, "Alias names an undefined context"},
      {code::kContentsUndefined, Severity::kWarning, "Contents topic is not defined"},
      {code::kMarkupProblem, Severity::kWarning, "Topic markup problem"},
      {code::kTooManyWindows, Severity::kWarning, "Too many window definitions"},
      {code::kLongField, Severity::kWarning, "Text too long; shortened"},
      {code::kUnknownWindow, Severity::kWarning, "Window not defined in [WINDOWS]"},
      {code::kDuplicateMacroKeyword, Severity::kWarning, "[MACROS] keyword given more than once"},
      {code::kBadIcon, Severity::kWarning, "Icon file not usable; no icon"},
      {code::kUndeclaredBuildTag, Severity::kWarning, "Build tag not declared in [BUILDTAGS]"},
      {code::kJumpUndefined, Severity::kWarning, "Jump to undefined Topic ID"},
      {code::kPopupUndefined, Severity::kWarning, "Popup to undefined Topic ID"},
      {code::kUnbalancedGroup, Severity::kWarning, "Unbalanced braces in topic file"},
      {code::kNoHelpFile, Severity::kError, "No help file was created"},
      {code::kFileUnreadable, Severity::kError, "File cannot be read"},
      {code::kNoTopicFiles, Severity::kError, "No topic files in [FILES]"},
      {code::kDuplicateContext, Severity::kError, "Context string defined more than once"},
      {code::kHashCollision, Severity::kError, "Context strings have the same hash value"},
      {code::kMissingPicture, Severity::kError, "Picture file not found"},
      {code::kPictureFormat, Severity::kError, "Picture format not supported"},
      {code::kWriteFailed, Severity::kError, "Help file cannot be written"},
      {code::kTooLarge, Severity::kError, "Help file too large"},
  };
  return codes;
}

const MessageCode* FindMessageCode(int code) {
  const auto& codes = MessageCodes();
  auto it = std::find_if(codes.begin(), codes.end(),
                         [code](const MessageCode& c) { return c.code == code; });
  return it == codes.end() ? nullptr : &*it;
}

std::string CodeListText() {
  std::string text;
  for (const MessageCode& c : MessageCodes()) {
    char head[16];
    std::snprintf(head, sizeof head, "HC%04d\t", c.code);
    text += head;
    text += c.severity == Severity::kError     ? "Error"
            : c.severity == Severity::kWarning ? "Warning"
                                               : "Note";
    text += '\t';
    text += c.summary;
    text += "\r\n";
  }
  return text;
}

Diagnostic MakeDiagnostic(int code, std::string text, std::string file, int line,
                          std::string topic) {
  const MessageCode* known = FindMessageCode(code);
  Diagnostic d;
  d.severity = known ? known->severity : Severity::kError;
  d.code = code;
  d.text = std::move(text);
  d.file = std::move(file);
  d.line = line;
  d.topic = std::move(topic);
  return d;
}

}  // namespace qy::hlp
