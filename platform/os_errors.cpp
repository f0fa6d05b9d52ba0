#include "platform/os_errors.h"

#include <cerrno>
#include <system_error>

namespace plamor::oserr {

int HostErrorNumber(int errnoValue) {
  switch (errnoValue) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return 61;
    case EACCES:
    case EPERM:
    case EROFS:
      return 70;
    case EIO:
      return 57;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
      return 68;
    case ENOENT:
      return 53;
    case ENOTDIR:
      return 76;
    case EEXIST:
      return 58;
    case EMFILE:
    case ENFILE:
      return 67;
    default:  // EBUSY, ETXTBSY, EISDIR, ENAMETOOLONG, ... : path/file access error
      return 75;
  }
}

std::string Describe(int hostNumber) {
  switch (hostNumber) {
    case 5: return "プロシージャの呼び出し、または引数が不正です。";
    case 6: return "オーバーフローしました。";
    case 7: return "メモリが不足しています。";
    case 9: return "インデックスが有効範囲にありません。";
    case 11: return "0 で除算しました。";
    case 13: return "型が一致しません。";
    case 52: return "ファイル名または番号が不正です。";
    case 53: return "ファイルが見つかりません。";
    case 54: return "ファイル モードが不正です。";
    case 55: return "ファイルは既に開かれています。";
    case 57: return "デバイス I/O エラーです。";
    case 58: return "既に同名のファイルが存在しています。";
    case 61: return "ディスクの空き容量が不足しています。";
    case 62: return "ファイルにこれ以上データがありません。";
    case 67: return "ファイルが多すぎます。";
    case 68: return "デバイスが準備されていません。";
    case 70: return "書き込みできません。";
    case 71: return "ディスクが準備されていません。";
    case 75: return "パス名が無効です。";
    case 76: return "パスが見つかりません。";
    case 31036: return "ファイルへの保存中にエラーが発生しました。";
    case 31037: return "ファイルからの読み込み中にエラーが発生しました。";
    default: return "アプリケーション定義またはオブジェクト定義のエラーです。";
  }
}

FileError FromNumber(int hostNumber) { return FileError{hostNumber, Describe(hostNumber)}; }

FileError FromErrno(int errnoValue, const std::filesystem::path& path) {
  int number = HostErrorNumber(errnoValue);
  if (errnoValue == ENOENT && !path.empty()) {
    std::filesystem::path folder = path.parent_path();
    std::error_code ignored;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ignored)) number = 76;
  }
  return FromNumber(number);
}

}  // namespace plamor::oserr
