#include "server/types.h"

namespace plamor {
namespace {

thread_local ModuleSettings* t_apartment = nullptr;

}  // namespace

ModuleSettings& Settings() {
  thread_local ModuleSettings own;
  return t_apartment ? *t_apartment : own;
}

ScopedSettings::ScopedSettings(ModuleSettings* settings) : previous_(t_apartment) {
  t_apartment = settings;
}

ScopedSettings::~ScopedSettings() { t_apartment = previous_; }

}  // namespace plamor
