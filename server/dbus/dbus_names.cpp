#include "server/dbus/dbus_names.h"

#include "platform/error_numbers.h"

namespace plamor::dbus {
namespace {

struct NamedError {
  std::int32_t number;
  const char* name;
};

const NamedError kErrors[] = {
#define PLAMOR_NAMED_ERROR(enumerator, number, message, description, dbusName) {number, dbusName},
    PLAMOR_ERROR_NUMBERS(PLAMOR_NAMED_ERROR)
#undef PLAMOR_NAMED_ERROR
};

const char* NameOf(std::int32_t number) {
  for (const auto& e : kErrors)
    if (e.number == number) return e.name;
  return nullptr;
}

}  // namespace

std::string ErrorName(std::int32_t number) {
  const char* name = NameOf(number);
  return name ? name : NameOf(kErrInternal);
}

std::int32_t ErrorNumber(const std::string& name) {
  for (const auto& e : kErrors)
    if (e.name && name == e.name) return e.number;
  return 0;
}

}  // namespace plamor::dbus
