// Whether a file is still held, found out through /proc (Linux).
#pragma once

#include <string>

#include "core/platform.h"

namespace qy {

// The check through /proc: a file is held while a running process names it
// on its command line (the editor started on it, however it saves) or has it
// open (an editor that keeps its file open). An editor that hands the file to
// an instance that was already running and then ends can not be told from a
// closed one; such an editor has to be configured to stay in the foreground
// (for example "gedit --wait", "kate --block").
class ProcFileHoldCheck : public FileHoldCheck {
 public:
  explicit ProcFileHoldCheck(std::string proc_root = "/proc") : proc_root_(std::move(proc_root)) {}
  bool IsHeld(const std::string& file) override;

 private:
  std::string proc_root_;
};

}  // namespace qy
