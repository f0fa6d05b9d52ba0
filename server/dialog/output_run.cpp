#include "server/dialog/output_run.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <optional>
#include <vector>

#include "platform/cp932.h"
#include "platform/folders.h"
#include "platform/numeric_text.h"
#include "platform/prompts.h"
#include "platform/stop_signals.h"
#include "server/automation_error.h"
#include "server/dialog/dlg_view.h"
#include "server/dialog/drawing_writer.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/file_prompts.h"
#include "server/dialog/graphic_binding.h"
#include "server/dialog/plamor_dlg.h"
#include "server/formats/drawing_info.h"
#include "server/formats/output_file.h"
#include "server/formats/write_context.h"

namespace plamor {

namespace {

constexpr const char* kStrokeFontName = "M_G_L.KVD";
constexpr double kPreviewWidth = 84;
constexpr double kPreviewHeight = 59;

// Where the run goes after a step.
enum class Flow { kGoOn, kCancel, kRestart };

Flow FlowOf(SaveResult result) {
  if (result == SaveAskName) return Flow::kRestart;
  if (result == SaveAbort) return Flow::kCancel;
  return Flow::kGoOn;
}

// The answer to a run-time error: Retry repeats the step, Yes asks for another name.
enum class Answer { kRetry, kRestart, kCancel };

Answer AskAbout(const oserr::FileError& error) {
  const std::int32_t answer = AskFileErrorAction(error);
  if (answer == prompts::kRetry) return Answer::kRetry;
  return answer == prompts::kYes ? Answer::kRestart : Answer::kCancel;
}

// A run-time error of a step as the host's error number and description.
oserr::FileError ErrorOf(const std::exception& e) {
  if (const auto* automation = dynamic_cast<const AutomationError*>(&e)) {
    return {automation->Number(), automation->Description()};
  }
  if (dynamic_cast<const std::bad_alloc*>(&e)) return oserr::FromNumber(kErrOutOfMemory);
  return {kErrInvalidArgument, e.what()};
}

// What keeps an existing file from being replaced: a folder in its place, a
// write-protected file or folder. Nothing when it can be replaced or does not exist.
std::optional<oserr::FileError> ReplaceBlocker(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;  // errors of the test are ignored
  if (S_ISDIR(info.st_mode)) return oserr::FromErrno(EISDIR, path);
  if (::access(path.c_str(), W_OK) != 0) return oserr::FromErrno(errno, path);
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  if (::access(folder.c_str(), W_OK) != 0) return oserr::FromErrno(errno, path);
  return std::nullopt;
}

std::filesystem::path ProgramFolder() {
  return folders::ModuleFolder(reinterpret_cast<const void*>(&MakeDiskOutputFile));
}

class OutputRun {
 public:
  OutputRun(frmPlamorDlg& dlg, const OutputFileMaker& makeFile)
      : dlg_(dlg), view_(dlg.View()), pump_(dlg.Pump()), makeFile_(makeFile) {}

  bool Run(const std::string& mglPath);
  // After a run that wrote nothing: true when the user cancelled it (the
  // cancel button, or no file name chosen), false when a message stopped it.
  bool CancelledByUser() const { return nameRefused_ || dlg_.Cancel(); }

 private:
  bool SettleFileName();
  Flow WriteDrawing();
  Flow PreviewPhase();
  Flow OutputPhase();
  Flow WriteFile();
  Flow ConfirmReplaceable();
  Flow OpenWithHeader();
  Flow Guarded(const std::function<void()>& step);
  // The user's cancel, or the host process asked to stop (it ends once the
  // run has given its file up).
  bool CancelRequested() const { return dlg_.Cancel() || stopsignals::Received() != 0; }
  void ResetProgress();
  void ShowProgress(std::int32_t i, std::int32_t count, double& lastShown);
  DrawingInfo Info() const;
  void Abandon();
  void EndPreviewSession();

  frmPlamorDlg& dlg_;
  DlgView& view_;
  EventPump& pump_;
  const OutputFileMaker& makeFile_;
  std::unique_ptr<OutputFile> file_;
  std::optional<DrawingWriter> writer_;  // writes into file_
  ktpPlamorType kind_ = ktpAtz;
  WriteContext context_;  // taken from the host's settings once the kind is known
  std::vector<bool> converted_;  // by store position: ChangeScale done in this run
  bool nameRefused_ = false;     // the save-file dialog was cancelled
};

// Passes prompts on to the prompter of the run and keeps the text of the
// last message box: the message that stopped a failed run.
class MessageWitness final : public prompts::Prompter {
 public:
  MessageWitness() : inner_(prompts::Current()), scope_(this) {}
  int MessageBox(const prompts::MessageBoxRequest& request) override {
    last_ = request.text;
    return inner_.MessageBox(request);
  }
  std::optional<std::string> SaveFileName(const prompts::SaveFileRequest& request) override {
    return inner_.SaveFileName(request);
  }
  const std::string& LastMessage() const { return last_; }

