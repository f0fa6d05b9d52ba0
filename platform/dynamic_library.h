// Loading shared libraries at run time by file name and looking up their
// exports by name, as the system binds its helper libraries.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace plamor::dynlib {

// A library that cannot be loaded or an export it does not have. what() names
// the library (and the export) and gives the loader's reason.
class LibraryError : public std::runtime_error {
 public:
  LibraryError(std::string library, std::string exportName, std::string reason);
  const std::string& library() const { return library_; }
  const std::string& exportName() const { return export_; }  // empty for a load failure
  const std::string& reason() const { return reason_; }

 private:
  std::string library_;
  std::string export_;
  std::string reason_;
};

// An open library; closed when the object ends.
class DynamicLibrary {
 public:
  // Loads a library. A bare file name is searched for in the running
  // program's own folder, then in the folder of the library whose code makes
  // this call, then on the system's library path. A name with a "/" is
  // loaded from that path only. Throws LibraryError naming the file.
  [[gnu::noinline]] static DynamicLibrary Load(std::string_view fileName);

  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;
  ~DynamicLibrary();

  // The address of an export; throws LibraryError naming library and export.
  void* Symbol(const char* exportName) const;

  // The export as a function pointer of type F, e.g.
  // lib.Function<int (*)(double, char*)>("ConvertD2HS").
  template <class F>
  F Function(const char* exportName) const {
    return reinterpret_cast<F>(Symbol(exportName));
  }

  // The file the library was loaded from (the bare name when the system path served).
  const std::string& path() const { return path_; }

 private:
  DynamicLibrary(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  static DynamicLibrary LoadNear(std::string_view fileName, const void* caller);

  void* handle_ = nullptr;
  std::string path_;
};

}  // namespace plamor::dynlib
