// The print model: print settings (shared values, locking), the PM* calls
// with missing arguments, and notifications.
#include "pdk/printing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using pdk::PrintSettings;
using pdk::Value;

TEST(PrintSettings, KeepsContainersByReference) {
  PrintSettings settings;
  Value options = Value::dictionary();
  settings.setValue("ColorOptions", options);
  options.set("Mode", "Vivid");  // changed after it was set
  EXPECT_EQ(settings.getValue("ColorOptions").get("Mode").asString(), "Vivid");
  EXPECT_TRUE(settings.dictionary().get("ColorOptions").sameObject(options));
  settings.removeValue("ColorOptions");
  EXPECT_TRUE(settings.getValue("ColorOptions").isNull());
}

TEST(PrintSettings, AssignMergesTheEntriesOfADictionary) {
  PrintSettings settings;
  settings.setValue("keep", 1);
  settings.setValue("replace", 1);
  Value incoming = Value::dictionary();
  incoming.set("replace", 2);
  incoming.set("new", "x");
  settings.assign(incoming);
  EXPECT_EQ(settings.getValue("keep").asInteger(), 1);
  EXPECT_EQ(settings.getValue("replace").asInteger(), 2);
  EXPECT_EQ(settings.getValue("new").asString(), "x");
  settings.assign(Value("not a dictionary"));  // ignored
  EXPECT_EQ(settings.dictionary().count(), 3u);
}

TEST(PrintSettings, LockedSettingsRefuseEveryWrite) {
  PrintSettings settings;
  settings.setValue("a", 1);
  settings.locked = true;

  settings.setValue("a", 2);
  settings.setValue("b", 3);
  settings.removeValue("a");
  Value incoming = Value::dictionary();
  incoming.set("c", 4);
  settings.assign(incoming);
  EXPECT_EQ(pdk::PMPrintSettingsSetValue(&settings, "d", Value(5)), pdk::kPMInvalidParameter);

  EXPECT_EQ(settings.getValue("a").asInteger(), 1);
  EXPECT_EQ(settings.dictionary().keys(), (std::vector<std::string>{"a"}));

  settings.locked = false;
  EXPECT_EQ(pdk::PMPrintSettingsSetValue(&settings, "d", Value(5)), pdk::kPMNoError);
  EXPECT_EQ(pdk::PMPrintSettingsGetValue(&settings, "d").asInteger(), 5);
}

TEST(PrintingCalls, NullArgumentsAreInvalidParameters) {
  pdk::PrintSession session;
  std::shared_ptr<pdk::Printer> printer;
  std::string uri = "unchanged";

  EXPECT_EQ(pdk::PMSessionGetCurrentPrinter(nullptr, &printer), pdk::kPMInvalidParameter);
  EXPECT_EQ(pdk::PMSessionGetCurrentPrinter(&session, nullptr), pdk::kPMInvalidParameter);
  EXPECT_EQ(pdk::PMSessionGetCurrentPrinter(&session, &printer), pdk::kPMInvalidParameter);  // no printer
  EXPECT_EQ(pdk::PMPrinterGetID(nullptr), "");
  EXPECT_EQ(pdk::PMPrinterCopyDeviceURI(nullptr, &uri), pdk::kPMInvalidParameter);
  EXPECT_EQ(uri, "unchanged");
  EXPECT_TRUE(pdk::PMPrintSettingsGetValue(nullptr, "k").isNull());
  EXPECT_EQ(pdk::PMPrintSettingsSetValue(nullptr, "k", Value(1)), pdk::kPMInvalidParameter);

  session.currentPrinter = std::make_shared<pdk::Printer>(
      pdk::Printer{"TLQ770_1", "dnssd://Office._printer._tcp.local./", "Office"});
  EXPECT_EQ(pdk::PMPrinterCopyDeviceURI(session.currentPrinter.get(), nullptr), pdk::kPMInvalidParameter);
  ASSERT_EQ(pdk::PMSessionGetCurrentPrinter(&session, &printer), pdk::kPMNoError);
  EXPECT_EQ(printer, session.currentPrinter);
  EXPECT_EQ(pdk::PMPrinterGetID(printer.get()), "TLQ770_1");
  ASSERT_EQ(pdk::PMPrinterCopyDeviceURI(printer.get(), &uri), pdk::kPMNoError);
  EXPECT_EQ(uri, "dnssd://Office._printer._tcp.local./");
}

TEST(NotificationCenter, AddPostRemove) {
  pdk::NotificationCenter center;
  std::vector<std::string> seen;
  int object = 0;
  int t1 = center.addObserver("Changed", [&](const std::string& name, const void* obj) {
    seen.push_back("1:" + name + (obj == &object ? ":obj" : ""));
  });
  int t2 = center.addObserver("Changed", [&](const std::string&, const void*) { seen.push_back("2"); });
  center.addObserver("Other", [&](const std::string&, const void*) { seen.push_back("other"); });
  EXPECT_NE(t1, t2);

  center.post("Changed", &object);
  EXPECT_EQ(seen, (std::vector<std::string>{"1:Changed:obj", "2"}));

  seen.clear();
  center.removeObserver(t1);
  center.removeObserver(12345);  // unknown token: nothing happens
  center.post("Changed", nullptr);
  center.post("Nobody", nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"2"}));
}

