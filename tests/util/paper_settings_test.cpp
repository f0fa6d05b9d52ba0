// Paper functions against the local CUPS scheduler and the queues of
// .ci/prepare-printers (plamor-test with a PPD, plamor-raw without a driver).
// Without a scheduler or the queues the tests skip, unless
// PLAMOR_REQUIRE_CUPS=1 makes that a failure.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "util/tessaro_paper.h"

namespace {

constexpr const char* kTestQueue = "plamor-test";
constexpr const char* kRawQueue = "plamor-raw";
// The one queue whose stored defaults a test changes (the tests may run at
// the same time; the others rely on plamor-test's stored defaults).
constexpr const char* kStoredQueue = "plamor-stored";
constexpr int kOwnPaperCode = 256 + 9;  // PlamorRoll, tenth in the list

// This user's option files go to a folder of the test's own (for root CUPS
// keeps them beside its configuration, hence CUPS_SERVERROOT too). Set before
// the first CUPS call of the process.
const std::filesystem::path& OptionsHome() {
  static const std::filesystem::path home = [] {
    char pattern[] = "/tmp/plamor-paper-XXXXXX";
    const char* made = mkdtemp(pattern);
    std::filesystem::path dir = made ? made : "/tmp";
    setenv("HOME", dir.c_str(), 1);
    setenv("CUPS_SERVERROOT", dir.c_str(), 1);
    return dir;
  }();
  return home;
}

class OptionsHomeRemoval : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_NE(OptionsHome(), "/tmp") << "no folder for this user's printer options"; }
  void TearDown() override {
    if (OptionsHome() != "/tmp") std::filesystem::remove_all(OptionsHome());
  }
};
[[maybe_unused]] auto* const kOptionsHomeRemoval = ::testing::AddGlobalTestEnvironment(new OptionsHomeRemoval);

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    std::array<char, 256> buf;
    while (fgets(buf.data(), buf.size(), pipe)) out += buf.data();
    pclose(pipe);
  }
  return out;
}

// Empty when the scheduler and both queues are there, else why not.
std::string MissingCups() {
  if (Run("lpstat -r").find("scheduler is running") == std::string::npos) return "no CUPS scheduler answers";
  for (const char* queue : {kTestQueue, kRawQueue, kStoredQueue})
    if (Run(std::string("lpstat -p ") + queue).find("printer " + std::string(queue)) == std::string::npos)
      return std::string("queue ") + queue + " is missing (run .ci/prepare-printers as root)";
  return {};
}

class PaperSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    static const std::string missing = MissingCups();
    if (missing.empty()) return;
    const char* required = std::getenv("PLAMOR_REQUIRE_CUPS");
    if (required && std::string(required) == "1") FAIL() << "CUPS is required: " << missing;
    GTEST_SKIP() << "CUPS tests skipped: " << missing;
  }
};

std::string NameAt(const std::vector<char>& names, int i) {
  return std::string(names.data() + i * TESSARO_PAPER_NAME_BYTES);
}

TEST_F(PaperSettings, ListsTheQueuesPapersAsNamesAndCodes) {
  const int count = GetPaperNamesCount(kTestQueue, nullptr);
  ASSERT_EQ(count, 10);

  constexpr char kGuard = '\x5A';
  std::vector<char> names(count * TESSARO_PAPER_NAME_BYTES + 8, kGuard);
  ASSERT_EQ(GetPaperNames(kTestQueue, "", names.data()), count);
  // The names the printer's PPD shows.
  EXPECT_EQ(NameAt(names, 0), "A3");
  EXPECT_EQ(NameAt(names, 1), "A4");
  EXPECT_EQ(NameAt(names, 3), "B4 (JIS)");
  EXPECT_EQ(NameAt(names, 4), "B5 (JIS)");
  EXPECT_EQ(NameAt(names, 5), "US Letter");
  EXPECT_EQ(NameAt(names, 7), "Postcard");
  EXPECT_EQ(NameAt(names, 8), "Envelope Chou 3");
  EXPECT_EQ(NameAt(names, 9), "Plamor test roll");
  for (int i = 0; i < count; ++i) EXPECT_EQ(names[i * TESSARO_PAPER_NAME_BYTES + 63], '\0') << "slot " << i;
  for (std::size_t i = count * TESSARO_PAPER_NAME_BYTES; i < names.size(); ++i) EXPECT_EQ(names[i], kGuard);

  std::vector<uint16_t> codes(count + 1, 0xBEEF);
  ASSERT_EQ(GetPapers(kTestQueue, nullptr, codes.data()), count);
  EXPECT_EQ(codes, (std::vector<uint16_t>{8, 9, 11, 12, 13, 1, 5, 43, 73, kOwnPaperCode, 0xBEEF}));

  EXPECT_EQ(GetPaperNames(kTestQueue, nullptr, nullptr), count);
  EXPECT_EQ(GetPapers(kTestQueue, nullptr, nullptr), count);
  EXPECT_EQ(GetPaperNamesCount(kRawQueue, nullptr), 0);
}

