// The numeric and process exports, called by name from the library file as
// the drawing server and host programs call them.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

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
    void* lib = dlopen(PLAMOR_BIN_DIR "/libTessaroDll.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    // Each export by the name of its member.
#define PLAMOR_BIND(name) Bind(lib, #name, x.name)
    PLAMOR_BIND(ConvertD2HS);
    PLAMOR_BIND(ConvertHS2D);
    PLAMOR_BIND(GetRoundDown);
    PLAMOR_BIND(GetRoundUp);
    PLAMOR_BIND(ShiftBit);
    PLAMOR_BIND(WaitCommand);
    PLAMOR_BIND(GetResource);
#undef PLAMOR_BIND
  }
  void SetUp() override { ASSERT_NE(x.GetResource, nullptr); }

  static std::string Hex(double value) {
    char buffer[20];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(x.ConvertD2HS(value, buffer), 0);
    EXPECT_EQ(buffer[17], '#') << "nothing is written past the terminator";
    return buffer;
  }
  static uint64_t RoundTrip(uint64_t bits) {
    return std::bit_cast<uint64_t>(x.ConvertHS2D(Hex(std::bit_cast<double>(bits)).c_str()));
  }
  static inline Exports x{};
};

TEST_F(NumericHelpers, HexFormIsTheMemoryImageAndKeepsEveryBitPattern) {
  EXPECT_EQ(Hex(1.0), "000000000000F03F");
  EXPECT_EQ(Hex(0.0), "0000000000000000");
  EXPECT_EQ(Hex(std::bit_cast<double>(uint64_t{0x0123456789ABCDEF})), "EFCDAB8967452301");
  EXPECT_EQ(x.ConvertHS2D("000000000000F03F and more"), 1.0);
  EXPECT_NE(std::bit_cast<uint64_t>(x.ConvertHS2D("0a00000000000000")), uint64_t{0x0A}) << "lower case";
  EXPECT_EQ(x.ConvertD2HS(1.0, nullptr), -1);
  EXPECT_TRUE(std::isnan(x.ConvertHS2D(nullptr)));
  EXPECT_TRUE(std::isnan(x.ConvertHS2D("F03F"))) << "a short text is not read past its end";

  std::mt19937_64 random(20240607);
  for (int i = 0; i < 200000; ++i) {
    const uint64_t bits = random();
    ASSERT_EQ(RoundTrip(bits), bits) << std::hex << bits;
  }
  for (uint64_t bits : {0x7FF0000000000000ull, 0xFFF0000000000000ull, 0x8000000000000000ull,
                        0x0000000000000001ull, 0x7FF8000000000000ull, 0xFFF8000000000123ull,
                        0x7FF0000000000001ull, 0x7FF4000000ABCDEFull}) {  // infinities, -0, NaNs
    EXPECT_EQ(RoundTrip(bits), bits) << std::hex << bits;
  }
}

TEST_F(NumericHelpers, RoundingAndShifting) {
  EXPECT_EQ(x.GetRoundDown(1.23, 2), 1.23);
  EXPECT_EQ(x.GetRoundDown(1.239, 2), 1.23);
  EXPECT_EQ(x.GetRoundDown(-1.239, 2), -1.23);
  EXPECT_EQ(x.GetRoundDown(-1.23, 2), -1.23) << "the nudge follows the sign";
  EXPECT_EQ(x.GetRoundDown(-0.29, 2), -0.29);
  EXPECT_EQ(x.GetRoundDown(1.239, -2), 1.23);
  EXPECT_EQ(x.GetRoundDown(1.239, 0x10002), 1.23) << "only the low 16 bits count";
  EXPECT_EQ(x.GetRoundUp(1.231, 2), 1.24);
  EXPECT_EQ(x.GetRoundUp(-1.231, 2), -1.24);
  EXPECT_EQ(x.GetRoundUp(2.0, 0), 2.0);
  EXPECT_TRUE(std::isnan(x.GetRoundDown(NAN, 2)));

  EXPECT_EQ(x.ShiftBit(-8, -1), -4);
  EXPECT_EQ(x.ShiftBit(1, 4), 16);
  EXPECT_EQ(x.ShiftBit(5, 0), 5);
  EXPECT_EQ(x.ShiftBit(1, 31), INT32_MIN);
  EXPECT_EQ(x.ShiftBit(INT32_MIN, -31), -1);
  EXPECT_EQ(x.ShiftBit(1, 33), 2) << "counts are taken modulo 32";
  EXPECT_EQ(x.ShiftBit(7, INT32_MIN), 7);
}

TEST_F(NumericHelpers, ResourceMeterIsAbsent) { EXPECT_EQ(x.GetResource(), -1); }

TEST_F(NumericHelpers, WaitCommandWaitsForTheEndReapsAndKeepsTheCallersFiles) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("wait_command_" + std::to_string(getpid()));
  fs::create_directories(folder);
  auto read = [&](const char* name) {
    std::stringstream s;
    s << std::ifstream(folder / name).rdbuf();
    return s.str();
  };
  EXPECT_EQ(x.WaitCommand("/no/such/program", "program"), 0);
  EXPECT_EQ(x.WaitCommand("", "no-such-program-anywhere --flag"), 0);
  EXPECT_EQ(x.WaitCommand(nullptr, nullptr), 0);
  EXPECT_EQ(x.WaitCommand(folder.c_str(), "folder"), 0) << "a folder is not a program";

  // An inheritable descriptor above those the listing opens itself.
  const int opened = open((folder / "probe").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_EQ(dup2(opened, 57), 57);
  close(opened);
  const std::string line = "sh -c \"sleep 0.3; ls /proc/self/fd > '" + (folder / "fds").string() + "'\"";
  EXPECT_EQ(x.WaitCommand("/bin/sh", line.c_str()), 1);
  close(57);
  EXPECT_FALSE(read("fds").empty()) << "WaitCommand returned before the program ended";
  EXPECT_EQ(("\n" + read("fds")).find("\n57\n"), std::string::npos) << read("fds");

  EXPECT_EQ(x.WaitCommand("", "sh -c \"exit 3\""), 1) << "found on the path; the exit code does not matter";
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD) << "every child was reaped";
  fs::remove_all(folder);
}

TEST_F(NumericHelpers, WaitCommandSplitsItsCommandLineAsTheHostDoes) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("wait_split_" + std::to_string(getpid()));
  fs::create_directories(folder);
  const fs::path script = folder / "args.sh";
  const fs::path out = folder / "out";
  std::ofstream(script) << "for a in \"$@\"; do printf '[%s]' \"$a\"; done > '" << out.string() << "'\n";
  // Each word after the program's own follows the quote and backslash rules.
  const std::string line = "\"sh\" " + script.string() +
                           R"( "a\"b" "c d" x\y "z\\" "" tail\\\"q "in""side" \\\\"e f")";
  EXPECT_EQ(x.WaitCommand("/bin/sh", line.c_str()), 1);
  std::stringstream words;
  words << std::ifstream(out).rdbuf();
  EXPECT_EQ(words.str(), R"([a"b][c d][x\y][z\][][tail\"q][in"side][\\e f])");
  fs::remove_all(folder);
}

}  // namespace
