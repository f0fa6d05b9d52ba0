// Operating-system errors as the host's run-time error numbers
// (platform/error_numbers.h), with the descriptions a Japanese host runtime
// shows. The file-error prompt and the writers decide by these numbers:
//
//   errno                                   host number  meaning
//   ENOSPC, EDQUOT, EFBIG                   61           disk full
//   EACCES, EPERM, EROFS                    70           permission denied
//   EIO                                     57           device I/O error
//   ENXIO, ENODEV, ENOMEDIUM                68           device unavailable
//   EBUSY, ETXTBSY                          75           path/file access error (file in use)
//   ENOENT (its folder exists)              53           file not found
//   ENOENT (its folder is missing), ENOTDIR 76           path not found
//   EEXIST                                  58           file already exists
//   EMFILE, ENFILE                          67           too many files
//   any other (EISDIR, ENAMETOOLONG, ...)   75           path/file access error
#pragma once

#include <filesystem>
#include <string>

namespace plamor::oserr {

// A file error as the file-error prompt reads it.
struct FileError {
  int number = 0;
  std::string description;  // UTF-8, Japanese
};

// The host error number of an errno value (table above; ENOENT gives 53).
int HostErrorNumber(int errnoValue);

// The Japanese description of a host error number (ErrorDescription of
// platform/error_numbers.h); unknown numbers get a generic
// "application-defined error" text.
std::string Describe(int hostNumber);

// The file error of an errno value met on `path`: ENOENT becomes 76 when the
// folder of the path does not exist, otherwise the table above applies.
FileError FromErrno(int errnoValue, const std::filesystem::path& path = {});

// A file error of a host error number with its description.
FileError FromNumber(int hostNumber);

}  // namespace plamor::oserr
