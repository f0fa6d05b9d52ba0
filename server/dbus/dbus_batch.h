// The bulk path: many registration calls in one D-Bus message, made one by
// one exactly as if each had come as its own call.
//
//   TessaroPlamor.Bulk.Register(a(sua{sv}) runs, ad numbers, as texts)
//
// `runs` is the sequence of calls as (member, count, options): `count`
// consecutive calls of `member` (an element method or a property put), each
// with `options` as its optional arguments. `numbers` holds the required
// number, truth-value and integer arguments of all calls in call order,
// `texts` their required text arguments. Nothing is registered when the
// message itself is malformed (too many calls, arrays that do not hold what
// the calls take); a call that fails stops the batch with the error the same
// single call gives, its message naming the call's position (counted from 0):
// the calls before it stay made, the ones after it are not.
#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <stdexcept>

#include "server/plamor_interface.h"

namespace plamor::dbus {

inline constexpr const char* kBulkInterface = "TessaroPlamor.Bulk";
inline constexpr const char* kBulkSignature = "a(sua{sv})adas";

// At most this many calls per message: a batch is answered in well under a
// second, far inside a host's call timeout (25 s by default), and its
// message (a few MB) inside the bus's message size limits; a host sends a
// larger drawing as several batches.
inline constexpr quint64 kMaxBatchCalls = 100000;

// One run of a batch: `count` consecutive calls of `member` with `options`.
struct BatchRun {
  QString member;
  quint32 count = 0;
  QVariantMap options;
};

// The arguments of a Register message, for hosts written with QtDBus.
QVariantList BatchArguments(const QList<BatchRun>& runs, const QList<double>& numbers, const QStringList& texts);

// A failure with the D-Bus error name it goes back under.
class BatchError : public std::runtime_error {
 public:
  BatchError(QString name, const std::string& message) : std::runtime_error(message), name_(std::move(name)) {}
  const QString& Name() const { return name_; }

 private:
  QString name_;
};

// Makes the calls of one Register message (arguments in `kBulkSignature`)
// on `target`; throws BatchError.
void RegisterBatch(IPlamor& target, const QVariantList& arguments);

QDBusArgument& operator<<(QDBusArgument& arg, const BatchRun& run);
const QDBusArgument& operator>>(const QDBusArgument& arg, BatchRun& run);

}  // namespace plamor::dbus

Q_DECLARE_METATYPE(plamor::dbus::BatchRun)
