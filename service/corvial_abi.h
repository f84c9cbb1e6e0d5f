// The binary contract between the program and the device service library
// libCorvial.so. Both sides include this one header, so the record layouts,
// the export signatures and the checksum table can never drift apart.
//
// Records cross the boundary as plain bytes at fixed offsets. Pointer fields
// are 8 bytes wide on this platform and may sit at offsets that are not
// pointer-aligned, so they are always read and written with memcpy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// DeviceUnit, 16 bytes: u32 match flags at 0, u16 vendor id at 4, u16 product
// id at 6, u16 usage page at 8, u16 usage at 10, u32 reserved at 12.
struct DeviceUnit {
  unsigned char bytes[16];
};

// DeviceEvent, handed to the callback by pointer: u32 kind at 0
// (kDeviceEventInputReport or kDeviceEventCountChanged), pointer to the
// request record at 8.
struct DeviceEvent {
  unsigned char bytes[16];
};

// Request record, pointed to by a DeviceEvent: u32 tag at 0, u32 at 4 (the
// report's byte count, or the new device count), pointer to the report bytes
// at 8, pointer to the report record at 16.
inline constexpr std::size_t kRequestRecordSize = 24;
// Report record, pointed to from offset 16 of the request record: pointer to
// the report bytes at 28. Consumer-channel reports are read through it.
inline constexpr std::size_t kReportRecordSize = 36;

inline constexpr uint32_t kDeviceEventCountChanged = 0;
inline constexpr uint32_t kDeviceEventInputReport = 1;

// Match flags of a DeviceUnit: which of its fields a device must match.
inline constexpr uint32_t kMatchVendor = 0x1;
inline constexpr uint32_t kMatchProduct = 0x2;
inline constexpr uint32_t kMatchUsagePage = 0x4;
inline constexpr uint32_t kMatchUsage = 0x8;
inline constexpr uint32_t kMatchAll = 0xF;

extern "C" {
// The callback returns 1. It runs on the library's own thread.
typedef int (*DeviceCallback)(const DeviceEvent* event);

typedef int (*CorvialDebugFn)(int level);
typedef int (*CorvialInitFn)(int flags);
typedef int (*CorvialEndFn)(void);
typedef int (*CorvialGetDeviceCountFn)(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                       uint32_t sum, uint32_t* outId);
typedef int (*CorvialDeleteFromUnitIdFn)(uint32_t id);
typedef int (*CorvialDeleteFromHandleFn)(void* handle);
typedef int (*CorvialWriteFn)(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                              const unsigned char* data, uint32_t length, uint32_t sum,
                              uint32_t* outId);
typedef int (*CorvialStatusGetFn)(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                  unsigned char* buffer, uint32_t capacity, uint32_t sum,
                                  uint32_t* outId);
typedef int (*CorvialAsyncReadFn)(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                  uint32_t sum, uint32_t* outId);

// The twelve exports, in the order the program resolves them. Every call
// that takes a `sum` checks it against RequestChecksum (below) over the
// call's unit, callback, tag and data; a call whose sum is wrong, or whose
// unit is null, does nothing and returns 0. Callbacks run on the library's
// own thread, one at a time, with no lock of the library held, so they may
// call any export.

// Sets the debug level (0 off, > 0 logs to stderr); returns the previous one.
int Debug(int level);
// Starts the library and discovers the attached devices before it returns;
// 1 on success (again on a second call), 0 or less when it cannot run.
int Init(int flags);
// Stops the library; standing requests are dropped. Returns 1.
int End(void);
// The number of attached devices matching the unit (>= 0).
int RequestGetDeviceCount(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag, uint32_t sum,
                          uint32_t* outId);
// Cancels a request: 1 when it existed. Once it returns, that request's
// callback is not running and is never called again.
int DeleteRequestFromUnitId(uint32_t id);
// No request has a handle here: returns 0.
int DeleteRequestFromHandle(void* handle);
// Sends `length` bytes (a multiple of 64) as consecutive output reports to the
// first matching device; the number of bytes sent.
int RequestWrite(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag, const unsigned char* data,
                 uint32_t length, uint32_t sum, uint32_t* outId);
// Sends one output report (1..64 bytes) from the caller's thread; 1 when it
// was sent, 0 otherwise.
int RequestWriteOne(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                    const unsigned char* data, uint32_t length, uint32_t sum, uint32_t* outId);
// Sends a short output report; 1 when sent. *outId receives a fresh id.
int RequestStatusWrite(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                       const unsigned char* data, uint32_t length, uint32_t sum, uint32_t* outId);
// Reads a feature report into `buffer`; the byte count, 0 when the device has none.
int RequestStatusGet(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag, unsigned char* buffer,
                     uint32_t capacity, uint32_t sum, uint32_t* outId);
// A standing read: returns 1 and a fresh non-zero id in *outId. Every input
// report of the unit's interface on a matching device reaches cb (kind
// kDeviceEventInputReport), and so does every change in the number of
// matching devices (kind kDeviceEventCountChanged), until the request is
// deleted.
int RequestAsyncRead(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag, uint32_t sum,
                     uint32_t* outId);
// Sends a feature report; 1 when sent, 0 when the device has none.
int RequestStatusSetFeature(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                            const unsigned char* data, uint32_t length, uint32_t sum,
                            uint32_t* outId);
}

