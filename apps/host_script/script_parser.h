// Parses host scripts: one call per line in the host's own notation.
//
//   ' comment                      (also "Rem comment"; a ' outside quotes ends a line)
//   PaperSize = ktpA3              property put
//   LayerName(3) = "護岸"          indexed property put
//   Sen 0, 0, 100, 0, vPen:=2      method call, positional and named arguments
//   Sen 0, 0, 100, 0, , 1          an empty position leaves that argument out
//   print Count                    print a readable property
//   wait                           poll until the output run has ended
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace plamor::script {

struct Value {
  enum class Kind { Missing, Number, Text, Name };
  Kind kind = Kind::Missing;
  double number = 0;
  std::string text;  // the string (Text) or the identifier (Name)
};

struct Argument {
  std::optional<std::string> name;  // set for "name:=value"
  Value value;
};

struct Statement {
  enum class Kind { Put, Call, Print, Wait };
  Kind kind = Kind::Call;
  int line = 0;
  std::string member;
  std::optional<Value> index;  // LayerName(3) = ..., print LayerName(3)
  std::vector<Argument> arguments;  // Put: one argument, the value
};

// A name as an error message shows it: names longer than 40 characters are
// cut there ("AAAA...").
std::string ShownName(const std::string& name);

class ParseError : public std::runtime_error {
 public:
  ParseError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// The most a script line may hold. No call needs more than a few hundred
// bytes; the bound keeps a damaged script from growing the parse without end.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// Parses one line; no statement for blank and comment lines.
std::optional<Statement> ParseLine(const std::string& text, int lineNumber);

// Parses a whole script (UTF-8, LF or CR LF line ends).
std::vector<Statement> ParseScript(const std::string& source);

}  // namespace plamor::script
