#include "apps/host_script/script_parser.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace plamor::script {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool EqualsNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

class LineReader {
 public:
  LineReader(const std::string& text, int line) : s_(text), line_(line) {}

  void SkipBlanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= s_.size() || s_[pos_] == '\'';
  }
  bool Peek(char c) {
    SkipBlanks();
    return pos_ < s_.size() && s_[pos_] == c;
  }
  bool Accept(const char* token) {
    SkipBlanks();
    std::string t(token);
    if (s_.compare(pos_, t.size(), t) == 0) {
      pos_ += t.size();
      return true;
    }
    return false;
  }
  void Expect(const char* token, const char* what) {
    if (!Accept(token)) Fail(std::string("expected ") + what);
  }

  std::string Name() {
    SkipBlanks();
    if (pos_ >= s_.size() || !IsNameStart(s_[pos_])) Fail("expected a name");
    size_t b = pos_;
    while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
    return s_.substr(b, pos_ - b);
  }

  // A name followed by ":=" starts a named argument.
  std::optional<std::string> NamedArgumentPrefix() {
    SkipBlanks();
    size_t save = pos_;
    if (pos_ < s_.size() && IsNameStart(s_[pos_])) {
      std::string n = Name();
      if (Accept(":=")) return n;
    }
    pos_ = save;
    return std::nullopt;
  }

  Value ParseValue() {
    SkipBlanks();
    Value v;
    if (pos_ >= s_.size()) Fail("expected a value");
    char c = s_[pos_];
    if (c == '"') {
      ++pos_;
      v.kind = Value::Kind::Text;
      for (;;) {
        if (pos_ >= s_.size()) Fail("unterminated string");
        if (s_[pos_] == '"') {
          if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '"') {
            v.text += '"';
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        v.text += s_[pos_++];
      }
      return v;
    }
    if (IsNameStart(c)) {
      v.kind = Value::Kind::Name;
      v.text = Name();
      return v;
    }
    size_t b = pos_;
    if (c == '-' || c == '+') ++pos_;
    bool digits = false;
    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_, digits = true;
    if (pos_ < s_.size() && s_[pos_] == '.') {
      ++pos_;
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_, digits = true;
    }
    if (!digits) Fail("expected a number, a string in double quotes or a name");
    if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      size_t e = pos_ + 1;
      if (e < s_.size() && (s_[e] == '+' || s_[e] == '-')) ++e;
      if (e < s_.size() && std::isdigit(static_cast<unsigned char>(s_[e]))) {
        pos_ = e;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      }
    }
    v.kind = Value::Kind::Number;
    const std::string digitsText = s_.substr(b, pos_ - b);
    v.number = std::strtod(digitsText.c_str(), nullptr);
    // Beyond the range of a double the host has no value for the number; a
    // number too small to hold becomes 0 (or the nearest subnormal), as in the host.
    if (std::isinf(v.number)) {
      pos_ = b;
      Fail("the number " + Shortened(digitsText) + " is beyond the range of a double (about 1.8e308)");
    }
    return v;
  }

  // Once known, the member is named in every error of the line.
  void SetMember(const std::string& member) { member_ = ShownName(member); }

  [[noreturn]] void Fail(const std::string& what) {
    throw ParseError(line_, (member_.empty() ? "" : member_ + ": ") + what + " at column " +
                                std::to_string(pos_ + 1));
  }

 private:
  static std::string Shortened(const std::string& text) {
    constexpr size_t kShown = 24;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "... (" + std::to_string(text.size()) + " characters)";
  }

  const std::string& s_;
  int line_;
  size_t pos_ = 0;
  std::string member_;
};

std::vector<Argument> ParseArguments(LineReader& r, bool inParentheses) {
  std::vector<Argument> args;
  auto atListEnd = [&] { return inParentheses ? r.Peek(')') : r.AtEnd(); };
  if (atListEnd()) return args;
  bool sawNamed = false;
  for (;;) {
    Argument a;
    if (r.Peek(',') || atListEnd()) {
      // An empty position: the argument is left out.
      if (sawNamed) r.Fail("a positional argument cannot follow a named one");
    } else {
      a.name = r.NamedArgumentPrefix();
      if (a.name) sawNamed = true;
      else if (sawNamed) r.Fail("a positional argument cannot follow a named one");
      a.value = r.ParseValue();
    }
    args.push_back(std::move(a));
    if (!r.Accept(",")) break;
  }
  return args;
}

}  // namespace

std::string ShownName(const std::string& name) {
  constexpr size_t kShown = 40;
  return name.size() <= kShown ? name : name.substr(0, kShown) + "...";
}

std::optional<Statement> ParseLine(const std::string& text, int lineNumber) {
  LineReader r(text, lineNumber);
  if (r.AtEnd()) return std::nullopt;
  Statement st;
  st.line = lineNumber;
  std::string first = r.Name();
  if (EqualsNoCase(first, "Rem")) return std::nullopt;
  if (EqualsNoCase(first, "wait")) {
    st.kind = Statement::Kind::Wait;
    if (!r.AtEnd()) r.Fail("wait takes no arguments");
    return st;
  }
  if (EqualsNoCase(first, "Call")) first = r.Name();
  if (EqualsNoCase(first, "print")) {
    st.kind = Statement::Kind::Print;
    st.member = r.Name();
    r.SetMember(st.member);
    if (r.Accept("(")) {
      st.index = r.ParseValue();
      r.Expect(")", "\")\"");
    }
    if (!r.AtEnd()) r.Fail("unexpected text after the property");
    return st;
  }
  st.member = first;
  r.SetMember(first);
  // "Name(index) = value" or "Name(args)" or "Name = value" or "Name args".
  if (r.Peek('(')) {
    r.Accept("(");
    auto inner = ParseArguments(r, true);
    r.Expect(")", "\")\"");
    if (r.Accept("=")) {
      if (inner.size() != 1 || inner[0].name || inner[0].value.kind == Value::Kind::Missing)
        r.Fail("an indexed property takes one index");
      st.kind = Statement::Kind::Put;
      st.index = inner[0].value;
      st.arguments.push_back(Argument{std::nullopt, r.ParseValue()});
    } else {
      st.kind = Statement::Kind::Call;
      st.arguments = std::move(inner);
    }
  } else if (r.Accept("=")) {
    st.kind = Statement::Kind::Put;
    st.arguments.push_back(Argument{std::nullopt, r.ParseValue()});
  } else {
    st.kind = Statement::Kind::Call;
    st.arguments = ParseArguments(r, false);
  }
  if (!r.AtEnd()) r.Fail("unexpected text");
  return st;
}

std::vector<Statement> ParseScript(const std::string& source) {
  std::vector<Statement> out;
  std::istringstream in(source);
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    ++n;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (n == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    if (line.size() > kMaxLineBytes)
      throw ParseError(n, "the line holds " + std::to_string(line.size()) + " bytes; a script line may hold at most " +
                              std::to_string(kMaxLineBytes));
    if (auto st = ParseLine(line, n)) out.push_back(std::move(*st));
  }
  return out;
}

}  // namespace plamor::script
