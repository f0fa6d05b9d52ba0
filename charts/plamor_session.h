// One drawing-server object for the length of one drawing call of a chart
// control, created the way any host creates it: set up for an A3 sheet,
// asked for its output, waited for while this program's events are served,
// then cleared and released on every path, errors included.
#pragma once

#include <memory>
#include <string>

#include "server/host/host_entry.h"

namespace plamor::charts {

class PlamorSession {
 public:
  // Creates the object; a server that cannot be started is the caller's error.
  explicit PlamorSession(host::Transport transport);
  // Clears the drawing when the normal end has not, and releases the object.
  // Never throws: a server that fails here has nothing left to lose.
  ~PlamorSession();
  PlamorSession(const PlamorSession&) = delete;
  PlamorSession& operator=(const PlamorSession&) = delete;

  IPlamor& Server() { return *server_; }

  // DXF output, A3 paper at scale 1, the dialog shown, the file name left to
  // the server's save-file dialog, and the state every element starts from:
  // solid lines of pitch 2, pen 1, layer 1, texts 3 high and 2 wide without
  // spacing, anchored left-bottom.
  void SetUpA3Sheet();

  // Asks for the output with the stroke-font file beside this library, waits
  // until the server has written it or the user has cancelled, and clears.
  // Returns the file written; empty when the run was cancelled.
  std::string OutputAndWait();

 private:
  std::unique_ptr<IPlamor> server_;
  bool cleared_ = false;
};

// The stroke-font file the server draws texts with: "M_g_l.kvd" in the folder
// of this library (the server finds it whatever the case of its name).
std::string StrokeFontPath();

}  // namespace plamor::charts
