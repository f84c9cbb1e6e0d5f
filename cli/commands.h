// The commands of quorvanectl. Each takes the arguments after its name and
// returns the process's exit status: 0 success, 1 failure (with a message on
// stderr), 2 a usage error.
#pragma once

namespace cli {

int RunInfo(int argc, char** argv);
int RunProfile(int argc, char** argv);
int RunExport(int argc, char** argv);
int RunImport(int argc, char** argv);
int RunKeys(int argc, char** argv);
int RunAssign(int argc, char** argv);
int RunMacro(int argc, char** argv);
int RunLighting(int argc, char** argv);
int RunColours(int argc, char** argv);

// True when the arguments ask for help; prints `usage` to stdout then.
bool WantsHelp(int argc, char** argv, const char* usage);
// Prints a usage error and the usage to stderr; returns 2.
int UsageError(const char* problem, const char* usage);

}  // namespace cli
