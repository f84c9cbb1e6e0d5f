// Results of device operations. The numbers are part of how callers and
// messages interpret a failure, so they stay fixed.
#pragma once

namespace device {

inline constexpr int kResultOk = 1;
// No keyboard present, or the wait for the reply failed.
inline constexpr int kResultNoDevice = 0;
// The service library refused to send the report.
inline constexpr int kResultWriteRefused = -1;
// No matching reply after three sends.
inline constexpr int kResultNoReply = -2;
// The keyboard answered with one of its error statuses.
inline constexpr int kResultStatusFF = -102;
inline constexpr int kResultStatusFE = -103;
// A profile slot outside 0..2; nothing was sent.
inline constexpr int kResultBadSlot = -201;

}  // namespace device

namespace device {

// A short English description of a result, for logs and the command line.
inline const char* DescribeResult(int result) {
  switch (result) {
    case kResultOk:
      return "success";
    case kResultNoDevice:
      return "no keyboard is attached";
    case kResultWriteRefused:
      return "the device service refused to send the report";
    case kResultNoReply:
      return "the keyboard did not answer";
    case kResultStatusFF:
      return "the keyboard rejected the request (status 0xFF)";
    case kResultStatusFE:
      return "the keyboard rejected the request (status 0xFE)";
    case kResultBadSlot:
      return "there is no such profile slot";
    default:
      return "unknown failure";
  }
}

}  // namespace device
