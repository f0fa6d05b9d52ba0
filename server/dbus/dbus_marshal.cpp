#include "server/dbus/dbus_marshal.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QVariantMap>

#include <iterator>

#include "server/automation_error.h"
#include "server/dbus/dbus_names.h"

namespace plamor::dbus {
namespace {

const char* TypeCode(ArgType t) {
  switch (t) {
    case ArgType::Double: return "d";
    case ArgType::Int16: return "n";
    case ArgType::Int32: return "i";
    case ArgType::Bool: return "b";
    case ArgType::String: return "s";
    case ArgType::Variant: return "v";
    case ArgType::RunOutcome: return "iss";
  }
  return "v";
}

bool HasOptions(const MemberInfo& m) {
  for (const auto& p : m.params)
    if (p.optional) return true;
  return false;
}

QVariant ToVariant(ArgType type, const ArgValue& v) {
  switch (v.kind) {
    case ArgValue::Kind::Missing: return {};
    case ArgValue::Kind::Text: return QString::fromStdString(v.text);
    case ArgValue::Kind::Bool: return v.flag;
    case ArgValue::Kind::Number: break;
    case ArgValue::Kind::Record: return {};
  }
  switch (type) {
    case ArgType::Int16: return QVariant::fromValue(static_cast<short>(v.number));
    case ArgType::Int32: return QVariant::fromValue(static_cast<int>(v.number));
    case ArgType::Bool: return v.number != 0;
    case ArgType::String: return QString::number(v.number, 'g', 17);
    default: return v.number;
  }
}

ArgValue FromVariant(const QVariant& q, const char* name) {
  switch (q.typeId()) {
    case QMetaType::QString: return ArgValue::Str(q.toString().toStdString());
    case QMetaType::Bool: return ArgValue::Truth(q.toBool());
    case QMetaType::Double: case QMetaType::Int: case QMetaType::UInt: case QMetaType::Short:
    case QMetaType::UShort: case QMetaType::UChar: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Float:
      return ArgValue::Num(q.toDouble());
    default: break;
  }
  throw AutomationError(kErrTypeMismatch, std::string("Type mismatch: ") + name +
                                              " must be a number, a text or a truth value");
}

[[noreturn]] void BadMessage(const MemberInfo& m, const std::string& why) {
  throw AutomationError(kErrInvalidArgument, "Invalid arguments for " + m.QualifiedName() + ": " + why +
                                                 " (expected signature \"" +
                                                 InSignature(m).toStdString() + "\")");
}

}  // namespace

QString InSignature(const MemberInfo& member) {
  QString s;
  for (const auto& p : member.params)
    if (!p.optional) s += TypeCode(p.type);
  if (HasOptions(member)) s += "a{sv}";
  return s;
}

QString OutSignature(const MemberInfo& member) {
  return member.hasResult ? QString(TypeCode(member.result)) : QString();
}

QVariantList PackArguments(const MemberInfo& member, const std::vector<ArgValue>& args) {
  QVariantList out;
  QVariantMap options;
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ParamInfo& p = member.params[i];
    const ArgValue v = i < args.size() ? args[i] : ArgValue{};
    if (p.optional) {
      if (v.kind != ArgValue::Kind::Missing) options.insert(p.name, ToVariant(p.type, v));
    } else {
      out << ToVariant(p.type, v);
    }
  }
  if (HasOptions(member)) out << options;
  return out;
}

std::vector<ArgValue> UnpackArguments(const MemberInfo& member, const QVariantList& arguments) {
  std::vector<ArgValue> out(member.params.size());
  int next = 0;
  for (size_t i = 0; i < member.params.size(); ++i) {
    const ParamInfo& p = member.params[i];
    if (p.optional) continue;
    if (next >= arguments.size()) BadMessage(member, "too few arguments");
    out[i] = FromVariant(arguments[next++], p.name);
  }
  if (HasOptions(member)) {
    if (next >= arguments.size()) BadMessage(member, "the options dictionary is missing");
    UnpackOptions(member, arguments[next++], out);
  }
  if (next != arguments.size()) BadMessage(member, "too many arguments");
  return out;
}

