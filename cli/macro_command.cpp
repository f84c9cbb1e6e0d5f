// quorvanectl macro list | show | create | rename | delete | export: the
// macro list as the key assignment dialog edits it, each change installed
// and sent to the keyboard as its Apply and the main window's Apply do.
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "cli/apply_changes.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/key_identifiers.h"
#include "cli/macro_lookup.h"
#include "cli/macro_text.h"
#include "model/key_assignment.h"
#include "platform/file_io.h"
#include "platform/utf16.h"
#include "settings/language_table.h"
#include "settings/safe_format.h"

namespace cli {
namespace {

constexpr const char* kUsage =
    "usage: quorvanectl macro list [--json]\n"
    "       quorvanectl macro show NAME-or-ID\n"
    "       quorvanectl macro create NAME [--repeat N] (--file FILE | -)\n"
    "       quorvanectl macro rename OLD NEW\n"
    "       quorvanectl macro delete NAME-or-ID [--force]\n"
    "       quorvanectl macro export NAME-or-ID [FILE]\n"
    "The macros stored in the keyboard, shared by all three profiles. Every\n"
    "subcommand takes --help.\n";

constexpr const char* kListUsage =
    "usage: quorvanectl macro list [--json]\n"
    "Lists the keyboard's macros: id, repeat count, number of events, whether a\n"
    "key plays it, and name.\n";
constexpr const char* kShowUsage =
    "usage: quorvanectl macro show NAME-or-ID\n"
    "Prints the macro's events in the text form 'macro create' reads.\n";
constexpr const char* kCreateUsage =
    "usage: quorvanectl macro create NAME [--repeat N] (--file FILE | -)\n"
    "Creates a macro from its text form, read from FILE or with '-' from the\n"
    "standard input, one event a line:\n"
    "  press KEY        a key goes down (key names as for 'assign')\n"
    "  release KEY      it comes up\n"
    "  wait MS          the pause before the next event, 0..40000 ms in steps\n"
    "                   of 10 (smaller steps are rounded down)\n"
    "  # comment        ignored, as are blank lines\n"
    "At most 2000 events and 100 macros. --repeat N plays it N times (1..255,\n"
    "default 1).\n";
constexpr const char* kRenameUsage =
    "usage: quorvanectl macro rename OLD NEW\n"
    "Gives the macro OLD (a name or an id) the name NEW.\n";
constexpr const char* kDeleteUsage =
    "usage: quorvanectl macro delete NAME-or-ID [--force]\n"
    "Deletes the macro. A macro that a key plays is kept unless --force is\n"
    "given; those keys then go back to their own function.\n";
constexpr const char* kExportUsage =
    "usage: quorvanectl macro export NAME-or-ID [FILE]\n"
    "Writes the macro's text form to FILE, or to the standard output.\n";

// Larger input is no macro: 2000 events take far less.
constexpr std::size_t kMaxMacroText = 1 << 20;

bool ReadBounded(std::FILE* file, std::string* text) {
  char buffer[8192];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text->append(buffer, got);
    if (text->size() > kMaxMacroText) return false;
  }
  return std::ferror(file) == 0;
}

std::string TextForm(const model::MacroRecord& macro) {
  return "# macro " + MacroName(macro) + " (id " + std::to_string(macro.Id()) + ", repeat count " +
         std::to_string(macro.RepeatCount()) + ")\n" + FormatMacroText(macro.Actions());
}

// A new name: not empty, at most 249 characters, and not one another macro
// has, since macros are found by their names.
int CheckNewName(const model::MacroList& macros, const std::string& name, int except) {
  const std::u16string units = platform::Utf8ToUtf16(name);
  if (units.empty()) return Fail("a macro needs a name");
  if (units.size() > model::kMacroNameMaxLength)
    return Fail("a macro name has at most " + std::to_string(model::kMacroNameMaxLength) +
                " characters");
  for (std::size_t i = 0; i < macros.size(); ++i)
    if (static_cast<int>(i) != except && FoldCase(MacroName(macros[i])) == FoldCase(name))
      return Fail("a macro named '" + MacroName(macros[i]) + "' exists already");
  return 0;
}

// Opens the session and reads the keyboard; null after a message.
std::unique_ptr<CliSession> OpenLoaded() {
  auto session = CliSession::Open();
  if (!session->LoadFromKeyboard()) return nullptr;
  return session;
}

// The macro list changed: install it as the dialog's Apply does and write
// every profile, since a key of any profile may have changed and the
// macros' slots, which every key map refers to, may have moved.
int InstallAndApply(CliSession& session, const model::MacroList& edited) {
  model::InstallEditedMacroList(session.store(), edited, session.window());
  return ApplyChanges(session, true);
}

int RunList(int argc, char** argv) {
  if (WantsHelp(argc, argv, kListUsage)) return 0;
  bool json = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") != 0)
      return UsageError((std::string("unknown option '") + argv[i] + "'").c_str(), kListUsage);
    json = true;
  }
  auto session = OpenLoaded();
  if (!session) return 1;
  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  const model::MacroList& macros = store.Macros();
  if (json) std::printf("{\"macros\":[");
  for (std::size_t i = 0; i < macros.size(); ++i) {
    const model::MacroRecord& macro = macros[i];
    const bool used = store.MacroIsReferenced(macro);
    if (json) {
      std::printf("%s{\"id\":%u,\"name\":%s,\"repeat\":%u,\"events\":%d,\"used\":%s}",
                  i == 0 ? "" : ",", macro.Id(), JsonString(MacroName(macro)).c_str(),
                  macro.RepeatCount(), macro.ActionCount(), used ? "true" : "false");
    } else {
      std::printf("%3u  repeat %3u  %4d events  %s  %s\n", macro.Id(), macro.RepeatCount(),
                  macro.ActionCount(), used ? "used  " : "unused", MacroName(macro).c_str());
    }
  }
  if (json) std::printf("]}\n");
  return 0;
}

