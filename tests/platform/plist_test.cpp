// Property lists through libplist: round trips, malformed and truncated
// input, atomic replacement, and files exchanged with Python's plistlib.
#include "pdk/plist.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "temp_dir.h"

namespace {

using pdk::Bytes;
using pdk::Value;
using pdktest::TempDir;

// A value with every type, nested containers, negative and extreme integers,
// non-ASCII text, XML-special characters and binary data.
Value everyType() {
  Bytes allBytes;
  for (int i = 0; i < 256; ++i) allBytes.push_back(static_cast<uint8_t>(i));

  Value inner = Value::dictionary();
  inner.set("Nested", Value::array());
  inner.get("Nested").append(Value::dictionary());
  inner.get("Nested").at(0).set("deep", -42);

  Value list = Value::array();
  list.append(true);
  list.append(false);
  list.append(inner);
  list.append(Value::array());

  Value root = Value::dictionary();
  root.set("zero", 0);
  root.set("minusOne", -1);
  root.set("min", std::numeric_limits<int64_t>::min());
  root.set("max", std::numeric_limits<int64_t>::max());
  root.set("half", 0.5);
  root.set("negReal", -1234.25);
  root.set("tenth", 0.1);
  root.set("empty", "");
  root.set("text", "Farbe: Grün, ä € 日本語 😀");
  root.set("markup", "<a href=\"x\">&amp; 'q'</a>");
  root.set("noData", Value(Bytes{}));
  root.set("data", Value(allBytes));
  root.set("list", list);
  root.set("emptyDict", Value::dictionary());
  root.set("Schlüssel ü", "non-ASCII key");
  return root;
}

TEST(Plist, RoundTripOfEveryTypeThroughXml) {
  Value original = everyType();
  std::string xml = pdk::plistToXml(original);
  ASSERT_NE(xml.find("<plist"), std::string::npos);
  EXPECT_NE(xml.find("<integer>-1</integer>"), std::string::npos);

  Value back = pdk::plistFromBytes(xml);
  EXPECT_EQ(back, original) << xml;
  EXPECT_EQ(back.get("min").asInteger(), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(back.get("data").asData().size(), 256u);
}

TEST(Plist, RoundTripOfScalarRoots) {
  const Value roots[] = {Value(-7), Value("ä"), Value(true), Value(Bytes{0, 1}), Value(2.5)};
  for (const Value& v : roots) EXPECT_EQ(pdk::plistFromBytes(pdk::plistToXml(v)), v);
}

TEST(Plist, RoundTripThroughFiles) {
  TempDir dir;
  Value original = everyType();
  ASSERT_TRUE(pdk::writePlistFile(dir.file("plain.plist"), original));
  ASSERT_TRUE(pdk::writePlistFileAtomic(dir.file("atomic.plist"), original));
  EXPECT_EQ(pdk::readPlistFile(dir.file("plain.plist")), original);
  EXPECT_EQ(pdk::readPlistFile(dir.file("atomic.plist")), original);
}

// A binary property list as plistlib writes it:
// {"n": -5, "s": "é", "d": b"\x00\xff", "a": [True, 1.5]}.
const unsigned char kBinaryPlist[] = {
    0x62, 0x70, 0x6c, 0x69, 0x73, 0x74, 0x30, 0x30, 0xd4, 0x01, 0x02, 0x03, 0x04, 0x05, 0x08, 0x09,
    0x0a, 0x51, 0x61, 0x51, 0x64, 0x51, 0x6e, 0x51, 0x73, 0xa2, 0x06, 0x07, 0x09, 0x23, 0x3f, 0xf8,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x42, 0x00, 0xff, 0x13, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xfb, 0x61, 0x00, 0xe9, 0x08, 0x11, 0x13, 0x15, 0x17, 0x19, 0x1c, 0x1d, 0x26, 0x29, 0x32,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0b,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x35};

TEST(Plist, ReadsBinaryInput) {
  std::string bytes(reinterpret_cast<const char*>(kBinaryPlist), sizeof kBinaryPlist);
  Value v = pdk::plistFromBytes(bytes);
  ASSERT_TRUE(v.isDictionary());
  EXPECT_EQ(v.get("n").asInteger(), -5);
  EXPECT_EQ(v.get("s").asString(), "é");
  EXPECT_EQ(v.get("d").asData(), (Bytes{0x00, 0xff}));
  EXPECT_TRUE(v.get("a").at(0).asBool());
  EXPECT_EQ(v.get("a").at(1).asReal(), 1.5);
}

TEST(Plist, MalformedInputIsNull) {
  const std::string inputs[] = {
      "",
      " ",
      "not a property list",
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>",
      "<plist><dict><key>a</key><integer>1</integer></array></plist>",
      "<plist><dict><key>a</key><integer>1</integer>",
      "<plist><array><string>open",
      "bplist00",
      std::string("bplist00\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 40),
      std::string("\0\0\0\0", 4),
      "\xff\xfe<\0p\0l\0",
  };
  for (size_t i = 0; i < std::size(inputs); ++i)
    EXPECT_TRUE(pdk::plistFromBytes(inputs[i]).isNull()) << "input " << i << ": " << inputs[i];
}

// A binary property list of raw objects (marker byte and contents; object
// references two bytes wide, see ref()), the first object at the top.
std::string binaryPlist(const std::vector<std::string>& objects) {
  std::string bytes = "bplist00";
  std::vector<size_t> offsets;
  for (const auto& object : objects) {
    offsets.push_back(bytes.size());
    bytes += object;
  }
  const size_t table = bytes.size();
  for (size_t offset : offsets) {
    bytes += {static_cast<char>(offset >> 16), static_cast<char>(offset >> 8), static_cast<char>(offset & 0xFF)};
  }
  std::string trailer(32, '\0');
  trailer[6] = 3;  // offset size
  trailer[7] = 2;  // reference size
  trailer[14] = static_cast<char>(objects.size() >> 8);
  trailer[15] = static_cast<char>(objects.size() & 0xFF);
  trailer[29] = static_cast<char>(table >> 16);
  trailer[30] = static_cast<char>(table >> 8);
  trailer[31] = static_cast<char>(table & 0xFF);
  return bytes + trailer;
}

// A reference to object `n`.
std::string ref(int n) { return {static_cast<char>(n >> 8), static_cast<char>(n & 0xFF)}; }

std::string bytesOf(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

// libplist aborts on a string holding U+0000 and recurses once per level:
// such lists are refused before it sees them, XML and binary alike.
TEST(Plist, ListsLibplistCannotHandleSafelyAreRefused) {
  const std::string dictWith = bytesOf({0xD1}) + ref(1) + ref(2);  // one key, one value
  const struct {
    const char* what;
    std::string bytes;
    bool accepted;
  } cases[] = {
      {"UTF-16 string", binaryPlist({bytesOf({0x62, 0, 'A', 0, 'B'})}), true},
      {"UTF-16 string with U+0000", binaryPlist({bytesOf({0x62, 0, 'A', 0, 0})}), false},
      {"ASCII string with a zero byte", binaryPlist({bytesOf({0x53, 'A', 0, 'B'})}), false},
      {"dictionary key with U+0000", binaryPlist({dictWith, bytesOf({0x62, 0, 'K', 0, 0}), bytesOf({0x51, 'v'})}), false},
      {"dictionary value with U+0000", binaryPlist({dictWith, bytesOf({0x51, 'k'}), bytesOf({0x62, 0, 0, 0, 'v'})}),
       false},
      {"array holding itself", binaryPlist({bytesOf({0xA1}) + ref(0)}), false},
      {"string length past the objects", binaryPlist({bytesOf({0x5F, 0x10, 0x7F, 'A'})}), false},
      {"XML string with a zero byte",
       std::string("<plist version=\"1.0\"><string>A\0B</string></plist>", 44), false},
      {"XML key with a zero byte",
       std::string("<plist version=\"1.0\"><dict><key>A\0B</key><true/></dict></plist>", 56), false},
      {"XML string that is not UTF-8", "<plist version=\"1.0\"><string>\xc3\x28</string></plist>", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(pdk::plistFromBytes(c.bytes).isNull(), !c.accepted);
  }
}

TEST(Plist, NestingDeeperThanTheLimitIsRefused) {
  // Arrays each holding the next, `depth` deep, in both formats.
  auto binaryArrays = [](int depth) {
    std::vector<std::string> objects;
    for (int i = 0; i < depth - 1; ++i) objects.push_back(bytesOf({0xA1}) + ref(i + 1));
    objects.push_back(bytesOf({0xA0}));
    return binaryPlist(objects);
  };
  auto xmlArrays = [](int depth) {
    std::string xml = "<plist version=\"1.0\">";
    for (int i = 0; i < depth; ++i) xml += "<array>";
    xml += "<array/>";
    for (int i = 0; i < depth; ++i) xml += "</array>";
    return xml + "</plist>";
  };
  EXPECT_TRUE(pdk::plistFromBytes(binaryArrays(200)).isArray());
  EXPECT_TRUE(pdk::plistFromBytes(xmlArrays(200)).isArray());
  for (int depth : {pdk::kMaxPlistNesting + 1, 100000}) {
    SCOPED_TRACE(depth);
    EXPECT_TRUE(pdk::plistFromBytes(binaryArrays(depth)).isNull());
    EXPECT_TRUE(pdk::plistFromBytes(xmlArrays(depth)).isNull());
  }
}

TEST(Plist, DeeplyNestedInputDoesNotCrash) {
  std::string deep = "<plist version=\"1.0\">";
  for (int i = 0; i < 100000; ++i) deep += "<array>";
  for (int i = 0; i < 100000; ++i) deep += "</array>";
  deep += "</plist>";
  Value v = pdk::plistFromBytes(deep);
  // Whatever is answered, it is answered without blowing the stack.
  EXPECT_TRUE(v.isNull() || v.isArray());
}

TEST(Plist, EveryTruncationOfAFileIsRefused) {
  TempDir dir;
  Value original = everyType();
  std::string xml = pdk::plistToXml(original);
  std::string binary(reinterpret_cast<const char*>(kBinaryPlist), sizeof kBinaryPlist);
  Value binaryValue = pdk::plistFromBytes(binary);

  // A file cut anywhere reads as null: never a partial dictionary.
  for (size_t cut = 0; cut + 1 < xml.size(); cut += 7) {
    std::string path = dir.file("cut.plist");
    pdktest::writeFile(path, xml.substr(0, cut));
    Value v = pdk::readPlistFile(path);
    EXPECT_TRUE(v.isNull() || v == original) << "cut at " << cut;
  }
  for (size_t cut = 0; cut < binary.size(); ++cut) {
    Value v = pdk::plistFromBytes(binary.substr(0, cut));
    EXPECT_TRUE(v.isNull() || v == binaryValue) << "binary cut at " << cut;
  }
  // The cut just before the closing tags loses the end of the file.
  EXPECT_TRUE(pdk::plistFromBytes(xml.substr(0, xml.rfind("</dict>"))).isNull());
}

TEST(Plist, MissingOrUnreadableFileIsNull) {
  TempDir dir;
  EXPECT_TRUE(pdk::readPlistFile(dir.file("absent.plist")).isNull());
  EXPECT_TRUE(pdk::readPlistFile(dir.path()).isNull());  // a folder
}

TEST(Plist, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
  TempDir dir;
  std::string path = dir.file("list.plist");
  Value first = Value::dictionary();
  first.set("version", 1);
  ASSERT_TRUE(pdk::writePlistFileAtomic(path, first));

  // A reader that opened the old file keeps reading the old content: the new
  // file was renamed into place, not written over the old one.
  std::ifstream oldReader(path, std::ios::binary);
  ASSERT_TRUE(oldReader.is_open());
  struct stat before;
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  Value second = Value::dictionary();
  second.set("version", 2);
  second.set("payload", std::string(100000, 'p'));
  ASSERT_TRUE(pdk::writePlistFileAtomic(path, second));

  std::string oldContent((std::istreambuf_iterator<char>(oldReader)), std::istreambuf_iterator<char>());
  EXPECT_EQ(pdk::plistFromBytes(oldContent), first);
  EXPECT_EQ(pdk::readPlistFile(path), second);
  struct stat after;
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_EQ(after.st_mode & 0777, 0644u);  // readable by everyone, like a file written in place

  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"list.plist"}));
}

TEST(Plist, ConcurrentAtomicWritesNeverLeaveAMixedFile) {
  // Threads of one process (the service serves each connection on its own
  // thread) replacing the same file: each write is whole or not there.
  TempDir dir;
  std::string path = dir.file("shared.plist");
  std::vector<Value> values;
  for (int t = 0; t < 6; ++t) {
    Value v = Value::dictionary();
    v.set("writer", t);
    v.set("payload", std::string(static_cast<size_t>(20000 + t * 3000), static_cast<char>('a' + t)));
    values.push_back(v);
  }
  std::vector<std::thread> writers;
  std::atomic<int> failures{0};
  for (int t = 0; t < 6; ++t)
    writers.emplace_back([&, t] {
      for (int i = 0; i < 40; ++i)
        if (!pdk::writePlistFileAtomic(path, values[static_cast<size_t>(t)])) ++failures;
    });
  for (auto& w : writers) w.join();

  EXPECT_EQ(failures.load(), 0);
  Value result = pdk::readPlistFile(path);
  ASSERT_TRUE(result.isDictionary());
  EXPECT_EQ(result, values[static_cast<size_t>(result.get("writer").asInteger())]);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"shared.plist"}));
}