void UnpackOptions(const MemberInfo& member, const QVariant& dict, std::vector<ArgValue>& args) {
  QVariantMap options;
  if (dict.canConvert<QDBusArgument>()) options = qdbus_cast<QVariantMap>(dict.value<QDBusArgument>());
  else if (dict.typeId() == QMetaType::QVariantMap) options = dict.toMap();
  else BadMessage(member, "the options are not a dictionary");
  for (auto it = options.cbegin(); it != options.cend(); ++it) {
    size_t index = member.params.size();
    for (size_t i = 0; i < member.params.size(); ++i)
      if (member.params[i].optional && it.key() == member.params[i].name) index = i;
    if (index == member.params.size())
      throw AutomationError(kErrNamedArgumentNotFound,
                            "Named argument not found: " + it.key().toStdString() + " of " + member.QualifiedName());
    args[index] = FromVariant(it.value(), member.params[index].name);
  }
}

QVariantList PackResult(const MemberInfo& member, const ArgValue& result) {
  if (!member.hasResult) return {};
  if (member.result != ArgType::RunOutcome) return {ToVariant(member.result, result)};
  QVariantList out;
  for (size_t i = 0; i < std::size(kRunResultParts); ++i)
    out << ToVariant(kRunResultParts[i].type, i < result.parts.size() ? result.parts[i] : ArgValue{});
  return out;
}

ArgValue UnpackResult(const MemberInfo& member, const QVariantList& values) {
  if (!member.hasResult) return {};
  if (member.result != ArgType::RunOutcome) return FromVariant(values.value(0), member.name);
  RunResult result;
  if (!UnpackRunResult(values, result))
    throw AutomationError(kErrTypeMismatch, "Type mismatch: the result of " + member.QualifiedName() +
                                                " is not (state, path, message)");
  return RunResultValue(result);
}

QVariantList PackRunResult(const RunResult& result) {
  return {static_cast<int>(result.state), QString::fromStdString(result.path),
          QString::fromStdString(result.message)};
}

bool UnpackRunResult(const QVariantList& values, RunResult& result) {
  if (values.size() != 3 || values[0].typeId() != QMetaType::Int || values[1].typeId() != QMetaType::QString ||
      values[2].typeId() != QMetaType::QString)
    return false;
  result = {static_cast<RunState>(values[0].toInt()), values[1].toString().toStdString(),
            values[2].toString().toStdString()};
  return true;
}

QString IntrospectionXml() {
  QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(kObjectInterface);
  xml += QStringLiteral(
      "    <annotation name=\"TessaroPlamor.ProgId\" value=\"TessaroPlamor.clsPlamor\"/>\n"
      "    <annotation name=\"TessaroPlamor.ClassId\" value=\"{501B463E-A247-11D3-B575-0090FE01B13E}\"/>\n"
      "    <annotation name=\"TessaroPlamor.InterfaceId\" value=\"{88198186-1F8B-4DBE-A1EF-7C225B5AE4EE}\"/>\n");
  for (const MemberInfo& m : PlamorMembers()) {
    xml += QStringLiteral("    <method name=\"%1\">\n").arg(QString::fromStdString(m.QualifiedName()));
    QStringList optional;
    for (const auto& p : m.params) {
      if (p.optional) optional << p.name;
      else xml += QStringLiteral("      <arg name=\"%1\" type=\"%2\" direction=\"in\"/>\n").arg(p.name, TypeCode(p.type));
    }
    if (!optional.isEmpty()) {
      xml += QStringLiteral("      <arg name=\"options\" type=\"a{sv}\" direction=\"in\"/>\n");
      xml += QStringLiteral("      <annotation name=\"TessaroPlamor.OptionalArguments\" value=\"%1\"/>\n")
                 .arg(optional.join(','));
    }
    if (m.hasResult && m.result == ArgType::RunOutcome) {
      for (const ParamInfo& part : kRunResultParts)
        xml += QStringLiteral("      <arg name=\"%1\" type=\"%2\" direction=\"out\"/>\n").arg(part.name, TypeCode(part.type));
    } else if (m.hasResult) {
      xml += QStringLiteral("      <arg name=\"result\" type=\"%1\" direction=\"out\"/>\n").arg(TypeCode(m.result));
    }
    xml += QStringLiteral("    </method>\n");
  }
  xml += QStringLiteral("    <signal name=\"%1\">\n").arg(kRunEndedSignal);
  for (const ParamInfo& part : kRunResultParts)
    xml += QStringLiteral("      <arg name=\"%1\" type=\"%2\"/>\n").arg(part.name, TypeCode(part.type));
  xml += QStringLiteral("    </signal>\n");
  xml += QStringLiteral("  </interface>\n");
  return xml;
}

}  // namespace plamor::dbus
