#include "platform/os_errors.h"

#include <cerrno>
#include <system_error>

#include "platform/error_numbers.h"

namespace plamor::oserr {

int HostErrorNumber(int errnoValue) {
  switch (errnoValue) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return kErrPermissionDenied;
    case EIO:
      return kErrDeviceIO;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
      return kErrDeviceUnavailable;
    case ENOENT:
      return kErrFileNotFound;
    case ENOTDIR:
      return kErrPathNotFound;
    case EEXIST:
      return kErrFileAlreadyExists;
    case EMFILE:
    case ENFILE:
      return kErrTooManyFiles;
    default:  // EBUSY, ETXTBSY, EISDIR, ENAMETOOLONG, ... : path/file access error
      return kErrPathFileAccess;
  }
}

std::string Describe(int hostNumber) { return ErrorDescription(hostNumber); }

FileError FromNumber(int hostNumber) { return FileError{hostNumber, Describe(hostNumber)}; }

FileError FromErrno(int errnoValue, const std::filesystem::path& path) {
  int number = HostErrorNumber(errnoValue);
  if (errnoValue == ENOENT && !path.empty()) {
    std::filesystem::path folder = path.parent_path();
    std::error_code ignored;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ignored)) number = kErrPathNotFound;
  }
  return FromNumber(number);
}

}  // namespace plamor::oserr
