// The error number a chart call raises to its host, 0 when it raises none.
#pragma once

#include <functional>

#include "charts/host_error.h"

namespace charts_test {

inline int HostErrorNumber(const std::function<void()>& call) {
  try {
    call();
  } catch (const plamor::charts::HostError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace charts_test
