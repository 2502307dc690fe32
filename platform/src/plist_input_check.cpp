#include "plist_input_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace pdk {
namespace {

constexpr size_t kHeaderBytes = 8;  // "bplist00"
constexpr size_t kTrailerBytes = 32;

uint64_t bigEndian(const unsigned char* p, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

// The object table of a binary property list.
class BinaryObjects {
 public:
  bool load(const std::string& bytes) {
    data_ = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    if (size < kHeaderBytes + kTrailerBytes) return false;
    const unsigned char* trailer = data_ + size - kTrailerBytes;
    const size_t offsetSize = trailer[6];
    refSize_ = trailer[7];
    const uint64_t count = bigEndian(trailer + 8, 8);
    top_ = bigEndian(trailer + 16, 8);
    tableOffset_ = bigEndian(trailer + 24, 8);
    const size_t objectsEnd = size - kTrailerBytes;
    if (offsetSize < 1 || offsetSize > 8 || refSize_ < 1 || refSize_ > 8 || tableOffset_ < kHeaderBytes ||
        tableOffset_ >= objectsEnd || count > (objectsEnd - tableOffset_) / offsetSize || top_ >= count) {
      return false;
    }
    offsets_.resize(count);
    for (uint64_t i = 0; i < count; ++i) {
      offsets_[i] = bigEndian(data_ + tableOffset_ + i * offsetSize, offsetSize);
      if (offsets_[i] < kHeaderBytes || offsets_[i] >= tableOffset_) return false;
    }
    return true;
  }

  uint64_t count() const { return offsets_.size(); }
  uint64_t top() const { return top_; }
  int type(uint64_t object) const { return data_[offsets_[object]] >> 4; }

  // The element count of an object and where its contents start.
  std::optional<std::pair<uint64_t, uint64_t>> countAndStart(uint64_t object) const {
    const uint64_t offset = offsets_[object];
    uint64_t count = data_[offset] & 0x0F;
    uint64_t start = offset + 1;
    if (count == 0x0F) {
      if (start >= tableOffset_ || (data_[start] >> 4) != 0x1 || (data_[start] & 0x0F) > 3) return std::nullopt;
      const size_t lengthBytes = size_t{1} << (data_[start] & 0x0F);
      if (start + 1 + lengthBytes > tableOffset_) return std::nullopt;
      count = bigEndian(data_ + start + 1, lengthBytes);
      start += 1 + lengthBytes;
    }
    return std::make_pair(count, start);
  }

  // True unless the ASCII (0x5) or UTF-16 (0x6) string holds U+0000 or
  // runs past the objects; other objects pass.
  bool stringHasNoZero(uint64_t object) const {
    const int t = type(object);
    if (t != 0x5 && t != 0x6) return true;
    auto cs = countAndStart(object);
    const uint64_t unit = t == 0x5 ? 1 : 2;
    if (!cs || cs->first > (tableOffset_ - cs->second) / unit) return false;
    const uint64_t end = cs->second + cs->first * unit;
    for (uint64_t p = cs->second; p < end; p += unit) {
      if (data_[p] == 0 && (unit == 1 || data_[p + 1] == 0)) return false;
    }
    return true;
  }

  // The objects an array, set or dictionary refers to; empty for other
  // objects; nullopt when the references do not fit.
  std::optional<std::vector<uint64_t>> children(uint64_t object) const {
    const int t = type(object);
    if (t != 0xA && t != 0xC && t != 0xD) return std::vector<uint64_t>{};
    auto cs = countAndStart(object);
    if (!cs) return std::nullopt;
    const uint64_t refs = t == 0xD ? 2 * cs->first : cs->first;
    if (cs->first > tableOffset_ || refs > (tableOffset_ - cs->second) / refSize_) return std::nullopt;
    std::vector<uint64_t> out(refs);
    for (uint64_t i = 0; i < refs; ++i) {
      out[i] = bigEndian(data_ + cs->second + i * refSize_, refSize_);
      if (out[i] >= count()) return std::nullopt;
    }
    return out;
  }

 private:
  const unsigned char* data_ = nullptr;
  size_t refSize_ = 0;
  uint64_t top_ = 0, tableOffset_ = 0;
  std::vector<uint64_t> offsets_;
};

// Depth-first from the top object, each object expanded once: the depth of
// the tree below each object is remembered, a reference back into the
// current path is a cycle.
bool nestingWithinLimit(const BinaryObjects& objects) {
  constexpr int kUnknown = -1, kOnPath = -2;
  std::vector<int> below(objects.count(), kUnknown);
  struct Frame {
    uint64_t object;
    std::vector<uint64_t> children;
    size_t next = 0;
    int deepest = 0;
  };
  std::vector<Frame> path;
  auto enter = [&](uint64_t object) {
    auto children = objects.children(object);
    if (!children || static_cast<int>(path.size()) >= kMaxPlistNesting) return false;
    below[object] = kOnPath;
    path.push_back(Frame{object, std::move(*children)});
    return true;
  };
  if (!enter(objects.top())) return false;
  while (!path.empty()) {
    Frame& frame = path.back();
    if (frame.next == frame.children.size()) {
      const int depth = frame.children.empty() ? 0 : frame.deepest + 1;
      below[frame.object] = depth;
      path.pop_back();
      if (!path.empty()) path.back().deepest = std::max(path.back().deepest, depth);
      continue;
    }
    const uint64_t child = frame.children[frame.next++];
    if (below[child] == kOnPath) return false;
    if (below[child] == kUnknown) {
      if (!enter(child)) return false;
    } else {
      if (static_cast<int>(path.size()) + below[child] >= kMaxPlistNesting) return false;
      frame.deepest = std::max(frame.deepest, below[child]);
    }
  }
  return below[objects.top()] < kMaxPlistNesting;
}

}  // namespace

bool binaryPlistIsSafeToParse(const std::string& bytes) {
  BinaryObjects objects;
  if (!objects.load(bytes)) return false;
  for (uint64_t i = 0; i < objects.count(); ++i) {
    if (!objects.stringHasNoZero(i)) return false;
  }
  return nestingWithinLimit(objects);
}

bool xmlPlistIsSafeToParse(const std::string& bytes) {
  if (std::memchr(bytes.data(), 0, bytes.size())) return false;
  // Count open <array> and <dict> elements; a self-closing one is no level.
  const std::string_view text(bytes);
  int depth = 0;
  for (size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
    const std::string_view rest = text.substr(lt + 1);
    const bool closing = rest.starts_with('/');
    const std::string_view name = closing ? rest.substr(1) : rest;
    size_t length = name.starts_with("array") ? 5 : name.starts_with("dict") ? 4 : 0;
    if (length == 0 || length >= name.size() || !(name[length] == '>' || name[length] == '/' ||
                                                  name[length] == ' ' || name[length] == '\t' ||
                                                  name[length] == '\n' || name[length] == '\r')) {
      continue;
    }
    if (closing) {
      --depth;
      continue;
    }
    const size_t gt = name.find('>');
    if (gt != std::string_view::npos && gt > 0 && name[gt - 1] == '/') continue;
    if (++depth > kMaxPlistNesting) return false;
  }
  return true;
}

}  // namespace pdk
