// The bounds the programs put on a macro run. A String longer than the limit
// ends the run with an error instead of exhausting memory; the command-line
// tool also bounds the steps, since nobody is there to stop a macro that
// loops for ever.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qy {

inline constexpr std::size_t kHostStringLimit = std::size_t{64} << 20;  // 64 MiB

inline constexpr std::uint64_t kCliDefaultMaxSteps = 100'000'000;

}  // namespace qy
