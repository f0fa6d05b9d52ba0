// The server dialog as the drawing's state holder and element store: the
// current drawing state, the registration of circles, arcs, ellipses, lines
// and texts, the count labels, the paper setters and the dialog flags the
// output run and the cancel confirmation use. It shows itself only through a
// DlgView and yields to the user interface through an EventPump.
#pragma once

#include <cstdint>
#include <string>

#include "server/elements/element_store.h"
#include "server/dialog/list_view.h"
#include "server/optional_arg.h"
#include "server/elements/paper.h"
#include "server/plamor_interface.h"
#include "server/dialog/save_file_dialog.h"
#include "server/types.h"

namespace plamor {

class DlgView;
class EventPump;
class clsZCircle;

class frmPlamorDlg {
 public:
  // view and pump are not owned; without a pump nothing is served between elements.
  explicit frmPlamorDlg(DlgView& view, EventPump* pump = nullptr);
  ~frmPlamorDlg();
  frmPlamorDlg(const frmPlamorDlg&) = delete;
  frmPlamorDlg& operator=(const frmPlamorDlg&) = delete;

  // ---- Drawing state ----
  double HouiAngle = 0;
  double GentenX = 0;
  double GentenY = 0;
  std::int32_t PlamorFlg = 0;
  double PaperScale = 1.0;
  std::int32_t Paper = ktpPaperYoko;
  double pich = 0;
  double mTextHeight = 3.0;
  double mTextWidth = 2.7;
  double TextBetween = 0.3;
  std::int32_t TextKiten = ktpLeftBottom;
  std::string FileName;
  std::int32_t Optimaze = ktpLevel0;
  std::string Memo;
  bool DXF_Only = false;

  std::int32_t Style() const { return style_; }
  void SetStyle(std::int32_t style);  // style 0 also sets pich to 0
  std::int32_t pen() const { return penNo_; }
  void SetPen(std::int32_t number) { penNo_ = number; }  // no range check
  std::int16_t Layer() const { return layer_; }
  void SetLayer(std::int32_t layer);  // taken only for 1..128
  std::int32_t AtzKeta() const { return atzKeta_; }
  void SetAtzKeta(std::int32_t keta);  // taken only for 1..9
  bool AutoSize() const { return false; }
  void SetAutoSize(bool on);  // not supported: True shows a message; stays False

  std::int32_t PaperSize() const { return paper_.Size(); }
  void SetPaperSize(std::int32_t size);
  double PaperTate() const { return paperTate_; }
  void SetPaperTate(double tate);
  double PaperYoko() const { return paperYoko_; }
  void SetPaperYoko(double yoko);

  // ---- Flags of the dialog ----
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  bool DispCancelDlg = false;
  bool StartOutPut = false;
  std::string MGL_PATH;
  bool IdolePlamorOutPut = false;
  // How the last output run ended, and who hears of each end.
  RunResult LastRun;
  // Set when the server itself stops the run (it is ending): the run takes
  // the cancel path and is reported as failed with this text.
  std::string StopReason;
  RunEndedListener RunEnded;
  // Runs when the run's file is complete, before it is put in place (may
  // ask the run to stop).
  std::function<void()> FileComplete;
  // Ends the output run: IdolePlamorOutPut False, LastRun = outcome, the
  // listener told.
  void EndRun(RunResult outcome);

  // ---- Registration ----
  void En(double x, double y, double r, const LineOptions& options = {});
  void Enko(double x, double y, double r, double sAng, double mang, const LineOptions& options = {});
  void Daen(double x, double y, double xr, double yr, double lang = 0, const LineOptions& options = {});
  void Daenko(double x, double y, double xr, double yr, double sAng, double mang, double lang = 0,
              const LineOptions& options = {});
  void Sen(double x1, double y1, double x2, double y2, const LineOptions& options = {});
  void Moji(double x, double y, const std::string& cText, std::int32_t tStyl = 0, double cAng = 0,
            double tAng = 0, const TextOptions& options = {});
  void MojiExt(double x, double y, const std::string& cText, std::int32_t tStyl = 0, double cAng = 0,
               double tAng = 0, const TextOptions& options = {}, const OptionalArg& vFontType = {});
  // Empties the store, resets the counters and Cancel; state, labels and list stay.
  void Clear();

  std::int32_t YousoCount() const { return store_.Count(); }
  ElementStore& Elements() { return store_; }
  const ElementStore& Elements() const { return store_; }

  // ---- Window ----
  // Shows the window with the status line, fresh counts and no progress bar.
  void ShowDialog();
  // The cancel button: asks, and sets Cancel on Yes.
  void OnCancelButton();
  // A close request; byUser for the close box or system menu (asks, never
  // closes), otherwise the store is emptied and the close may proceed.
  // Returns true when the window may close.
  bool OnCloseRequest(bool byUser);

  // Merges touching and overlapping horizontal and vertical line pieces.
  void OptimizeLines();

  // ---- Output ----
  // The paint handler: a pending output request starts the output run.
  void OnPaint();
  // One output run; true when a file was written complete.
  bool OutPutPlamor(const std::string& MGLPath);
  // Writes the memo file beside the standard drawing file; true on success.
  bool OutPutMet();
  // The save-file dialog: the chosen path, "" when the user cancels.
  std::string AskSaveFileName();
  // Asks for the output file from the folder FilePath; sets FileName and FilePath.
  std::string OpenFileNameDlg();
  SaveFileDialog CommonDialog1;

  DlgView& View() { return view_; }
  EventPump& Pump() { return *pump_; }
  ListView& Lv() { return lv_; }

 private:
  struct ShapeAttributes {
    std::int32_t pen;
    std::int32_t style;
    double pich;
    std::int16_t layer;
  };
  ShapeAttributes ResolveShape(const LineOptions& options) const;
  void AddCircle(RegKind kind, double x, double y, double xr, double yr, double sAng, double mang,
                 double lang, const LineOptions& options);
  void AddText(double x, double y, const std::string& cText, std::int32_t tStyl, double cAng,
               double tAng, const TextOptions& options, const OptionalArg* vFontType);
  void File(RegKind kind, std::unique_ptr<clsZElement> element);
  double Round(double value) const;
  void ShowCounts();
  int AskCancel();  // the cancel confirmation; returns the answer

  DlgView& view_;
  EventPump* pump_;
  ElementStore store_;
  ListView lv_;
  clsPaper paper_;
  double paperTate_ = 594;
  double paperYoko_ = 841;
  std::int32_t style_ = ktpsolid;
  std::int32_t penNo_ = ktpPEN1;
  std::int16_t layer_ = 1;
  std::int32_t atzKeta_ = 3;
  bool cancel_ = false;
  std::string label_;  // the count label being built
};

}  // namespace plamor
