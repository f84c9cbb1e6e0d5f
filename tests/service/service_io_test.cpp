// Reports in both directions: writes reaching the keyboard's socket, input
// reports reaching standing requests, and what callbacks may do.
#include <atomic>
#include <thread>

#include "tests/service/service_fixture.h"

namespace servicetest {
namespace {

using service_io = ServiceTest;

TEST_F(service_io, WritesReachTheUnitsInterfaceByteForByte) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());

  const Bytes report = Pattern(0x31);
  EXPECT_EQ(lib().WriteOne(ConfigUnit(), report), 1);
  EXPECT_EQ(keyboard.ReadOutput("cfg"), report);

  // A short report to another interface goes there, at its own length.
  const Bytes indicator = {0x05, 0x02};
  EXPECT_EQ(lib().WriteOne(IndicatorUnit(), indicator), 1);
  EXPECT_EQ(keyboard.ReadOutput("led"), indicator);

  // RequestWrite: one report per 64 bytes, in order.
  Bytes two = Pattern(0x40, 64);
  const Bytes second = Pattern(0x50, 64);
  two.insert(two.end(), second.begin(), second.end());
  EXPECT_EQ(lib().Write(ConfigUnit(), two), 128);
  EXPECT_EQ(keyboard.ReadOutput("cfg"), Pattern(0x40));
  EXPECT_EQ(keyboard.ReadOutput("cfg"), second);

  uint32_t firstId = 0;
  uint32_t secondId = 0;
  EXPECT_EQ(lib().StatusWrite(IndicatorUnit(), {0x05, 0x01}, &firstId), 1);
  EXPECT_EQ(lib().StatusWrite(IndicatorUnit(), {0x05, 0x00}, &secondId), 1);
  EXPECT_NE(firstId, 0u);
  EXPECT_NE(firstId, secondId);
  EXPECT_EQ(keyboard.ReadOutput("led"), (Bytes{0x05, 0x01}));
  EXPECT_EQ(keyboard.ReadOutput("led"), (Bytes{0x05, 0x00}));
  EXPECT_EQ(lib().Delete(firstId), 0);  // completed at once: harmless
}

TEST_F(service_io, WritesOfTheWrongLengthSendNothing) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  uint32_t id = 0x5EED;
  for (std::size_t size : {0, 65, 200}) {
    EXPECT_EQ(lib().WriteOne(ConfigUnit(), Pattern(1, size)), 0) << size;
    EXPECT_EQ(lib().StatusWrite(ConfigUnit(), Pattern(1, size), &id), 0) << size;
  }
  for (std::size_t size : {0, 1, 63, 65, 127}) {
    EXPECT_EQ(lib().Write(ConfigUnit(), Pattern(1, size)), 0) << size;
  }
  EXPECT_EQ(id, 0x5EEDu);
  const Bytes marker = Pattern(0x99);
  ASSERT_EQ(lib().WriteOne(ConfigUnit(), marker), 1);
  EXPECT_EQ(keyboard.ReadOutput("cfg"), marker);
}

TEST_F(service_io, WritesWithNoKeyboardReturnZero) {
  ASSERT_TRUE(Start());
  uint32_t id = 0x5EED;
  EXPECT_EQ(lib().WriteOne(ConfigUnit(), Pattern(1)), 0);
  EXPECT_EQ(lib().Write(ConfigUnit(), Pattern(1, 128)), 0);
  EXPECT_EQ(lib().StatusWrite(IndicatorUnit(), {0x05, 0x01}, &id), 0);
  EXPECT_EQ(id, 0x5EEDu);
}

TEST_F(service_io, WritesGoToTheFirstKeyboardByName) {
  FakeKeyboard later(watchDir_, "b-kbd");
  FakeKeyboard first(watchDir_, "a-kbd");
  later.Plug();
  first.Plug();
  ASSERT_TRUE(Start());
  const Bytes report = Pattern(0x12);
  ASSERT_EQ(lib().WriteOne(ConfigUnit(), report), 1);
  EXPECT_EQ(first.ReadOutput("cfg"), report);
}

TEST_F(service_io, InputReportsReachEveryRequestOfThatInterfaceOnly) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, 1), 0u);
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, 2), 0u);
  ASSERT_NE(lib().AsyncRead(ConsumerUnit(), RecordingCallback, 3), 0u);

  const Bytes config = Pattern(0x21);
  ASSERT_TRUE(keyboard.SendInput("cfg", config));
  for (uint32_t tag : {1u, 2u}) {
    ASSERT_TRUE(EventLog::Get().WaitForReports(tag, 1)) << tag;
    const RecordedEvent e = Reports(EventLog::Get().ForTag(tag)).front();
    EXPECT_EQ(e.tag, tag);
    EXPECT_EQ(e.value, 64u);
    EXPECT_EQ(e.bytes, config);
    EXPECT_EQ(e.consumerBytes, config);
  }

  const Bytes consumer = {0x02, 0xE9, 0x00};
  ASSERT_TRUE(keyboard.SendInput("cons", consumer));
  ASSERT_TRUE(EventLog::Get().WaitForReports(3, 1));
  // Arrival order: the consumer report came last, so by now the config
  // report would have shown up under tag 3 if it were misrouted.
  const std::vector<RecordedEvent> tag3 = Reports(EventLog::Get().ForTag(3));
  ASSERT_EQ(tag3.size(), 1u);
  EXPECT_EQ(tag3[0].value, 3u);
  EXPECT_EQ(tag3[0].bytes, consumer);
  EXPECT_EQ(tag3[0].consumerBytes, consumer);
  EXPECT_EQ(Reports(EventLog::Get().ForTag(1)).size(), 1u);
}

