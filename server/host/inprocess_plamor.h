// Drawings served in this process: a clsPlamor with the Qt window as its view
// when the process shows windows, else with a headless view whose paints are
// delivered by the Qt event loop (or by the next round of events where no
// Qt application runs).
#pragma once

#include <memory>

#include "server/cls_plamor.h"

namespace plamor::host {

enum class ViewKind { Window, Headless };

// The view kind this process can show: a window when a Qt widget
// application with a real display is running, else headless.
ViewKind AvailableViewKind();

std::unique_ptr<clsPlamor> MakeInProcessPlamor(ViewKind kind);

}  // namespace plamor::host
