// quorvanectl export FILE / import FILE: the whole configuration between the
// keyboard and a profile file, as the main window's backup and restore do.
#include <cstdio>
#include <string>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "profiles/profile_file.h"
#include "settings/language_table.h"

namespace cli {
namespace {

constexpr const char* kExportUsage =
    "usage: quorvanectl export FILE\n"
    "Reads the key assignments of all three profiles and every macro from the\n"
    "keyboard into the profile file FILE (.fwc).\n";

constexpr const char* kImportUsage =
    "usage: quorvanectl import FILE\n"
    "Checks the profile file FILE, loads it and writes all three profiles and\n"
    "its macros into the keyboard. An invalid file leaves the keyboard as it is.\n";

}  // namespace

int RunExport(int argc, char** argv) {
  if (WantsHelp(argc, argv, kExportUsage)) return 0;
  if (argc != 1) return UsageError("export takes one file name", kExportUsage);
  auto session = CliSession::Open();
  if (!session->LoadFromKeyboard()) return 1;
  if (session->transfer().ReadDeviceToFile(argv[0]) != 1)
    return Fail(std::string("cannot read the keyboard into ") + argv[0]);
  return 0;
}

int RunImport(int argc, char** argv) {
  if (WantsHelp(argc, argv, kImportUsage)) return 0;
  if (argc != 1) return UsageError("import takes one file name", kImportUsage);
  auto session = CliSession::Open();
  if (!session->RequireKeyboard()) return 1;
  const std::string path = argv[0];
  if (profiles::ValidateProfileFile(path, session->window()) <= 0) {
    // An invalid header has been reported already; this says nothing changed.
    return Fail(settings::Text("MAIN_PROMPT_INPORT"));
  }
  if (!session->LoadFromKeyboard()) return 1;
  model::ConfigStore& store = session->store();
  profiles::ProfileTransfer& transfer = session->transfer();
  std::lock_guard lock(store.mutex());
  store.Empty();
  if (profiles::LoadProfileFile(store, path) != profiles::kProfileOk)
    std::fprintf(stderr, "quorvanectl: %s was loaded as far as it could be read\n", path.c_str());
  transfer.SaveWorkingFile(false);
  const int applied = transfer.ApplyStoreToDevice(true);
  transfer.ShowActiveProfile();
  if (applied != 1) return Fail("the keyboard did not take the whole configuration");
  session->window().SetApplyPending(false);
  return 0;
}

}  // namespace cli