 private:
  prompts::Prompter& inner_;
  prompts::ScopedPrompter scope_;
  std::string last_;
};

bool OutputRun::Run(const std::string& mglPath) {
  dlg_.SetCancel(false);
  if (dlg_.YousoCount() == 0) {
    prompts::Current().MessageBox({"図面作成する要素が見つかりません。", "図面作成失敗",
                                   prompts::kCritical});
    view_.Hide();
    return false;
  }
  const std::string font =
      ResolveStrokeFontPath(mglPath, folders::DataFile(ProgramFolder(), kStrokeFontName).parent_path().string());
  Flow flow = Guarded([&] { Graphic().StartCadDraw(view_.DialogDC(), cp932::FromUtf8(font).c_str()); });
  for (;;) {
    if (flow == Flow::kGoOn) {
      if (!SettleFileName()) {
        nameRefused_ = true;
        EndPreviewSession();
        view_.Hide();
        return false;
      }
      flow = WriteDrawing();
    }
    if (flow == Flow::kGoOn) break;
    Abandon();
    if (flow == Flow::kCancel) {
      EndPreviewSession();
      view_.Hide();
      return false;
    }
    dlg_.FileName.clear();  // the restart path: ask for another name
    flow = Flow::kGoOn;
  }
  if (kind_ == ktpPlm) WriteMemoFile(*makeFile_(), dlg_.FileName, dlg_.Memo);
  EndPreviewSession();
  view_.Hide();
  return true;
}

bool OutputRun::SettleFileName() {
  while (dlg_.FileName.empty()) {
    dlg_.FileName = dlg_.AskSaveFileName();
    if (dlg_.FileName.empty()) return false;
    ktpPlamorType kind = ktpAtz;
    if (!KindFromFileName(dlg_.FileName, kind)) {
      prompts::Current().MessageBox({"ﾌｧｲﾙ名が異常です。　", "", prompts::kOkOnly});
      dlg_.FileName.clear();
    }
  }
  return true;
}

Flow OutputRun::WriteDrawing() {
  if (dlg_.Optimaze > ktpLevel1) {
    if (Flow f = Guarded([&] { dlg_.OptimizeLines(); }); f != Flow::kGoOn) return f;
    if (CancelRequested()) return Flow::kCancel;
  }
  if (!KindFromFileName(dlg_.FileName, kind_)) kind_ = ktpAtz;
  if (dlg_.DXF_Only) kind_ = ktpDxf;
  context_ = BuildWriteContext(kind_, Settings(), dlg_.AtzKeta());
  const WorldWindow world = PreviewWorldWindow(dlg_.PaperTate(), dlg_.PaperYoko(), dlg_.PaperScale);
  Flow f = Guarded([&] {
    const GraphicFunctions& g = Graphic();
    g.SetObjectView(view_.PreviewDC());
    g.SetPlamorView(0, 0, world.width, world.height);
    g.SetMojiWaku(0);
  });
  if (f != Flow::kGoOn) return f;
  f = PreviewPhase();
  return f == Flow::kGoOn ? WriteFile() : f;
}

Flow OutputRun::PreviewPhase() {
  view_.SetLabel(0, kind_ == ktpDxf ? "データ作業中．．．．．．！！" : "イメージ作成中．．．．．．！！");
  for (int i = 1; i < DlgView::kLabelCount; ++i) view_.SetLabel(i, "");
  ResetProgress();
  view_.ClearPreview();
  ElementStore& store = dlg_.Elements();
  const std::int32_t count = store.Count();
  if (converted_.size() < static_cast<std::size_t>(count)) converted_.resize(static_cast<std::size_t>(count));
  double lastShown = -1;
  for (std::int32_t i = 1; i <= count; ++i) {
    clsZElement& element = store.At(i);
    const Flow f = Guarded([&] {
      if (!converted_[static_cast<std::size_t>(i - 1)]) {
        element.ChangeScale(dlg_.PaperScale);
        converted_[static_cast<std::size_t>(i - 1)] = true;
      }
      element.Disp(view_.PreviewDC());
    });
    if (f != Flow::kGoOn) return f;
    ShowProgress(i, count, lastShown);
    pump_.ProcessPendingEvents();
    if (CancelRequested()) return Flow::kCancel;
  }
  view_.RefreshPreview();
  return Flow::kGoOn;
}

Flow OutputRun::WriteFile() {
  for (;;) {
    if (Flow f = ConfirmReplaceable(); f != Flow::kGoOn) return f;
    if (Flow f = OpenWithHeader(); f != Flow::kGoOn) return f;
    if (Flow f = OutputPhase(); f != Flow::kGoOn) return f;
    // A host that ended while the last elements were written may not have
    // been heard of yet: whoever serves the drawing asks now.
    if (dlg_.FileComplete) dlg_.FileComplete();
    if (CancelRequested()) return Flow::kCancel;
    writer_->Trailer();
    const std::optional<oserr::FileError> error = file_->Close();
    if (!error) return Flow::kGoOn;
    const Answer answer = AskAbout(*error);
    if (answer == Answer::kRestart) return Flow::kRestart;
    if (answer == Answer::kCancel) return Flow::kCancel;
    Abandon();  // Retry: the whole file is written again
  }
}

Flow OutputRun::ConfirmReplaceable() {
  const bool replaceable = RetryWhileFileInUse([this] { return ReplaceBlocker(dlg_.FileName); });
  return replaceable ? Flow::kGoOn : Flow::kCancel;
}

Flow OutputRun::OpenWithHeader() {
  for (;;) {
    writer_.reset();
    file_ = makeFile_();
    const std::optional<oserr::FileError> error =
        file_->Open(dlg_.FileName, kind_ == ktpPlm ? OpenMode::kBinary : OpenMode::kText);
    if (!error) break;
    const Answer answer = AskAbout(*error);
    if (answer == Answer::kRestart) return Flow::kRestart;
    if (answer == Answer::kCancel) return Flow::kCancel;
  }
  writer_.emplace(kind_, *file_, context_);
  SaveResult result = SaveOk;
  const DrawingInfo info = Info();
  const Flow f = Guarded([&] { result = writer_->Header(info); });
  if (f != Flow::kGoOn) return f;
  if (Flow r = FlowOf(result); r != Flow::kGoOn) return r;
  return CancelRequested() ? Flow::kCancel : Flow::kGoOn;
}

Flow OutputRun::OutputPhase() {
  view_.SetLabel(0, "図面出力中．．．．．．！！");
  view_.SetLabel(1, "");
  view_.SetLabel(2, "出力先  " + dlg_.FileName);
  view_.SetLabel(3, "");
  ResetProgress();
  if (CancelRequested()) return Flow::kCancel;
  ElementStore& store = dlg_.Elements();
  const std::int32_t count = store.Count();
  double lastShown = -1;
  for (std::int32_t i = 1; i <= count; ++i) {
    if (CancelRequested()) return Flow::kCancel;
    clsZElement& element = store.At(i);
    SaveResult result = SaveOk;
    if (element.Tag.empty()) {
      if (Flow f = Guarded([&] { result = writer_->Element(element); }); f != Flow::kGoOn) return f;
    }
    if (Flow f = FlowOf(result); f != Flow::kGoOn) return f;
    if (CancelRequested()) return Flow::kCancel;
    ShowProgress(i, count, lastShown);
    pump_.ProcessPendingEvents();
    if (CancelRequested()) return Flow::kCancel;
  }
  return Flow::kGoOn;
}

// Runs a step; a run-time error in it asks the user: Retry runs it again.
// Faults of the program itself (logic errors) are not the user's to answer.
Flow OutputRun::Guarded(const std::function<void()>& step) {
  for (;;) {
    oserr::FileError error;
    try {
      step();
      return Flow::kGoOn;
    } catch (const std::runtime_error& e) {
      error = ErrorOf(e);
    } catch (const std::bad_alloc& e) {
      error = ErrorOf(e);
    }
    const Answer answer = AskAbout(error);
    if (answer == Answer::kRestart) return Flow::kRestart;
    if (answer == Answer::kCancel) return Flow::kCancel;
  }
}

void OutputRun::ResetProgress() {
  view_.SetProgressVisible(true);
  view_.SetProgressRange(0, DlgView::kProgressMaximum);
  view_.SetProgressValue(0);
}

void OutputRun::ShowProgress(std::int32_t i, std::int32_t count, double& lastShown) {
  const double fraction = static_cast<double>(i) / count;
  view_.SetProgressValue(numtext::ToInt16(fraction * DlgView::kProgressMaximum));
  if (std::fabs(lastShown - fraction) > 0.01 || i == count) {
    view_.SetLabel(3, "処理中 " + numtext::FormatPercent(fraction));
    lastShown = fraction;
  }
}

DrawingInfo OutputRun::Info() const {
  DrawingInfo info;
  info.PlamorFlg = dlg_.PlamorFlg;
  info.GentenX = dlg_.GentenX;
  info.GentenY = dlg_.GentenY;
  info.HouiAngle = dlg_.HouiAngle;
  info.Paper = dlg_.Paper;
  info.PaperSize = dlg_.PaperSize();
  info.PaperTate = dlg_.PaperTate();
  info.PaperYoko = dlg_.PaperYoko();
  info.PaperScale = dlg_.PaperScale;
  info.AtzKeta = dlg_.AtzKeta();
  info.preview = view_.PreviewDC();
  info.programFolder = ProgramFolder();
  return info;
}

// Gives up the file being written; a file of the same name from before stays.
void OutputRun::Abandon() {
  writer_.reset();
  if (file_) file_->Discard();
  file_.reset();
}

void OutputRun::EndPreviewSession() {
  try {
    Graphic().EndCadDraw();
  } catch (const AutomationError&) {
    // Without the library there is no session to end.
  }
}

}  // namespace

std::unique_ptr<OutputFile> MakeDiskOutputFile() { return std::make_unique<DiskOutputFile>(); }

bool RunOutput(frmPlamorDlg& dlg, const std::string& mglPath, const OutputFileMaker& makeFile) {
  RunResult outcome{RunState::kFailed, "", ""};
  struct EndOfRun {
    frmPlamorDlg& dlg;
    RunResult& outcome;
    ~EndOfRun() { dlg.EndRun(std::move(outcome)); }
  } endOfRun{dlg, outcome};
  MessageWitness witness;
  try {
    OutputRun run(dlg, makeFile);
    const bool written = run.Run(mglPath);
    if (written) {
      std::error_code error;
      const std::filesystem::path full = std::filesystem::absolute(dlg.FileName, error);
      outcome = {RunState::kWritten, error ? dlg.FileName : full.lexically_normal().string(), ""};
    } else if (!dlg.StopReason.empty()) {
      outcome.message = dlg.StopReason;
    } else if (run.CancelledByUser()) {
      outcome = {RunState::kCancelled, "", ""};
    } else {
      outcome.message = witness.LastMessage();
    }
    return written;
  } catch (const std::exception& e) {
    outcome.message = e.what();
    throw;
  }
}

bool KindFromFileName(std::string_view fileName, ktpPlamorType& kind) {
  if (fileName.size() < 3) return false;
  std::string ending(fileName.substr(fileName.size() - 3));
  for (char& c : ending) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (ending == "plm") kind = ktpPlm;
  else if (ending == "atz") kind = ktpAtz;
  else if (ending == "dxf") kind = ktpDxf;
  else return false;
  return true;
}

std::string ResolveStrokeFontPath(const std::string& mglPath, const std::string& programFolder) {
  const std::filesystem::path given(mglPath);
  if (given.has_filename()) {
    std::filesystem::path folder = given.parent_path();
    if (folder.empty()) folder = ".";
    if (auto found = folders::FindFileNoCase(folder, given.filename().string())) {
      std::string name = found->filename().string();
      for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
      std::error_code error;
      if (name == kStrokeFontName && std::filesystem::is_regular_file(*found, error)) {
        return found->string();
      }
    }
  }
  std::string path = programFolder;
  if (path.empty() || path.back() != '/') path += '/';
  return path + kStrokeFontName;
}

WorldWindow PreviewWorldWindow(double paperTate, double paperYoko, double paperScale) {
  const double r = kPreviewHeight / kPreviewWidth;
  if (paperTate / paperYoko < r) {
    return {paperYoko * paperScale, kPreviewHeight * paperYoko * paperScale / kPreviewWidth};
  }
  return {kPreviewWidth * paperTate * paperScale / kPreviewHeight, paperTate * paperScale};
}

// ---- the dialog's members of the output run ----

bool frmPlamorDlg::OutPutPlamor(const std::string& MGLPath) { return RunOutput(*this, MGLPath); }

void frmPlamorDlg::EndRun(RunResult outcome) {
  IdolePlamorOutPut = false;
  LastRun = std::move(outcome);
  if (RunEnded) RunEnded(LastRun);
}

bool frmPlamorDlg::OutPutMet() {
  DiskOutputFile file;
  return WriteMemoFile(file, FileName, Memo);
}

void frmPlamorDlg::OnPaint() {
  if (!StartOutPut) return;
  StartOutPut = false;
  try {
    OutPutPlamor(MGL_PATH);
  } catch (const std::exception& e) {
    // A fault of the program itself ends the run; it must not leave the
    // window up or reach the window system's event handling.
    std::fprintf(stderr, "plamor: the output run stopped: %s\n", e.what());
    view_.Hide();
  }
}

}  // namespace plamor
