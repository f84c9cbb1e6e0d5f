// What the main window's Apply does, for commands that edit the store.
#pragma once

#include "cli/cli_session.h"

namespace cli {

// Under the store's lock: the working file is saved and the store written to
// the keyboard (the active profile, or all three with `allSlots`). Only when
// both succeed is the Apply state cleared and 0 returned; otherwise 1 with a
// message.
int ApplyChanges(CliSession& session, bool allSlots);

}  // namespace cli
