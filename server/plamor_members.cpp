#include "server/plamor_members.h"

#include <strings.h>

#include <cmath>
#include <iterator>
#include <unordered_map>

#include "platform/numeric_text.h"
#include "server/automation_error.h"

namespace plamor {
namespace {

constexpr std::int32_t kErrArgumentNotOptional = 449;
constexpr std::int32_t kErrNamedArgumentNotFound = 448;
constexpr std::int32_t kErrWrongNumberOfArguments = 450;

ArgValue Result(double v) { return ArgValue::Num(v); }
ArgValue Result(std::int32_t v) { return ArgValue::Num(v); }
ArgValue Result(std::int16_t v) { return ArgValue::Num(v); }
ArgValue Result(bool v) { return ArgValue::Truth(v); }
ArgValue Result(const std::string& v) { return ArgValue::Str(v); }
ArgValue Result(const RunResult& v) { return RunResultValue(v); }
ArgValue None() { return ArgValue{}; }

using T = ArgType;
using Invoke = ArgValue (*)(IPlamor& target, const MemberCall& call);

LineOptions LineOptionsAt(const MemberCall& c, size_t first) {
  return LineOptions{c.Optional(first), c.Optional(first + 1), c.Optional(first + 2),
                     c.Optional(first + 3)};
}

TextOptions TextOptionsAt(const MemberCall& c, size_t first) {
  return TextOptions{c.Optional(first),     c.Optional(first + 1), c.Optional(first + 2),
                     c.Optional(first + 3), c.Optional(first + 4), c.Optional(first + 5)};
}

const std::vector<ParamInfo> kLineOptionParams = {
    {"vPen", T::Variant, true}, {"vStyl", T::Variant, true},
    {"vPich", T::Variant, true}, {"vLayer", T::Variant, true}};

std::vector<ParamInfo> With(std::vector<ParamInfo> head, const std::vector<ParamInfo>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

const std::vector<ParamInfo> kTextParams = {
    {"x", T::Double},           {"y", T::Double},           {"cText", T::String},
    {"tStyl", T::Int32, true},  {"cAng", T::Double, true},  {"tAng", T::Double, true},
    {"vHeight", T::Variant, true}, {"vWidth", T::Variant, true}, {"vBetween", T::Variant, true},
    {"vPen", T::Variant, true},    {"vLayer", T::Variant, true}, {"vKiten", T::Variant, true}};

MemberInfo Method(const char* name, std::vector<ParamInfo> params, Invoke invoke) {
  return MemberInfo{name, MemberKind::Method, std::move(params), false, T::Int32, invoke};
}

// The rows of the members whose parameters the list cannot give as the type
// library names them: the methods and the indexed property LayerName. Each is
// named after its member in plamor_members.def.
MemberInfo EnRow() {
  return Method("En", With({{"x", T::Double}, {"y", T::Double}, {"r", T::Double}}, kLineOptionParams),
                [](IPlamor& t, const MemberCall& c) {
                  t.En(c.Double(0), c.Double(1), c.Double(2), LineOptionsAt(c, 3));
                  return None();
                });
}
MemberInfo EnkoRow() {
  return Method("Enko",
                With({{"x", T::Double}, {"y", T::Double}, {"r", T::Double}, {"sAng", T::Double},
                      {"mang", T::Double}},
                     kLineOptionParams),
                [](IPlamor& t, const MemberCall& c) {
                  t.Enko(c.Double(0), c.Double(1), c.Double(2), c.Double(3), c.Double(4),
                         LineOptionsAt(c, 5));
                  return None();
                });
}
MemberInfo DaenRow() {
  return Method("Daen",
                With({{"x", T::Double}, {"y", T::Double}, {"xr", T::Double}, {"yr", T::Double},
                      {"lang", T::Double, true}},
                     kLineOptionParams),
                [](IPlamor& t, const MemberCall& c) {
                  t.Daen(c.Double(0), c.Double(1), c.Double(2), c.Double(3), c.Double(4),
                         LineOptionsAt(c, 5));
                  return None();
                });
}
MemberInfo DaenkoRow() {
  return Method("Daenko",
                With({{"x", T::Double}, {"y", T::Double}, {"xr", T::Double}, {"yr", T::Double},
                      {"sAng", T::Double}, {"mang", T::Double}, {"lang", T::Double, true}},
                     kLineOptionParams),
                [](IPlamor& t, const MemberCall& c) {
                  t.Daenko(c.Double(0), c.Double(1), c.Double(2), c.Double(3), c.Double(4),
                           c.Double(5), c.Double(6), LineOptionsAt(c, 7));
                  return None();
                });
}
MemberInfo SenRow() {
  return Method("Sen",
                With({{"x1", T::Double}, {"y1", T::Double}, {"x2", T::Double}, {"y2", T::Double}},
                     kLineOptionParams),
                [](IPlamor& t, const MemberCall& c) {
                  t.Sen(c.Double(0), c.Double(1), c.Double(2), c.Double(3), LineOptionsAt(c, 4));
                  return None();
                });
}
// The three text members take the same arguments.
template <void (IPlamor::*TextMember)(double, double, const std::string&, std::int32_t, double, double,
                                      const TextOptions&)>
ArgValue CallText(IPlamor& t, const MemberCall& c) {
  (t.*TextMember)(c.Double(0), c.Double(1), c.String(2), c.Int32(3), c.Double(4), c.Double(5),
                  TextOptionsAt(c, 6));
  return None();
}
MemberInfo MojiRow() { return Method("Moji", kTextParams, CallText<&IPlamor::Moji>); }
MemberInfo MojiExtMsMRow() { return Method("MojiExtMsM", kTextParams, CallText<&IPlamor::MojiExtMsM>); }
MemberInfo MojiExtMsGRow() { return Method("MojiExtMsG", kTextParams, CallText<&IPlamor::MojiExtMsG>); }
MemberInfo ClearRow() {
  return Method("Clear", {}, [](IPlamor& t, const MemberCall&) { t.Clear(); return None(); });
}
MemberInfo ShowDialogRow() {
  return Method("ShowDialog", {}, [](IPlamor& t, const MemberCall&) { t.ShowDialog(); return None(); });
}
MemberInfo HideDialogRow() {
  return Method("HideDialog", {}, [](IPlamor& t, const MemberCall&) { t.HideDialog(); return None(); });
}
MemberInfo OutPutPlamorRow() {
  return Method("OutPutPlamor", {{"MGLPath", T::String}}, [](IPlamor& t, const MemberCall& c) {
    t.OutPutPlamor(c.String(0));
    return None();
  });
}
MemberInfo OpenFileNameDlgRow() {
  return MemberInfo{"OpenFileNameDlg", MemberKind::Method, {}, true, T::String,
                    [](IPlamor& t, const MemberCall&) { return Result(t.OpenFileNameDlg()); }};
}
MemberInfo put_LayerNameRow() {
  return MemberInfo{"LayerName", MemberKind::PropertyPut, {{"Index", T::Int16}, {"value", T::String}},
                    false, T::String, [](IPlamor& t, const MemberCall& c) {
                      t.put_LayerName(c.Int16(0), c.String(1));
                      return None();
                    }};
}
MemberInfo get_LayerNameRow() {
  return MemberInfo{"LayerName", MemberKind::PropertyGet, {{"Index", T::Int16}}, true, T::String,
                    [](IPlamor& t, const MemberCall& c) { return Result(t.get_LayerName(c.Int16(0))); }};
}

// The table in the order of plamor_members.def: a property as its put and get
// members (the put takes "value"), a read-only property as its get, the other
// members by their rows above. Members of the in-process interface only have
// no row.
std::vector<MemberInfo> BuildMembers() {
  std::vector<MemberInfo> members;
#define PLAMOR_PROPERTY(Name, Type, Tag)                                                          \
  members.push_back(MemberInfo{#Name, MemberKind::PropertyPut, {{"value", T::Tag}}, false, T::Tag, \
                               [](IPlamor& t, const MemberCall& c) {                              \
                                 t.put_##Name(c.Tag(0));                                          \
                                 return None();                                                   \
                               }});                                                               \
  PLAMOR_READONLY(Name, Type, Tag)
#define PLAMOR_READONLY(Name, Type, Tag)                             \
  members.push_back(MemberInfo{#Name, MemberKind::PropertyGet, {}, true, T::Tag, \
                               [](IPlamor& t, const MemberCall&) { return Result(t.get_##Name()); }});
#define PLAMOR_ELEMENT(Name, Params, Args) members.push_back(Name##Row());
#define PLAMOR_METHOD(Result, Name, Params, Args) members.push_back(Name##Row());
#define PLAMOR_LOCAL(Result, Name, Params, Args)
#include "server/plamor_members.def"
  return members;
}

std::string Describe(const MemberInfo& m, size_t i) {
  return std::string(m.params[i].name) + " of " + m.QualifiedName();
}

}  // namespace

ArgValue RunResultValue(const RunResult& result) {
  return ArgValue::Record({ArgValue::Num(static_cast<std::int32_t>(result.state)), ArgValue::Str(result.path),
                           ArgValue::Str(result.message)});
}

RunResult RunResultFrom(const ArgValue& value) {
  RunResult result;
  if (value.kind != ArgValue::Kind::Record || value.parts.size() != std::size(kRunResultParts)) return result;
  result.state = static_cast<RunState>(static_cast<std::int32_t>(value.parts[0].number));
  result.path = value.parts[1].text;
  result.message = value.parts[2].text;
  return result;
}

std::string MemberInfo::QualifiedName() const {
  switch (kind) {
    case MemberKind::PropertyPut: return std::string("put_") + name;
    case MemberKind::PropertyGet: return std::string("get_") + name;
    case MemberKind::Method: break;
  }
  return name;
}

bool IsPlamorClass(std::string_view id) {
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
  };
  const std::string_view clsid(kPlamorClsid);
  return same(id, kPlamorProgId) || same(id, clsid) || same(id, clsid.substr(1, clsid.size() - 2));
}

const std::vector<MemberInfo>& PlamorMembers() {
  static const std::vector<MemberInfo> members = BuildMembers();
  return members;
}

const MemberInfo* FindMember(std::string_view qualifiedName) {
  static const std::unordered_map<std::string, const MemberInfo*> byName = [] {
    std::unordered_map<std::string, const MemberInfo*> map;
    for (const auto& m : PlamorMembers()) map.emplace(m.QualifiedName(), &m);
    return map;
  }();
  auto it = byName.find(std::string(qualifiedName));
  return it == byName.end() ? nullptr : it->second;
}

const MemberInfo* FindMember(std::string_view name, MemberKind kind) {
  for (const auto& m : PlamorMembers())
    if (m.kind == kind && std::string_view(m.name).size() == name.size() &&
        strncasecmp(m.name, name.data(), name.size()) == 0)
      return &m;
  return nullptr;
}

MemberCall::MemberCall(const MemberInfo& member, std::vector<ArgValue> args)
    : member_(member), args_(std::move(args)) {
  args_.resize(member.params.size());
}

const ArgValue& MemberCall::At(size_t i) const {
  const ArgValue& a = args_.at(i);
  if (a.kind == ArgValue::Kind::Missing && !member_.params[i].optional)
    throw AutomationError(kErrArgumentNotOptional, "Argument not optional: " + Describe(member_, i));
  return a;
}

double MemberCall::Double(size_t i) const {
  const ArgValue& a = At(i);
  switch (a.kind) {
    case ArgValue::Kind::Missing: return member_.params[i].defaultValue;
    case ArgValue::Kind::Number: return a.number;
    case ArgValue::Kind::Bool: return a.flag ? -1.0 : 0.0;
    case ArgValue::Kind::Text:
      if (numtext::IsNumeric(a.text)) return numtext::Val(a.text);
      break;
    case ArgValue::Kind::Record: break;
  }
  throw AutomationError(kErrTypeMismatch, "Type mismatch: " + Describe(member_, i) +
                                              " must be a number, not \"" + a.text + "\"");
}

std::int16_t MemberCall::Int16(size_t i) const {
  try {
    return numtext::ToInt16(Double(i));
  } catch (const std::overflow_error&) {
    throw AutomationError(kErrOverflow, "Overflow: " + Describe(member_, i) + " must lie in -32768..32767");
  }
}

std::int32_t MemberCall::Int32(size_t i) const {
  try {
    return numtext::ToInt32(Double(i));
  } catch (const std::overflow_error&) {
    throw AutomationError(kErrOverflow, "Overflow: " + Describe(member_, i) + " is out of the 32-bit range");
  }
}

bool MemberCall::Bool(size_t i) const {
  const ArgValue& a = At(i);
  if (a.kind == ArgValue::Kind::Bool) return a.flag;
  if (a.kind == ArgValue::Kind::Text) {
    if (strcasecmp(a.text.c_str(), "True") == 0) return true;
    if (strcasecmp(a.text.c_str(), "False") == 0) return false;
  }
  return Double(i) != 0;
}

std::string MemberCall::String(size_t i) const {
  const ArgValue& a = At(i);
  switch (a.kind) {
    case ArgValue::Kind::Missing: return {};
    case ArgValue::Kind::Text: return a.text;
    case ArgValue::Kind::Bool: return a.flag ? "True" : "False";
    case ArgValue::Kind::Number: return numtext::CStr(a.number);
    case ArgValue::Kind::Record: break;
  }
  return {};
}

OptionalArg MemberCall::Optional(size_t i) const {
  const ArgValue& a = At(i);
  switch (a.kind) {
    case ArgValue::Kind::Missing: return OptionalArg();
    case ArgValue::Kind::Number: return OptionalArg(a.number);
    case ArgValue::Kind::Bool: return OptionalArg(a.flag ? -1.0 : 0.0);
    case ArgValue::Kind::Text: return OptionalArg(a.text);
    case ArgValue::Kind::Record: break;
  }
  return OptionalArg();
}

ArgValue InvokeMember(IPlamor& target, const MemberInfo& member,
                      const std::vector<std::pair<std::string, ArgValue>>& args) {
  std::vector<ArgValue> bound(member.params.size());
  size_t position = 0;
  for (const auto& [name, value] : args) {
    size_t index = position;
    if (!name.empty()) {
      index = member.params.size();
      for (size_t i = 0; i < member.params.size(); ++i)
        if (strcasecmp(member.params[i].name, name.c_str()) == 0) index = i;
      if (index == member.params.size())
        throw AutomationError(kErrNamedArgumentNotFound,
                              "Named argument not found: " + name + " of " + member.QualifiedName());
    } else {
      ++position;
    }
    if (index >= member.params.size())
      throw AutomationError(kErrWrongNumberOfArguments,
                            "Wrong number of arguments: " + member.QualifiedName() + " takes " +
                                std::to_string(member.params.size()));
    bound[index] = value;
  }
  MemberCall call(member, std::move(bound));
  return member.invoke(target, call);
}

}  // namespace plamor