inline constexpr const char* kCorvialExportNames[12] = {
    "Debug",
    "Init",
    "End",
    "RequestGetDeviceCount",
    "DeleteRequestFromUnitId",
    "DeleteRequestFromHandle",
    "RequestWrite",
    "RequestWriteOne",
    "RequestStatusWrite",
    "RequestStatusGet",
    "RequestAsyncRead",
    "RequestStatusSetFeature",
};

// The twelve exports as a table of function pointers, resolved by name.
struct CorvialExports {
  CorvialDebugFn Debug = nullptr;
  CorvialInitFn Init = nullptr;
  CorvialEndFn End = nullptr;
  CorvialGetDeviceCountFn RequestGetDeviceCount = nullptr;
  CorvialDeleteFromUnitIdFn DeleteRequestFromUnitId = nullptr;
  CorvialDeleteFromHandleFn DeleteRequestFromHandle = nullptr;
  CorvialWriteFn RequestWrite = nullptr;
  CorvialWriteFn RequestWriteOne = nullptr;
  CorvialWriteFn RequestStatusWrite = nullptr;
  CorvialStatusGetFn RequestStatusGet = nullptr;
  CorvialAsyncReadFn RequestAsyncRead = nullptr;
  CorvialWriteFn RequestStatusSetFeature = nullptr;
};

