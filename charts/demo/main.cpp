// Shows the two chart controls with sample data. With --screenshot DIR the
// program writes DIR/danmen.png and DIR/tbunpu.png and ends.
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <exception>

#include "charts/danmen.h"
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
  QApplication app(argc, argv);
  QString screenshotDir;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--screenshot" && i + 1 < args.size()) {
      screenshotDir = args[++i];
    } else {
      std::fprintf(stderr, "usage: marovel-demo [--screenshot DIR]\n");
      return 2;
    }
  }

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
