// Helpers of the output tests: a dialog with a headless view whose pump
// records what the dialog showed at every round of events, the host's output
// request, and a sample drawing.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "server/dialog/dlg_view.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/plamor_dlg.h"
#include "tests/server/writer_test_support.h"

namespace plamor::testing {

// What the dialog showed at one round of events.
struct Round {
  std::string label0, label2, label3;
  int progress = 0;
};

class RecordingPump final : public HeadlessEventPump {
 public:
  explicit RecordingPump(HeadlessDlgView& view) : HeadlessEventPump(view), view_(view) {}
  void ProcessPendingEvents() override {
    ++calls;
    rounds.push_back({view_.labels[0], view_.labels[2], view_.labels[3], view_.progressValue});
    if (onRound) onRound(calls);
    HeadlessEventPump::ProcessPendingEvents();
  }

  int calls = 0;
  std::vector<Round> rounds;
  std::function<void(int call)> onRound;

 private:
  HeadlessDlgView& view_;
};

// The stroke-font file the server finds beside its library, named in lower case.
inline std::string FontPath() { return std::string(PLAMOR_BIN_DIR) + "/m_g_l.kvd"; }

// A line, a circle, an arc and a text on an A3 sheet at scale 2.
inline void AddSampleTo(frmPlamorDlg& dlg) {
  dlg.SetPaperSize(ktpA3);
  dlg.PaperScale = 2;
  dlg.Sen(0, 0, 100, 50);
  dlg.En(50, 50, 20);
  dlg.Enko(10, 10, 5, 0, 90);
  dlg.Moji(20, 30, "ABC");
}

class OutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWriterSettings();
    Settings().RoundColum = 6;
  }

  // What the host's OutPutPlamor does: flag, hide, hand over the font, show.
  void RequestOutput() {
    dlg.IdolePlamorOutPut = true;
    view.Hide();
    dlg.MGL_PATH = FontPath();
    dlg.StartOutPut = true;
    view.Show();
    pump.calls = 0;
    pump.rounds.clear();
  }

  // The paint the shown window gets; round n of the pump is then the n-th element yield.
  void Paint() { view.DeliverPendingPaint(); }

  void AddSample() { AddSampleTo(dlg); }

  // Answers the cancel question with Yes when the pump reaches round `call`.
  void CancelAtRound(int call) {
    prompter->ExpectMessage("図面の作成を中止しますか？", "中止の確認",
                            static_cast<int>(prompts::kYesNo) | prompts::kExclamation | prompts::kDefaultButton2,
                            prompts::kYes);
    pump.onRound = [this, call](int n) {
      if (n == call) dlg.OnCancelButton();
    };
  }

  std::string Path(const std::string& name) const { return (temp / name).string(); }

  TempFolder temp;
  ScopedPrompter prompter;
  HeadlessDlgView view;
  RecordingPump pump{view};
  frmPlamorDlg dlg{view, &pump};
};

}  // namespace plamor::testing
