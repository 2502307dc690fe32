#include "pdk/bundle.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "pdk/plist.h"

namespace pdk {

namespace {

std::map<std::string, std::weak_ptr<Bundle>>& registry() {
  static std::map<std::string, std::weak_ptr<Bundle>> r;
  return r;
}

bool fileExists(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0;
}

std::string readFile(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The language folders to search, most preferred first.
std::vector<std::string> languageFolders() {
  std::vector<std::string> out;
  const char* lang = std::getenv("LANG");
  if (lang && *lang) {
    std::string l(lang);
    l = l.substr(0, l.find_first_of("_.@"));
    if (!l.empty() && l != "C" && l != "POSIX") out.push_back(l + ".lproj/");
  }
  out.push_back("en.lproj/");
  out.push_back("");
  return out;
}

}  // namespace

std::shared_ptr<Bundle> Bundle::open(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  Value info = readPlistFile(p + "/Resources/Info.plist");
  if (!info.isDictionary()) return nullptr;
  auto b = std::make_shared<Bundle>();
  b->path_ = p;
  b->info_ = info;
  std::string id = b->identifier();
  if (!id.empty()) registry()[id] = b;
  return b;
}

std::shared_ptr<Bundle> Bundle::bundleWithIdentifier(const std::string& identifier) {
  auto it = registry().find(identifier);
  return it == registry().end() ? nullptr : it->second.lock();
}

std::string Bundle::description() const { return "NSBundle <" + path_ + ">"; }

std::string Bundle::name() const {
  std::string base = path_.substr(path_.find_last_of('/') + 1);
  auto dot = base.rfind(".plugin");
  return dot == std::string::npos ? base : base.substr(0, dot);
}

std::string Bundle::executablePath() const {
  std::string exe = info_.get("CFBundleExecutable").asString();
  if (exe.empty()) exe = name() + ".so";
  return path_ + "/" + exe;
}

std::string Bundle::pathForResource(const std::string& name, const std::string& type) const {
  std::string file = type.empty() ? name : name + "." + type;
  for (auto& folder : languageFolders()) {
    std::string p = resourcesPath() + "/" + folder + file;
    if (fileExists(p)) return p;
  }
  return {};
}

std::string Bundle::localizedString(const std::string& key, const std::string& table) const {
  auto it = tables_.find(table);
  if (it == tables_.end()) {
    std::string p = pathForResource(table, "strings");
    it = tables_.emplace(table, p.empty() ? std::map<std::string, std::string>{} : parseStringsTable(readFile(p)))
             .first;
  }
  auto s = it->second.find(key);
  return s == it->second.end() ? key : s->second;
}

std::map<std::string, std::string> parseStringsTable(const std::string& text) {
  std::map<std::string, std::string> out;
  // Editors often start UTF-8 files with a byte-order mark; it is not an entry.
  size_t i = text.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0;
  const size_t n = text.size();
  auto skipSpace = [&]() {
    for (;;) {
      while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
      if (i + 1 < n && text[i] == '/' && text[i + 1] == '*') {
        size_t end = text.find("*/", i + 2);
        i = end == std::string::npos ? n : end + 2;
      } else if (i + 1 < n && text[i] == '/' && text[i + 1] == '/') {
        while (i < n && text[i] != '\n') ++i;
      } else {
        return;
      }
    }
  };
  auto quoted = [&](std::string& s) {
    if (i >= n || text[i] != '"') return false;
    ++i;
    while (i < n && text[i] != '"') {
      char c = text[i++];
      if (c == '\\' && i < n) {
        char e = text[i++];
        c = e == 'n' ? '\n' : e == 't' ? '\t' : e;
      }
      s.push_back(c);
    }
    if (i >= n) return false;
    ++i;
    return true;
  };
  while (true) {
    skipSpace();
    if (i >= n) break;
    std::string key, value;
    bool ok = quoted(key);
    skipSpace();
    ok = ok && i < n && text[i] == '=';
    if (ok) ++i;
    skipSpace();
    ok = ok && quoted(value);
    skipSpace();
    if (ok && i < n && text[i] == ';') {
      ++i;
      out[key] = value;
    } else {
      // Skip to the end of this malformed entry.
      while (i < n && text[i] != ';') ++i;
      if (i < n) ++i;
    }
  }
  return out;
}

}  // namespace pdk
