// The make wizard's five choices, kept with the project: characters 1..4 of
// ProjectOptions and bit 1 of CompressMode.
#pragma once

#include "project/project_model.h"

namespace qy {

struct MakeWizardChoices {
  bool no_contents_file = false;  // "CNTファイルを自動作成しない(&C)"
  bool no_help_project = false;   // "HPJファイルを自動作成しない(&P)"
  bool no_map_header = false;     // "HHファイルを自動作成しない(&F)"
  bool save_first = false;  // "コンパイル前にプロジェクトを自動保存する(&S)"
  bool always_compress = false;  // "圧縮オプションを無視して必ず圧縮する(&M)"

  bool operator==(const MakeWizardChoices&) const = default;
};

inline constexpr int kCompressAlways = 2;  // CompressMode bit 1

// The boxes as the wizard opens: a flag character other than "0" ticks its
// box, CompressMode 2 or more ticks the always-compress box.
MakeWizardChoices LoadMakeWizardChoices(const ProjectHeader& header);

// OK: characters 1..4 of ProjectOptions become the four flags (the rest
// stays), bit 1 of CompressMode follows the always-compress box (bit 0
// stays). SetModified(true) only when a box differs from `opened`, the state
// the wizard opened with. Returns whether it did.
bool StoreMakeWizardChoices(const MakeWizardChoices& chosen, const MakeWizardChoices& opened,
                            ProjectModel& project);

}  // namespace qy
