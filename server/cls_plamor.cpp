#include "server/cls_plamor.h"

#include "platform/host_paths.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "server/automation_error.h"
#include "server/dialog/dlg_view.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/plamor_dlg.h"
#include "server/dialog/topmost_window.h"
#include "server/types.h"

namespace plamor {
namespace {

constexpr const char* kApp = "Corvane";
constexpr const char* kSection = "Common";
constexpr const char* kFilePathKey = "PlamorFilePath";

}  // namespace

clsPlamor::clsPlamor(std::unique_ptr<DlgView> view, std::unique_ptr<EventPump> pump)
    : view_(std::move(view)),
      pump_(pump ? std::move(pump) : std::make_unique<NoEventPump>()),
      settings_(&Settings()) {
  ModuleSettings& s = *settings_;
  s.RoundColum = 6;
  dlg_ = std::make_unique<frmPlamorDlg>(*view_, pump_.get());
  frmPlamorDlg* dlg = dlg_.get();
  view_->SetPaintHandler([this, dlg] {
    ScopedSettings apartment(settings_);
    prompts::ScopedPrompter scope(prompter_);
    dlg->OnPaint();
  });
  SetWindowTopMost(view_.get());
  try {
    s.FilePath = settings::GetSetting(kApp, kSection, kFilePathKey,
                                      folders::GetSpecialFolderPath(folders::kDesktopFolderId));
  } catch (const std::exception&) {
    s.FilePath = folders::GetSpecialFolderPath(folders::kDesktopFolderId);  // an unreadable settings file
  }
  s.DxfPenColor = kDxfPenColors;
}

clsPlamor::~clsPlamor() {
  ScopedSettings apartment(settings_);
  try {
    settings::SaveSetting(kApp, kSection, kFilePathKey, Settings().FilePath);
  } catch (...) {
  }
  if (!dlg_) return;
  try {
    ClearWindowTopMost(view_.get());
    view_->Hide();
  } catch (...) {
  }
  dlg_.reset();
}

void clsPlamor::UsePrompter(prompts::Prompter* prompter) { prompter_ = prompter; }

void clsPlamor::RefuseWhileWriting(const char* member) const {
  if (dlg_->IdolePlamorOutPut)
    throw AutomationError(kErrBusy, std::string(member) +
                                        ": the drawing is being written; wait until "
                                        "IdolePlamorOutPut is False");
}

void clsPlamor::put_Optimaze(std::int32_t v) {
  RefuseWhileWriting("Optimaze");
  dlg_->Optimaze = v;
}
std::int32_t clsPlamor::get_Optimaze() { return dlg_->Optimaze; }
void clsPlamor::put_AutoSize(bool v) {
  RefuseWhileWriting("AutoSize");
  dlg_->SetAutoSize(v);
}
bool clsPlamor::get_AutoSize() { return dlg_->AutoSize(); }
void clsPlamor::put_AtzKeta(std::int32_t v) {
  RefuseWhileWriting("AtzKeta");
  dlg_->SetAtzKeta(v);
}
std::int32_t clsPlamor::get_AtzKeta() { return dlg_->AtzKeta(); }
std::int32_t clsPlamor::get_Count() { return dlg_->YousoCount(); }
bool clsPlamor::get_DispCancelDlg() { return dlg_->DispCancelDlg; }
bool clsPlamor::get_IdolePlamorOutPut() { return dlg_->IdolePlamorOutPut; }
bool clsPlamor::get_Cancel() { return dlg_->Cancel(); }
void clsPlamor::put_FileName(const std::string& v) {
  RefuseWhileWriting("FileName");
  dlg_->FileName = v;
}
std::string clsPlamor::get_FileName() { return dlg_->FileName; }
void clsPlamor::put_FilePath(const std::string& v) { Settings().FilePath = v; }
std::string clsPlamor::get_FilePath() { return Settings().FilePath; }
void clsPlamor::put_Memo(const std::string& v) {
  RefuseWhileWriting("Memo");
  dlg_->Memo = v;
}
std::string clsPlamor::get_Memo() { return dlg_->Memo; }
void clsPlamor::put_RoundColum(std::int32_t v) { Settings().RoundColum = v; }
std::int32_t clsPlamor::get_RoundColum() { return Settings().RoundColum; }
void clsPlamor::put_pich(double v) { dlg_->pich = v; }
double clsPlamor::get_pich() { return dlg_->pich; }
void clsPlamor::put_TextWidth(double v) { dlg_->mTextWidth = v; }
double clsPlamor::get_TextWidth() { return dlg_->mTextWidth; }
void clsPlamor::put_TextHeight(double v) { dlg_->mTextHeight = v; }
double clsPlamor::get_TextHeight() { return dlg_->mTextHeight; }
void clsPlamor::put_TextBetween(double v) { dlg_->TextBetween = v; }
double clsPlamor::get_TextBetween() { return dlg_->TextBetween; }
void clsPlamor::put_TextKiten(std::int32_t v) { dlg_->TextKiten = v; }
std::int32_t clsPlamor::get_TextKiten() { return dlg_->TextKiten; }
void clsPlamor::put_Style(std::int32_t v) { dlg_->SetStyle(v); }
std::int32_t clsPlamor::get_Style() { return dlg_->Style(); }
void clsPlamor::put_Layer(std::int16_t v) { dlg_->SetLayer(v); }
std::int16_t clsPlamor::get_Layer() { return dlg_->Layer(); }
void clsPlamor::put_pen(std::int32_t v) { dlg_->SetPen(v); }
std::int32_t clsPlamor::get_pen() { return dlg_->pen(); }
void clsPlamor::put_Paper(std::int32_t v) {
  RefuseWhileWriting("Paper");
  dlg_->Paper = v;
}
std::int32_t clsPlamor::get_Paper() { return dlg_->Paper; }
void clsPlamor::put_PaperScale(double v) {
  RefuseWhileWriting("PaperScale");
  RequireFinite(v, "PaperScale");
  dlg_->PaperScale = v;
}
double clsPlamor::get_PaperScale() { return dlg_->PaperScale; }
void clsPlamor::put_PaperTate(double v) {
  RefuseWhileWriting("PaperTate");
  RequireFinite(v, "PaperTate");
  dlg_->SetPaperTate(v);
}
double clsPlamor::get_PaperTate() { return dlg_->PaperTate(); }
void clsPlamor::put_PaperYoko(double v) {
  RefuseWhileWriting("PaperYoko");
  RequireFinite(v, "PaperYoko");
  dlg_->SetPaperYoko(v);
}
double clsPlamor::get_PaperYoko() { return dlg_->PaperYoko(); }
void clsPlamor::put_PaperSize(std::int32_t v) {
  RefuseWhileWriting("PaperSize");
  dlg_->SetPaperSize(v);
}
std::int32_t clsPlamor::get_PaperSize() { return dlg_->PaperSize(); }

void clsPlamor::En(double x, double y, double r, const LineOptions& o) {
  RefuseWhileWriting("En");
  dlg_->En(x, y, r, o);
}
void clsPlamor::Enko(double x, double y, double r, double sAng, double mang, const LineOptions& o) {
  RefuseWhileWriting("Enko");
  dlg_->Enko(x, y, r, sAng, mang, o);
}
void clsPlamor::Daen(double x, double y, double xr, double yr, double lang, const LineOptions& o) {
  RefuseWhileWriting("Daen");
  dlg_->Daen(x, y, xr, yr, lang, o);
}
void clsPlamor::Daenko(double x, double y, double xr, double yr, double sAng, double mang,
                       double lang, const LineOptions& o) {
  RefuseWhileWriting("Daenko");
  dlg_->Daenko(x, y, xr, yr, sAng, mang, lang, o);
}
void clsPlamor::Sen(double x1, double y1, double x2, double y2, const LineOptions& o) {
  RefuseWhileWriting("Sen");
  dlg_->Sen(x1, y1, x2, y2, o);
}
void clsPlamor::Moji(double x, double y, const std::string& cText, std::int32_t tStyl, double cAng,
                     double tAng, const TextOptions& o) {
  if (cText.empty()) return;  // an empty text registers nothing
  RefuseWhileWriting("Moji");
  dlg_->Moji(x, y, cText, tStyl, cAng, tAng, o);
}
void clsPlamor::MojiExtMsM(double x, double y, const std::string& cText, std::int32_t tStyl,
                           double cAng, double tAng, const TextOptions& o) {
  RefuseWhileWriting("MojiExtMsM");
  dlg_->MojiExt(x, y, cText, tStyl, cAng, tAng, o, OptionalArg(1));
}
void clsPlamor::MojiExtMsG(double x, double y, const std::string& cText, std::int32_t tStyl,
                           double cAng, double tAng, const TextOptions& o) {
  RefuseWhileWriting("MojiExtMsG");
  dlg_->MojiExt(x, y, cText, tStyl, cAng, tAng, o, OptionalArg(2));
}
void clsPlamor::Clear() {
  RefuseWhileWriting("Clear");
  dlg_->Clear();
}
void clsPlamor::ShowDialog() { dlg_->ShowDialog(); }
void clsPlamor::HideDialog() { view_->Hide(); }

void clsPlamor::OutPutPlamor(const std::string& MGLPath) {
  RefuseWhileWriting("OutPutPlamor");
  dlg_->IdolePlamorOutPut = true;
  dlg_->LastRun = {RunState::kRunning, "", ""};
  dlg_->StopReason.clear();
  view_->Hide();
  dlg_->MGL_PATH = MGLPath;
  dlg_->StartOutPut = true;
  view_->Show();  // the next paint of the dialog starts the run
}

std::string clsPlamor::OpenFileNameDlg() {
  RefuseWhileWriting("OpenFileNameDlg");
  return dlg_->OpenFileNameDlg();
}
void clsPlamor::put_HouiAngle(double v) {
  RefuseWhileWriting("HouiAngle");
  RequireFinite(v, "HouiAngle");
  dlg_->HouiAngle = v;
}
double clsPlamor::get_HouiAngle() { return dlg_->HouiAngle; }
void clsPlamor::put_GentenX(double v) {
  RefuseWhileWriting("GentenX");
  RequireFinite(v, "GentenX");
  dlg_->GentenX = v;
}
double clsPlamor::get_GentenX() { return dlg_->GentenX; }
void clsPlamor::put_GentenY(double v) {
  RefuseWhileWriting("GentenY");
  RequireFinite(v, "GentenY");
  dlg_->GentenY = v;
}
double clsPlamor::get_GentenY() { return dlg_->GentenY; }
void clsPlamor::put_PlamorFlg(std::int32_t v) {
  RefuseWhileWriting("PlamorFlg");
  dlg_->PlamorFlg = v;
}
std::int32_t clsPlamor::get_PlamorFlg() { return dlg_->PlamorFlg; }
void clsPlamor::CancelOutput(const std::string& reason) {
  if (!dlg_->IdolePlamorOutPut) return;
  if (dlg_->StartOutPut) {  // asked for but not started: it never starts
    dlg_->StartOutPut = false;
    view_->Hide();
    dlg_->EndRun(reason.empty() ? RunResult{RunState::kCancelled, "", ""} : RunResult{RunState::kFailed, "", reason});
    return;
  }
  dlg_->StopReason = reason;
  dlg_->SetCancel(true);
}

void clsPlamor::OnFileComplete(std::function<void()> check) { dlg_->FileComplete = std::move(check); }

RunResult clsPlamor::get_RunResult() { return dlg_->LastRun; }
void clsPlamor::OnRunEnded(RunEndedListener listener) { dlg_->RunEnded = std::move(listener); }
void clsPlamor::AwaitRunEvent() { pump_->WaitForEvents(); }

void clsPlamor::put_DXFOnly(bool v) {
  RefuseWhileWriting("DXFOnly");
  dlg_->DXF_Only = v;
}
bool clsPlamor::get_DXFOnly() { return dlg_->DXF_Only; }

void clsPlamor::put_LayerName(std::int16_t Index, const std::string& v) {
  if (Index >= 1 && Index <= 128) Settings().LayerName[Index] = v;
}
std::string clsPlamor::get_LayerName(std::int16_t Index) {
  return Index >= 1 && Index <= 128 ? Settings().LayerName[Index] : std::string();
}

}  // namespace plamor
