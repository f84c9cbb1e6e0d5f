#include "cli/cli_session.h"

#include <cstdio>
#include <cstdlib>

#include "device/device_service.h"
#include "platform/program_folder.h"
#include "settings/app_settings.h"

namespace cli {

std::unique_ptr<CliSession> CliSession::Open() {
  device::DeviceServiceApi api;
  if (!device::LoadDeviceService(platform::ProgramFolder(), &api)) device::EndSilently();
  std::unique_ptr<CliSession> session(new CliSession(api));
  session->link_->StartControlChannel();
  return session;
}

CliSession::CliSession(const device::DeviceServiceApi& api)
    : settingsKey_(settings::OpenSettingsKey(settings::UserRegistry())),
      languages_(std::make_unique<settings::LanguageTable>(
          platform::ProgramFolder(), settingsKey_ ? &*settingsKey_ : nullptr)),
      link_(std::make_unique<device::DeviceLink>(api)) {
  settings::InstallLanguageTable(languages_.get());
  transfer_ = std::make_unique<profiles::ProfileTransfer>(
      *link_, store_, defaultMatrix_, window_, profiles::ProfileTransfer::DefaultProfileFolder(),
      platform::ProgramFolder());
  window_.OnProfilesRead([this] { transfer_->ReloadFromDevice(false); });
}

CliSession::~CliSession() {
  settings::InstallLanguageTable(nullptr);
}

bool CliSession::RequireKeyboard() const {
  if (link_->DeviceCount() > 0) return true;
  Fail("no keyboard is attached");
  return false;
}

bool CliSession::LoadFromKeyboard() {
  const int count = link_->DeviceCount();
  if (count <= 0) {
    Fail("no keyboard is attached");
    return false;
  }
  transfer_->SetFirstPresence();
  transfer_->PresenceHandler(count);
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quorvanectl: %s\n", message.c_str());
  return 1;
}

int ParseSlot(const char* text) {
  char* end = nullptr;
  const long slot = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || slot < 0 || slot > 255) return -1;
  return static_cast<int>(slot);
}

}  // namespace cli
