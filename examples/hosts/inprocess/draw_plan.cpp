// A host program that draws a small plan in its own process with the
// installed plamor library, and writes it as the file named on its command
// line (.dxf, .plm or .atz: the ending picks the kind). The drawing is made
// in this process, so the host serves its events (Qt's) while it waits, as
// any host of an in-process drawing does.
//
//   c++ -std=c++20 draw_plan.cpp $(pkg-config --cflags --libs plamor) -o draw_plan
//   ./draw_plan plan.dxf
#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <thread>

#include "server/automation_error.h"
#include "server/host/host_entry.h"
#include "server/types.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_plan OUT.dxf|OUT.plm|OUT.atz\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  try {
    auto drawing = plamor::host::CreatePlamorObject(plamor::kPlamorProgId, plamor::host::Transport::InProcess);
    drawing->put_PaperSize(plamor::ktpA3);
    drawing->put_PaperScale(100);
    drawing->put_Memo("荒見川 平面図");
    drawing->put_FileName(argv[1]);
    drawing->put_LayerName(3, "護岸");
    // The river banks, a bridge and the survey line, in metres at 1:100.
    drawing->Sen(0, 0, 40000, 0, {.vPen = 2, .vLayer = 3});
    drawing->Sen(0, 12000, 40000, 12000, {.vPen = 2, .vLayer = 3});
    drawing->Sen(18000, -3000, 18000, 15000, {.vStyl = plamor::ktpdash, .vPich = 2});
    drawing->En(18000, 6000, 800, {.vPen = 3});
    drawing->Moji(20000, 16000, "荒見橋", plamor::ktpYoko, 0, 0, {.vHeight = 5});
    drawing->OutPutPlamor("M_G_L.KVD");
    while (drawing->get_IdolePlamorOutPut() && !drawing->get_Cancel()) {
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool written = !drawing->get_Cancel();
    std::printf("%s: %d elements%s\n", argv[1], drawing->get_Count(), written ? "" : ", cancelled");
    drawing->Clear();
    return written ? 0 : 1;
  } catch (const plamor::AutomationError& e) {
    std::fprintf(stderr, "draw_plan: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "draw_plan: %s\n", e.what());
    return 1;
  }
}
