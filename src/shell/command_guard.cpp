#include "shell/command_guard.h"

#include <new>

#include "core/codec.h"

namespace qy {

std::string UnexpectedCommandErrorMessage(const std::exception* e) {
  if (dynamic_cast<const std::bad_alloc*>(e)) {
    return Sjis("メモリが足りないため、コマンドを中止しました。");
  }
  std::string text = Sjis("予期しないエラーのため、コマンドを中止しました。");
  if (e && *e->what() != '\0') text += "\r\n\r\n" + Utf8ToCp932(e->what());
  return text;
}

bool RunCommandGuarded(const std::function<void()>& command, Prompter& prompter) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    prompter.Error(UnexpectedCommandErrorMessage(&e));
  } catch (...) {
    prompter.Error(UnexpectedCommandErrorMessage(nullptr));
  }
  return false;
}

}  // namespace qy
