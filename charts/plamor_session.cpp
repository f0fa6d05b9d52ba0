#include "charts/plamor_session.h"

#include "platform/folders.h"
#include "server/types.h"

namespace plamor::charts {
namespace {

// Any object of this library, to find the library's folder by its address.
const char kLibraryMarker = 0;

}  // namespace

std::string StrokeFontPath() {
  return (folders::ModuleFolder(&kLibraryMarker) / "M_g_l.kvd").string();
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

void PlamorSession::OutputAndWait() {
  IPlamor& s = *server_;
  s.OutPutPlamor(StrokeFontPath());
  WaitForOutput(s);
  cleared_ = true;
  s.Clear();
}

}  // namespace plamor::charts
