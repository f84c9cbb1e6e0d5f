// Small helpers over AF_UNIX sockets. Every descriptor is close-on-exec.
#pragma once

#include <string>

namespace sim {

// A bound, listening, non-blocking socket of `type` (SOCK_SEQPACKET or
// SOCK_STREAM) at `path`; -1 with `error` on failure. `mode` >= 0 sets the
// socket file's permissions from the moment it exists.
int ListenUnix(const std::string& path, int type, std::string* error, int mode = -1);

// A connected blocking socket of `type`; -1 with `error` on failure.
int ConnectUnix(const std::string& path, int type, std::string* error);

// Closes and forgets a descriptor.
void CloseFd(int& fd);

}  // namespace sim
