// A drawing object that passes every call on to the real one, so that
// plamor-draw can follow a drawing a chart control makes: count its elements
// for the progress display, and look at the server's prompts before the
// control clears the drawing, and give the drawing up when the program is
// asked to stop.
#pragma once

#include <functional>
#include <memory>

#include "platform/stop_signals.h"
#include "server/plamor_interface.h"

namespace plamor::draw {

struct RelayHooks {
  std::function<void(long elements)> onElement;   // after each element call
  std::function<void(long elements)> onOutput;    // before OutPutPlamor
  std::function<void()> beforeClear;              // before each Clear
  // When set, a file name the control leaves empty is replaced by this one.
  std::string presetFileName;
  // When set, the server writes the drawing once more into this standard
  // drawing file (.plm) after the control's own output, before Clear: the
  // same store, so exactly the elements that went into the control's file.
  std::string copyTo;
};

class PlamorRelay final : public IPlamor {
 public:
  PlamorRelay(std::unique_ptr<IPlamor> inner, RelayHooks hooks)
      : inner_(std::move(inner)), hooks_(std::move(hooks)) {}

  IPlamor& Inner() { return *inner_; }

  void put_Optimaze(std::int32_t v) override { inner_->put_Optimaze(v); }
  std::int32_t get_Optimaze() override { return inner_->get_Optimaze(); }
  void put_AutoSize(bool v) override { inner_->put_AutoSize(v); }
  bool get_AutoSize() override { return inner_->get_AutoSize(); }
  void put_AtzKeta(std::int32_t v) override { inner_->put_AtzKeta(v); }
  std::int32_t get_AtzKeta() override { return inner_->get_AtzKeta(); }
  std::int32_t get_Count() override { return inner_->get_Count(); }
  bool get_DispCancelDlg() override { return inner_->get_DispCancelDlg(); }
  // Every wait for the output run polls this: a program asked to stop gives
  // the drawing up here (the object is released, the run ends by its cancel path).
  bool get_IdolePlamorOutPut() override {
    stopsignals::ThrowIfReceived();
    return inner_->get_IdolePlamorOutPut();
  }
  bool get_Cancel() override { return inner_->get_Cancel(); }
  void put_FileName(const std::string& v) override;
  std::string get_FileName() override { return inner_->get_FileName(); }
  void put_FilePath(const std::string& v) override { inner_->put_FilePath(v); }
  std::string get_FilePath() override { return inner_->get_FilePath(); }
  void put_Memo(const std::string& v) override { inner_->put_Memo(v); }
  std::string get_Memo() override { return inner_->get_Memo(); }
  void put_RoundColum(std::int32_t v) override { inner_->put_RoundColum(v); }
  std::int32_t get_RoundColum() override { return inner_->get_RoundColum(); }
  void put_pich(double v) override { inner_->put_pich(v); }
  double get_pich() override { return inner_->get_pich(); }
  void put_TextWidth(double v) override { inner_->put_TextWidth(v); }
  double get_TextWidth() override { return inner_->get_TextWidth(); }
  void put_TextHeight(double v) override { inner_->put_TextHeight(v); }
  double get_TextHeight() override { return inner_->get_TextHeight(); }
  void put_TextBetween(double v) override { inner_->put_TextBetween(v); }
  double get_TextBetween() override { return inner_->get_TextBetween(); }
  void put_TextKiten(std::int32_t v) override { inner_->put_TextKiten(v); }
  std::int32_t get_TextKiten() override { return inner_->get_TextKiten(); }
  void put_Style(std::int32_t v) override { inner_->put_Style(v); }
  std::int32_t get_Style() override { return inner_->get_Style(); }
  void put_Layer(std::int16_t v) override { inner_->put_Layer(v); }
  std::int16_t get_Layer() override { return inner_->get_Layer(); }
  void put_pen(std::int32_t v) override { inner_->put_pen(v); }
  std::int32_t get_pen() override { return inner_->get_pen(); }
  void put_Paper(std::int32_t v) override { inner_->put_Paper(v); }
  std::int32_t get_Paper() override { return inner_->get_Paper(); }
  void put_PaperScale(double v) override { inner_->put_PaperScale(v); }
  double get_PaperScale() override { return inner_->get_PaperScale(); }
  void put_PaperTate(double v) override { inner_->put_PaperTate(v); }
  double get_PaperTate() override { return inner_->get_PaperTate(); }
  void put_PaperYoko(double v) override { inner_->put_PaperYoko(v); }
  double get_PaperYoko() override { return inner_->get_PaperYoko(); }
  void put_PaperSize(std::int32_t v) override { inner_->put_PaperSize(v); }
  std::int32_t get_PaperSize() override { return inner_->get_PaperSize(); }

