#include "profiles/split_string.h"

#include "pdk/text.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

std::vector<std::string> splitCharEvery(const std::string& text, size_t n) {
  const size_t length = pdk::utf16Length(text);
  if (n == 0 || n >= length) return {text};
  std::vector<std::string> pieces;
  for (size_t start = 0; start < length; start += n) {
    std::string piece = pdk::utf16Substring(text, start, n);
    // A two-unit character that straddles a cut went whole into the piece
    // before; with n == 1 that can leave nothing for this one.
    if (!piece.empty()) pieces.push_back(std::move(piece));
  }
  return pieces;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
