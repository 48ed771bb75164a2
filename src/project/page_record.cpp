#include "project/page_record.h"

namespace qy {

const char* PageKindWord(PageAttribute a) {
  switch (a) {
    case kPopupPage:
      return "True";
    case kContentPage:
      return "Macro";
    case kIncludePage:
      return "Include";
    default:
      return "False";
  }
}

bool FieldApplies(PageField field, PageAttribute a) {
  switch (field) {
    case PageField::kContext:
    case PageField::kTitle:
      return true;
    case PageField::kKeyword:
    case PageField::kAKeyword:
    case PageField::kBKeyword:
    case PageField::kWindow:
    case PageField::kMacro:
      return IsHelpTopic(a);
    case PageField::kTopic:
      return HasTopicText(a);
  }
  return false;
}

}  // namespace qy
