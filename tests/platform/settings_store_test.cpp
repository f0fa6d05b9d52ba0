#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace plamor::settings;

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("settings_store_test_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string Read(const std::string& name) {
    std::stringstream s;
    s << std::ifstream(root_ / "tessaro" / name, std::ios::binary).rdbuf();
    return s.str();
  }
  fs::path root_;
};

TEST_F(SettingsStoreTest, SavedValuesComeBackAndMissingOnesGiveTheDefault) {
  EXPECT_EQ(GetSetting("Corvane", "Common", "PlamorFilePath", "/d/"), "/d/");
  EXPECT_FALSE(fs::exists(root_ / "tessaro")) << "reading creates nothing";
  SaveSetting("Corvane", "Common", "PlamorFilePath", "/data/図面/");
  EXPECT_EQ(Read("Corvane.ini"), "[Common]\nPlamorFilePath=/data/図面/\n");
  EXPECT_EQ(GetSetting("corvane", "COMMON", "plamorfilepath"), "/data/図面/") << "names ignore case";
  EXPECT_EQ(GetSetting("Corvane", "Other", "PlamorFilePath", "-"), "-");
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "tessaro"), {}), 1) << "no temporary left";

  const std::string values[] = {"", " both ends\t", "a=b", "C:\\p\\", "l1\nl2\r\n",
                                std::string("nul\0x", 5), "\\s\\n", "[S]", "; c"};
  for (std::size_t i = 0; i < std::size(values); ++i) SaveSetting("A", "S", "k" + std::to_string(i), values[i]);
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(GetSetting("A", "S", "k" + std::to_string(i), "missing"), values[i]) << i;
  }
}

TEST_F(SettingsStoreTest, RewritesKeepForeignLinesAndDropEmptiedSections) {
  fs::create_directories(root_ / "tessaro");
  std::ofstream(root_ / "tessaro" / "HQ.ini") << "; by hand\r\n[Pen]\r\nKansoku = 2\r\nstray\r\n\r\n[X]\r\nx=1\r\n";
  EXPECT_EQ(GetSetting("HQ", "pen", "kansoku"), "2");
  SaveSetting("HQ", "Pen", "KANSOKU", "3");
  SaveSetting("HQ", "Pen", "Keisan", "4");
  SaveSetting("HQ", "New", "y", "5");
  EXPECT_EQ(Read("HQ.ini"), "; by hand\n[Pen]\nKANSOKU=3\nstray\nKeisan=4\n\n[X]\nx=1\n\n[New]\ny=5\n");
  DeleteSetting("HQ", "new", "Y");
  DeleteSetting("HQ", "X", "missing");
  EXPECT_EQ(Read("HQ.ini"), "; by hand\n[Pen]\nKANSOKU=3\nstray\nKeisan=4\n\n[X]\nx=1\n");
  DeleteSetting("Nobody", "S", "k");
  EXPECT_FALSE(fs::exists(root_ / "tessaro" / "Nobody.ini"));
}

TEST_F(SettingsStoreTest, UnusableFilesAndNamesAreNamedErrorsThatLoseNothing) {
  const fs::path file = root_ / "tessaro" / "Corvane.ini";
  fs::create_directories(file);  // a folder where the file should be
  try {
    GetSetting("Corvane", "Common", "k");
    FAIL() << "a folder cannot be read as settings";
  } catch (const SettingsError& e) {
    EXPECT_EQ(e.file(), file);
    EXPECT_NE(std::string(e.what()).find("Corvane.ini"), std::string::npos) << e.what();
  }
  EXPECT_THROW(SaveSetting("Corvane", "Common", "k", "v"), SettingsError);
  EXPECT_THROW(DeleteSetting("Corvane", "Common", "k"), SettingsError);
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "tessaro"), {}), 1) << "no temporary left";

  std::ofstream(root_ / "plain") << "x";  // the settings folder cannot be made under a file
  setenv("XDG_CONFIG_HOME", (root_ / "plain").c_str(), 1);
  EXPECT_THROW(SaveSetting("Corvane", "Common", "k", "v"), SettingsError);
  EXPECT_EQ(GetSetting("Corvane", "Common", "k", "default"), "default");

  for (const char* app : {"", "..", "../x"}) EXPECT_THROW(SettingsFile(app), SettingsError) << app;
  for (const char* section : {"", "a]b", " s"}) EXPECT_THROW(SaveSetting("A", section, "k", "v"), SettingsError);
  for (const char* key : {"", "a=b", "k ", "k\nx", "[k", ";k"}) EXPECT_THROW(SaveSetting("A", "S", key, "v"), SettingsError);
}

}  // namespace
