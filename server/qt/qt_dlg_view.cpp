#include "server/qt/qt_dlg_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/device_context.h"
#include "server/dialog/plamor_dlg.h"
#include "server/qt/preview_picture.h"

namespace plamor {

namespace {
constexpr int kPreviewWidth = 84;
constexpr int kPreviewHeight = 59;
constexpr int kLabelWidth = 320;
}  // namespace

QtDlgView::QtDlgView(QWidget* parent)
    : QWidget(parent),
      previewSurface_(std::make_unique<PlamorDeviceContext>(kPreviewWidth, kPreviewHeight)) {
  setWindowTitle(QString::fromUtf8("図面作成"));
  auto* layout = new QGridLayout(this);

  auto* labelColumn = new QVBoxLayout;
  for (int i = 0; i < kLabelCount; ++i) {
    labels_[static_cast<std::size_t>(i)] = new QLabel(this);
    labels_[static_cast<std::size_t>(i)]->setMinimumWidth(kLabelWidth);
    labelColumn->addWidget(labels_[static_cast<std::size_t>(i)]);
  }
  labelColumn->addStretch();
  layout->addLayout(labelColumn, 0, 0);

  preview_ = new PreviewPicture(*previewSurface_, kPreviewZoom, this);
  layout->addWidget(preview_, 0, 1, Qt::AlignTop | Qt::AlignRight);

  progress_ = new QProgressBar(this);
  progress_->setTextVisible(false);
  progress_->setRange(0, kProgressMaximum);
  progress_->hide();
  layout->addWidget(progress_, 1, 0);

  cancel_ = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
  layout->addWidget(cancel_, 1, 1, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (dlg_) dlg_->OnCancelButton();
  });

  // The work list of the line merging; it is never shown.
  list_ = new QTreeWidget(this);
  list_->setHeaderLabels({QStringLiteral("YOUSO")});
  list_->hide();

  setFixedSize(sizeHint());
  dialogSurface_ = std::make_unique<PlamorDeviceContext>(width(), height());
  CentreOnScreen();
}

QtDlgView::~QtDlgView() { SetPaintHandler({}); }

void QtDlgView::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

void QtDlgView::SetTopMost(bool on) {
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show();  // changing the flags hides the window
}

void QtDlgView::SetLabel(int index, const std::string& text) {
  if (index >= 0 && index < kLabelCount) labels_[static_cast<std::size_t>(index)]->setText(QString::fromStdString(text));
}

QString QtDlgView::LabelText(int index) const {
  return index >= 0 && index < kLabelCount ? labels_[static_cast<std::size_t>(index)]->text() : QString();
}

void QtDlgView::SetProgressVisible(bool visible) { progress_->setVisible(visible); }
void QtDlgView::SetProgressRange(int minimum, int maximum) { progress_->setRange(minimum, maximum); }
void QtDlgView::SetProgressValue(int value) { progress_->setValue(value); }
void QtDlgView::SetCancelEnabled(bool enabled) { cancel_->setEnabled(enabled); }

HDC QtDlgView::DialogDC() { return dialogSurface_.get(); }
HDC QtDlgView::PreviewDC() { return previewSurface_.get(); }

void QtDlgView::ClearPreview() {
  previewSurface_->Fill(Rgb(255, 255, 255));
  preview_->update();
}

void QtDlgView::RefreshPreview() { preview_->update(); }

void QtDlgView::Show() {
  show();
  raise();
  activateWindow();
}

void QtDlgView::Hide() { hide(); }

// The dialog's paint handler runs right after this paint, not inside it: the
// output run it may start serves events, repaints included, while it goes on.
void QtDlgView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (paintQueued_) return;
  paintQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    paintQueued_ = false;
    Paint();
  });
}

void QtDlgView::CloseFromServer() {
  closingFromServer_ = true;
  close();
  closingFromServer_ = false;
}

// Every close that the server did not ask for is the user's (the close box,
// the window menu, the window system): it asks about cancelling and never
// closes. The server's own close empties the store and proceeds.
void QtDlgView::closeEvent(QCloseEvent* event) {
  if (!dlg_ || dlg_->OnCloseRequest(!closingFromServer_)) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace plamor