int RunShowOrExport(int argc, char** argv, bool toFile) {
  const char* usage = toFile ? kExportUsage : kShowUsage;
  if (WantsHelp(argc, argv, usage)) return 0;
  if (argc < 1 || argc > (toFile ? 2 : 1))
    return UsageError(toFile ? "export takes a macro and maybe a file" : "show takes one macro",
                      usage);
  auto session = OpenLoaded();
  if (!session) return 1;
  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  std::string problem;
  const int position = FindMacro(store.Macros(), argv[0], &problem);
  if (position < 0) return Fail(problem);
  const std::string text = TextForm(store.Macros()[static_cast<std::size_t>(position)]);
  if (argc == 2) {
    if (!platform::ReplaceFileAtomically(argv[1], text))
      return Fail(std::string("cannot write ") + argv[1]);
    return 0;
  }
  std::fputs(text.c_str(), stdout);
  return 0;
}

int RunCreate(int argc, char** argv) {
  if (WantsHelp(argc, argv, kCreateUsage)) return 0;
  std::string name;
  std::string file;
  bool haveName = false;
  bool haveInput = false;
  long long repeat = 1;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      char* end = nullptr;
      repeat = std::strtoll(argv[++i], &end, 10);
      if (end == argv[i] || *end != '\0')
        return UsageError("--repeat needs a number", kCreateUsage);
    } else if (std::strcmp(argv[i], "--file") == 0 && i + 1 < argc && !haveInput) {
      file = argv[++i];
      haveInput = true;
    } else if (std::strcmp(argv[i], "-") == 0 && !haveInput) {
      haveInput = true;
    } else if (argv[i][0] == '-') {
      return UsageError((std::string("unknown option '") + argv[i] + "'").c_str(), kCreateUsage);
    } else if (!haveName) {
      name = argv[i];
      haveName = true;
    } else {
      return UsageError("create takes one name and one input", kCreateUsage);
    }
  }
  if (!haveName || !haveInput)
    return UsageError("create needs a name and --file FILE or -", kCreateUsage);

  std::string text;
  std::FILE* input = file.empty() ? stdin : std::fopen(file.c_str(), "rb");
  if (input == nullptr) return Fail("cannot read " + file);
  const bool read = ReadBounded(input, &text);
  if (input != stdin) std::fclose(input);
  const std::string source = file.empty() ? "standard input" : file;
  if (!read) return Fail("cannot read " + source + ", or it is too large for a macro");

  auto session = CliSession::Open();
  const ParsedMacro parsed = ParseMacroText(text);
  if (!parsed.error.empty())
    return Fail(source + ", " + parsed.error + "\nquorvanectl: no macro was created");
  if (!session->LoadFromKeyboard()) return 1;

  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  model::MacroList edited = store.Macros();
  if (CheckNewName(edited, name, -1) != 0) return 1;
  std::optional<model::MacroRecord> macro = model::NewMacro(edited, platform::Utf8ToUtf16(name));
  if (!macro)
    return Fail(settings::FormatWithInteger(settings::Text("MACRO_ERR_MAX"), model::kMaxMacros));
  const uint8_t count = model::ClampRepeatCount(repeat);
  if (count != repeat)
    std::fprintf(stderr, "quorvanectl: the repeat count is 1..255; %u is used\n", count);
  macro->SetRepeatCount(count);
  macro->SetActions(parsed.actions);
  edited.push_back(*macro);
  if (const int status = InstallAndApply(*session, edited); status != 0) return status;
  std::printf("%u\n", macro->Id());
  return 0;
}