TEST(NotificationCenter, ObserversMayRemoveObserversWhilePosting) {
  pdk::NotificationCenter center;
  std::vector<std::string> seen;
  int second = 0;
  int first = 0;
  first = center.addObserver("N", [&](const std::string&, const void*) {
    seen.push_back("first");
    center.removeObserver(first);   // itself
    center.removeObserver(second);  // and one not yet called
  });
  second = center.addObserver("N", [&](const std::string&, const void*) { seen.push_back("second"); });
  center.addObserver("N", [&](const std::string&, const void*) { seen.push_back("third"); });

  center.post("N", nullptr);
  // An observer removed during the post is not called afterwards.
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "third"}));
  seen.clear();
  center.post("N", nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"third"}));
}

TEST(NotificationCenter, DefaultCenterIsOneObject) {
  EXPECT_EQ(&pdk::NotificationCenter::defaultCenter(), &pdk::NotificationCenter::defaultCenter());
}

}  // namespace

namespace {

TEST(PageFormat, PaperNameRectanglesAndOrientation) {
  pdk::PageFormat format;
  format.paper = pdk::Paper{"A4", 595, 842, 10, 20, 30, 40};
  format.orientation = pdk::kPMLandscape;
  const pdk::Paper* paper = nullptr;
  ASSERT_EQ(pdk::PMGetPageFormatPaper(&format, &paper), pdk::kPMNoError);
  std::string text;
  ASSERT_EQ(pdk::PMPaperGetName(paper, &text), pdk::kPMNoError);
  EXPECT_EQ(text, "A4");  // no name of its own: the identifier
  format.paper.name = "A4 (ISO)";
  pdk::PMPaperGetName(paper, &text);
  EXPECT_EQ(text, "A4 (ISO)");
  pdk::PMPaperGetID(paper, &text);
  EXPECT_EQ(text, "A4");

  // The paper around the imageable area's corner, never rotated.
  pdk::PMRect rect;
  ASSERT_EQ(pdk::PMGetUnadjustedPaperRect(&format, &rect), pdk::kPMNoError);
  EXPECT_EQ(rect.top, -20);
  EXPECT_EQ(rect.left, -10);
  EXPECT_EQ(rect.bottom, 822);
  EXPECT_EQ(rect.right, 585);
  ASSERT_EQ(pdk::PMGetUnadjustedPageRect(&format, &rect), pdk::kPMNoError);
  EXPECT_EQ(rect.bottom, 842 - 20 - 40);
  EXPECT_EQ(rect.right, 595 - 10 - 30);
  int orientation = 0;
  ASSERT_EQ(pdk::PMGetOrientation(&format, &orientation), pdk::kPMNoError);
  EXPECT_EQ(orientation, pdk::kPMLandscape);

  EXPECT_EQ(pdk::PMGetOrientation(nullptr, &orientation), pdk::kPMInvalidParameter);
  EXPECT_EQ(pdk::PMPaperGetName(nullptr, &text), pdk::kPMInvalidParameter);
  EXPECT_EQ(pdk::PMGetUnadjustedPaperRect(&format, nullptr), pdk::kPMInvalidParameter);
}

TEST(PageFormat, DataRepresentationRoundTrip) {
  pdk::PageFormat format;
  format.paper = pdk::Paper{"PMCustomPaper.7", 300, 500, 10, 20, 30, 40, "Postcard"};
  format.orientation = pdk::kPMReverseLandscape;
  const Value data = pdk::PMPageFormatCreateDataRepresentation(&format);
  EXPECT_EQ(data.get(pdk::kPMOrientationKey).asInteger(), 4);

  pdk::PageFormat back;
  ASSERT_EQ(pdk::PMPageFormatCreateWithDataRepresentation(data, &back), pdk::kPMNoError);
  EXPECT_EQ(back.paper.id, "PMCustomPaper.7");
  EXPECT_EQ(back.paper.name, "Postcard");
  EXPECT_EQ(back.paper.width, 300);
  EXPECT_EQ(back.paper.height, 500);
  EXPECT_EQ(back.paper.marginLeft, 10);
  EXPECT_EQ(back.paper.marginTop, 20);
  EXPECT_EQ(back.paper.marginRight, 30);
  EXPECT_EQ(back.paper.marginBottom, 40);
  EXPECT_EQ(back.orientation, pdk::kPMReverseLandscape);
}

TEST(PageFormat, MalformedDataRepresentationsChangeNothing) {
  Value noPaper = Value::dictionary();
  noPaper.set(pdk::kPMOrientationKey, 2);
  Value badRect = Value::dictionary();
  badRect.set(pdk::kPMPaperIDKey, "A4");
  Value threeNumbers = Value::array();
  for (int i = 0; i < 3; ++i) threeNumbers.append(Value(i));
  badRect.set(pdk::kPMUnadjustedPaperRectKey, threeNumbers);
  struct Case {
    const char* what;
    Value data;
    int32_t status;
  };
  const Case cases[] = {
      {"not a dictionary", Value("A4"), pdk::kPMInvalidParameter},
      {"no paper", noPaper, pdk::kPMKeyNotFound},
      {"three numbers for a rectangle", badRect, pdk::kPMInvalidParameter},
  };
  for (const auto& c : cases) {
    pdk::PageFormat format;
    format.paper = pdk::Paper{"Letter", 612, 792, 0, 0, 0, 0};
    EXPECT_EQ(pdk::PMPageFormatCreateWithDataRepresentation(c.data, &format), c.status) << c.what;
    EXPECT_EQ(format.paper.id, "Letter") << c.what;
  }
}

}  // namespace
