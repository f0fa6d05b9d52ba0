#include "charts/plamor_session.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include "platform/folders.h"
#include "server/types.h"

namespace plamor::charts {
namespace {

// Pause between two polls of a busy server: short enough that the wait ends
// at once for a person, long enough that the polls themselves do not keep
// the server (another process) from writing.
constexpr auto kPollPause = std::chrono::milliseconds(5);

// Any object of this library, to find the library's folder by its address.
const char kLibraryMarker = 0;

}  // namespace

std::string StrokeFontPath() {
  // Beside this library (the build tree) under the name the controls have
  // always passed, which the server finds whatever its case; else where the
  // installation keeps it.
  const std::filesystem::path folder = folders::ModuleFolder(&kLibraryMarker);
  const std::filesystem::path file = folders::DataFile(folder, "M_g_l.kvd");
  return (file.parent_path() == folder ? folder / "M_g_l.kvd" : file).string();
}

PlamorSession::PlamorSession(host::Transport transport)
    : server_(host::CreatePlamorObject(kPlamorProgId, transport)) {}

PlamorSession::~PlamorSession() {
  if (!cleared_) {
    try {
      server_->Clear();
    } catch (...) {
      // Releasing the object below discards the drawing all the same.
    }
  }
}

void PlamorSession::SetUpA3Sheet() {
  IPlamor& s = *server_;
  s.put_DXFOnly(true);
  s.put_PaperScale(1.0);
  s.put_PaperSize(ktpA3);
  s.ShowDialog();
  s.put_FileName("");
  s.put_Style(ktpsolid);
  s.put_pich(2.0);
  s.put_pen(ktpPEN1);
  s.put_Layer(1);
  s.put_TextHeight(3.0);
  s.put_TextWidth(2.0);
  s.put_TextBetween(0.0);
  s.put_TextKiten(ktpLeftBottom);
}

std::string PlamorSession::OutputAndWait() {
  IPlamor& s = *server_;
  s.OutPutPlamor(StrokeFontPath());
  while (s.get_IdolePlamorOutPut()) {
    if (s.get_Cancel()) break;
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(kPollPause);
  }
  const std::string written = s.get_Cancel() ? std::string() : s.get_FileName();
  cleared_ = true;
  s.Clear();
  return written;
}

}  // namespace plamor::charts
