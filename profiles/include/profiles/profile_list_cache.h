// The profile list as this process last read it. Readers keep the tables of
// the current list file while the file keeps its identity (device, inode,
// size, modification time), so that the many reads of one print dialog parse
// it once. The library's own writes drop what is kept. Thread-safe.
#pragma once

#include <cstdint>

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

// Forget the kept tables: the next read parses the file again.
void dropProfileListCache();
// How many times this process has parsed a list file (for tests and benchmarks).
uint64_t profileListParseCount();

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
