#include "pdk/text.h"

#include <iconv.h>
#include <utf8proc.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace pdk {

const char* iconvName(TextEncoding enc) {
  switch (enc) {
    case TextEncoding::MacRoman: return "MACINTOSH";
    case TextEncoding::ISOLatin1: return "ISO-8859-1";
    case TextEncoding::WindowsLatin1: return "CP1252";
    case TextEncoding::ShiftJIS: return "SHIFT_JIS";
    case TextEncoding::UTF8: return "UTF-8";
  }
  return "UTF-8";
}

namespace {

// Convert with iconv; nullopt on any invalid or unconvertible input.
std::optional<std::string> convertStrict(const std::string& in, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::vector<char> buf(4096);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = buf.data();
    size_t dstLeft = buf.size();
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), buf.size() - dstLeft);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      ok = false;
      break;
    }
    if (r > 0 && std::string(to) != "UTF-8") {
      // iconv reports irreversible conversions: treat as failure.
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::string> decodeText(const std::string& bytes, TextEncoding enc) {
  if (enc == TextEncoding::UTF8) {
    if (!isValidUtf8(bytes)) return std::nullopt;
    return bytes;
  }
  return convertStrict(bytes, iconvName(enc), "UTF-8");
}

std::optional<std::string> encodeText(const std::string& utf8, TextEncoding enc) {
  if (!isValidUtf8(utf8)) return std::nullopt;
  if (enc == TextEncoding::UTF8) return utf8;
  return convertStrict(utf8, "UTF-8", iconvName(enc));
}

std::string convertLossy(const std::string& utf8, const char* toEncoding, char replacement) {
  std::string out;
  const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
  utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(utf8.size());
  iconv_t cd = iconv_open(toEncoding, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  while (left > 0) {
    utf8proc_int32_t cp = 0;
    utf8proc_ssize_t n = utf8proc_iterate(p, left, &cp);
    if (n <= 0) {
      out.push_back(replacement);
      ++p;
      --left;
      continue;
    }
    char in[8];
    std::copy(p, p + n, in);
    char* src = in;
    size_t srcLeft = static_cast<size_t>(n);
    char buf[16];
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1) || r > 0)
      out.push_back(replacement);
    else
      out.append(buf, sizeof buf - dstLeft);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    p += n;
    left -= n;
  }
  iconv_close(cd);
  return out;
}

std::string normalizeNFC(const std::string& utf8) {
  if (!isValidUtf8(utf8)) return utf8;
  // By length, not NUL-terminated, so text after an embedded NUL is kept.
  utf8proc_uint8_t* out = nullptr;
  utf8proc_ssize_t n = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                                    static_cast<utf8proc_ssize_t>(utf8.size()), &out,
                                    static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  if (n < 0 || !out) return utf8;
  std::string s(reinterpret_cast<char*>(out), static_cast<size_t>(n));
  free(out);
  return s;
}

namespace {

// Walk the code points of valid-ish UTF-8, calling f(byteOffset, byteLen, units).
template <typename F>
void forEachCodePoint(const std::string& utf8, F f) {
  const auto* base = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
  utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(utf8.size());
  size_t off = 0;
  while (left > 0) {
    utf8proc_int32_t cp = 0;
    utf8proc_ssize_t n = utf8proc_iterate(base + off, left, &cp);
    if (n <= 0) n = 1;  // a stray byte counts as one unit
    if (!f(off, static_cast<size_t>(n), cp >= 0x10000 ? 2u : 1u)) return;
    off += static_cast<size_t>(n);
    left -= n;
  }
}

}  // namespace

size_t utf16Length(const std::string& utf8) {
  size_t units = 0;
  forEachCodePoint(utf8, [&](size_t, size_t, unsigned u) {
    units += u;
    return true;
  });
  return units;
}

std::string utf16Substring(const std::string& utf8, size_t start, size_t length) {
  std::string out;
  size_t unit = 0;
  // A length reaching past the end (such as SIZE_MAX for "the rest") must
  // not wrap around.
  const size_t end = length > SIZE_MAX - start ? SIZE_MAX : start + length;
  forEachCodePoint(utf8, [&](size_t off, size_t n, unsigned u) {
    if (unit >= end) return false;
    if (unit >= start) out.append(utf8, off, n);
    unit += u;
    return true;
  });
  return out;
}

std::u16string utf16FromUtf8(const std::string& utf8) {
  std::u16string units;
  units.reserve(utf8.size());
  const auto* base = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
  utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(utf8.size());
  for (size_t off = 0; left > 0;) {
    utf8proc_int32_t cp = 0;
    utf8proc_ssize_t n = utf8proc_iterate(base + off, left, &cp);
    if (n <= 0) {
      n = 1;
      cp = 0xFFFD;
    }
    if (cp < 0x10000) {
      units += static_cast<char16_t>(cp);
    } else {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    off += static_cast<size_t>(n);
    left -= n;
  }
  return units;
}

std::string utf8FromUtf16(const std::u16string& units) {
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t cp = units[i];
    const bool high = cp >= 0xD800 && cp <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    utf8proc_uint8_t bytes[4];
    const utf8proc_ssize_t n = utf8proc_encode_char(static_cast<utf8proc_int32_t>(cp), bytes);
    out.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(n));
  }
  return out;
}

}  // namespace pdk
