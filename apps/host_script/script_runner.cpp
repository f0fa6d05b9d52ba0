#include "apps/host_script/script_runner.h"

#include <strings.h>

#include "platform/numeric_text.h"
#include "server/automation_error.h"
#include "server/enum_names.h"
#include "server/plamor_members.h"

namespace plamor::script {
namespace {

// Members whose text argument is a file path.
bool IsPathArgument(const MemberInfo& m) {
  std::string q = m.QualifiedName();
  return q == "put_FileName" || q == "put_FilePath" || q == "OutPutPlamor";
}

std::string Absolute(const std::string& path, const std::string& folder) {
  if (path.empty() || path[0] == '/' || folder.empty()) return path;
  return folder + (folder.back() == '/' ? "" : "/") + path;
}

ArgValue ToArgValue(const Value& v, int line, const std::string& member) {
  switch (v.kind) {
    case Value::Kind::Missing: return ArgValue{};
    case Value::Kind::Number: return ArgValue::Num(v.number);
    case Value::Kind::Text: return ArgValue::Str(v.text);
    case Value::Kind::Name:
      if (strcasecmp(v.text.c_str(), "True") == 0) return ArgValue::Truth(true);
      if (strcasecmp(v.text.c_str(), "False") == 0) return ArgValue::Truth(false);
      if (auto e = EnumValue(v.text)) return ArgValue::Num(*e);
      throw RunError(line, member, "unknown name " + ShownName(v.text));
  }
  return ArgValue{};
}

std::string Printable(const ArgValue& v) {
  switch (v.kind) {
    case ArgValue::Kind::Missing: return "";
    case ArgValue::Kind::Number: return numtext::Str(v.number);
    case ArgValue::Kind::Bool: return v.flag ? "True" : "False";
    case ArgValue::Kind::Text: return v.text;
    case ArgValue::Kind::Record: {
      std::string parts;
      for (const ArgValue& part : v.parts) parts += (parts.empty() ? "" : ", ") + Printable(part);
      return parts;
    }
  }
  return "";
}

const MemberInfo& Lookup(const Statement& st, MemberKind kind) {
  const MemberInfo* m = FindMember(st.member, kind);
  if (!m) {
    const char* what = kind == MemberKind::Method ? "no such method"
                       : kind == MemberKind::PropertyPut ? "no such writable property"
                                                         : "no such readable property";
    throw RunError(st.line, st.member, what);
  }
  return *m;
}

}  // namespace

void RunScript(const std::vector<Statement>& statements, IPlamor& target, const RunnerOptions& options) {
  for (const Statement& st : statements) {
    if (st.kind == Statement::Kind::Wait) {
      WaitForOutput(target, options.whileWaiting);
      if (options.afterStatement) options.afterStatement(st);
      continue;
    }
    const MemberKind kind = st.kind == Statement::Kind::Put     ? MemberKind::PropertyPut
                            : st.kind == Statement::Kind::Print ? MemberKind::PropertyGet
                                                                : MemberKind::Method;
    const MemberInfo& member = Lookup(st, kind);
    std::vector<std::pair<std::string, ArgValue>> args;
    if (st.index) args.emplace_back("", ToArgValue(*st.index, st.line, st.member));
    for (const Argument& a : st.arguments) {
      ArgValue v = ToArgValue(a.value, st.line, st.member);
      if (IsPathArgument(member) && v.kind == ArgValue::Kind::Text) v.text = Absolute(v.text, options.currentFolder);
      args.emplace_back(a.name.value_or(""), std::move(v));
    }
    try {
      ArgValue result = InvokeMember(target, member, args);
      if (st.kind == Statement::Kind::Print && options.out) *options.out << Printable(result) << "\n";
    } catch (const AutomationError& e) {
      // A lost server is no fault of this statement: its caller names the
      // drawing that was not written.
      if (e.Number() == kErrServerUnavailable) throw;
      throw RunError(st.line, st.member, e.what());
    } catch (const std::exception& e) {
      throw RunError(st.line, st.member, e.what());
    }
    if (options.afterStatement) options.afterStatement(st);
  }
}

}  // namespace plamor::script
