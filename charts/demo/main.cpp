// Shows the two chart controls with sample data. With --screenshot DIR the
// program writes DIR/danmen.png and DIR/tbunpu.png and ends.
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "charts/danmen.h"
#include "cli/command_line.h"
#include "charts/host_error.h"
#include "charts/tbunpu.h"
#include "sample_data.h"

using plamor::charts::Danmen;
using plamor::charts::TBunpu;

namespace {

void LoadCrossSections(Danmen& danmen) {
  for (int i = 0; i < marovel_demo::kSampleObservations; ++i) danmen.SetData(marovel_demo::SampleObservation(i));
  for (int k = 1; k <= danmen.Count(); ++k) danmen.DanmenZu(k);
}

void LoadHq(TBunpu& tbunpu) {
  const auto m = marovel_demo::SampleHq();
  tbunpu.SetGrpData(m.H, m.Q, m.A, m.B, m.V, m.SQ);
  tbunpu.SetDatNo(m.labels);
  tbunpu.SetSuikeiMei("大川水系");
  tbunpu.SetKasenMei("大川");
  tbunpu.SetKansokujyoMei("中島橋");
  tbunpu.SetKansokujyoNo("3021");
  tbunpu.SetSeireki(2003);
  tbunpu.SetYMin(0.0);
  tbunpu.SetYMax(2.4);
  tbunpu.SetQMin(0);
  tbunpu.SetQMax(70);
  tbunpu.HQsakuga(0);
}

bool Save(QWidget& widget, const QString& path) {
  if (widget.grab().save(path, "PNG")) return true;
  std::fprintf(stderr, "marovel-demo: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const auto usage = plamor::cli::Command("marovel-demo", "[--screenshot DIR]",
                                             "Shows the two chart controls with sample data.")
                        .Option("screenshot", "DIR", "write DIR/danmen.png and DIR/tbunpu.png and end (needs no screen)");
  int status = 0;
  const auto line = plamor::cli::Read(usage, plamor::cli::Arguments(argc, argv), &status);
  if (!line) return status;
  if (!line->Positional().empty()) {
    const std::string message = "unexpected argument " + line->Positional()[0];
    std::fprintf(stderr, "%s\n", plamor::cli::UsageErrorLine(usage.Name(), message).c_str());
    return 2;
  }
  const QString screenshotDir = QString::fromStdString(line->Value("screenshot").value_or(""));
  // Pictures for checks need no screen: they are drawn off screen.
  if (!screenshotDir.isEmpty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle("Marovel");
  auto* layout = new QHBoxLayout(&window);
  auto* danmen = new Danmen;
  auto* tbunpu = new TBunpu;
  danmen->setFixedSize(640, 420);
  tbunpu->setFixedSize(560, 480);
  layout->addWidget(danmen);
  layout->addWidget(tbunpu);
  window.show();

  try {
    LoadCrossSections(*danmen);
    LoadHq(*tbunpu);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marovel-demo: %s\n", e.what());
    return 1;
  }

  if (screenshotDir.isEmpty()) return app.exec();
  if (!QDir().mkpath(screenshotDir)) {
    std::fprintf(stderr, "marovel-demo: cannot create %s\n", qPrintable(screenshotDir));
    return 1;
  }
  app.processEvents();
  const bool ok = Save(*danmen, QDir(screenshotDir).filePath("danmen.png")) &&
                  Save(*tbunpu, QDir(screenshotDir).filePath("tbunpu.png"));
  return ok ? 0 : 1;
}
