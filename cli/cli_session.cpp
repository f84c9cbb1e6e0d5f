#include "cli/cli_session.h"

#include <cstdio>

#include "device/device_service.h"
#include "platform/program_folder.h"

namespace cli {

std::unique_ptr<CliSession> CliSession::Open() {
  device::DeviceServiceApi api;
  if (!device::LoadDeviceService(platform::ProgramFolder(), &api)) device::EndSilently();
  std::unique_ptr<CliSession> session(new CliSession(api));
  session->link_->StartControlChannel();
  return session;
}

CliSession::CliSession(const device::DeviceServiceApi& api)
    : link_(std::make_unique<device::DeviceLink>(api)) {}

bool CliSession::RequireKeyboard() const {
  if (link_->DeviceCount() > 0) return true;
  Fail("no keyboard is attached");
  return false;
}

int Fail(const char* message) {
  std::fprintf(stderr, "quorvanectl: %s\n", message);
  return 1;
}

}  // namespace cli
