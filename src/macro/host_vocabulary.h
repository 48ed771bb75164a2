// The main window's macro vocabulary: the prototype lines of its host
// routines, the index codes they dispatch on, its properties and the texts of
// its failures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qy {

class TPoorPascal;

// Index codes of the host routines (several names may share one code).
namespace host_index {
inline constexpr std::int32_t kClear = 0x0200;
inline constexpr std::int32_t kPrint = 0x0201;
inline constexpr std::int32_t kSort = 0x0202;
inline constexpr std::int32_t kIsModified = 0x0300;
inline constexpr std::int32_t kIsOverWrite = 0x0301;
inline constexpr std::int32_t kIsSelected = 0x0302;
inline constexpr std::int32_t kLineCount = 0x0303;
inline constexpr std::int32_t kSetLineString = 0x0304;
inline constexpr std::int32_t kSetTextLine = 0x0305;
inline constexpr std::int32_t kTextLineCount = 0x0306;
inline constexpr std::int32_t kGetLineString = 0x0401;
inline constexpr std::int32_t kEndOfLineAddStr = 0x0403;
inline constexpr std::int32_t kGetTextLine = 0x0404;
inline constexpr std::int32_t kSetPageTitle = 0x1203;
inline constexpr std::int32_t kSetPageKeyword = 0x1204;
inline constexpr std::int32_t kSetPageAKeyword = 0x1205;
inline constexpr std::int32_t kSetPageBKeyword = 0x1206;
inline constexpr std::int32_t kSetPageTopic = 0x1207;
inline constexpr std::int32_t kSetPageIndex = 0x1208;
inline constexpr std::int32_t kSetPageWindow = 0x1209;
inline constexpr std::int32_t kSetPageMacro = 0x1210;
inline constexpr std::int32_t kPageAdd = 0x1300;
inline constexpr std::int32_t kGetPageIndex = 0x1301;
inline constexpr std::int32_t kGetPageCount = 0x1302;
inline constexpr std::int32_t kGetPageAttribute = 0x1303;
inline constexpr std::int32_t kGetPageContextID = 0x1304;
inline constexpr std::int32_t kSelectPage = 0x1307;
inline constexpr std::int32_t kGetPageContext = 0x1400;
inline constexpr std::int32_t kGetPageTitle = 0x1401;
inline constexpr std::int32_t kGetPageKeyword = 0x1402;
inline constexpr std::int32_t kGetPageAKeyword = 0x1403;
inline constexpr std::int32_t kGetPageBKeyword = 0x1404;
inline constexpr std::int32_t kGetPageTopic = 0x1405;
inline constexpr std::int32_t kGetPageWindow = 0x1406;
inline constexpr std::int32_t kGetPageMacro = 0x1407;
inline constexpr std::int32_t kGetHelpTitle = 0x2400;
inline constexpr std::int32_t kGetHelpCopyright = 0x2401;
inline constexpr std::int32_t kGetWindowsSection = 0x2402;
inline constexpr std::int32_t kGetConfigSection = 0x2403;
inline constexpr std::int32_t kGetWord = 0x2404;
inline constexpr std::int32_t kGetPictureName = 0x4400;
inline constexpr std::int32_t kSelectContext = 0x4401;
inline constexpr std::int32_t kJCopy = 0x5400;
inline constexpr std::int32_t kHan2Zen = 0x5401;
inline constexpr std::int32_t kZen2Han = 0x5402;
}  // namespace host_index

// Property ids of the host properties.
namespace host_property {
inline constexpr std::int32_t kCol = 0x9100;
inline constexpr std::int32_t kRow = 0x9101;
inline constexpr std::int32_t kSelLength = 0x9102;
inline constexpr std::int32_t kSelStart = 0x9103;
inline constexpr std::int32_t kClipBoard = 0x9200;
inline constexpr std::int32_t kSelText = 0x9201;
inline constexpr std::int32_t kText = 0x9202;
}  // namespace host_property

// The 50 prototype lines, in the order they are declared.
const std::vector<std::string>& HostPrototypeLines();

// The lines of Define: "Quillory" and "QY160".
std::vector<std::string> HostDefineLines();

// Err_CD of a routine or property the host does not serve.
inline constexpr std::int32_t kHostNotServed = -1;

// "実行エラーです。お手数ですが作者に連絡をください" for -1, else
// "ユーザー定義手続き/関数の内部エラーです" (Shift-JIS).
std::string HostErrorMessage(std::int32_t error_code);

// Enters the vocabulary into a component once: Define, the prototype lines
// and the seven properties (Col, Row, SelLength, SelStart as writable
// Integers with value 0; ClipBoard, SelText, Text as writable Strings with
// value ''). The property names must still be free.
void DeclareHostVocabulary(TPoorPascal& pascal);

}  // namespace qy
