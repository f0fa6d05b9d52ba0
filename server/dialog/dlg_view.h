// What the server dialog shows: its four message labels, the progress bar,
// the preview picture, the cancel button and the window itself. The dialog
// state holder talks only to this interface; a Qt window or a headless view
// implements it.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/dc_handle.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/topmost_window.h"

struct PlamorDeviceContext;

namespace plamor {

class DlgView : public TopmostWindow {
 public:
  static constexpr int kLabelCount = 4;  // lblMessage(0) .. lblMessage(3)
  // The progress bar of the output run and the optimisation runs from 0 to this.
  static constexpr int kProgressMaximum = 32767;

  // lblMessage(index): 0 status line, 1 lines, 2 circles, 3 texts / percentage.
  virtual void SetLabel(int index, const std::string& text) = 0;
  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressRange(int minimum, int maximum) = 0;
  virtual void SetProgressValue(int value) = 0;
  virtual void SetCancelEnabled(bool enabled) = 0;
  // The dialog's own device context and the 84 x 59 preview picture's.
  virtual HDC DialogDC() = 0;
  virtual HDC PreviewDC() = 0;
  virtual void ClearPreview() = 0;
  virtual void RefreshPreview() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;

  // The dialog's paint handler; the view calls it when the window is painted.
  void SetPaintHandler(std::function<void()> handler) { paintHandler_ = std::move(handler); }

 protected:
  void Paint() {
    if (paintHandler_) paintHandler_();
  }

 private:
  std::function<void()> paintHandler_;
};

// A view without a window, for batch runs and tests: it keeps what it was told.
class HeadlessDlgView : public DlgView {
 public:
  HeadlessDlgView();
  ~HeadlessDlgView() override;

  void SetTopMost(bool on) override { topMost = on; }
  void SetLabel(int index, const std::string& text) override;
  void SetProgressVisible(bool visible) override { progressVisible = visible; }
  void SetProgressRange(int minimum, int maximum) override {
    progressMinimum = minimum;
    progressMaximum = maximum;
  }
  void SetProgressValue(int value) override { progressValue = value; }
  void SetCancelEnabled(bool enabled) override { cancelEnabled = enabled; }
  HDC DialogDC() override { return dialog_.get(); }
  HDC PreviewDC() override { return preview_.get(); }
  void ClearPreview() override;
  void RefreshPreview() override {}
  // Showing the window makes the next round of events paint it once.
  void Show() override {
    visible = true;
    paintPending_ = true;
  }
  void Hide() override { visible = false; }
  // Delivers the paint a Show left pending (the pump's round of events).
  void DeliverPendingPaint() {
    if (!paintPending_) return;
    paintPending_ = false;
    Paint();
  }

  std::array<std::string, kLabelCount> labels;
  bool progressVisible = false;
  int progressMinimum = 0;
  int progressMaximum = 100;
  int progressValue = 0;
  bool cancelEnabled = true;
  bool visible = false;
  bool topMost = false;

 private:
  std::unique_ptr<PlamorDeviceContext> dialog_;
  std::unique_ptr<PlamorDeviceContext> preview_;
  bool paintPending_ = false;
};

// The events of a headless view: each round delivers its pending paint.
class HeadlessEventPump : public EventPump {
 public:
  explicit HeadlessEventPump(HeadlessDlgView& view) : view_(view) {}
  void ProcessPendingEvents() override { view_.DeliverPendingPaint(); }

 private:
  HeadlessDlgView& view_;
};

}  // namespace plamor
