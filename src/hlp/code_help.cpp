#include "hlp/code_help.h"

#include <cstdio>

#include "core/codec.h"
#include "hlp/message_codes.h"

namespace qy::hlp {

CodeHelpSources BuildCodeHelpSources(const std::string& topic_file) {
  CodeHelpSources out;
  out.project = "[OPTIONS]\r\nTITLE=" + Sjis("ヘルプコンパイラのメッセージ") +
                "\r\nLCID=0x411 0x0 0x0\r\nDBCS=Yes\r\nCONTENTS=codes\r\n\r\n[FILES]\r\n" +
                topic_file + "\r\n\r\n[WINDOWS]\r\nhelp=\"" + Sjis("メッセージの説明") +
                "\",,0,(r16777215),(r12632256)\r\n";
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 "
      "\\'82\\'6c\\'82\\'72 \\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\r\n";
  std::string list;
  for (const MessageCode& c : MessageCodes()) {
    char code[8];
    std::snprintf(code, sizeof code, "HC%04d", c.code);
    const char* kind = c.severity == Severity::kError     ? "Error"
                       : c.severity == Severity::kWarning ? "Warning"
                                                          : "Note";
    list += std::string("{\\uldb ") + code + "}{\\v " + code + "} " + c.summary + "\\par\r\n";
    rtf += std::string("#{\\footnote ") + code + "}${\\footnote " + code + "}K{\\footnote " + code +
           "}\r\n{\\b " + code + " " + kind + "}\\par\r\n" + c.summary + "\\par\r\n\\page\r\n";
  }
  rtf += "#{\\footnote codes}${\\footnote " + Sjis("メッセージの一覧") + "}\r\n{\\b " +
         Sjis("メッセージの一覧") + "}\\par\r\n" + list + "}\r\n";
  out.topics = std::move(rtf);
  return out;
}

}  // namespace qy::hlp
