#pragma once

// Frame bytes 5 to 8 of the horizontal trigger presets, 10 %, 50 % and 90 % of the record, for
// the fast time/div group (position 1) and the others.

#include <array>

namespace kv::test {

using Bytes = std::array<int, 4>;

inline const Bytes Fast10{160, 3, 33, 5}, Normal10{50, 1, 80, 6};
inline const Bytes Both50{240, 5, 239, 3};
inline const Bytes Fast90{100, 8, 189, 2}, Normal90{180, 10, 140, 1};

} // namespace kv::test
