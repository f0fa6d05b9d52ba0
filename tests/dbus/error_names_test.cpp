// The names of the server's errors on D-Bus, both ways.
#include <gtest/gtest.h>

#include <utility>

#include "server/dbus/dbus_names.h"

namespace plamor::dbus {
namespace {

TEST(ErrorNames, EveryNamedErrorReadsBackAsItsNumber) {
  const std::pair<int, const char*> named[] = {
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
      {51, "TessaroPlamor.Error.Failed"},
  };
  for (const auto& [number, name] : named) {
    EXPECT_EQ(ErrorName(number), name);
    EXPECT_EQ(ErrorNumber(name), number) << name;
  }
  for (int number : {0, 7, 11, 48, 61, 429, 462, 31036}) {
    EXPECT_EQ(ErrorName(number), "TessaroPlamor.Error.Failed") << number;
  }
  EXPECT_EQ(ErrorNumber("org.freedesktop.DBus.Error.InvalidArgs"), 0);
  EXPECT_EQ(ErrorNumber("TessaroPlamor.Error."), 0);
}

}  // namespace
}  // namespace plamor::dbus
