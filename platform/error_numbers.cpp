#include "platform/error_numbers.h"

#include <cstddef>
#include <iterator>

namespace plamor {
namespace {

struct ErrorTexts {
  std::int32_t number;
  const char* message;
  const char* description;
};

constexpr ErrorTexts kErrorTexts[] = {
#define PLAMOR_ERROR_TEXTS(enumerator, number, message, description, dbusName) {number, message, description},
    PLAMOR_ERROR_NUMBERS(PLAMOR_ERROR_TEXTS)
#undef PLAMOR_ERROR_TEXTS
};

constexpr bool EveryNumberOnce() {
  for (std::size_t i = 0; i < std::size(kErrorTexts); ++i)
    for (std::size_t j = i + 1; j < std::size(kErrorTexts); ++j)
      if (kErrorTexts[i].number == kErrorTexts[j].number) return false;
  return true;
}
static_assert(EveryNumberOnce(), "an error number is listed twice");

const ErrorTexts* Find(std::int32_t number) {
  for (const auto& e : kErrorTexts)
    if (e.number == number) return &e;
  return nullptr;
}

}  // namespace

const char* ErrorMessage(std::int32_t number) {
  const ErrorTexts* e = Find(number);
  return e && e->message ? e->message : "Application-defined or object-defined error";
}

const char* ErrorDescription(std::int32_t number) {
  const ErrorTexts* e = Find(number);
  return e && e->description ? e->description : "アプリケーション定義またはオブジェクト定義のエラーです。";
}

}  // namespace plamor
