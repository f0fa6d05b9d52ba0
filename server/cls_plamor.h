// clsPlamor: the one creatable class of the drawing server. It owns one
// server dialog (state holder, element store and output run) and its view,
// and forwards nearly every member to the dialog; a few settings are
// module-wide: they belong to the apartment the object was made in (the
// thread's own, or the one its creator entered with ScopedSettings) and are
// shared by every object of that apartment.
#pragma once

#include <memory>

#include "server/plamor_interface.h"

namespace plamor {

namespace prompts {
class Prompter;
}
struct ModuleSettings;
class DlgView;
class EventPump;
class frmPlamorDlg;

class clsPlamor final : public IPlamor {
 public:
  // The view shows the dialog (a Qt window or a headless view); the pump
  // serves the user interface while registration and the output run yield.
  // The object keeps the settings apartment it is made in; its paints (which
  // start and run the output) and its end enter that apartment, and whoever
  // calls its members enters it too.
  clsPlamor(std::unique_ptr<DlgView> view, std::unique_ptr<EventPump> pump);
  ~clsPlamor() override;
  clsPlamor(const clsPlamor&) = delete;
  clsPlamor& operator=(const clsPlamor&) = delete;

  frmPlamorDlg& Dialog() { return *dlg_; }

  // Prompts of this drawing's output run go to `prompter` (not owned; null:
  // the process's current prompter). A server answering each host's prompts
  // from its own lists sets it.
  void UsePrompter(prompts::Prompter* prompter);
  DlgView& View() { return *view_; }
  EventPump& Pump() { return *pump_; }

  void put_Optimaze(std::int32_t v) override;
  std::int32_t get_Optimaze() override;
  void put_AutoSize(bool v) override;
  bool get_AutoSize() override;
  void put_AtzKeta(std::int32_t v) override;
  std::int32_t get_AtzKeta() override;
  std::int32_t get_Count() override;
  bool get_DispCancelDlg() override;
  bool get_IdolePlamorOutPut() override;
  bool get_Cancel() override;
  void put_FileName(const std::string& v) override;
  std::string get_FileName() override;
  void put_FilePath(const std::string& v) override;
  std::string get_FilePath() override;
  void put_Memo(const std::string& v) override;
  std::string get_Memo() override;
  void put_RoundColum(std::int32_t v) override;
  std::int32_t get_RoundColum() override;
  void put_pich(double v) override;
  double get_pich() override;
  void put_TextWidth(double v) override;
  double get_TextWidth() override;
  void put_TextHeight(double v) override;
  double get_TextHeight() override;
  void put_TextBetween(double v) override;
  double get_TextBetween() override;
  void put_TextKiten(std::int32_t v) override;
  std::int32_t get_TextKiten() override;
  void put_Style(std::int32_t v) override;
  std::int32_t get_Style() override;
  void put_Layer(std::int16_t v) override;
  std::int16_t get_Layer() override;
  void put_pen(std::int32_t v) override;
  std::int32_t get_pen() override;
  void put_Paper(std::int32_t v) override;
  std::int32_t get_Paper() override;
  void put_PaperScale(double v) override;
  double get_PaperScale() override;
  void put_PaperTate(double v) override;
  double get_PaperTate() override;
  void put_PaperYoko(double v) override;
  double get_PaperYoko() override;
  void put_PaperSize(std::int32_t v) override;
  std::int32_t get_PaperSize() override;
  void En(double x, double y, double r, const LineOptions& o = {}) override;
  void Enko(double x, double y, double r, double sAng, double mang, const LineOptions& o = {}) override;
  void Daen(double x, double y, double xr, double yr, double lang = 0, const LineOptions& o = {}) override;
  void Daenko(double x, double y, double xr, double yr, double sAng, double mang, double lang = 0,
              const LineOptions& o = {}) override;
  void Sen(double x1, double y1, double x2, double y2, const LineOptions& o = {}) override;
  void Moji(double x, double y, const std::string& cText, std::int32_t tStyl = 0, double cAng = 0,
            double tAng = 0, const TextOptions& o = {}) override;
  void Clear() override;
  void ShowDialog() override;
  void HideDialog() override;
  void OutPutPlamor(const std::string& MGLPath) override;
  std::string OpenFileNameDlg() override;
  void put_HouiAngle(double v) override;
  double get_HouiAngle() override;
  void put_GentenX(double v) override;
  double get_GentenX() override;
  void put_GentenY(double v) override;
  double get_GentenY() override;
  void put_PlamorFlg(std::int32_t v) override;
  std::int32_t get_PlamorFlg() override;
  void MojiExtMsM(double x, double y, const std::string& cText, std::int32_t tStyl = 0,
                  double cAng = 0, double tAng = 0, const TextOptions& o = {}) override;
  void MojiExtMsG(double x, double y, const std::string& cText, std::int32_t tStyl = 0,
                  double cAng = 0, double tAng = 0, const TextOptions& o = {}) override;
  void put_DXFOnly(bool v) override;
  bool get_DXFOnly() override;
  void put_LayerName(std::int16_t Index, const std::string& v) override;
  std::string get_LayerName(std::int16_t Index) override;

 private:
  // Members that change what an output run reads or writes (the store, the
  // file name, paper, scale, origin, bearing, memo and file options) are
  // refused with the busy error from OutPutPlamor until the run has ended;
  // reading them stays possible.
  void RefuseWhileWriting(const char* member) const;

  std::unique_ptr<DlgView> view_;
  std::unique_ptr<EventPump> pump_;
  std::unique_ptr<frmPlamorDlg> dlg_;
  prompts::Prompter* prompter_ = nullptr;
  ModuleSettings* settings_;  // the apartment the object was made in
};

}  // namespace plamor
