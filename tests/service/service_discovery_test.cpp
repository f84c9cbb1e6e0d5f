// Which simulated keyboards the library sees, and the count events it sends
// as they come and go.
#include <filesystem>

#include "tests/service/service_fixture.h"

namespace servicetest {
namespace {

using service_discovery = ServiceTest;

constexpr uint32_t kTag = 0x4354524C;

TEST_F(service_discovery, CountIsAccurateRightAfterInit) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);
  lib().fn().End();

  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);
}

TEST_F(service_discovery, UnitsMatchOnTheirFlaggedFieldsOnly) {
  // The full keyboard, and another product with only the configuration
  // interface.
  FakeKeyboard keyboard(watchDir_, "kbd1");
  FakeKeyboard other(watchDir_, "kbd2", 0x5005, {{"cfg", 0xFF1C, 0x0092}});
  keyboard.Plug();
  other.Plug();
  ASSERT_TRUE(Start());

  struct Case {
    const char* what;
    DeviceUnit unit;
    int count;
  };
  using corvial::MakeUnit;
  const Case cases[] = {
      {"config interface", ConfigUnit(), 1},
      {"consumer interface", ConsumerUnit(), 1},
      {"other usage page", MakeUnit(0x0C45, 0x5004, 0xFF00, 0x0092), 0},
      {"other product", MakeUnit(0x0C45, 0x1234, 0xFF1C, 0x0092), 0},
      {"other vendor", MakeUnit(0x1234, 0x5004, 0xFF1C, 0x0092), 0},
      {"second product", MakeUnit(0x0C45, 0x5005, 0xFF1C, 0x0092), 1},
      // Page of one interface, usage of another: no single interface has both.
      {"page and usage split", MakeUnit(0x0C45, 0x5004, 0xFF1C, 0x0001), 0},
      {"vendor only", MakeUnit(0x0C45, 0x9999, 0, 0, kMatchVendor), 2},
      {"vendor and product", MakeUnit(0x0C45, 0x5005, 0, 0, kMatchVendor | kMatchProduct), 1},
      {"usage page only", MakeUnit(0, 0, 0xFF1C, 0, kMatchUsagePage), 2},
      {"usage only", MakeUnit(0, 0, 0, 0x0089, kMatchUsage), 1},
      {"no flags", MakeUnit(0x1111, 0x2222, 0x3333, 0x4444, 0), 2},
  };
  for (const Case& c : cases) EXPECT_EQ(lib().Count(c.unit), c.count) << c.what;
}

TEST_F(service_discovery, PlugAndUnplugSendCountEvents) {
  ASSERT_TRUE(Start());
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, kTag), 0u);
  // A request for another product hears of neither change.
  ASSERT_NE(lib().AsyncRead(corvial::MakeUnit(0x0C45, 0x1234, 0xFF1C, 0x0092), RecordingCallback,
                            kTag + 1),
            0u);

  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 1));
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);

  keyboard.Unplug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 0));
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);

  const std::vector<RecordedEvent> events = EventLog::Get().ForTag(kTag);
  ASSERT_EQ(events.size(), 2u);
  for (const RecordedEvent& e : events) {
    EXPECT_EQ(e.kind, kDeviceEventCountChanged);
    EXPECT_EQ(e.tag, kTag);
    EXPECT_TRUE(e.pointersNull);
  }
  EXPECT_TRUE(EventLog::Get().ForTag(kTag + 1).empty());
}

TEST_F(service_discovery, HangupAloneCountsAsUnplugAndTheFolderStaysDead) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, kTag), 0u);

  keyboard.HangUp();
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 0));
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);
  EXPECT_EQ(lib().WriteOne(ConfigUnit(), Pattern(1)), 0);

  // The next rescan must not bring the hung-up folder back: one more
  // keyboard makes the count 1, not 2.
  FakeKeyboard second(watchDir_, "kbd2");
  second.Plug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 1));
  EXPECT_EQ(Counts(EventLog::Get().ForTag(kTag)), (std::vector<uint32_t>{0, 1}));
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);
}

TEST_F(service_discovery, FoldersThatAreNotKeyboardsAreNotCounted) {
  FakeKeyboard stale(watchDir_, "stale");
  FakeKeyboard hidden(watchDir_, ".hidden");
  FakeKeyboard invalid(watchDir_, "invalid");
  invalid.SetDeviceText("vendor 0c45\nproduct 5004\ninterface ../cfg ff1c 0092\n");
  FakeKeyboard noDeviceFile(watchDir_, "empty");
  noDeviceFile.SetDeviceText("");
  stale.PlugStale();
  hidden.Plug();
  invalid.Plug();
  noDeviceFile.Plug();
  std::filesystem::remove(noDeviceFile.path() + "/device");
  ASSERT_TRUE(Start());
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, kTag), 0u);

  // Plugged after Init, so the rescan that finds it looks at them all again.
  FakeKeyboard real(watchDir_, "real");
  real.Plug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 1));
  EXPECT_EQ(Counts(EventLog::Get().ForTag(kTag)), (std::vector<uint32_t>{1}));
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);
}

TEST_F(service_discovery, WatchedFolderRemovedAndRecreatedIsWatchedAgain) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, kTag), 0u);

  // The whole folder goes, keyboard and all.
  std::filesystem::rename(watchDir_, root_ + "/moved");
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 0));
  std::filesystem::remove_all(root_ + "/moved");

  std::filesystem::create_directory(watchDir_);
  FakeKeyboard replugged(watchDir_, "kbd2");
  replugged.Plug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(kTag, 1));
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);
}

}  // namespace
}  // namespace servicetest
