#include "platform/os_errors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

using namespace plamor::oserr;

namespace {

TEST(OsErrors, ErrnoValuesBecomeHostNumbersWithTheirTexts) {
  const std::pair<int, int> map[] = {{ENOSPC, 61}, {EROFS, 70}, {EACCES, 70}, {EIO, 57}, {ENOMEDIUM, 68},
                                     {ETXTBSY, 75}, {ENOENT, 53}, {ENOTDIR, 76}, {EINVAL, 75}};
  for (auto [error, number] : map) EXPECT_EQ(HostErrorNumber(error), number) << error;
  EXPECT_EQ(Describe(61), "ディスクの空き容量が不足しています。");
  for (int n : {53, 57, 61, 68, 70, 75, 76, 31036, 31037}) EXPECT_NE(Describe(n), Describe(1)) << n;

  ASSERT_LT(open("/tmp/no-such-folder-here/x.dxf", O_RDONLY), 0);
  EXPECT_EQ(FromErrno(errno, "/tmp/no-such-folder-here/x.dxf").number, 76) << "its folder is missing";
  ASSERT_LT(open("/tmp/no-such-file-here.dxf", O_RDONLY), 0);
  EXPECT_EQ(FromErrno(errno, "/tmp/no-such-file-here.dxf").number, 53);
  if (int fd = open("/dev/full", O_WRONLY); fd >= 0) {
    ASSERT_LT(write(fd, "x", 1), 0);
    EXPECT_EQ(FromErrno(errno).description, "ディスクの空き容量が不足しています。");
    close(fd);
  }
}

}  // namespace
