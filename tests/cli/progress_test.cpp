// The progress of a long run: a bar redrawn in place on a terminal, a line at
// every tenth of the work otherwise (never twice for the same tenth).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/progress.h"

namespace plamor::cli {
namespace {

TEST(Progress, BarOnATerminalLinesByTenthsOtherwise) {
  std::ostringstream bar;
  Progress onTerminal("river book", 500, "sections", bar, true);
  onTerminal.Show(120);
  onTerminal.Finish();
  EXPECT_EQ(bar.str(), "\rriver book  [##........]  120/500 sections\n");

  std::ostringstream log;
  Progress inLog("river book", 20, "sections", log, false);
  for (std::size_t done = 1; done <= 20; ++done) inLog.Show(done);
  inLog.Finish();
  const std::string text = log.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
  EXPECT_NE(text.find("river book: 2/20 sections (10%)\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("river book: 20/20 sections (100%)\n"));
}

}  // namespace
}  // namespace plamor::cli