TEST(Plist, WritesIntoAMissingFolderFailCleanly) {
  TempDir dir;
  Value v = Value::dictionary();
  v.set("a", 1);
  EXPECT_FALSE(pdk::writePlistFile(dir.file("missing/list.plist"), v));
  EXPECT_FALSE(pdk::writePlistFileAtomic(dir.file("missing/list.plist"), v));
  EXPECT_TRUE(dir.entries().empty());
}

TEST(Plist, FailedAtomicRenameLeavesTargetAndNoTemporary) {
  TempDir dir;
  // The target is a non-empty folder: the rename cannot replace it.
  pdktest::writeFile(dir.file("target/keep"), "x");
  Value v = Value::dictionary();
  EXPECT_FALSE(pdk::writePlistFileAtomic(dir.file("target"), v));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"target"}));
  EXPECT_EQ(pdktest::readFile(dir.file("target/keep")), "x");
}

// Run python3 on `script` with `arg`; the exit status and the output.
std::pair<int, std::string> runPython(const TempDir& dir, const std::string& script, const std::string& arg) {
  std::string scriptPath = dir.file("check.py");
  pdktest::writeFile(scriptPath, script);
  std::string command = "python3 '" + scriptPath + "' '" + arg + "' 2>&1";
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return {-1, "popen failed"};
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  int status = ::pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(PlistInterop, PlistlibReadsOurFile) {
  TempDir dir;
  std::string path = dir.file("ours.plist");
  ASSERT_TRUE(pdk::writePlistFileAtomic(path, everyType()));
  auto [status, out] = runPython(dir, R"(
import plistlib, sys
with open(sys.argv[1], 'rb') as f:
    v = plistlib.load(f)
expected = {
    'zero': 0, 'minusOne': -1, 'min': -2**63, 'max': 2**63 - 1,
    'half': 0.5, 'negReal': -1234.25, 'tenth': 0.1, 'empty': '',
    'text': 'Farbe: Grün, ä € 日本語 😀',
    'markup': '<a href="x">&amp; \'q\'</a>',
    'noData': b'', 'data': bytes(range(256)),
    'list': [True, False, {'Nested': [{'deep': -42}]}, []],
    'emptyDict': {}, 'Schlüssel ü': 'non-ASCII key',
}
if v != expected:
    print(repr(v))
    sys.exit(1)
)",
                                 path);
  EXPECT_EQ(status, 0) << out;
}

