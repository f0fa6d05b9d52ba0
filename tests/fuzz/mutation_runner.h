// Deterministic mutation testing of the readers: seed inputs are changed step
// by step (bits flipped, bytes and hostile tokens inserted, spans cut, doubled
// or swapped, the input cut short) by a fixed pseudo-random sequence, and each
// result is fed to a reader. Runs under the sanitizer build as well, so that a
// crash or undefined behaviour of a reader shows as a failed test. Each target
// stops after a number of inputs or a time budget, whichever comes first, and
// prints how many inputs it ran.
// The seed sequence is fixed: a failure comes back on every run.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace plamor::fuzz {

class Mutator {
 public:
  explicit Mutator(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}

  std::uint64_t Next() {  // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 2685821657736338717ull;
  }
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(Next() % n); }

  // One to four changes of `input`.
  std::string Mutate(std::string input) {
    const std::size_t steps = 1 + Below(4);
    for (std::size_t i = 0; i < steps; ++i) MutateOnce(input);
    return input;
  }

 private:
  void MutateOnce(std::string& s) {
    static const std::vector<std::string> kTokens = {
        "1e999", "-1e400", "1e-400", "nan", "NaN", "inf", "-Infinity", "9999", "0", "-0", "2147483647",
        "-2147483648", "32768", "-32769", "4294967296", "1e308", "0x10", "1.5.5", "\"", "\"\"", ",", ",,,,",
        "\r", "\n", "\r\n", "\f", "\t", "\x1b[2J", std::string("\0", 1), "\xFF\xFE", "\x82\xA0", "\xE3\x81",
        "'", ":=", "(", ")", "=", "#", "# year: 99999", "stage", "discharge", "ktpA3", "vPen:=", "Rem",
        std::string(400, '9'), std::string(5000, ','), std::string(300, 'A'), "2023/02/30", "1e15", "-3500"};
    const std::size_t at = Below(s.size() + 1);
    switch (Below(9)) {
      case 0:  // flip a bit
        if (!s.empty()) s[Below(s.size())] ^= static_cast<char>(1u << Below(8));
        break;
      case 1:  // an arbitrary byte
        if (!s.empty()) s[Below(s.size())] = static_cast<char>(Next());
        break;
      case 2:  // a hostile token inserted
        s.insert(at, kTokens[Below(kTokens.size())]);
        break;
      case 3: {  // a hostile token in place of a span
        const std::size_t n = std::min(s.size() - std::min(at, s.size()), Below(12));
        s.replace(std::min(at, s.size()), n, kTokens[Below(kTokens.size())]);
        break;
      }
      case 4: {  // a span cut out
        const std::size_t n = Below(std::min<std::size_t>(s.size() - std::min(at, s.size()), 64) + 1);
        s.erase(std::min(at, s.size()), n);
        break;
      }
      case 5: {  // a span doubled
        if (s.empty()) break;
        const std::size_t from = Below(s.size());
        const std::size_t n = Below(std::min<std::size_t>(s.size() - from, 256) + 1);
        s.insert(at, s.substr(from, n));
        break;
      }
      case 6:  // cut short
        s.resize(at);
        break;
      case 7: {  // a 4- or 8-byte little-endian word overwritten (binary files)
        const std::size_t width = Below(2) ? 8 : 4;
        if (s.size() < width) break;
        const std::size_t where = Below(s.size() - width + 1);
        static const std::uint64_t kWords[] = {0x7FF0000000000000ull, 0xFFF0000000000000ull, 0x7FF8000000000000ull,
                                               0xFFFFFFFFFFFFFFFFull, 0x7FFFFFFFull,          0x80000000ull,
                                               0ull,                  0x7FEFFFFFFFFFFFFFull};
        const std::uint64_t word = Below(3) ? kWords[Below(std::size(kWords))] : Next();
        for (std::size_t k = 0; k < width; ++k) s[where + k] = static_cast<char>(word >> (8 * k));
        break;
      }
      default: {  // a line repeated
        const std::size_t start = s.rfind('\n', at == 0 ? 0 : at - 1);
        const std::size_t from = start == std::string::npos ? 0 : start + 1;
        const std::size_t end = s.find('\n', from);
        const std::string line = s.substr(from, end == std::string::npos ? std::string::npos : end - from + 1);
        if (line.size() > 2048) break;  // a text line; the input stays small
        for (std::size_t k = Below(50); k > 0; --k) s.insert(from, line);
      }
    }
  }

  std::uint64_t state_;
};

struct Budget {
  std::size_t inputs = 4000;
  std::chrono::milliseconds time{2000};
};

// For longer runs by hand: PLAMOR_FUZZ_INPUTS and PLAMOR_FUZZ_SECONDS replace
// the budget of every target.
inline Budget FromEnvironment(Budget budget) {
  if (const char* n = std::getenv("PLAMOR_FUZZ_INPUTS")) budget.inputs = std::strtoull(n, nullptr, 10);
  if (const char* t = std::getenv("PLAMOR_FUZZ_SECONDS"))
    budget.time = std::chrono::milliseconds(static_cast<long long>(std::strtod(t, nullptr) * 1000));
  return budget;
}

// Runs `target` on the seeds and on mutations of them. `target` returns true
// when it accepted the input and false when it refused it with the error it
// should; anything it throws is a failure, reported with the input saved to a
// file so that it can be run again. Returns the number of inputs run.
inline std::size_t RunMutations(const std::string& name, const std::vector<std::string>& seeds,
                                const std::function<bool(const std::string&)>& target, Budget budget = {}) {
  budget = FromEnvironment(budget);
  const auto start = std::chrono::steady_clock::now();
  Mutator mutator(std::hash<std::string>{}(name));
  std::size_t runs = 0, accepted = 0;
  for (; runs < budget.inputs; ++runs) {
    if (runs % 64 == 0 && std::chrono::steady_clock::now() - start > budget.time) break;
    const std::string& seed = seeds[runs % seeds.size()];
    const std::string input = runs < seeds.size() ? seed : mutator.Mutate(seed);
    try {
      if (target(input)) ++accepted;
    } catch (const std::exception& e) {
      const auto saved = std::filesystem::temp_directory_path() / ("fuzz-failure-" + name + ".bin");
      std::ofstream(saved, std::ios::binary) << input;
      ADD_FAILURE() << name << ": input " << runs << " (saved to " << saved << ") threw: " << e.what();
      return runs + 1;
    }
  }
  std::cout << name << ": " << runs << " inputs run, " << accepted << " accepted, " << (runs - accepted)
            << " refused with their error\n";
  return runs;
}

inline std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace plamor::fuzz
