// libCorvial.so loaded with dlopen and resolved by name, exactly as the
// program does, plus helpers that sign each call with its checksum.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/corvial_abi.h"

namespace servicetest {

using Bytes = std::vector<unsigned char>;

class CorvialLibrary {
 public:
  // dlopen(path) and resolve all twelve exports; `missing` lists those that
  // did not resolve (or the dlerror text when the library didn't load).
  explicit CorvialLibrary(const std::string& path);
  ~CorvialLibrary();  // never dlcloses: other tests may still use the process copy
  CorvialLibrary(const CorvialLibrary&) = delete;
  CorvialLibrary& operator=(const CorvialLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr && missing_.empty(); }
  const std::vector<std::string>& missing() const { return missing_; }
  void* handle() const { return handle_; }
  const CorvialExports& fn() const { return fn_; }

  // Signed calls; `cb` defaults to none.
  int Count(const DeviceUnit& unit, uint32_t tag = 0) const;
  int WriteOne(const DeviceUnit& unit, const Bytes& data, uint32_t tag = 0,
               DeviceCallback cb = nullptr) const;
  int Write(const DeviceUnit& unit, const Bytes& data, uint32_t tag = 0) const;
  int StatusWrite(const DeviceUnit& unit, const Bytes& data, uint32_t* outId) const;
  // Returns the request id, or 0 when refused.
  uint32_t AsyncRead(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag) const;
  int Delete(uint32_t id) const { return fn_.DeleteRequestFromUnitId(id); }

 private:
  void* handle_ = nullptr;
  std::vector<std::string> missing_;
  CorvialExports fn_;
};

uint32_t Sum(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag, const Bytes& payload = {});

}  // namespace servicetest
