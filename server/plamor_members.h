// The members of `_clsPlamor` as data: name, kind, parameters and result, in
// interface order, each with a function that calls it on an IPlamor. Every
// transport that reaches a drawing by member name uses this one table: the
// D-Bus server (dispatch and introspection data) and the script host.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "server/plamor_interface.h"

namespace plamor {

// RunOutcome: a result of three parts, kRunResultParts.
enum class ArgType { Double, Int16, Int32, Bool, String, Variant, RunOutcome };

// One argument value as a caller gives it: left out, a number, a text or a
// truth value. Fixed parameters convert it to their type; a Variant parameter
// keeps the distinction between a number and a text. A result of several
// parts (RunOutcome) is a Record of them.
struct ArgValue {
  enum class Kind { Missing, Number, Text, Bool, Record };
  Kind kind = Kind::Missing;
  double number = 0;
  std::string text;
  bool flag = false;
  std::vector<ArgValue> parts;

  static ArgValue Num(double v) { ArgValue a; a.kind = Kind::Number; a.number = v; return a; }
  static ArgValue Str(std::string v) { ArgValue a; a.kind = Kind::Text; a.text = std::move(v); return a; }
  static ArgValue Truth(bool v) { ArgValue a; a.kind = Kind::Bool; a.flag = v; return a; }
  static ArgValue Record(std::vector<ArgValue> v) { ArgValue a; a.kind = Kind::Record; a.parts = std::move(v); return a; }
};

struct ParamInfo {
  const char* name;
  ArgType type;
  bool optional = false;
  double defaultValue = 0;  // for optional fixed parameters
};

// The parts of a RunOutcome, in order: as they travel in the result of
// get_RunResult and in the RunEnded signal.
inline constexpr ParamInfo kRunResultParts[] = {
    {"state", ArgType::Int32}, {"path", ArgType::String}, {"message", ArgType::String}};

// A RunResult as a Record of its parts, and back.
ArgValue RunResultValue(const RunResult& result);
RunResult RunResultFrom(const ArgValue& value);

enum class MemberKind { PropertyPut, PropertyGet, Method };

class MemberCall;

struct MemberInfo {
  const char* name;          // the member's name ("Sen", "FileName", ...)
  MemberKind kind;
  std::vector<ParamInfo> params;  // for a put: the index (LayerName) then the value
  bool hasResult = false;
  ArgType result = ArgType::Int32;
  ArgValue (*invoke)(IPlamor& target, const MemberCall& call);

  // "put_FileName", "get_FileName" or the method's name.
  std::string QualifiedName() const;
};

// True for the programmatic identifier or the class identifier (with or
// without braces) of clsPlamor, compared without regard to case.
bool IsPlamorClass(std::string_view identifier);

// The members in interface order.
const std::vector<MemberInfo>& PlamorMembers();

// Finds a member by its qualified name ("put_Style", "Sen"); nullptr if none.
const MemberInfo* FindMember(std::string_view qualifiedName);

// Finds the property put or get of a property, or a method, by its plain name,
// compared without regard to case as the host language does.
const MemberInfo* FindMember(std::string_view name, MemberKind kind);

// The arguments of one call, in parameter order (missing ones left Missing),
// checked and converted on access. Conversion failures raise AutomationError
// (type mismatch, overflow) naming the parameter.
class MemberCall {
 public:
  MemberCall(const MemberInfo& member, std::vector<ArgValue> args);

  double Double(size_t i) const;
  std::int16_t Int16(size_t i) const;
  std::int32_t Int32(size_t i) const;
  bool Bool(size_t i) const;
  std::string String(size_t i) const;
  OptionalArg Optional(size_t i) const;

 private:
  const ArgValue& At(size_t i) const;
  const MemberInfo& member_;
  std::vector<ArgValue> args_;
};

// Binds positional and named arguments to the member's parameters (named ones
// compared without regard to case) and calls it. Errors: unknown argument
// name, too many arguments, a required argument left out (AutomationError 449
// "argument not optional" or 5).
ArgValue InvokeMember(IPlamor& target, const MemberInfo& member,
                      const std::vector<std::pair<std::string, ArgValue>>& args);

}  // namespace plamor
