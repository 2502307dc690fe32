// Splitting a text into pieces of a fixed number of UTF-16 units, as the
// relay build sends a list to the helper program. Pure function.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

// Cut `text` (UTF-8) into pieces of `n` UTF-16 units, the last one shorter.
// A text no longer than n (or n 0) gives one piece, the text itself; a
// character of two units is never cut and stays in the piece it starts in.
std::vector<std::string> splitCharEvery(const std::string& text, size_t n);

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
