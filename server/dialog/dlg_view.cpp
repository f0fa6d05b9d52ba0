#include "server/dialog/dlg_view.h"

#include "platform/device_context.h"

namespace plamor {

namespace {
constexpr int kPreviewWidth = 84;
constexpr int kPreviewHeight = 59;
// Client size of the dialog window itself.
constexpr int kDialogWidth = 320;
constexpr int kDialogHeight = 160;
}  // namespace

HeadlessDlgView::HeadlessDlgView()
    : dialog_(std::make_unique<PlamorDeviceContext>(kDialogWidth, kDialogHeight)),
      preview_(std::make_unique<PlamorDeviceContext>(kPreviewWidth, kPreviewHeight)) {}

HeadlessDlgView::~HeadlessDlgView() = default;

void HeadlessDlgView::SetLabel(int index, const std::string& text) {
  if (index >= 0 && index < kLabelCount) labels[static_cast<std::size_t>(index)] = text;
}

void HeadlessDlgView::ClearPreview() { preview_->Fill(Rgb(255, 255, 255)); }

}  // namespace plamor
