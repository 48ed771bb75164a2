// Free contexts and IDs for pages that arrive with names already taken: a
// pasted page and a page that must give its ID to an imported help name.
#pragma once

#include <cstdint>
#include <string>

#include "project/project_model.h"

namespace qy {

// "HLP000nnn" for the first n from 2 up to count+1 that no page uses in any
// letter case. When all of those are taken the search goes on above count+1,
// so the result is always free ("HLP000" with no page at all).
std::string UnusedContextFromTwo(const ProjectModel& model);

// The first ID from 2 up to count+1 that no page uses, going on above count+1
// when all of those are taken, so the result is always free.
std::int32_t UnusedContextIDFromTwo(const ProjectModel& model);

}  // namespace qy
