#include "server/dbus/dbus_batch.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QStringList>
#include <QVariantMap>

#include <cstring>
#include <vector>

#include "server/automation_error.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"
#include "server/plamor_members.h"

namespace plamor::dbus {
namespace {

const char* const kInvalidArgs = "org.freedesktop.DBus.Error.InvalidArgs";

using Run = BatchRun;

void RegisterTypes() {
  static const bool registered = [] {
    qDBusRegisterMetaType<BatchRun>();
    qDBusRegisterMetaType<QList<BatchRun>>();
    return true;
  }();
  (void)registered;
}

// Members a batch may hold: the elements and the property puts.
bool Batchable(const MemberInfo& m) {
  static const char* const kElements[] = {"En",   "Enko", "Daen",       "Daenko",
                                          "Sen",  "Moji", "MojiExtMsM", "MojiExtMsG"};
  if (m.kind == MemberKind::PropertyPut) return true;
  if (m.kind != MemberKind::Method) return false;
  for (const char* e : kElements)
    if (std::strcmp(m.name, e) == 0) return true;
  return false;
}

std::vector<Run> ReadRuns(const QVariant& value) {
  RegisterTypes();
  const QList<BatchRun> runs = value.canConvert<QDBusArgument>() ? qdbus_cast<QList<BatchRun>>(value)
                                                                  : value.value<QList<BatchRun>>();
  return {runs.begin(), runs.end()};
}

struct Shape {
  size_t numbers = 0;
  size_t texts = 0;
};

// What one call of `m` takes from the two arrays.
Shape ShapeOf(const MemberInfo& m) {
  Shape s;
  for (const ParamInfo& p : m.params) {
    if (p.optional) continue;
    if (p.type == ArgType::String) ++s.texts;
    else ++s.numbers;
  }
  return s;
}

std::string Position(quint64 index, const MemberInfo* m, const QString& name) {
  return "batch element " + std::to_string(index) + " (" +
         (m ? m->QualifiedName() : name.toStdString()) + "): ";
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& arg, const BatchRun& run) {
  arg.beginStructure();
  arg << run.member << run.count << run.options;
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, BatchRun& run) {
  arg.beginStructure();
  arg >> run.member >> run.count >> run.options;
  arg.endStructure();
  return arg;
}

QVariantList BatchArguments(const QList<BatchRun>& runs, const QList<double>& numbers, const QStringList& texts) {
  RegisterTypes();
  return {QVariant::fromValue(runs), QVariant::fromValue(numbers), texts};
}

void RegisterBatch(IPlamor& target, const QVariantList& arguments) {
  const std::vector<Run> runs = ReadRuns(arguments.value(0));
  const QList<double> numbers = qdbus_cast<QList<double>>(arguments.value(1));
  const QStringList texts = arguments.value(2).toStringList();

  quint64 total = 0;
  for (const Run& run : runs) total += run.count;
  if (total > kMaxBatchCalls)
    throw BatchError(ErrorName(kErrInvalidArgument).c_str(),
                     "the batch holds " + std::to_string(total) + " calls; at most " +
                         std::to_string(kMaxBatchCalls) + " go in one message (nothing was registered)");

  // Check the shape first: which member each run names and what the calls
  // take from the arrays. The first run whose member is unknown or cannot be
  // batched is where the batch stops; the arrays must hold what the calls
  // before it take (exactly, when there is no such run).
  std::vector<const MemberInfo*> members;
  std::string fault;
  QString faultName;
  quint64 faultAt = total;
  Shape need;
  for (const Run& run : runs) {
    const MemberInfo* m = FindMember(run.member.toStdString());
    if (!m || !Batchable(*m)) {
      faultAt = 0;
      for (size_t i = 0; i < members.size(); ++i) faultAt += runs[i].count;
      faultName = m ? ErrorName(kErrInvalidArgument).c_str() : "org.freedesktop.DBus.Error.UnknownMethod";
      fault = Position(faultAt, nullptr, run.member) +
              (m ? "only elements and property puts can be batched"
                 : "_clsPlamor has no member " + run.member.toStdString());
      break;
    }
    const Shape s = ShapeOf(*m);
    need.numbers += s.numbers * run.count;
    need.texts += s.texts * run.count;
    members.push_back(m);
  }
  const bool exact = fault.empty();
  if (exact ? (numbers.size() != qsizetype(need.numbers) || texts.size() != qsizetype(need.texts))
            : (numbers.size() < qsizetype(need.numbers) || texts.size() < qsizetype(need.texts)))
    throw BatchError(kInvalidArgs, "the calls of the batch take " + std::to_string(need.numbers) +
                                       " numbers and " + std::to_string(need.texts) + " texts, the message holds " +
                                       std::to_string(numbers.size()) + " and " + std::to_string(texts.size()) +
                                       " (nothing was registered)");

  quint64 index = 0;
  qsizetype nextNumber = 0, nextText = 0;
  for (size_t r = 0; r < members.size(); ++r) {
    const MemberInfo& m = *members[r];
    std::vector<ArgValue> options(m.params.size());
    try {
      if (!runs[r].options.isEmpty()) UnpackOptions(m, runs[r].options, options);
      for (quint64 c = 0; c < runs[r].count; ++c, ++index) {
        std::vector<ArgValue> args = options;
        for (size_t i = 0; i < m.params.size(); ++i) {
          const ParamInfo& p = m.params[i];
          if (p.optional) continue;
          if (p.type == ArgType::String) args[i] = ArgValue::Str(texts[nextText++].toStdString());
          else args[i] = ArgValue::Num(numbers[nextNumber++]);
        }
        MemberCall call(m, std::move(args));
        m.invoke(target, call);
      }
    } catch (const AutomationError& e) {
      throw BatchError(ErrorName(e.Number()).c_str(), Position(index, &m, {}) + e.what());
    } catch (const std::exception& e) {
      throw BatchError(ErrorName(kErrInternal).c_str(), Position(index, &m, {}) + e.what());
    }
  }
  if (!exact) throw BatchError(faultName, fault);
}

}  // namespace plamor::dbus
