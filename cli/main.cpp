// quorvanectl: the keyboard from the command line, on the same code paths as
// the tray program.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: quorvanectl COMMAND [OPTIONS]\n"
      "\n"
      "commands:\n"
      "  info [--json]                 firmware version, active profile, macro capacity, effects\n"
      "  profile [N]                   show or switch the active profile (0, 1 or 2)\n"
      "  keys [--profile N] [--json]   what every key does in a profile\n"
      "  export FILE                   read the keyboard's whole configuration into a file\n"
      "  import FILE                   write a profile file's configuration into the keyboard\n"
      "  assign KEY ACTION [--profile N]\n"
      "                                give a key another key, a multimedia or keyboard\n"
      "                                function, a macro, or nothing (assign --list: the names)\n"
      "  macro list|show|create|rename|delete|export\n"
      "                                the keyboard's macros\n"
      "  lighting [set|defaults] [--profile N]\n"
      "                                show or change a profile's lighting\n"
      "  colours paint|layout [--profile N]\n"
      "                                paint keys of the custom effect, choose or rename\n"
      "                                a colour layout\n"
      "  help                          this text\n"
      "\n"
      "Every command takes --help.\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  const char* command = argv[1];
  const struct {
    const char* name;
    int (*run)(int, char**);
  } commands[] = {
      {"info", &cli::RunInfo},     {"profile", &cli::RunProfile},   {"keys", &cli::RunKeys},
      {"export", &cli::RunExport}, {"import", &cli::RunImport},     {"assign", &cli::RunAssign},
      {"macro", &cli::RunMacro},   {"lighting", &cli::RunLighting}, {"colours", &cli::RunColours},
  };
  for (const auto& c : commands)
    if (std::strcmp(command, c.name) == 0) return c.run(argc - 2, argv + 2);
  if (std::strcmp(command, "help") == 0 || std::strcmp(command, "--help") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  std::fprintf(stderr, "quorvanectl: unknown command '%s'\n", command);
  PrintUsage(stderr);
  return 2;
}