namespace corvial {

// Substitution table T of the request checksum: a permutation of 0..255.
inline constexpr unsigned char kSubstitution[256] = {
    0x28, 0x64, 0x03, 0x48, 0x67, 0x8E, 0xAC, 0x29, 0xCD, 0xD9, 0xEC, 0x91, 0xE9, 0xE6, 0x9B, 0x20,
    0x0A, 0xF2, 0x3D, 0x4F, 0xD2, 0xD5, 0x3A, 0xF5, 0xC2, 0xC3, 0xF8, 0x92, 0xC5, 0x16, 0x06, 0xCE,
    0x52, 0x1E, 0x7F, 0xF3, 0x54, 0xD1, 0x9C, 0x2B, 0x75, 0xBA, 0x97, 0x07, 0x33, 0x99, 0xA2, 0x11,
    0x40, 0xA6, 0x7B, 0x44, 0x89, 0xF1, 0x2D, 0xD0, 0x2F, 0xC0, 0x9F, 0xE8, 0x59, 0xEB, 0x32, 0xB0,
    0xB5, 0xAA, 0xEF, 0xC9, 0x70, 0x3F, 0x10, 0xCC, 0x41, 0x68, 0x18, 0x08, 0xE1, 0xC1, 0x76, 0x66,
    0xAE, 0xE4, 0x5D, 0x8C, 0xB8, 0x3C, 0xF4, 0xE0, 0xE7, 0x14, 0x53, 0x69, 0xFF, 0x60, 0x6C, 0x4D,
    0xA4, 0xC4, 0x7D, 0x79, 0xED, 0x81, 0x13, 0xE3, 0x57, 0xCF, 0x90, 0xDC, 0x96, 0x2E, 0x77, 0x83,
    0x43, 0x4A, 0x4B, 0x73, 0x6D, 0x00, 0x25, 0x85, 0xFC, 0x42, 0x36, 0xDB, 0xFA, 0x8A, 0xDF, 0xAB,
    0x2A, 0x0F, 0x3B, 0x80, 0x1D, 0x61, 0x37, 0xAD, 0x35, 0x05, 0x86, 0xB3, 0x23, 0xB1, 0x5C, 0x1C,
    0x95, 0x39, 0x65, 0xDD, 0x47, 0xBE, 0x93, 0xE5, 0xBC, 0xA1, 0x19, 0x22, 0x31, 0x71, 0x24, 0xBB,
    0x0C, 0xF6, 0x12, 0x56, 0xDA, 0xA5, 0x62, 0x9E, 0x78, 0x1A, 0x3E, 0x4C, 0x0D, 0x15, 0x0B, 0x6F,
    0x38, 0x1F, 0x5A, 0x17, 0x55, 0x0E, 0x8D, 0x6E, 0x26, 0x88, 0x84, 0x87, 0xF0, 0x72, 0x9D, 0xB7,
    0xEA, 0xD8, 0x5F, 0x8B, 0x09, 0x46, 0x7E, 0xD7, 0x51, 0x7C, 0x98, 0xF7, 0x49, 0xCB, 0x02, 0xB9,
    0x45, 0xBF, 0xD4, 0xFD, 0xAF, 0xA3, 0x34, 0x82, 0xFB, 0x30, 0xEE, 0xB2, 0x50, 0x21, 0xA8, 0xD6,
    0x27, 0xC7, 0x63, 0xE2, 0xFE, 0x04, 0xB6, 0xF9, 0x7A, 0x6A, 0x74, 0xC8, 0xB4, 0xA9, 0x6B, 0xCA,
    0x5B, 0x4E, 0xBD, 0x1B, 0x58, 0x8F, 0xA7, 0xA0, 0xC6, 0x94, 0xDE, 0x2C, 0x9A, 0x5E, 0xD3, 0x01,
};

inline uint16_t ReadU16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void WriteU16(unsigned char* p, uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
inline void WriteU32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void* ReadPointer(const unsigned char* p) {
  void* value = nullptr;
  std::memcpy(&value, p, sizeof value);
  return value;
}
inline void WritePointer(unsigned char* p, const void* value) {
  std::memcpy(p, &value, sizeof value);
}

inline DeviceUnit MakeUnit(uint16_t vendor, uint16_t product, uint16_t usagePage, uint16_t usage,
                           uint32_t matchFlags = kMatchAll) {
  DeviceUnit unit{};
  WriteU32(unit.bytes + 0, matchFlags);
  WriteU16(unit.bytes + 4, vendor);
  WriteU16(unit.bytes + 6, product);
  WriteU16(unit.bytes + 8, usagePage);
  WriteU16(unit.bytes + 10, usage);
  WriteU32(unit.bytes + 12, 0);
  return unit;
}
inline uint32_t UnitMatchFlags(const DeviceUnit& u) {
  return ReadU32(u.bytes + 0);
}
inline uint16_t UnitVendor(const DeviceUnit& u) {
  return ReadU16(u.bytes + 4);
}
inline uint16_t UnitProduct(const DeviceUnit& u) {
  return ReadU16(u.bytes + 6);
}
inline uint16_t UnitUsagePage(const DeviceUnit& u) {
  return ReadU16(u.bytes + 8);
}
inline uint16_t UnitUsage(const DeviceUnit& u) {
  return ReadU16(u.bytes + 10);
}

// The checksum passed with every call: the sum of T[b] over the unit's 16
// bytes, the callback pointer (its low 32 bits, little-endian, 0 when null),
// the tag (little-endian) and the payload.
inline uint32_t RequestChecksum(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag,
                                const unsigned char* payload, std::size_t length) {
  uint32_t sum = 0;
  for (unsigned char b : unit.bytes) sum += kSubstitution[b];
  unsigned char word[4];
  WriteU32(word, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(cb)));
  for (unsigned char b : word) sum += kSubstitution[b];
  WriteU32(word, tag);
  for (unsigned char b : word) sum += kSubstitution[b];
  for (std::size_t i = 0; i < length; ++i) sum += kSubstitution[payload[i]];
  return sum;
}

// Event record accessors.
inline uint32_t EventKind(const DeviceEvent& e) {
  return ReadU32(e.bytes + 0);
}
inline const unsigned char* EventRequestRecord(const DeviceEvent& e) {
  return static_cast<const unsigned char*>(ReadPointer(e.bytes + 8));
}
inline uint32_t RecordTag(const unsigned char* record) {
  return ReadU32(record + 0);
}
inline uint32_t RecordCount(const unsigned char* record) {
  return ReadU32(record + 4);
}
inline const unsigned char* RecordBytes(const unsigned char* record) {
  return static_cast<const unsigned char*>(ReadPointer(record + 8));
}
inline const unsigned char* RecordConsumerBytes(const unsigned char* record) {
  auto* report = static_cast<const unsigned char*>(ReadPointer(record + 16));
  return report ? static_cast<const unsigned char*>(ReadPointer(report + 28)) : nullptr;
}

// Fills the table in the fixed order through `lookup(name) -> void*` (dlsym
// on an open library); `onMissing(name)` hears of every export that did not
// resolve. True when all twelve did.
template <typename Lookup, typename OnMissing>
bool ResolveExports(Lookup lookup, OnMissing onMissing, CorvialExports* table) {
  bool all = true;
  auto resolve = [&](const char* name, auto& slot) {
    void* symbol = lookup(name);
    if (symbol == nullptr) {
      all = false;
      onMissing(name);
      return;
    }
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(symbol);
  };
  const char* const* names = kCorvialExportNames;
  resolve(names[0], table->Debug);
  resolve(names[1], table->Init);
  resolve(names[2], table->End);
  resolve(names[3], table->RequestGetDeviceCount);
  resolve(names[4], table->DeleteRequestFromUnitId);
  resolve(names[5], table->DeleteRequestFromHandle);
  resolve(names[6], table->RequestWrite);
  resolve(names[7], table->RequestWriteOne);
  resolve(names[8], table->RequestStatusWrite);
  resolve(names[9], table->RequestStatusGet);
  resolve(names[10], table->RequestAsyncRead);
  resolve(names[11], table->RequestStatusSetFeature);
  return all;
}

}  // namespace corvial
