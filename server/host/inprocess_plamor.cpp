#include "server/host/inprocess_plamor.h"

#include <QApplication>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>

#include "server/dialog/dlg_view.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/plamor_dlg.h"
#include "server/qt/qt_dlg_view.h"
#include "server/qt/qt_event_pump.h"

namespace plamor::host {
namespace {

// A headless view whose Show also asks the Qt event loop (when one runs) to
// deliver the paint that starts a pending output run, as a window would be
// painted after it is shown.
class QueuedPaintView final : public HeadlessDlgView {
 public:
  void Show() override {
    HeadlessDlgView::Show();
    if (QCoreApplication::instance())
      QMetaObject::invokeMethod(&guard_, [this] { DeliverPendingPaint(); }, Qt::QueuedConnection);
  }

 private:
  QObject guard_;  // queued paints die with the view
};

// Serves Qt's events and the headless view's pending paint.
class HeadlessQtPump final : public EventPump {
 public:
  HeadlessQtPump(QueuedPaintView& view, std::function<bool()> inOutputRun)
      : view_(view), qt_(std::move(inOutputRun)) {}
  void ProcessPendingEvents() override {
    if (QCoreApplication::instance()) qt_.ProcessPendingEvents();
    view_.DeliverPendingPaint();
  }

 private:
  QueuedPaintView& view_;
  QtEventPump qt_;
};

}  // namespace

ViewKind AvailableViewKind() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return ViewKind::Headless;
  const QString platform = QGuiApplication::platformName();
  if (platform == "offscreen" || platform == "minimal") return ViewKind::Headless;
  return ViewKind::Window;
}

std::unique_ptr<clsPlamor> MakeInProcessPlamor(ViewKind kind) {
  // The pump asks the dialog whether its output run is going; the dialog
  // exists only after clsPlamor is made, so the question goes through a slot
  // filled in below.
  auto dialog = std::make_shared<frmPlamorDlg*>(nullptr);
  auto inOutputRun = [dialog] { return *dialog && (*dialog)->IdolePlamorOutPut; };
  std::unique_ptr<clsPlamor> plamor;
  if (kind == ViewKind::Window) {
    auto view = std::make_unique<QtDlgView>();
    QtDlgView* window = view.get();
    plamor = std::make_unique<clsPlamor>(std::move(view), std::make_unique<QtEventPump>(inOutputRun));
    window->AttachDialog(&plamor->Dialog());
  } else {
    auto view = std::make_unique<QueuedPaintView>();
    auto pump = std::make_unique<HeadlessQtPump>(*view, inOutputRun);
    plamor = std::make_unique<clsPlamor>(std::move(view), std::move(pump));
  }
  *dialog = &plamor->Dialog();
  return plamor;
}

}  // namespace plamor::host
