// The member table (D-Bus dispatch and introspection, the script host) and the
// list the C++ interface is made from (plamor_members.def) describe one
// interface: the same members in the same order, each parameter with the same
// name, type, optionality and default, and each row reaching its own member.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/plamor_members.h"
#include "tests/support/recording_plamor.h"

namespace plamor {
namespace {

struct ListedParam {
  std::string name;
  ArgType type;
  bool optional = false;
  double defaultValue = 0;
};

struct ListedMember {
  std::string qualifiedName;
  std::vector<ListedParam> params;
  bool hasResult = false;
  ArgType result = ArgType::Int32;
};

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The table's type of a C++ type as the list spells it.
ArgType TypeOf(const std::string& cppType) {
  if (cppType == "double") return ArgType::Double;
  if (cppType == "std::int16_t") return ArgType::Int16;
  if (cppType == "std::int32_t") return ArgType::Int32;
  if (cppType == "bool") return ArgType::Bool;
  if (cppType == "std::string" || cppType == "const std::string&") return ArgType::String;
  if (cppType == "RunResult") return ArgType::RunOutcome;
  ADD_FAILURE() << "no table type for " << cppType;
  return ArgType::Variant;
}

// The table's parameters of a parenthesized C++ parameter list of the list:
// "double lang PLAMOR_DEFAULT(0)" is optional with the default 0; an options
// struct stands for its optional arguments one by one.
std::vector<ListedParam> ParamsOf(const std::string& spelled) {
  const std::string text = spelled.substr(1, spelled.size() - 2);
  std::vector<ListedParam> params;
  size_t start = 0;
  while (start < text.size()) {
    const size_t comma = text.find(',', start);
    std::string piece = Trim(text.substr(start, comma - start));
    start = comma == std::string::npos ? text.size() : comma + 1;
    ListedParam param;
    if (const size_t at = piece.find("PLAMOR_DEFAULT("); at != std::string::npos) {
      const size_t from = at + std::string("PLAMOR_DEFAULT(").size();
      const std::string value = piece.substr(from, piece.find(')', from) - from);
      param.optional = true;
      if (value != "{}") param.defaultValue = std::stod(value);
      piece = Trim(piece.substr(0, at));
    }
    const size_t space = piece.rfind(' ');
    const std::string type = piece.substr(0, space);
    param.name = piece.substr(space + 1);
    if (type == "const LineOptions&") {
      for (const char* name : {"vPen", "vStyl", "vPich", "vLayer"}) params.push_back({name, ArgType::Variant, true});
    } else if (type == "const TextOptions&") {
      for (const char* name : {"vHeight", "vWidth", "vBetween", "vPen", "vLayer", "vKiten"})
        params.push_back({name, ArgType::Variant, true});
    } else {
      param.type = TypeOf(type);
      params.push_back(param);
    }
  }
  return params;
}

std::vector<ListedMember> Listed() {
  std::vector<ListedMember> members;
  auto method = [&](const std::string& result, const char* name, const char* params) {
    ListedMember m{name, ParamsOf(params), result != "void"};
    if (m.hasResult) m.result = TypeOf(result);
    members.push_back(m);
  };
#define PLAMOR_PROPERTY(Name, Type, Tag)                                               \
  EXPECT_EQ(TypeOf(#Type), ArgType::Tag) << #Name;                                     \
  members.push_back({"put_" #Name, {{"value", ArgType::Tag}}, false, ArgType::Tag}); \
  members.push_back({"get_" #Name, {}, true, ArgType::Tag});
#define PLAMOR_READONLY(Name, Type, Tag)           \
  EXPECT_EQ(TypeOf(#Type), ArgType::Tag) << #Name; \
  members.push_back({"get_" #Name, {}, true, ArgType::Tag});
#define PLAMOR_ELEMENT(Name, Params, Args) method("void", #Name, #Params);
#define PLAMOR_METHOD(Result, Name, Params, Args) method(#Result, #Name, #Params);
#define PLAMOR_LOCAL(Result, Name, Params, Args)
#include "server/plamor_members.def"
  return members;
}

TEST(MemberList, TheTableDescribesTheListedMembers) {
  const std::vector<ListedMember> listed = Listed();
  const std::vector<MemberInfo>& table = PlamorMembers();
  ASSERT_EQ(table.size(), listed.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const MemberInfo& row = table[i];
    const ListedMember& member = listed[i];
    SCOPED_TRACE(member.qualifiedName);
    EXPECT_EQ(row.QualifiedName(), member.qualifiedName);
    EXPECT_EQ(row.hasResult, member.hasResult);
    if (row.hasResult) {
      EXPECT_EQ(row.result, member.result);
    }
    ASSERT_EQ(row.params.size(), member.params.size());
    for (size_t p = 0; p < row.params.size(); ++p) {
      EXPECT_EQ(row.params[p].name, member.params[p].name);
      EXPECT_EQ(row.params[p].type, member.params[p].type) << row.params[p].name;
      EXPECT_EQ(row.params[p].optional, member.params[p].optional) << row.params[p].name;
      EXPECT_EQ(row.params[p].defaultValue, member.params[p].defaultValue) << row.params[p].name;
    }
  }
}

TEST(MemberList, EachRowReachesItsOwnMember) {
  for (const MemberInfo& row : PlamorMembers()) {
    if (row.kind == MemberKind::PropertyGet) continue;  // a get leaves no trace to compare
    std::vector<std::pair<std::string, ArgValue>> args;
    for (const ParamInfo& p : row.params) {
      if (p.optional) break;
      args.emplace_back("", p.type == ArgType::String ? ArgValue::Str("a") : ArgValue::Num(1));
    }
    testing::RecordingPlamor drawing;
    InvokeMember(drawing, row, args);
    ASSERT_FALSE(drawing.calls.empty()) << row.QualifiedName();
    const std::string& call = drawing.calls.back();
    EXPECT_EQ(call.substr(0, call.find_first_of(" (")), row.name);
  }
}

}  // namespace
}  // namespace plamor
