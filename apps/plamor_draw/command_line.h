// Reading the options of a plamor-draw subcommand.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "apps/plamor_draw/axis_range.h"

namespace plamor::draw {

// The options of one subcommand: flags, options with a value, and the
// remaining (positional) arguments. Unknown options are a UsageError.
class CommandLine {
 public:
  CommandLine(const std::vector<std::string>& args, const std::set<std::string>& flags,
              const std::set<std::string>& valued);

  bool Flag(const std::string& name) const { return flagsSeen_.count(name) > 0; }
  std::optional<std::string> Value(const std::string& name) const;
  // The value of an option the subcommand cannot do without.
  std::string Required(const std::string& name) const;
  const std::vector<std::string>& Positional() const { return positional_; }

 private:
  std::set<std::string> flagsSeen_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> positional_;
};

// "1,3,5" to the numbers; UsageError naming the option on anything else.
std::vector<int> ParseNumberList(const std::string& option, const std::string& text);
// "MIN:MAX" with MIN < MAX; UsageError naming the option otherwise.
AxisRange ParseRange(const std::string& option, const std::string& text);
// A whole number within [low, high]; UsageError naming the option otherwise.
int ParseInteger(const std::string& option, const std::string& text, int low, int high);

}  // namespace plamor::draw
