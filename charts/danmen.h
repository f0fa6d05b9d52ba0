// The cross-section chart control a host window embeds. Its picture area
// fills the control; the chart itself is DanmenChart.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charts/danmen_chart.h"
#include "charts/picture.h"

namespace plamor::host {
enum class Transport;
}

namespace plamor::charts {

class PictureBox;

class Danmen : public QWidget {
  Q_OBJECT
 public:
  // The font of the picture area.
  static PictureFont DesignedFont() { return {"ＭＳ ゴシック", 9, false}; }

  explicit Danmen(QWidget* parent = nullptr);
  ~Danmen() override;

  double KyoriMax() const { return chart_.KyoriMax(); }
  void SetKyoriMax(double v) { chart_.SetKyoriMax(v); }
  double KyoriMin() const { return chart_.KyoriMin(); }
  void SetKyoriMin(double v) { chart_.SetKyoriMin(v); }
  double SuisinMax() const { return chart_.SuisinMax(); }
  void SetSuisinMax(double v) { chart_.SetSuisinMax(v); }
  double SuisinMin() const { return chart_.SuisinMin(); }
  void SetSuisinMin(double v) { chart_.SetSuisinMin(v); }
  float ScreenWidth() const;
  float ScreenHeight() const;

  void Clear() { chart_.Clear(); }
  void Redisp();
  void SetData(const std::vector<std::string>& Data);
  std::int32_t Count() const { return chart_.Count(); }
  std::string KansokuNo(std::int32_t Index) const { return chart_.KansokuNo(Index); }
  void DanmenZu(std::int32_t DataNo);
  // Writes the selected observations as an A3 drawing through the drawing server.
  void CreatePlamor();

  // How CreatePlamor reaches the drawing server: host::DefaultTransport()
  // (D-Bus) until set.
  host::Transport PlamorTransport() const;
  void SetPlamorTransport(host::Transport transport);
  // The file the last drawing call wrote; empty when it wrote none.
  const std::string& LastDrawingFile() const { return lastDrawingFile_; }

  DanmenChart& Chart() { return chart_; }
  const PictureBox& PictureArea() const { return *box_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  PictureBox* box_;
  DanmenChart chart_;
  std::optional<host::Transport> plamorTransport_;
  std::string lastDrawingFile_;
};

}  // namespace plamor::charts
