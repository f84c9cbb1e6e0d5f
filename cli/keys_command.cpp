// quorvanectl keys [--profile N] [--json]: what every key does in a profile,
// described as the main window's key buttons describe it.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "model/button_table.h"
#include "model/key_description.h"
#include "model/key_name.h"
#include "model/key_table.h"

namespace cli {
namespace {

constexpr const char* kUsage =
    "usage: quorvanectl keys [--profile N] [--json]\n"
    "Lists every key of the keyboard and the G keys of both banks with what it\n"
    "does in profile N (default: the active profile).\n";

struct Row {
  std::string name;
  model::KeyCode code;
  int gKey;
  model::KeyAction action;
};

}  // namespace

int RunKeys(int argc, char** argv) {
  if (WantsHelp(argc, argv, kUsage)) return 0;
  bool json = false;
  int profile = -1;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (std::strcmp(argv[i], "--profile") == 0 && i + 1 < argc) {
      profile = ParseSlot(argv[++i]);
      if (profile < 0 || profile > 2) return UsageError("the profile must be 0, 1 or 2", kUsage);
    } else {
      return UsageError((std::string("unknown option '") + argv[i] + "'").c_str(), kUsage);
    }
  }
  auto session = CliSession::Open();
  if (!session->LoadFromKeyboard()) return 1;
  if (profile < 0) profile = session->transfer().GetActiveSlot();
  if (profile < 0) return Fail("cannot read the keyboard's active profile");

  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  std::vector<Row> rows;
  for (const model::KeyButton& button : model::KeyButtons()) {
    rows.push_back({model::KeyName(button.code), button.code, 0,
                    store.ActionAt(profile, model::SlotOfCode(button.code))});
  }
  for (int g = 0; g < model::kGKeyEntries; ++g) {
    rows.push_back({"G" + std::to_string(g + 1), static_cast<model::KeyCode>(model::kFirstGKey + g),
                    g + 1, store.ActionAt(profile, model::kFirstGKeyEntry + g)});
  }
  if (json) std::printf("{\"profile\":%d,\"keys\":[", profile);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const std::string description =
        model::DescribeKey(row.code, row.gKey, row.action, store.Macros());
    if (json) {
      std::printf("%s{\"key\":%s,\"code\":%u,\"type\":%u,\"value\":%u,\"description\":%s}",
                  i == 0 ? "" : ",", JsonString(row.name).c_str(), row.code, row.action.type,
                  row.action.value, JsonString(description).c_str());
    } else {
      std::printf("%s\n", description.c_str());
    }
  }
  if (json) std::printf("]}\n");
  return 0;
}

}  // namespace cli
