// The exported surface of libCorvial.so: what it exports, its life cycle,
// and the checksum every request must carry.
#include <dlfcn.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "tests/service/elf_dynamic_symbols.h"
#include "tests/service/service_fixture.h"

namespace servicetest {
namespace {

TEST(service_exports, ExactlyTheTwelveExportsAreDefined) {
  ASSERT_TRUE(Library().loaded()) << Library().missing().front();
  const std::set<std::string> expected(std::begin(kCorvialExportNames),
                                       std::end(kCorvialExportNames));
  const auto defined = DefinedDynamicSymbols(LibraryPath());
  ASSERT_TRUE(defined.has_value());
  EXPECT_EQ(*defined, expected);
}

using service_lifecycle = ServiceTest;

TEST_F(service_lifecycle, InitIsIdempotentAndCreatesTheMissingWatchFolder) {
  const std::string nested = root_ + "/missing/corvial";
  setenv("CORVIAL_SIM_DIR", nested.c_str(), 1);
  EXPECT_EQ(lib().fn().Init(0), 1);
  EXPECT_EQ(lib().fn().Init(0), 1);
  for (const std::string& path : {root_ + "/missing", nested}) {
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
    EXPECT_TRUE(S_ISDIR(info.st_mode)) << path;
    EXPECT_EQ(info.st_mode & 0777, 0700u) << path;
  }
  EXPECT_EQ(lib().fn().End(), 1);
  EXPECT_EQ(lib().fn().End(), 1);
}

TEST_F(service_lifecycle, UncreatableWatchFolderRunsWithNoKeyboards) {
  const std::string file = root_ + "/plain-file";
  { std::ofstream(file) << "x"; }
  setenv("CORVIAL_SIM_DIR", (file + "/corvial").c_str(), 1);
  ASSERT_EQ(lib().fn().Init(0), 1);
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);
}

TEST_F(service_lifecycle, DebugReturnsThePreviousLevel) {
  const int original = lib().fn().Debug(0);
  EXPECT_EQ(lib().fn().Debug(2), 0);
  EXPECT_EQ(lib().fn().Debug(original), 2);
}

TEST_F(service_lifecycle, NoRequestIsServedAfterEnd) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  ASSERT_EQ(lib().Count(ConfigUnit()), 1);
  lib().fn().End();
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);
  EXPECT_EQ(lib().WriteOne(ConfigUnit(), Pattern(1)), 0);
  EXPECT_EQ(lib().AsyncRead(ConfigUnit(), RecordingCallback, 1), 0u);
  EXPECT_EQ(lib().Delete(1), 0);
}

TEST_F(service_lifecycle, EndFromInsideACallbackAndStartAgain) {
  ASSERT_TRUE(Start());
  std::atomic<int> endResult{-1};
  EventLog::Get().SetAction(1, [&](const RecordedEvent&) { endResult = lib().fn().End(); });
  ASSERT_NE(lib().AsyncRead(ConfigUnit(), RecordingCallback, 1), 0u);
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(EventLog::Get().WaitForCount(1, 1));
  for (int i = 0; i < 1000 && endResult < 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(endResult.load(), 1);
  EXPECT_EQ(lib().Count(ConfigUnit()), 0);  // ended

  ASSERT_TRUE(Start());
  EXPECT_EQ(lib().Count(ConfigUnit()), 1);
  const uint32_t id = lib().AsyncRead(ConfigUnit(), RecordingCallback, 2);
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(1)));
  ASSERT_TRUE(EventLog::Get().WaitForReports(2, 1));
}

// Every call that carries a sum: its name, and how to make it with the sum
// off by `delta` (or with a null unit); `ok` is what the correct call returns.
struct SignedCall {
  const char* name;
  std::function<int(const DeviceUnit*, uint32_t delta, uint32_t* outId)> call;
  int ok;
};

constexpr uint32_t kBadTag = 0xBAD;

std::vector<SignedCall> SignedCalls() {
  const auto& fn = Library().fn();
  DeviceCallback cb = RecordingCallback;
  return {
      {"RequestGetDeviceCount",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         const uint32_t sum = u ? Sum(*u, cb, kBadTag) : 0;
         return fn.RequestGetDeviceCount(u, cb, kBadTag, sum + d, id);
       },
       1},
      {"RequestWriteOne",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         const Bytes data = Pattern(0x10);
         const uint32_t sum = u ? Sum(*u, cb, kBadTag, data) : 0;
         return fn.RequestWriteOne(u, cb, kBadTag, data.data(), 64, sum + d, id);
       },
       1},
      {"RequestWrite",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         Bytes data = Pattern(0x20, 128);
         const uint32_t sum = u ? Sum(*u, cb, kBadTag, data) : 0;
         return fn.RequestWrite(u, cb, kBadTag, data.data(), 128, sum + d, id);
       },
       128},
      {"RequestStatusWrite",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         const Bytes data = {0x04, 0x30};
         const uint32_t sum = u ? Sum(*u, cb, kBadTag, data) : 0;
         return fn.RequestStatusWrite(u, cb, kBadTag, data.data(), 2, sum + d, id);
       },
       1},
      {"RequestAsyncRead",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         const uint32_t sum = u ? Sum(*u, cb, kBadTag) : 0;
         return fn.RequestAsyncRead(u, cb, kBadTag, sum + d, id);
       },
       1},
      {"RequestStatusGet",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         unsigned char buffer[64] = {};
         const uint32_t sum = u ? Sum(*u, cb, kBadTag) : 0;
         return fn.RequestStatusGet(u, cb, kBadTag, buffer, sizeof buffer, sum + d, id);
       },
       0},
      {"RequestStatusSetFeature",
       [&fn, cb](const DeviceUnit* u, uint32_t d, uint32_t* id) {
         const Bytes data = {0x04, 0x40};
         const uint32_t sum = u ? Sum(*u, cb, kBadTag, data) : 0;
         return fn.RequestStatusSetFeature(u, cb, kBadTag, data.data(), 2, sum + d, id);
       },
       0},
  };
}