int RunRename(int argc, char** argv) {
  if (WantsHelp(argc, argv, kRenameUsage)) return 0;
  if (argc != 2) return UsageError("rename takes the macro and its new name", kRenameUsage);
  auto session = OpenLoaded();
  if (!session) return 1;
  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  model::MacroList edited = store.Macros();
  std::string problem;
  const int position = FindMacro(edited, argv[0], &problem);
  if (position < 0) return Fail(problem);
  if (CheckNewName(edited, argv[1], position) != 0) return 1;
  edited[static_cast<std::size_t>(position)].SetName(platform::Utf8ToUtf16(argv[1]));
  return InstallAndApply(*session, edited);
}

int RunDelete(int argc, char** argv) {
  if (WantsHelp(argc, argv, kDeleteUsage)) return 0;
  bool force = false;
  std::vector<const char*> positional;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--force") == 0)
      force = true;
    else
      positional.push_back(argv[i]);
  }
  if (positional.size() != 1) return UsageError("delete takes one macro", kDeleteUsage);
  auto session = OpenLoaded();
  if (!session) return 1;
  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  model::MacroList edited = store.Macros();
  std::string problem;
  const int position = FindMacro(edited, positional[0], &problem);
  if (position < 0) return Fail(problem);
  // The dialog asks, with No as the default; the tool never waits for an
  // answer, so --force is the Yes.
  if (!force && store.MacroIsReferenced(edited[static_cast<std::size_t>(position)])) {
    Fail(settings::Text("MACRO_DELETE_CONFIRM_OF_KEYS"));
    return Fail("the macro was kept; --force deletes it");
  }
  edited.erase(edited.begin() + position);
  return InstallAndApply(*session, edited);
}

}  // namespace

int RunMacro(int argc, char** argv) {
  if (argc == 0) return UsageError("macro needs a subcommand", kUsage);
  if (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0 ||
      std::strcmp(argv[0], "help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::string sub = argv[0];
  if (sub == "list") return RunList(argc - 1, argv + 1);
  if (sub == "show") return RunShowOrExport(argc - 1, argv + 1, false);
  if (sub == "export") return RunShowOrExport(argc - 1, argv + 1, true);
  if (sub == "create") return RunCreate(argc - 1, argv + 1);
  if (sub == "rename") return RunRename(argc - 1, argv + 1);
  if (sub == "delete") return RunDelete(argc - 1, argv + 1);
  return UsageError(("unknown subcommand '" + sub + "'").c_str(), kUsage);
}

}  // namespace cli
