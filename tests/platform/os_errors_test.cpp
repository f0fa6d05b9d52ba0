#include "platform/os_errors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

using namespace plamor::oserr;

namespace {

TEST(OsErrors, ErrnoValuesMapOntoTheHostNumbers) {
  EXPECT_EQ(HostErrorNumber(ENOSPC), 61);
  EXPECT_EQ(HostErrorNumber(EDQUOT), 61);
  EXPECT_EQ(HostErrorNumber(EACCES), 70);
  EXPECT_EQ(HostErrorNumber(EPERM), 70);
  EXPECT_EQ(HostErrorNumber(EROFS), 70);
  EXPECT_EQ(HostErrorNumber(EIO), 57);
  EXPECT_EQ(HostErrorNumber(ENXIO), 68);
  EXPECT_EQ(HostErrorNumber(ENODEV), 68);
  EXPECT_EQ(HostErrorNumber(ENOMEDIUM), 68);
  EXPECT_EQ(HostErrorNumber(EBUSY), 75);
  EXPECT_EQ(HostErrorNumber(ETXTBSY), 75);
  EXPECT_EQ(HostErrorNumber(ENOENT), 53);
  EXPECT_EQ(HostErrorNumber(ENOTDIR), 76);
  EXPECT_EQ(HostErrorNumber(EISDIR), 75);
  EXPECT_EQ(HostErrorNumber(EINVAL), 75);
}

TEST(OsErrors, DescriptionsAreTheHostRuntimeTexts) {
  EXPECT_EQ(Describe(61), "ディスクの空き容量が不足しています。");
  EXPECT_EQ(Describe(53), "ファイルが見つかりません。");
  EXPECT_EQ(Describe(76), "パスが見つかりません。");
  EXPECT_EQ(Describe(70), "書き込みできません。");
  const std::string generic = Describe(12345);
  for (int n : {53, 57, 58, 61, 67, 68, 70, 75, 76, 31036, 31037}) {
    EXPECT_NE(Describe(n), generic) << n;
    EXPECT_EQ(FromNumber(n).number, n);
    EXPECT_EQ(FromNumber(n).description, Describe(n));
  }
}

TEST(OsErrors, RealFailuresGiveTheirFileErrors) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("os_errors_test_" + std::to_string(getpid()));
  fs::create_directories(folder);

  // A file missing in an existing folder, and a file whose folder is missing.
  const fs::path missingFile = folder / "none.dxf";
  ASSERT_LT(::open(missingFile.c_str(), O_RDONLY), 0);
  EXPECT_EQ(FromErrno(errno, missingFile).number, 53);
  const fs::path missingFolder = folder / "no" / "such" / "x.dxf";
  ASSERT_LT(::open(missingFolder.c_str(), O_WRONLY | O_CREAT, 0644), 0);
  EXPECT_EQ(FromErrno(errno, missingFolder).number, 76);

  // A full device.
  int fd = ::open("/dev/full", O_WRONLY);
  if (fd >= 0) {
    ASSERT_LT(::write(fd, "x", 1), 0);
    const FileError full = FromErrno(errno);
    EXPECT_EQ(full.number, 61);
    EXPECT_EQ(full.description, "ディスクの空き容量が不足しています。");
    ::close(fd);
  }
  fs::remove_all(folder);
}

}  // namespace