TEST(PlistInterop, WeReadPlistlibFiles) {
  TempDir dir;
  for (const char* format : {"FMT_XML", "FMT_BINARY"}) {
    std::string path = dir.file(std::string("theirs-") + format + ".plist");
    auto [status, out] = runPython(dir, std::string(R"(
import plistlib, sys
v = {'count': -3, 'big': 2**40, 'ratio': 0.25, 'on': True, 'name': 'Profil ä 😀',
     'blob': b'\x00\x01\xfe', 'profiles': [{'id': 1, 'tags': []}, {'id': 2}]}
with open(sys.argv[1], 'wb') as f:
    plistlib.dump(v, f, fmt=plistlib.)") + format + ")\n",
                                   path);
    ASSERT_EQ(status, 0) << out;

    Value v = pdk::readPlistFile(path);
    ASSERT_TRUE(v.isDictionary()) << format;
    EXPECT_EQ(v.get("count").asInteger(), -3) << format;
    EXPECT_EQ(v.get("big").asInteger(), int64_t{1} << 40) << format;
    EXPECT_EQ(v.get("ratio").asReal(), 0.25) << format;
    EXPECT_TRUE(v.get("on").asBool()) << format;
    EXPECT_EQ(v.get("name").asString(), "Profil ä 😀") << format;
    EXPECT_EQ(v.get("blob").asData(), (Bytes{0x00, 0x01, 0xfe})) << format;
    ASSERT_EQ(v.get("profiles").count(), 2u) << format;
    EXPECT_EQ(v.get("profiles").at(1).get("id").asInteger(), 2) << format;
    EXPECT_TRUE(v.get("profiles").at(0).get("tags").isArray()) << format;
  }
}

}  // namespace
