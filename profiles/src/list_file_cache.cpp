#include "list_file_cache.h"

#include <sys/stat.h>
#include <time.h>

#include <mutex>
#include <optional>

#include "class_dictionary.h"
#include "pdk/plist.h"
#include "profiles/profile_list_cache.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

struct FileIdentity {
  dev_t device;
  ino_t inode;
  off_t size;
  timespec modified;

  bool operator==(const FileIdentity& o) const {
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec;
  }
};

std::optional<FileIdentity> identityOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

// The kernel stamps files from its coarse clock. A file stamped in the
// current tick may change again within that tick and keep its identity, so
// its tables are kept only once its stamp lies before the tick of the read.
bool stampIsSettled(const timespec& modified, const timespec& readStart) {
  return modified.tv_sec < readStart.tv_sec ||
         (modified.tv_sec == readStart.tv_sec && modified.tv_nsec < readStart.tv_nsec);
}

struct Cache {
  std::mutex mutex;
  std::string path;
  FileIdentity identity{};
  std::shared_ptr<const ListFileTables> tables;  // null: nothing kept
  uint64_t parses = 0;
};

Cache& cache() {
  static Cache c;
  return c;
}

std::shared_ptr<const ListFileTables> parse(const std::string& path) {
  const pdk::Value root = pdk::readPlistFile(path);
  if (!root.isDictionary()) return nullptr;
  auto tables = std::make_shared<ListFileTables>();  // value-initialised: all zero
  for (int32_t c = kListClassRGB; c <= kListClassDST; ++c) {
    const pdk::Value classDict = root.get(classKey(c));
    tables->hasClass[c] = hasFieldDictionaries(classDict);
    if (!tables->hasClass[c]) continue;
    readClassDictionary(classDict, &tables->plain[c], false);
    readClassDictionary(classDict, &tables->withoutWalk[c], true);
  }
  return tables;
}

}  // namespace

std::shared_ptr<const ListFileTables> listFileTables(const std::string& path) {
  Cache& c = cache();
  timespec readStart{};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &readStart);
  const std::optional<FileIdentity> identity = identityOf(path);

  std::lock_guard<std::mutex> lock(c.mutex);
  if (identity && c.tables && c.path == path && c.identity == *identity) return c.tables;
  c.tables = nullptr;
  if (!identity) return nullptr;
  // The file is read after its identity was taken: a change in between is
  // seen as a new identity at the next read.
  std::shared_ptr<const ListFileTables> tables = parse(path);
  ++c.parses;
  if (tables && stampIsSettled(identity->modified, readStart)) {
    c.path = path;
    c.identity = *identity;
    c.tables = tables;
  }
  return tables;
}

void dropProfileListCache() {
  Cache& c = cache();
  std::lock_guard<std::mutex> lock(c.mutex);
  c.tables = nullptr;
}

uint64_t profileListParseCount() {
  Cache& c = cache();
  std::lock_guard<std::mutex> lock(c.mutex);
  return c.parses;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
