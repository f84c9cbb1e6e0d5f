// Shared set-up of the tests that drive the real libCorvial.so: a private
// watched folder per test, the library loaded once per process, and End
// after every test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "service/corvial_abi.h"
#include "service/sim_endpoint_layout.h"
#include "tests/service/corvial_library.h"
#include "tests/service/event_log.h"
#include "tests/service/fake_keyboard.h"

namespace servicetest {

inline const char* LibraryPath() {
  return QUORVANE_PROGRAM_DIR "/libCorvial.so";
}

inline CorvialLibrary& Library() {
  static CorvialLibrary* library = new CorvialLibrary(LibraryPath());
  return *library;
}

inline DeviceUnit ConfigUnit() {
  return corvial::MakeUnit(simlayout::kVendorId, simlayout::kProductId, simlayout::kConfigUsagePage,
                           simlayout::kConfigUsage);
}
inline DeviceUnit ConsumerUnit() {
  return corvial::MakeUnit(simlayout::kVendorId, simlayout::kProductId,
                           simlayout::kConsumerUsagePage, simlayout::kConsumerUsage);
}
inline DeviceUnit IndicatorUnit() {
  return corvial::MakeUnit(simlayout::kVendorId, simlayout::kProductId,
                           simlayout::kIndicatorUsagePage, simlayout::kIndicatorUsage);
}

// A 64-byte report starting with the configuration report id.
inline Bytes Pattern(unsigned char seed, std::size_t size = 64) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + i * 7);
  if (size > 0) bytes[0] = 0x04;
  return bytes;
}

class ServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/corvial-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    watchDir_ = root_ + "/kbd";
    std::filesystem::create_directory(watchDir_);
    setenv("CORVIAL_SIM_DIR", watchDir_.c_str(), 1);
    EventLog::Get().Clear();
    ASSERT_TRUE(Library().loaded()) << Library().missing().front();
  }

  void TearDown() override {
    Library().fn().End();
    EventLog::Get().Clear();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  static CorvialLibrary& lib() { return Library(); }
  bool Start() { return lib().fn().Init(0) == 1; }

  std::string root_;
  std::string watchDir_;
};

}  // namespace servicetest
