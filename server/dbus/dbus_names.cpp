#include "server/dbus/dbus_names.h"

#include <iterator>

namespace plamor::dbus {
namespace {

struct NamedError {
  std::int32_t number;
  const char* name;
};

const NamedError kErrors[] = {
    {5, "TessaroPlamor.Error.InvalidArgument"},
    {6, "TessaroPlamor.Error.Overflow"},
    {9, "TessaroPlamor.Error.SubscriptOutOfRange"},
    {13, "TessaroPlamor.Error.TypeMismatch"},
    {448, "TessaroPlamor.Error.NamedArgumentNotFound"},
    {449, "TessaroPlamor.Error.ArgumentNotOptional"},
    {450, "TessaroPlamor.Error.WrongNumberOfArguments"},
    {1001, "TessaroPlamor.Error.Busy"},
    {1002, "TessaroPlamor.Error.UnknownObject"},
    {1003, "TessaroPlamor.Error.UnknownClass"},
};
constexpr const char* kFailed = "TessaroPlamor.Error.Failed";

}  // namespace

std::string ErrorName(std::int32_t number) {
  for (const auto& e : kErrors)
    if (e.number == number) return e.name;
  return kFailed;
}

std::int32_t ErrorNumber(const std::string& name) {
  for (const auto& e : kErrors)
    if (name == e.name) return e.number;
  return name == kFailed ? 51 : 0;  // 51: internal error
}

}  // namespace plamor::dbus
