#include "server/types.h"

namespace plamor {

ModuleSettings& Settings() {
  thread_local ModuleSettings settings;
  return settings;
}

}  // namespace plamor
