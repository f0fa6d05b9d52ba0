#include "platform/folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

namespace fs = std::filesystem;
using namespace plamor::folders;

namespace {

TEST(Folders, DesktopFolderFollowsTheUserDirsFile) {
  const fs::path root = fs::temp_directory_path() / ("folders_test_" + std::to_string(getpid()));
  fs::create_directories(root / "config");
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("HOME", "/home/u", 1);
  auto desktopWith = [&](const std::string& text) {
    std::ofstream(root / "config" / "user-dirs.dirs") << text;
    return DesktopFolder();
  };
  EXPECT_EQ(DesktopFolder(), "/home/u/Desktop") << "no user-dirs.dirs";
  EXPECT_EQ(desktopWith("# c\nXDG_MUSIC_DIR=\"$HOME/M\"\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ/\"\n"),
            "/home/u/デスクトップ");
  EXPECT_EQ(desktopWith("XDG_DESKTOP_DIR=\"/srv/desk\"\n"), "/srv/desk");
  EXPECT_EQ(desktopWith("XDG_DESKTOP_DIR=\"$HOME\"\n"), "/home/u");
  EXPECT_EQ(desktopWith("XDG_DESKTOP_DIR=\"relative\"\n#XDG_DESKTOP_DIR=\"/c\"\n"), "/home/u/Desktop");
  fs::remove_all(root);
}

TEST(Folders, ProgramAndModuleFoldersAndFileLookupWithoutCase) {
  const fs::path program = ProgramFolder();
  EXPECT_TRUE(fs::exists(program / "platform_folders_test")) << program;
  static int local = 0;
  EXPECT_EQ(ModuleFolder(&local), program);
  const fs::path libm = ModuleFolder(reinterpret_cast<const void*>(static_cast<double (*)(double)>(&::cos)));
  EXPECT_FALSE(libm.empty());
  EXPECT_NE(libm, program);

  const fs::path root = fs::temp_directory_path() / ("folders_find_" + std::to_string(getpid()));
  fs::create_directories(root);
  std::ofstream(root / "M_G_L.KVD") << "x";
  EXPECT_EQ(FindFileNoCase(root, "m_g_l.kvd"), root / "M_G_L.KVD");
  std::ofstream(root / "m_g_l.kvd") << "y";
  EXPECT_EQ(FindFileNoCase(root, "m_g_l.kvd"), root / "m_g_l.kvd") << "an exact match wins";
  for (const char* name : {"M_G_L.KVX", "", "..", "x/../M_G_L.KVD"}) EXPECT_EQ(FindFileNoCase(root, name), std::nullopt);
  EXPECT_EQ(FindFileNoCase(root / "missing", "M_G_L.KVD"), std::nullopt);
  fs::remove_all(root);
}

TEST(Folders, DataFilesBesideTheProgramOrInTheInstallation) {
  const fs::path prefix = fs::temp_directory_path() / ("folders_data_" + std::to_string(getpid()));
  const fs::path bin = prefix / "bin", lib = prefix / "lib", multiarch = lib / "x86_64-linux-gnu";
  for (const fs::path& folder : {bin, multiarch, prefix / "share" / "plamor"}) fs::create_directories(folder);
  EXPECT_EQ(DataFile(bin, "M_G_L.KVD"), bin / "M_G_L.KVD") << "nowhere: the name in the folder itself";
  std::ofstream(prefix / "share" / "plamor" / "M_G_L.KVD") << "installed";
  for (const fs::path& folder : {bin, lib, multiarch})
    EXPECT_EQ(DataFile(folder, "m_g_l.kvd"), prefix / "share" / "plamor" / "M_G_L.KVD") << folder;
  std::ofstream(bin / "m_g_l.kvd") << "beside the program";
  EXPECT_EQ(DataFile(bin, "M_G_L.KVD"), bin / "m_g_l.kvd") << "the program's own folder comes first";
  const fs::path elsewhere = prefix / "opt" / "tools" / "x" / "bin";
  EXPECT_EQ(DataFile(elsewhere, "M_G_L.KVD"), elsewhere / "M_G_L.KVD") << "no further up than the prefix";
  fs::remove_all(prefix);
}

}  // namespace