TEST_F(service_lifecycle, WrongChecksumOrNullUnitIsRefusedAndDoesNothing) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  const DeviceUnit unit = ConfigUnit();

  for (const SignedCall& c : SignedCalls()) {
    for (uint32_t delta : {1u, 0x100u, 0xFFFFFFFFu}) {
      uint32_t outId = 0x5EED;
      EXPECT_EQ(c.call(&unit, delta, &outId), 0) << c.name << " delta " << delta;
      EXPECT_EQ(outId, 0x5EEDu) << c.name;
    }
    uint32_t outId = 0x5EED;
    EXPECT_EQ(c.call(nullptr, 0, &outId), 0) << c.name << " null unit";
    EXPECT_EQ(outId, 0x5EEDu) << c.name;
  }

  // Nothing went out: the first report the keyboard sees is this marker.
  const Bytes marker = Pattern(0x77);
  ASSERT_EQ(lib().WriteOne(unit, marker), 1);
  EXPECT_EQ(keyboard.ReadOutput("cfg"), marker);

  // Nothing was registered: a request made afterwards gets the report, the
  // refused ones (earlier, so served first) got nothing.
  ASSERT_NE(lib().AsyncRead(unit, RecordingCallback, 1), 0u);
  ASSERT_TRUE(keyboard.SendInput("cfg", Pattern(0x01)));
  ASSERT_TRUE(EventLog::Get().WaitForReports(1, 1));
  EXPECT_TRUE(EventLog::Get().ForTag(kBadTag).empty());
}

TEST_F(service_lifecycle, CorrectlySignedCallsSucceed) {
  FakeKeyboard keyboard(watchDir_, "kbd1");
  keyboard.Plug();
  ASSERT_TRUE(Start());
  const DeviceUnit unit = ConfigUnit();
  for (const SignedCall& c : SignedCalls()) {
    uint32_t outId = 0;
    EXPECT_EQ(c.call(&unit, 0, &outId), c.ok) << c.name;
  }
  EXPECT_EQ(lib().fn().DeleteRequestFromHandle(nullptr), 0);
}

// A process that never calls End, or unloads the library without it, must
// still exit cleanly while the library thread is busy. Each case runs in a
// freshly started copy of this test binary, so dlclose really unloads.
TEST(service_exit, ProcessExitsCleanlyWithoutEnd) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const bool unload : {false, true}) {
    EXPECT_EXIT(
        {
          char pattern[] = "/tmp/corvial-test-XXXXXX";
          if (!mkdtemp(pattern)) std::_Exit(2);
          setenv("CORVIAL_SIM_DIR", pattern, 1);
          void* handle = dlopen(LibraryPath(), RTLD_NOW | RTLD_LOCAL);
          if (!handle) std::_Exit(3);
          auto init = reinterpret_cast<CorvialInitFn>(dlsym(handle, "Init"));
          auto asyncRead = reinterpret_cast<CorvialAsyncReadFn>(dlsym(handle, "RequestAsyncRead"));
          // Left open, as a crashing program would; static so leak checkers let it be.
          static FakeKeyboard* keyboard = new FakeKeyboard(pattern, "kbd1");
          keyboard->Plug();
          if (init(0) != 1) std::_Exit(4);
          const DeviceUnit unit = ConfigUnit();
          uint32_t id = 0;
          if (asyncRead(&unit, RecordingCallback, 1, Sum(unit, RecordingCallback, 1), &id) != 1) {
            std::_Exit(5);
          }
          for (int i = 0; i < 50; ++i)
            keyboard->SendInput("cfg", Pattern(static_cast<unsigned char>(i)));
          if (unload) dlclose(handle);
          std::error_code ignored;
          std::filesystem::remove_all(pattern, ignored);
          std::exit(0);
        },
        ::testing::ExitedWithCode(0), "")
        << (unload ? "after dlclose" : "without dlclose");
  }
}

}  // namespace
}  // namespace servicetest
