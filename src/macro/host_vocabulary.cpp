#include "macro/host_vocabulary.h"

#include "core/codec.h"
#include "macro/poor_pascal.h"

namespace qy {

const std::vector<std::string>& HostPrototypeLines() {
  static const std::vector<std::string> lines = {
      "function GetLineString(Row: Integer): string; index $0401;",
      "function EndOfLineAddStr(S, AddStr: string): string; index $0403;",
      "function AddStrEachLine(S, AddStr: string): string; index $0403;",
      "function GetTextLine(S: string; Index: Integer): string; index $0404;",
      "function IsModified: Integer; index $0300;",
      "function IsOverWrite: Integer; index $0301;",
      "function IsSelected: Integer; index $0302;",
      "function LineCount: Integer; index $0303;",
      "function SetLineString(Row: Integer; Value: string): Integer; index $0304;",
      "function SetTextLine(S: string; Index: Integer; Value: string): Integer; index $0305;",
      "function TextLineCount(S: string): Integer; index $0306;",
      "function Clear: Integer;index $0200;",
      "function Print(S: string): Integer;index $0201;",
      "function Sort: Integer;index $0202;",
      "function SetPageIndex(Index: Integer): Integer; index $1208;",
      "function SetPageTitle(Index: Integer; Value: string): Integer; index $1203;",
      "function SetPageKeyword(Index: Integer; Value: string): Integer; index $1204;",
      "function SetPageAKeyword(Index: Integer; Value: string): Integer; index $1205;",
      "function SetPageBKeyword(Index: Integer; Value: string): Integer; index $1206;",
      "function SetPageTopic(Index: Integer; Value: string): Integer; index $1207;",
      "function SetPageWindow(Index: Integer; Value: string): Integer; index $1209;",
      "function SetPageMacro(Index: Integer; Value: string): Integer; index $1210;",
      "function PageAdd: Integer; index $1300;",
      "function AddPage: Integer; index $1300;",
      "function GetPageIndex: Integer; index $1301;",
      "function GetPageCount: Integer; index $1302;",
      "function GetPageAttribute(Index: Integer): Integer; index $1303;",
      "function GetPageAttr(Index: Integer): Integer; index $1303;",
      "function GetPageContext(Index: Integer): string; index $1400;",
      "function GetPageContextID(Index: Integer): Integer; index $1304;",
      "function GetPageTitle(Index: Integer): string; index $1401;",
      "function GetPageKeyword(Index: Integer): string; index $1402;",
      "function GetPageAKeyword(Index: Integer): string; index $1403;",
      "function GetPageBKeyword(Index: Integer): string; index $1404;",
      "function GetPageTopic(Index: Integer): string; index $1405;",
      "function GetPageWindow(Index: Integer): string; index $1406;",
      "function GetPageMacro(Index: Integer): string; index $1407;",
      "function GetHelpTitle: string; index $2400;",
      "function GetHelpCopyright: string; index $2401;",
      "function GetWindowsSession: string; index $2402;",
      "function GetWindowsSection: string; index $2402;",
      "function GetConfigSession: string; index $2403;",
      "function GetConfigSection: string; index $2403;",
      "function GetWord(Index: Integer): string; index $2404;",
      "function GetPictureName(Index: Integer): string; index $4400;",
      "function SelectContext: string; index $4401;",
      "function SelectPage: Integer; index $1307;",
      "function JCopy(S: string; Index, Count: Integer): string; index $5400;",
      "function Han2Zen(S: string): string; index $5401;",
      "function Zen2Han(S: string): string; index $5402;",
  };
  return lines;
}

std::vector<std::string> HostDefineLines() { return {"Quillory", "QY160"}; }

std::string HostErrorMessage(std::int32_t error_code) {
  if (error_code == kHostNotServed) {
    return Sjis("実行エラーです。お手数ですが作者に連絡をください");
  }
  return Sjis("ユーザー定義手続き/関数の内部エラーです");
}

void DeclareHostVocabulary(TPoorPascal& pascal) {
  pascal.SetDefine(HostDefineLines());
  for (const std::string& line : HostPrototypeLines()) pascal.AddPrototype(line);
  pascal.AddIntegerProperty("Col", false, host_property::kCol, 0);
  pascal.AddIntegerProperty("Row", false, host_property::kRow, 0);
  pascal.AddIntegerProperty("SelLength", false, host_property::kSelLength, 0);
  pascal.AddIntegerProperty("SelStart", false, host_property::kSelStart, 0);
  pascal.AddStringProperty("ClipBoard", "", host_property::kClipBoard, false);
  pascal.AddStringProperty("SelText", "", host_property::kSelText, false);
  pascal.AddStringProperty("Text", "", host_property::kText, false);
}

}  // namespace qy