TEST_F(service_io, DeletedRequestsGetNothingMore) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  const uint32_t deleted = lib().AsyncRead(ConfigUnit(), RecordingCallback, 1);
  const uint32_t kept = lib().AsyncRead(ConfigUnit(), RecordingCallback, 2);
  ASSERT_NE(deleted, 0u);
  ASSERT_NE(kept, deleted);

  EXPECT_EQ(lib().Delete(deleted), 1);
  EXPECT_EQ(lib().Delete(deleted), 0);
  EXPECT_EQ(lib().Delete(0), 0);

  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(1)));
  ASSERT_TRUE(EventLog::Get().WaitForReports(2, 1));
  keyboard.Unplug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(2, 0));
  EXPECT_TRUE(EventLog::Get().ForTag(1).empty());
}

TEST_F(service_io, CallbackMayDeleteItsOwnRequestAndWrite) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());

  std::atomic<uint32_t> selfId{0};
  std::atomic<int> deleteResult{-1};
  std::atomic<int> writeResult{-1};
  EventLog::Get().SetAction(
      1, [&](const RecordedEvent&) { deleteResult = lib().Delete(selfId.load()); });
  // Echo every report back: a write from the library thread itself.
  EventLog::Get().SetAction(
      2, [&](const RecordedEvent& e) { writeResult = lib().WriteOne(ConfigUnit(), e.bytes); });
  selfId = lib().AsyncRead(ConfigUnit(), RecordingCallback, 1);
  ASSERT_NE(selfId.load(), 0u);
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, 2), 0u);

  const Bytes report = Pattern(0x61);
  ASSERT_TRUE(keyboard.SendInput("cfg", report));
  EXPECT_EQ(keyboard.ReadOutput("cfg"), report);
  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(0x62)));
  ASSERT_TRUE(EventLog::Get().WaitForReports(2, 2));

  EXPECT_EQ(deleteResult.load(), 1);
  EXPECT_EQ(writeResult.load(), 1);
  EXPECT_EQ(Reports(EventLog::Get().ForTag(1)).size(), 1u);
}

TEST_F(service_io, DeleteFromAnotherThreadWaitsForTheRunningCallback) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());

  std::atomic<bool> entered{false};
  std::atomic<bool> release{false};
  std::atomic<bool> returned{false};
  EventLog::Get().SetAction(1, [&](const RecordedEvent&) {
    entered = true;
    for (int i = 0; i < 1000 && !release; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    returned = true;
  });
  const uint32_t id = lib().AsyncRead(ConfigUnit(), RecordingCallback, 1);
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(1)));
  for (int i = 0; i < 1000 && !entered; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(entered.load());

  std::atomic<bool> callbackDoneWhenDeleted{false};
  std::thread deleter([&] {
    EXPECT_EQ(lib().Delete(id), 1);
    callbackDoneWhenDeleted = returned.load();
  });
  // Give the deleter time to be inside Delete; if it isn't yet, the test
  // only loses strength, it can't fail wrongly.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  release = true;
  deleter.join();
  EXPECT_TRUE(callbackDoneWhenDeleted.load());
}

// The program's UI thread may write while the library thread sits in a
// callback waiting for that very UI thread.
TEST_F(service_io, CallsDoNotWaitForABlockedCallback) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());

  std::atomic<bool> entered{false};
  std::atomic<bool> release{false};
  std::atomic<bool> releasedInTime{false};
  EventLog::Get().SetAction(1, [&](const RecordedEvent&) {
    entered = true;
    for (int i = 0; i < 1000 && !release; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    releasedInTime = release.load();
  });
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, 1), 0u);
  const uint32_t other = lib().AsyncRead(IndicatorUnit(), RecordingCallback, 2);
  ASSERT_NE(other, 0u);
  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(1)));
  for (int i = 0; i < 1000 && !entered; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(entered.load());

  const Bytes report = Pattern(0x44);
  EXPECT_EQ(lib().WriteOne(ConfigUnit(), report), 1);
  EXPECT_EQ(keyboard.ReadOutput("cfg"), report);
  uint32_t id = 0;
  EXPECT_EQ(lib().StatusWrite(IndicatorUnit(), {0x05, 0x01}, &id), 1);
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);
  EXPECT_NE(lib().AsyncRead(ConsumerUnit(), RecordingCallback, 3), 0u);
  EXPECT_EQ(lib().Delete(other), 1);
  release = true;

  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(2)));
  ASSERT_TRUE(EventLog::Get().WaitForReports(1, 2));
  EXPECT_TRUE(releasedInTime.load());
}

TEST_F(service_io, BurstOfReportsArrivesInOrderWithNoneLost) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, 1), 0u);

  constexpr int kReports = 2000;
  for (int i = 0; i < kReports; ++i) {
    Bytes report = Pattern(static_cast<unsigned char>(i));
    corvial::WriteU16(report.data() + 1, static_cast<uint16_t>(i));
    ASSERT_TRUE(keyboard.SendInput("cfg", report)) << i;
  }
  ASSERT_TRUE(EventLog::Get().WaitForReports(1, kReports));
  const std::vector<RecordedEvent> reports = Reports(EventLog::Get().ForTag(1));
  ASSERT_EQ(reports.size(), static_cast<std::size_t>(kReports));
  for (int i = 0; i < kReports; ++i) {
    ASSERT_EQ(corvial::ReadU16(reports[i].bytes.data() + 1), i) << "report " << i;
  }
}

}  // namespace
}  // namespace servicetest
