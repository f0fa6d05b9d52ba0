#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <algorithm>

namespace fs = std::filesystem;
using namespace plamor::settings;

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("settings_store_test_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }

  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(root_ / "tessaro")) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_;
};

TEST_F(SettingsStoreTest, MissingValuesGiveTheDefaultAndSavedOnesComeBack) {
  EXPECT_EQ(SettingsFile("Corvane"), root_ / "tessaro" / "Corvane.ini");
  EXPECT_EQ(GetSetting("Corvane", "Common", "PlamorFilePath", "/home/u/Desktop/"), "/home/u/Desktop/");
  EXPECT_FALSE(fs::exists(root_ / "tessaro")) << "reading must not create anything";

  SaveSetting("Corvane", "Common", "PlamorFilePath", "/data/図面/");
  EXPECT_EQ(Read(root_ / "tessaro" / "Corvane.ini"), "[Common]\nPlamorFilePath=/data/図面/\n");
  EXPECT_EQ(GetSetting("Corvane", "Common", "PlamorFilePath", "x"), "/data/図面/");
  EXPECT_EQ(GetSetting("corvane", "COMMON", "plamorfilepath"), "/data/図面/")
      << "section and key names match without regard to case";
  EXPECT_EQ(GetSetting("Corvane", "Common", "Other", "fallback"), "fallback");
  EXPECT_EQ(GetSetting("Corvane", "Elsewhere", "PlamorFilePath", "fallback"), "fallback");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Corvane.ini"}) << "no temporary file left";
}

TEST_F(SettingsStoreTest, ValuesOfAnyContentSurviveByteForByte) {
  const std::string values[] = {"",         " lead and trail\t", "a=b=c",  "C:\\path\\to\\",
                                "line1\nline2\r\n", std::string("nul\0byte", 8), "\\s\\n literally",
                                "ペン色 緑", "[NotASection]", "; not a comment"};
  int i = 0;
  for (const std::string& value : values) SaveSetting("App", "S", "k" + std::to_string(i++), value);
  i = 0;
  for (const std::string& value : values) {
    EXPECT_EQ(GetSetting("App", "S", "k" + std::to_string(i++), "missing"), value);
  }
}

TEST_F(SettingsStoreTest, UpdatesKeepOtherSectionsCommentsAndUnknownLines) {
  const fs::path file = root_ / "tessaro" / "HQ.ini";
  Write(file, "; written by hand\r\n[Pen]\r\nKansoku = 2\r\nstray line\r\n\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(GetSetting("HQ", "pen", "kansoku"), "2") << "blanks around = and CRLF lines are read";

  SaveSetting("HQ", "Pen", "KANSOKU", "3");  // replaces in place
  SaveSetting("HQ", "Pen", "Keisan", "4");   // joins its section before the blank line
  SaveSetting("HQ", "New", "y", "5");        // a new section at the end
  EXPECT_EQ(Read(file),
            "; written by hand\n[Pen]\nKANSOKU=3\nstray line\nKeisan=4\n\n[Other]\nx=1\n\n"
            "[New]\ny=5\n");
}

TEST_F(SettingsStoreTest, DeletingKeysRemovesEmptiedSectionsAndIgnoresMissingOnes) {
  DeleteSetting("Corvane", "Common", "PlamorFilePath");
  EXPECT_FALSE(fs::exists(root_ / "tessaro")) << "deleting nothing writes nothing";

  SaveSetting("Corvane", "Common", "a", "1");
  SaveSetting("Corvane", "Common", "b", "2");
  SaveSetting("Corvane", "Last", "c", "3");
  DeleteSetting("Corvane", "common", "A");
  EXPECT_EQ(GetSetting("Corvane", "Common", "a", "gone"), "gone");
  EXPECT_EQ(GetSetting("Corvane", "Common", "b"), "2");
  DeleteSetting("Corvane", "Last", "c");
  EXPECT_EQ(Read(root_ / "tessaro" / "Corvane.ini"), "[Common]\nb=2\n");
  DeleteSetting("Corvane", "Last", "c");
  DeleteSetting("Corvane", "Common", "nope");
  EXPECT_EQ(Read(root_ / "tessaro" / "Corvane.ini"), "[Common]\nb=2\n");
}

TEST_F(SettingsStoreTest, UnreadableOrUnwritableFilesAreNamedErrorsAndLoseNothing) {
  // A folder where the file should be: it can be neither read nor replaced.
  const fs::path file = root_ / "tessaro" / "Corvane.ini";
  fs::create_directories(file);
  try {
    GetSetting("Corvane", "Common", "PlamorFilePath", "x");
    FAIL() << "reading a folder must fail";
  } catch (const SettingsError& e) {
    EXPECT_EQ(e.file(), file);
    EXPECT_NE(std::string(e.what()).find("Corvane.ini"), std::string::npos) << e.what();
  }
  EXPECT_THROW(SaveSetting("Corvane", "Common", "k", "v"), SettingsError);
  EXPECT_THROW(DeleteSetting("Corvane", "Common", "k"), SettingsError);
  EXPECT_TRUE(fs::is_directory(file));

  // A valid file whose replacement fails stays as it was, without leftovers.
  fs::remove(file);
  SaveSetting("Corvane", "Common", "k", "old");
  fs::create_directories(root_ / "tessaro" / "Corvane.ini.keep");
  fs::permissions(root_ / "tessaro", fs::perms::owner_read | fs::perms::owner_exec);
  if (::access((root_ / "tessaro").c_str(), W_OK) != 0) {  // not when running with full rights
    EXPECT_THROW(SaveSetting("Corvane", "Common", "k", "new"), SettingsError);
    EXPECT_EQ(GetSetting("Corvane", "Common", "k"), "old");
  }
  fs::permissions(root_ / "tessaro", fs::perms::owner_all);

  // The settings folder cannot be created under a plain file.
  std::ofstream(root_ / "plain") << "x";
  ::setenv("XDG_CONFIG_HOME", (root_ / "plain").c_str(), 1);
  EXPECT_THROW(SaveSetting("Corvane", "Common", "k", "v"), SettingsError);
  EXPECT_EQ(GetSetting("Corvane", "Common", "k", "default"), "default");
}

TEST_F(SettingsStoreTest, NamesThatCannotBeStoredAreRefused) {
  EXPECT_THROW(SettingsFile(""), SettingsError);
  EXPECT_THROW(SettingsFile("../escape"), SettingsError);
  EXPECT_THROW(SettingsFile(".."), SettingsError);
  EXPECT_THROW(SaveSetting("App", "", "k", "v"), SettingsError);
  EXPECT_THROW(SaveSetting("App", "a]b", "k", "v"), SettingsError);
  EXPECT_THROW(SaveSetting("App", "S", "", "v"), SettingsError);
  EXPECT_THROW(SaveSetting("App", "S", "a=b", "v"), SettingsError);
  EXPECT_THROW(SaveSetting("App", "S", " k", "v"), SettingsError);
  EXPECT_THROW(SaveSetting("App", "S", "k\nx", "v"), SettingsError);
  EXPECT_THROW(SaveSetting("App", "S", "[k", "v"), SettingsError);
  EXPECT_FALSE(fs::exists(root_ / "tessaro" / "App.ini"));
}

}  // namespace
