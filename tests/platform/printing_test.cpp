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
