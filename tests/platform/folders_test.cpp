#include "platform/folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

namespace fs = std::filesystem;
using namespace plamor::folders;

namespace {

class FoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("folders_test_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "config");
    fs::create_directories(root_ / "home");
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("HOME", (root_ / "home").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }
  void UserDirs(const std::string& text) { std::ofstream(root_ / "config" / "user-dirs.dirs") << text; }

  fs::path root_;
};

TEST_F(FoldersTest, DesktopFolderFollowsTheUserDirsFile) {
  EXPECT_EQ(DesktopFolder(), root_ / "home" / "Desktop") << "no user-dirs.dirs";

  UserDirs("# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ/\"\n");
  EXPECT_EQ(DesktopFolder(), root_ / "home" / "デスクトップ");

  UserDirs("XDG_DESKTOP_DIR=\"/srv/desk\"\n");
  EXPECT_EQ(DesktopFolder(), fs::path("/srv/desk"));

  UserDirs("XDG_DESKTOP_DIR=\"$HOME\"\n");
  EXPECT_EQ(DesktopFolder(), root_ / "home") << "desktop set to the home folder";

  UserDirs("XDG_DESKTOP_DIR=\"relative/path\"\n#XDG_DESKTOP_DIR=\"/commented\"\n");
  EXPECT_EQ(DesktopFolder(), root_ / "home" / "Desktop") << "a relative path is not used";

  ::setenv("XDG_CONFIG_HOME", "not/absolute", 1);
  fs::create_directories(root_ / "home" / ".config");
  std::ofstream(root_ / "home" / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/D\"\n";
  EXPECT_EQ(DesktopFolder(), root_ / "home" / "D") << "~/.config serves for a relative XDG_CONFIG_HOME";
}

TEST_F(FoldersTest, ProgramAndModuleFoldersAreWhereTheFilesAre) {
  const fs::path program = ProgramFolder();
  EXPECT_TRUE(fs::exists(program / "platform_folders_test")) << program;
  static int local = 0;
  EXPECT_EQ(ModuleFolder(&local), program);
  const fs::path libm = ModuleFolder(reinterpret_cast<const void*>(static_cast<double (*)(double)>(&::cos)));
  EXPECT_FALSE(libm.empty());
  EXPECT_NE(libm, program);
}

TEST_F(FoldersTest, FileNamesAreFoundWithoutRegardToCase) {
  std::ofstream(root_ / "M_G_L.KVD") << "x";
  EXPECT_EQ(FindFileNoCase(root_, "m_g_l.kvd"), root_ / "M_G_L.KVD");
  EXPECT_EQ(FindFileNoCase(root_, "M_G_L.KVD"), root_ / "M_G_L.KVD");
  std::ofstream(root_ / "m_g_l.kvd") << "y";
  EXPECT_EQ(FindFileNoCase(root_, "m_g_l.kvd"), root_ / "m_g_l.kvd") << "an exact match wins";
  EXPECT_EQ(FindFileNoCase(root_, "M_G_L.KVX"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(root_ / "missing", "M_G_L.KVD"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(root_, ".."), std::nullopt);
  EXPECT_EQ(FindFileNoCase(root_, "home/../M_G_L.KVD"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(root_, ""), std::nullopt);
}

}  // namespace
