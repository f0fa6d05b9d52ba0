// The host's run-time error numbers: the one list every part of the system
// raises, shows and names its errors from. A host sees all of it: the number,
// the host's English message the chart controls begin their descriptions with,
// the Japanese description the file-error prompts show, and the name of the
// error on D-Bus.
#pragma once

#include <cstdint>

namespace plamor {

// X(enumerator, number, English message, Japanese description, D-Bus error name),
// nullptr where nothing raises, shows or names the error in that form.
#define PLAMOR_ERROR_NUMBERS(X) \
  X(kErrInvalidArgument, 5, "Invalid procedure call or argument", \
    "プロシージャの呼び出し、または引数が不正です。", "TessaroPlamor.Error.InvalidArgument") \
  X(kErrOverflow, 6, "Overflow", "オーバーフローしました。", "TessaroPlamor.Error.Overflow") \
  X(kErrOutOfMemory, 7, nullptr, "メモリが不足しています。", nullptr) \
  X(kErrSubscriptOutOfRange, 9, "Subscript out of range", "インデックスが有効範囲にありません。", \
    "TessaroPlamor.Error.SubscriptOutOfRange") \
  X(kErrDivisionByZero, 11, "Division by zero", "0 で除算しました。", nullptr) \
  X(kErrTypeMismatch, 13, "Type mismatch", "型が一致しません。", "TessaroPlamor.Error.TypeMismatch") \
  /* a helper library or one of its exports cannot be used */ \
  X(kErrLibraryLoad, 48, nullptr, nullptr, nullptr) \
  /* any other failure, with the server's text */ \
  X(kErrInternal, 51, nullptr, nullptr, "TessaroPlamor.Error.Failed") \
  /* also a write on a file that is not open */ \
  X(kErrBadFileNumber, 52, nullptr, "ファイル名または番号が不正です。", nullptr) \
  X(kErrFileNotFound, 53, nullptr, "ファイルが見つかりません。", nullptr) \
  X(kErrBadFileMode, 54, nullptr, "ファイル モードが不正です。", nullptr) \
  X(kErrFileAlreadyOpen, 55, nullptr, "ファイルは既に開かれています。", nullptr) \
  X(kErrDeviceIO, 57, nullptr, "デバイス I/O エラーです。", nullptr) \
  X(kErrFileAlreadyExists, 58, nullptr, "既に同名のファイルが存在しています。", nullptr) \
  X(kErrDiskFull, 61, nullptr, "ディスクの空き容量が不足しています。", nullptr) \
  X(kErrInputPastEndOfFile, 62, nullptr, "ファイルにこれ以上データがありません。", nullptr) \
  X(kErrTooManyFiles, 67, nullptr, "ファイルが多すぎます。", nullptr) \
  X(kErrDeviceUnavailable, 68, nullptr, "デバイスが準備されていません。", nullptr) \
  X(kErrPermissionDenied, 70, nullptr, "書き込みできません。", nullptr) \
  X(kErrDiskNotReady, 71, nullptr, "ディスクが準備されていません。", nullptr) \
  X(kErrPathFileAccess, 75, nullptr, "パス名が無効です。", nullptr) \
  X(kErrPathNotFound, 76, nullptr, "パスが見つかりません。", nullptr) \
  /* the drawing server cannot be reached or started */ \
  X(kErrCannotCreateObject, 429, nullptr, nullptr, nullptr) \
  X(kErrNamedArgumentNotFound, 448, nullptr, nullptr, "TessaroPlamor.Error.NamedArgumentNotFound") \
  X(kErrArgumentNotOptional, 449, nullptr, nullptr, "TessaroPlamor.Error.ArgumentNotOptional") \
  X(kErrWrongNumberOfArguments, 450, nullptr, nullptr, "TessaroPlamor.Error.WrongNumberOfArguments") \
  /* the server of an object has gone (or the bus with it) */ \
  X(kErrServerUnavailable, 462, nullptr, nullptr, nullptr) \
  /* a member that would change what the object's own output run reads or writes */ \
  X(kErrBusy, 1001, nullptr, nullptr, "TessaroPlamor.Error.Busy") \
  /* Release of a path that is not a live object of this host */ \
  X(kErrUnknownObject, 1002, nullptr, nullptr, "TessaroPlamor.Error.UnknownObject") \
  /* Create with an identifier that names no class of the server */ \
  X(kErrUnknownClass, 1003, nullptr, nullptr, "TessaroPlamor.Error.UnknownClass") \
  X(kErrFileSave, 31036, nullptr, "ファイルへの保存中にエラーが発生しました。", nullptr) \
  X(kErrFileLoad, 31037, nullptr, "ファイルからの読み込み中にエラーが発生しました。", nullptr)

// The numbers a host reads as Err.Number.
enum ErrNumber : std::int32_t {
#define PLAMOR_ERROR_ENUMERATOR(enumerator, number, message, description, dbusName) enumerator = number,
  PLAMOR_ERROR_NUMBERS(PLAMOR_ERROR_ENUMERATOR)
#undef PLAMOR_ERROR_ENUMERATOR
};

// The host's English message of an error number ("Overflow" for 6);
// "Application-defined or object-defined error" for a number without one.
const char* ErrorMessage(std::int32_t number);

// The Japanese description of an error number ("オーバーフローしました。" for 6);
// a generic "application-defined error" text for a number without one.
const char* ErrorDescription(std::int32_t number);

}  // namespace plamor
