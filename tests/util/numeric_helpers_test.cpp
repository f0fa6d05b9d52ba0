// The numeric and process exports, called by name from the library file as
// the drawing server and host programs call them.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Exports {
  int32_t (*ConvertD2HS)(double, char*);
  double (*ConvertHS2D)(const char*);
  double (*GetRoundDown)(double, int32_t);
  double (*GetRoundUp)(double, int32_t);
  int32_t (*ShiftBit)(int32_t, int32_t);
  int32_t (*WaitCommand)(const char*, const char*);
  int32_t (*GetResource)();
};

template <class F>
void Bind(void* library, const char* name, F& function) {
  function = reinterpret_cast<F>(dlsym(library, name));
  ASSERT_NE(function, nullptr) << "missing export " << name;
}

class NumericHelpers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string file = std::string(PLAMOR_BIN_DIR) + "/libTessaroDll.so";
    library_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    Bind(library_, "ConvertD2HS", x_.ConvertD2HS);
    Bind(library_, "ConvertHS2D", x_.ConvertHS2D);
    Bind(library_, "GetRoundDown", x_.GetRoundDown);
    Bind(library_, "GetRoundUp", x_.GetRoundUp);
    Bind(library_, "ShiftBit", x_.ShiftBit);
    Bind(library_, "WaitCommand", x_.WaitCommand);
    Bind(library_, "GetResource", x_.GetResource);
  }
  void SetUp() override { ASSERT_NE(library_, nullptr); }

  static std::string Hex(double value) {
    char buffer[20];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(x_.ConvertD2HS(value, buffer), 0);
    EXPECT_EQ(buffer[16], '\0');
    EXPECT_EQ(buffer[17], '#') << "nothing is written past the terminator";
    return buffer;
  }
  static uint64_t RoundTripBits(uint64_t bits) {
    return std::bit_cast<uint64_t>(x_.ConvertHS2D(Hex(std::bit_cast<double>(bits)).c_str()));
  }

  static inline void* library_ = nullptr;
  static inline Exports x_{};
};

TEST_F(NumericHelpers, HexFormIsTheMemoryImageInUpperCase) {
  EXPECT_EQ(Hex(1.0), "000000000000F03F");
  EXPECT_EQ(Hex(0.0), "0000000000000000");
  EXPECT_EQ(Hex(-0.0), "0000000000000080");
  EXPECT_EQ(Hex(-2.5), "00000000000004C0");
  EXPECT_EQ(Hex(std::bit_cast<double>(uint64_t{0x0123456789ABCDEF})), "EFCDAB8967452301");
  EXPECT_EQ(x_.ConvertHS2D("000000000000F03F"), 1.0);
  EXPECT_EQ(x_.ConvertHS2D("000000000000F03F trailing text"), 1.0) << "only 16 characters are read";
  EXPECT_EQ(x_.ConvertD2HS(1.0, nullptr), -1);
  EXPECT_TRUE(std::isnan(x_.ConvertHS2D(nullptr)));
  EXPECT_TRUE(std::isnan(x_.ConvertHS2D("F03F"))) << "a short text is not read past its end";
  EXPECT_NE(std::bit_cast<uint64_t>(x_.ConvertHS2D("0a00000000000000")), uint64_t{0x0A})
      << "lower case gives other bits";
}

TEST_F(NumericHelpers, HexFormKeepsEveryBitPattern) {
  std::mt19937_64 random(20240607);
  for (int i = 0; i < 200000; ++i) {
    const uint64_t bits = random();
    ASSERT_EQ(RoundTripBits(bits), bits) << std::hex << bits;
  }
  const uint64_t special[] = {
      0x7FF0000000000000,  // +infinity
      0xFFF0000000000000,  // -infinity
      0x8000000000000000,  // -0.0
      0x0000000000000001,  // smallest subnormal
      0x7FEFFFFFFFFFFFFF,  // largest finite
      0x7FF8000000000000,  // quiet NaN
      0xFFF8000000000123,  // negative quiet NaN with payload
      0x7FF0000000000001,  // signalling NaN
      0x7FF4000000ABCDEF,  // signalling NaN with payload
  };
  for (uint64_t bits : special) EXPECT_EQ(RoundTripBits(bits), bits) << std::hex << bits;
}

