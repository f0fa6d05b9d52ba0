// A recorded drawing server for tests of the charts' drawing output: the
// factory of the host entry hands out a recording drawing that keeps its
// calls after it is released, tells whether it was released, can fail on a
// chosen call and can stay busy until it reports a cancel.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "server/automation_error.h"
#include "server/host/host_entry.h"
#include "tests/support/recording_plamor.h"
#include "tests/support/qt_app.h"

namespace charts_test {

// What one drawing went through.
struct DrawingLog {
  std::vector<std::string> calls;
  bool released = false;
  int created = 0;
  std::string identifier;
  plamor::host::Transport transport = plamor::host::Transport::DBus;
};

// The settings every drawing starts from.
inline std::vector<std::string> A3SetUp() {
  return {"DXFOnly = True", "PaperScale = 1", "PaperSize = 3", "ShowDialog", "FileName = \"\"", "Style = 0",
          "pich = 2",       "pen = 1",        "Layer = 1",     "TextHeight = 3", "TextWidth = 2",
          "TextBetween = 0", "TextKiten = 0"};
}

// The output call with the stroke-font file beside the library.
inline std::string OutputCall() { return "OutPutPlamor \"" + std::string(PLAMOR_BIN_DIR) + "/M_g_l.kvd\""; }

class TrackedPlamor : public plamor::testing::RecordingPlamor {
 public:
  // failAt: the recorded call (1-based) that fails instead, 0 for none.
  // cancelAfterPolls: >0 keeps the output busy and reports a cancel on that poll.
  TrackedPlamor(DrawingLog& log, std::size_t failAt, int cancelAfterPolls)
      : log_(log), failAt_(failAt), cancelAfterPolls_(cancelAfterPolls) {}
  ~TrackedPlamor() override {
    log_.calls = calls;
    log_.released = true;
  }

  void Sen(double x1, double y1, double x2, double y2, const plamor::LineOptions& o) override {
    Step();
    RecordingPlamor::Sen(x1, y1, x2, y2, o);
  }
  void En(double x, double y, double r, const plamor::LineOptions& o) override {
    Step();
    RecordingPlamor::En(x, y, r, o);
  }
  void Moji(double x, double y, const std::string& t, std::int32_t s, double c, double a,
            const plamor::TextOptions& o) override {
    Step();
    RecordingPlamor::Moji(x, y, t, s, c, a, o);
  }
  void MojiExtMsM(double x, double y, const std::string& t, std::int32_t s, double c, double a,
                  const plamor::TextOptions& o) override {
    Step();
    RecordingPlamor::MojiExtMsM(x, y, t, s, c, a, o);
  }
  void OutPutPlamor(const std::string& path) override {
    Step();
    RecordingPlamor::OutPutPlamor(path);
  }
  bool get_IdolePlamorOutPut() override {
    if (cancelAfterPolls_ > 0) return true;
    return RecordingPlamor::get_IdolePlamorOutPut();
  }
  bool get_Cancel() override { return cancelAfterPolls_ > 0 && ++polls_ >= cancelAfterPolls_; }

 private:
  void Step() {
    if (failAt_ != 0 && calls.size() + 1 == failAt_)
      throw plamor::AutomationError(plamor::kErrInvalidArgument, "recorded failure");
  }

  DrawingLog& log_;
  std::size_t failAt_;
  int cancelAfterPolls_;
  int polls_ = 0;
};

class DrawingServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { plamor::testing::App(); }
  void SetUp() override {
    ASSERT_TRUE(config_.isValid());
    setenv("XDG_CONFIG_HOME", config_.path().toStdString().c_str(), 1);
    UseServer();
  }
  void TearDown() override { plamor::host::SetPlamorFactory({}); }

  // The next drawings are recorded; see TrackedPlamor for the two options.
  void UseServer(std::size_t failAt = 0, int cancelAfterPolls = 0) {
    plamor::host::SetPlamorFactory([this, failAt, cancelAfterPolls](std::string_view id, plamor::host::Transport t) {
      ++log_.created;
      log_.identifier = std::string(id);
      log_.transport = t;
      return std::make_unique<TrackedPlamor>(log_, failAt, cancelAfterPolls);
    });
  }
  // A server that cannot be started.
  void UseUnreachableServer() {
    plamor::host::SetPlamorFactory([this](std::string_view, plamor::host::Transport) -> std::unique_ptr<plamor::IPlamor> {
      ++log_.created;
      throw plamor::AutomationError(plamor::kErrCannotCreateObject, "drawing server cannot be started");
    });
  }

  QTemporaryDir config_;
  DrawingLog log_;
};

// Compares two call lists line by line, so that a failure names the first
// differing call instead of printing both lists whole.
inline void ExpectCalls(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    ASSERT_EQ(actual[i], expected[i]) << "call " << i + 1;
  EXPECT_EQ(actual.size(), expected.size());
}

}  // namespace charts_test
