// The server dialog's window: caption "図面作成", centred, optionally kept
// above all others, with the four message labels, the progress bar, the
// enlarged preview picture, the hidden work list and the cancel button.
// It is a view of frmPlamorDlg, which it tells about the cancel button, the
// close box and paints.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "server/dialog/dlg_view.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace plamor {

class frmPlamorDlg;
class PreviewPicture;

class QtDlgView final : public QWidget, public DlgView {
  Q_OBJECT

 public:
  static constexpr int kPreviewZoom = 3;

  explicit QtDlgView(QWidget* parent = nullptr);
  ~QtDlgView() override;

  // The dialog the cancel button and the close box report to (not owned).
  void AttachDialog(frmPlamorDlg* dlg) { dlg_ = dlg; }

  void SetTopMost(bool on) override;
  void SetLabel(int index, const std::string& text) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressRange(int minimum, int maximum) override;
  void SetProgressValue(int value) override;
  void SetCancelEnabled(bool enabled) override;
  HDC DialogDC() override;
  HDC PreviewDC() override;
  void ClearPreview() override;
  void RefreshPreview() override;
  void Show() override;
  void Hide() override;

  // Closes the window for the server (not as the user's close box): the
  // store is emptied and the window closes.
  void CloseFromServer();

  // What the window shows, for checks.
  QString LabelText(int index) const;
  const QProgressBar& ProgressBar() const { return *progress_; }
  QPushButton& CancelButton() { return *cancel_; }
  const PreviewPicture& Preview() const { return *preview_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CentreOnScreen();

  frmPlamorDlg* dlg_ = nullptr;
  std::unique_ptr<PlamorDeviceContext> dialogSurface_;
  std::unique_ptr<PlamorDeviceContext> previewSurface_;
  std::array<QLabel*, kLabelCount> labels_{};
  QProgressBar* progress_ = nullptr;
  PreviewPicture* preview_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool paintQueued_ = false;
  bool closingFromServer_ = false;
};

}  // namespace plamor
