#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/temporary_files.h"

namespace fs = std::filesystem;
using namespace plamor::tempfiles;

namespace {

// A process id that no process has: that of a child that has ended.
long EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

}  // namespace

TEST(TemporaryFiles, NamesFitTheFileSystemAndFollowOneScheme) {
  const std::string pid = std::to_string(::getpid());
  const fs::path plain = BesideTarget("/data/plan.dxf");
  EXPECT_EQ(plain.parent_path(), "/data");
  EXPECT_EQ(plain.filename().string().rfind(".plan.dxf." + pid + "-", 0), 0u) << plain;
  EXPECT_EQ(plain.extension(), ".part");
  const fs::path kept = BesideTarget("/data/plan.dxf", ".dxf");
  EXPECT_EQ(kept.extension(), ".dxf");
  EXPECT_NE(kept, BesideTarget("/data/plan.dxf", ".dxf"));  // counted on

  long parsed = 0;
  EXPECT_TRUE(IsTemporaryName(plain.filename().string(), parsed));
  EXPECT_EQ(parsed, ::getpid());
  EXPECT_TRUE(IsTemporaryName(kept.filename().string(), parsed));
  EXPECT_TRUE(IsTemporaryName(".a.plm.12-0.part.MET", parsed));
  EXPECT_EQ(parsed, 12);
  for (const char* other : {"plan.dxf", ".plan.dxf", ".plan.12-0.partial", ".plan.x12-0.part", ".plan.12-.part",
                            ".plan.12-0.part.dxf.bak", "..12-0", ".plan.0-0.part", ".p.99999999999-0.part"})
    EXPECT_FALSE(IsTemporaryName(other, parsed)) << other;

  // Names of up to 255 bytes (in characters of three bytes, too) keep a
  // temporary name of at most 255 bytes, cut between characters.
  for (std::size_t size = 240; size <= 255; ++size) {
    const std::string name = std::string(size - 4, 'n') + ".plm";
    for (const fs::path& t : {BesideTarget("/d/" + name), BesideTarget("/d/" + name, ".plm")}) {
      EXPECT_LE(t.filename().string().size(), kMaxNameBytes) << size;
      EXPECT_TRUE(IsTemporaryName(t.filename().string(), parsed));
    }
  }
  std::string kanji;
  while (kanji.size() + 3 <= 255) kanji += "川";
  const std::string cut = BesideTarget("/d/" + kanji).filename().string();
  EXPECT_LE(cut.size(), kMaxNameBytes);
  EXPECT_EQ((cut.find('.', 1) - 1) % 3, 0u) << cut;  // whole characters before the decoration
}

TEST(TemporaryFiles, OnlyTheFilesOfEndedProcessesAreRemoved) {
  const fs::path folder = fs::temp_directory_path() / ("plamor-stale-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string dead = std::to_string(EndedProcessId());
  const std::string alive = std::to_string(::getppid());
  const fs::path stale[] = {folder / (".plan.dxf." + dead + "-0.part"), folder / (".plan.plm." + dead + "-2.part.plm"),
                            folder / (".plan.plm." + dead + "-2.part.MET")};
  const fs::path kept[] = {folder / (".plan.dxf." + alive + "-0.part"), folder / "plan.dxf",
                           folder / (".notes." + dead + "-1.txt"), folder / (".plan.dxf." + dead + "-0.partial")};
  for (const auto& f : stale) Touch(f);
  for (const auto& f : kept) Touch(f);
  fs::create_directory(folder / (".sub." + dead + "-0.part"));  // a folder is never removed
  RemoveStale(folder);
  for (const auto& f : stale) EXPECT_FALSE(fs::exists(f)) << f;
  for (const auto& f : kept) EXPECT_TRUE(fs::exists(f)) << f;
  EXPECT_TRUE(fs::is_directory(folder / (".sub." + dead + "-0.part")));
  RemoveStale(folder / "missing");  // nothing to do, no error
  fs::remove_all(folder);
}