TEST_F(PaperSettings, ChangesAndReadsBackTheStoredDefaults) {
  const int paper = GetDefaultPaperSize(kStoredQueue);
  const int orientation = GetDefaultPaperOrientation(kStoredQueue);
  ASSERT_GT(paper, 0);
  ASSERT_TRUE(orientation == 1 || orientation == 2);

  EXPECT_EQ(SetPapers(kStoredQueue, 0, 8, 2), 0);
  EXPECT_EQ(GetDefaultPaperSize(kStoredQueue), 8);
  EXPECT_EQ(GetDefaultPaperOrientation(kStoredQueue), 2);

  EXPECT_EQ(SetPapers(kStoredQueue, 12345, kOwnPaperCode, 1), 0);
  EXPECT_EQ(GetDefaultPaperSize(kStoredQueue), kOwnPaperCode);
  EXPECT_EQ(GetDefaultPaperOrientation(kStoredQueue), 1);

  // Only the low 16 bits of the arguments count.
  EXPECT_EQ(SetPapers(kStoredQueue, 0, 0x10000 + 13, 0x20000 + 2), 0);
  EXPECT_EQ(GetDefaultPaperSize(kStoredQueue), 13);
  EXPECT_EQ(GetDefaultPaperOrientation(kStoredQueue), 2);

  // A paper the printer does not list (A6) or an orientation other than 1
  // and 2 changes nothing.
  EXPECT_EQ(SetPapers(kStoredQueue, 0, 70, 1), -6);
  EXPECT_EQ(SetPapers(kStoredQueue, 0, 9, 3), -6);
  EXPECT_EQ(GetDefaultPaperSize(kStoredQueue), 13);
  EXPECT_EQ(GetDefaultPaperOrientation(kStoredQueue), 2);

  // The postcard by its code.
  EXPECT_EQ(SetPapers(kStoredQueue, 0, 43, 1), 0);
  EXPECT_EQ(GetDefaultPaperSize(kStoredQueue), 43);

  EXPECT_EQ(SetPapers(kStoredQueue, 0, paper, orientation), 0);
  EXPECT_EQ(GetDefaultPaperSize(kStoredQueue), paper);
}

TEST_F(PaperSettings, ChangesAndReadsBackThisUsersDefaults) {
  const int storedPaper = GetDefaultPaperSize(kTestQueue);
  const int storedOrientation = GetDefaultPaperOrientation(kTestQueue);

  EXPECT_EQ(SetPapers95(kTestQueue, 0, 13, 2), 0);
  EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), 13);
  EXPECT_EQ(GetDefaultPaperOrientation95(kTestQueue), 2);
  EXPECT_EQ(GetDefaultPaperSize(kTestQueue), storedPaper);
  EXPECT_EQ(GetDefaultPaperOrientation(kTestQueue), storedOrientation);

  // The queue supports both fields, so both change.
  EXPECT_EQ(SetPapers2(nullptr, kTestQueue, 0, 11, 1), 3);
  EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), 11);
  EXPECT_EQ(GetDefaultPaperOrientation95(kTestQueue), 1);

  EXPECT_EQ(SetPapers95(kTestQueue, 0, kOwnPaperCode, 2), 0);
  EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), kOwnPaperCode);

  // Values the printer cannot take change nothing.
  EXPECT_EQ(SetPapers95(kTestQueue, 0, 70, 1), 0x040B);
  EXPECT_EQ(SetPapers2(nullptr, kTestQueue, 0, 9, 7), -1);
  EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), kOwnPaperCode);
  EXPECT_EQ(GetDefaultPaperOrientation95(kTestQueue), 2);

  // Options files name papers in PPD form (B5 is the JIS size), in PWG form
  // with a suffix, or with a tray after the paper.
  std::filesystem::create_directories(OptionsHome() / ".cups");
  for (const auto& [media, code] : std::vector<std::pair<std::string, int>>{
           {"Letter,Tray1", 1}, {"a4", 9}, {"B5", 13}, {"ISOB5", 34}, {"jis_b4_257x364mm.Borderless", 12},
           {"EnvChou3", 73}, {"iso_a3_297x420mm", 8}, {"custom_100x100mm_100x100mm", 256}}) {
    std::ofstream(OptionsHome() / ".cups" / "lpoptions") << "Dest plamor-test media=" << media << "\n";
    EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), code) << media;
  }
}

