// The H-Q chart control a host window embeds. Its picture area fills the
// control; the chart itself is TBunpuChart.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charts/picture.h"
#include "charts/tbunpu_chart.h"

namespace plamor::host {
enum class Transport;
}

namespace plamor::charts {

class PictureBox;

class TBunpu : public QWidget {
  Q_OBJECT
 public:
  // The font of the picture area before the first chart sets its own.
  static PictureFont DesignedFont() { return {"ＭＳ ゴシック", 9, false}; }

  explicit TBunpu(QWidget* parent = nullptr);
  ~TBunpu() override;

  const std::string& KansokujyoNo() const { return chart_.KansokujyoNo(); }
  void SetKansokujyoNo(std::string v) { chart_.SetKansokujyoNo(std::move(v)); }
  std::int32_t Seireki() const { return chart_.Seireki(); }
  void SetSeireki(std::int32_t v) { chart_.SetSeireki(v); }
  float ScreenWidth() const;
  float ScreenHeight() const;
  const std::string& KansokujyoMei() const { return chart_.KansokujyoMei(); }
  void SetKansokujyoMei(std::string v) { chart_.SetKansokujyoMei(std::move(v)); }
  const std::string& SuikeiMei() const { return chart_.SuikeiMei(); }
  void SetSuikeiMei(std::string v) { chart_.SetSuikeiMei(std::move(v)); }
  const std::string& KasenMei() const { return chart_.KasenMei(); }
  void SetKasenMei(std::string v) { chart_.SetKasenMei(std::move(v)); }

  double YMin() const { return chart_.YMin(); }
  void SetYMin(double v) { chart_.SetYMin(v); }
  double YMax() const { return chart_.YMax(); }
  void SetYMax(double v) { chart_.SetYMax(v); }
  double QMin() const { return chart_.QMin(); }
  void SetQMin(double v) { chart_.SetQMin(v); }
  double QMax() const { return chart_.QMax(); }
  void SetQMax(double v) { chart_.SetQMax(v); }
  double AMin() const { return chart_.AMin(); }
  void SetAMin(double v) { chart_.SetAMin(v); }
  double AMax() const { return chart_.AMax(); }
  void SetAMax(double v) { chart_.SetAMax(v); }
  double BMin() const { return chart_.BMin(); }
  void SetBMin(double v) { chart_.SetBMin(v); }
  double BMax() const { return chart_.BMax(); }
  void SetBMax(double v) { chart_.SetBMax(v); }
  double VMin() const { return chart_.VMin(); }
  void SetVMin(double v) { chart_.SetVMin(v); }
  double VMax() const { return chart_.VMax(); }
  void SetVMax(double v) { chart_.SetVMax(v); }
  double SQMin() const { return chart_.SQMin(); }
  void SetSQMin(double v) { chart_.SetSQMin(v); }
  double SQMax() const { return chart_.SQMax(); }
  void SetSQMax(double v) { chart_.SetSQMax(v); }

  void Clear() { chart_.Clear(); }
  void SetDatNo(const std::vector<std::string>& DN) { chart_.SetDatNo(DN); }
  void SetGrpData(const std::vector<double>& H, const std::vector<double>& Q, const std::vector<double>& A,
                  const std::vector<double>& B, const std::vector<double>& V, const std::vector<double>& SQ) {
    chart_.SetGrpData(H, Q, A, B, V, SQ);
  }
  void HQsakuga(std::int16_t NO);
  // Writes chart kind NO as an A3 drawing on graph paper through the drawing server.
  void HQSakuzu(std::int16_t NO);

  // How HQSakuzu reaches the drawing server: host::DefaultTransport()
  // (D-Bus) until set.
  host::Transport PlamorTransport() const;
  void SetPlamorTransport(host::Transport transport);
  // The file the last drawing call wrote; empty when it wrote none.
  const std::string& LastDrawingFile() const { return lastDrawingFile_; }

  TBunpuChart& Chart() { return chart_; }
  const PictureBox& PictureArea() const { return *box_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  PictureBox* box_;
  TBunpuChart chart_;
  std::optional<host::Transport> plamorTransport_;
  std::string lastDrawingFile_;
};

}  // namespace plamor::charts
