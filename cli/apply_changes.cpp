#include "cli/apply_changes.h"

#include <mutex>

namespace cli {

int ApplyChanges(CliSession& session, bool allSlots) {
  session.window().SetApplyPending(true);
  std::lock_guard lock(session.store().mutex());
  const int saved = session.transfer().SaveWorkingFile(false);
  const int applied = session.transfer().ApplyStoreToDevice(allSlots);
  if (applied != 1) return Fail("the keyboard did not take the change");
  if (saved == 0)
    return Fail("the keyboard took the change, but the working profile file could not be saved");
  session.window().SetApplyPending(false);
  return 0;
}

}  // namespace cli
