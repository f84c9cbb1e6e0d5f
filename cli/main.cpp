// quorvanectl: the keyboard from the command line, on the same code paths as
// the tray program.
#include <cstdio>
#include <cstring>

#include "cli/info_command.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: quorvanectl COMMAND [OPTIONS]\n"
      "\n"
      "commands:\n"
      "  info [--json]   firmware version, active profile, macro capacity and effects\n"
      "  help            this text\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  const char* command = argv[1];
  if (std::strcmp(command, "info") == 0) return cli::RunInfo(argc - 2, argv + 2);
  if (std::strcmp(command, "help") == 0 || std::strcmp(command, "--help") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  std::fprintf(stderr, "quorvanectl: unknown command '%s'\n", command);
  PrintUsage(stderr);
  return 2;
}