TEST_F(NumericHelpers, RoundingCutsTowardAndRaisesAwayFromZero) {
  EXPECT_EQ(x_.GetRoundDown(1.23, 2), 1.23);
  EXPECT_EQ(x_.GetRoundDown(1.239, 2), 1.23);
  EXPECT_EQ(x_.GetRoundDown(-1.239, 2), -1.23);
  EXPECT_EQ(x_.GetRoundDown(-1.23, 2), -1.23) << "the nudge follows the sign";
  EXPECT_EQ(x_.GetRoundDown(0.29, 2), 0.29);
  EXPECT_EQ(x_.GetRoundDown(-0.29, 2), -0.29);
  EXPECT_EQ(x_.GetRoundDown(1.239, -2), x_.GetRoundDown(1.239, 2));
  EXPECT_EQ(x_.GetRoundDown(1.239, 0x10002), 1.23) << "only the low 16 bits count";
  EXPECT_EQ(x_.GetRoundDown(0.0, 3), 0.0);
  EXPECT_EQ(x_.GetRoundDown(7.9, 0), 7.0);
  EXPECT_EQ(x_.GetRoundUp(1.231, 2), 1.24);
  EXPECT_EQ(x_.GetRoundUp(-1.231, 2), -1.24);
  EXPECT_EQ(x_.GetRoundUp(2.0, 0), 2.0);
  EXPECT_EQ(x_.GetRoundUp(1.23, 2), 1.23);
  EXPECT_EQ(x_.GetRoundUp(0.001, -1), 0.1);
  EXPECT_TRUE(std::isinf(x_.GetRoundUp(INFINITY, 2)));
  EXPECT_TRUE(std::isnan(x_.GetRoundDown(NAN, 2)));
}

TEST_F(NumericHelpers, ShiftBitShiftsLeftOrArithmeticallyRight) {
  EXPECT_EQ(x_.ShiftBit(-8, -1), -4);
  EXPECT_EQ(x_.ShiftBit(1, 4), 16);
  EXPECT_EQ(x_.ShiftBit(5, 0), 5);
  EXPECT_EQ(x_.ShiftBit(1, 31), INT32_MIN);
  EXPECT_EQ(x_.ShiftBit(INT32_MIN, 1), 0);
  EXPECT_EQ(x_.ShiftBit(INT32_MIN, -31), -1);
  EXPECT_EQ(x_.ShiftBit(1, 33), 2) << "counts are taken modulo 32";
  EXPECT_EQ(x_.ShiftBit(64, -34), 16);
  EXPECT_EQ(x_.ShiftBit(7, INT32_MIN), 7);
}

class WaitCommandTest : public NumericHelpers {
 protected:
  void SetUp() override {
    NumericHelpers::SetUp();
    folder_ = fs::temp_directory_path() / ("wait_command_test_" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Read(const std::string& name) {
    std::ifstream in(folder_ / name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path folder_;
};

TEST_F(WaitCommandTest, ProgramsThatCannotStartGiveZero) {
  EXPECT_EQ(x_.WaitCommand("/no/such/program", "program"), 0);
  EXPECT_EQ(x_.WaitCommand("", "no-such-program-anywhere --flag"), 0);
  EXPECT_EQ(x_.WaitCommand(nullptr, nullptr), 0);
  EXPECT_EQ(x_.WaitCommand("", ""), 0);
  EXPECT_EQ(x_.WaitCommand(folder_.c_str(), "folder"), 0) << "a folder is not a program";
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD) << "no child is left behind";
}

TEST_F(WaitCommandTest, TheCallReturnsAfterTheProgramEndedAndReapsIt) {
  const std::string out = (folder_ / "out").string();
  // The program named separately, the command line's words with quotes grouping blanks.
  const std::string line = "sh -c \"sleep 0.3; echo finished > '" + out + "'\"";
  EXPECT_EQ(x_.WaitCommand("/bin/sh", line.c_str()), 1);
  EXPECT_EQ(Read("out"), "finished\n") << "WaitCommand returned before the program ended";

  // The program taken from the command line and found on the path; exit codes do not matter.
  EXPECT_EQ(x_.WaitCommand("", "sh -c \"exit 3\""), 1);
  EXPECT_EQ(x_.WaitCommand(nullptr, "false"), 1);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD) << "every child was reaped";
}

TEST_F(WaitCommandTest, TheCallersOpenFilesAreNotHandedOn) {
  const std::string probe = (folder_ / "probe").string();
  // Deliberately inheritable, and above the descriptors the listing opens itself.
  const int opened = open(probe.c_str(), O_WRONLY | O_CREAT, 0600);
  const int fd = dup2(opened, 57);
  close(opened);
  ASSERT_EQ(fd, 57);
  const std::string fds = (folder_ / "fds").string();
  const std::string line = "sh -c \"ls /proc/self/fd > '" + fds + "'\"";
  EXPECT_EQ(x_.WaitCommand("", line.c_str()), 1);
  close(fd);
  std::istringstream listed(Read("fds"));
  std::string entry;
  bool seen = false;
  while (listed >> entry) seen = seen || entry == std::to_string(fd);
  EXPECT_FALSE(seen) << "descriptor " << fd << " leaked into the child:\n" << Read("fds");
}

TEST_F(NumericHelpers, ResourceMeterIsAbsentHere) { EXPECT_EQ(x_.GetResource(), -1); }

}  // namespace