  void En(double x, double y, double r, const LineOptions& o) override {
    inner_->En(x, y, r, o);
    Counted();
  }
  void Enko(double x, double y, double r, double sAng, double mang, const LineOptions& o) override {
    inner_->Enko(x, y, r, sAng, mang, o);
    Counted();
  }
  void Daen(double x, double y, double xr, double yr, double lang, const LineOptions& o) override {
    inner_->Daen(x, y, xr, yr, lang, o);
    Counted();
  }
  void Daenko(double x, double y, double xr, double yr, double sAng, double mang, double lang,
              const LineOptions& o) override {
    inner_->Daenko(x, y, xr, yr, sAng, mang, lang, o);
    Counted();
  }
  void Sen(double x1, double y1, double x2, double y2, const LineOptions& o) override {
    inner_->Sen(x1, y1, x2, y2, o);
    Counted();
  }
  void Moji(double x, double y, const std::string& t, std::int32_t s, double c, double a,
            const TextOptions& o) override {
    inner_->Moji(x, y, t, s, c, a, o);
    Counted();
  }
  void Clear() override;
  void ShowDialog() override { inner_->ShowDialog(); }
  void HideDialog() override { inner_->HideDialog(); }
  void OutPutPlamor(const std::string& MGLPath) override;
  std::string OpenFileNameDlg() override { return inner_->OpenFileNameDlg(); }
  void put_HouiAngle(double v) override { inner_->put_HouiAngle(v); }
  double get_HouiAngle() override { return inner_->get_HouiAngle(); }
  void put_GentenX(double v) override { inner_->put_GentenX(v); }
  double get_GentenX() override { return inner_->get_GentenX(); }
  void put_GentenY(double v) override { inner_->put_GentenY(v); }
  double get_GentenY() override { return inner_->get_GentenY(); }
  void put_PlamorFlg(std::int32_t v) override { inner_->put_PlamorFlg(v); }
  std::int32_t get_PlamorFlg() override { return inner_->get_PlamorFlg(); }
  void MojiExtMsM(double x, double y, const std::string& t, std::int32_t s, double c, double a,
                  const TextOptions& o) override {
    inner_->MojiExtMsM(x, y, t, s, c, a, o);
    Counted();
  }
  void MojiExtMsG(double x, double y, const std::string& t, std::int32_t s, double c, double a,
                  const TextOptions& o) override {
    inner_->MojiExtMsG(x, y, t, s, c, a, o);
    Counted();
  }
  void put_DXFOnly(bool v) override { inner_->put_DXFOnly(v); }
  bool get_DXFOnly() override { return inner_->get_DXFOnly(); }
  void put_LayerName(std::int16_t i, const std::string& v) override { inner_->put_LayerName(i, v); }
  std::string get_LayerName(std::int16_t i) override { return inner_->get_LayerName(i); }

 private:
  void Counted();
  void WriteCopy();

  std::unique_ptr<IPlamor> inner_;
  RelayHooks hooks_;
  long elements_ = 0;
  std::string strokeFont_;  // as the control's output named it
};

}  // namespace plamor::draw