TEST_F(PaperSettings, PapersTakeTheCodeOfTheirSize) {
  // Option files may name any paper; each takes the code of its size, fed
  // portrait or landscape, whatever it is called.
  std::filesystem::create_directories(OptionsHome() / ".cups");
  for (const auto& [media, code] : std::vector<std::pair<std::string, int>>{
           {"jpn_hagaki_100x148mm", 43}, {"custom_200x148mm_200x148mm", 69}, {"jpn_oufuku_148x200mm", 82},
           {"custom_17x11in_17x11in", 4}, {"na_ledger_11x17in", 3}, {"na_10x14_10x14in", 16},
           {"na_9x11_9x11in", 44}, {"na_10x11_10x11in", 45}, {"custom_12x11in_12x11in", 90},
           {"na_10x15_10x15in", 256}, {"custom_15x11in_15x11in", 46}, {"na_quarto_8.5x10.83in", 15},
           {"Quarto", 15}, {"iso_c3_324x458mm", 29}, {"om_italian_110x230mm", 36}, {"iso_b4_250x353mm", 42},
           {"om_folio_210x330mm", 60}, {"A4.Borderless", 9}, {"custom_297x210mm_297x210mm", 77}}) {
    std::ofstream(OptionsHome() / ".cups" / "lpoptions") << "Dest plamor-test media=" << media << "\n";
    EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), code) << media;
  }
  std::filesystem::remove(OptionsHome() / ".cups" / "lpoptions");
  // The postcard is set by its code.
  EXPECT_EQ(SetPapers95(kTestQueue, 0, 43, 1), 0);
  EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), 43);
  EXPECT_EQ(SetPapers2(nullptr, kTestQueue, 0, 9, 1), 3);
  EXPECT_EQ(SetPapers2(nullptr, kTestQueue, 0, 43, 2), 3);
  EXPECT_EQ(GetDefaultPaperSize95(kTestQueue), 43);
  EXPECT_EQ(SetPapers95(kTestQueue, 0, 44, 1), 0x040B);  // 9 x 11 in: not a paper of this printer
}

TEST_F(PaperSettings, PrinterWithoutDefaultsFallsBackAndSetsOnlyOrientation) {
  EXPECT_EQ(GetDefaultPaperSize(kRawQueue), 9);
  EXPECT_EQ(GetDefaultPaperOrientation(kRawQueue), 2);
  EXPECT_EQ(SetPapers(kRawQueue, 0, 8, 1), 0);
  EXPECT_EQ(GetDefaultPaperSize(kRawQueue), 9);
  EXPECT_EQ(GetDefaultPaperOrientation(kRawQueue), 2);

  // The queue takes an orientation but lists no papers.
  EXPECT_EQ(SetPapers2(nullptr, kRawQueue, 0, 8, 1), 1);
  EXPECT_EQ(GetDefaultPaperOrientation95(kRawQueue), 1);
  EXPECT_EQ(GetDefaultPaperSize95(kRawQueue), 9);
}

TEST_F(PaperSettings, UnknownOrEmptyPrinterNamesGiveTheFailureCodes) {
  for (const char* name : {"plamor-no-such-printer", "", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(name ? name : "(null)");
    EXPECT_EQ(GetPaperNamesCount(name, nullptr), -1);
    std::vector<char> names(TESSARO_PAPER_NAME_BYTES, 'x');
    EXPECT_EQ(GetPaperNames(name, nullptr, names.data()), -1);
    EXPECT_EQ(names, std::vector<char>(TESSARO_PAPER_NAME_BYTES, 'x'));
    uint16_t code = 7;
    EXPECT_EQ(GetPapers(name, nullptr, &code), -1);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(GetDefaultPaperSize(name), -1);
    EXPECT_EQ(GetDefaultPaperOrientation(name), -1);
    EXPECT_EQ(GetDefaultPaperSize95(name), -1);
    EXPECT_EQ(GetDefaultPaperOrientation95(name), -1);
    EXPECT_EQ(SetPapers(name, 0, 9, 1), -99);
    EXPECT_EQ(SetPapers95(name, 0, 9, 1), 0x0406);
    EXPECT_EQ(SetPapers2(nullptr, name, 0, 9, 1), -1);
  }
}

}  // namespace
