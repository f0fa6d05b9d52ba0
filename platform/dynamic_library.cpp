#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <system_error>
#include <utility>
#include <vector>

#include "platform/folders.h"

namespace plamor::dynlib {
namespace fs = std::filesystem;

namespace {

std::string LastLoaderError() {
  const char* text = dlerror();
  return text ? text : "unknown loader error";
}

std::string Describe(const std::string& library, const std::string& exportName,
                     const std::string& reason) {
  if (exportName.empty()) return "cannot load library \"" + library + "\": " + reason;
  return "library \"" + library + "\" has no export \"" + exportName + "\": " + reason;
}

}  // namespace

LibraryError::LibraryError(std::string library, std::string exportName, std::string reason)
    : std::runtime_error(Describe(library, exportName, reason)),
      library_(std::move(library)),
      export_(std::move(exportName)),
      reason_(std::move(reason)) {}

DynamicLibrary DynamicLibrary::Load(std::string_view fileName) {
  return LoadNear(fileName, __builtin_extract_return_addr(__builtin_return_address(0)));
}

DynamicLibrary DynamicLibrary::LoadNear(std::string_view fileName, const void* caller) {
  const std::string name(fileName);
  if (name.empty()) throw LibraryError(name, "", "empty file name");

  std::vector<fs::path> candidates;
  if (name.find('/') != std::string::npos) {
    candidates.push_back(name);
  } else {
    for (const fs::path& folder : {folders::ProgramFolder(), folders::ModuleFolder(caller)}) {
      if (!folder.empty()) candidates.push_back(folder / name);
    }
  }
  for (const fs::path& candidate : candidates) {
    std::error_code ignored;
    if (!fs::exists(candidate, ignored)) continue;
    // A file that is there but does not load is reported, not passed over.
    if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      return DynamicLibrary(handle, candidate.string());
    }
    throw LibraryError(candidate.string(), "", LastLoaderError());
  }
  if (name.find('/') != std::string::npos) throw LibraryError(name, "", "no such file");
  if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL)) return DynamicLibrary(handle, name);
  throw LibraryError(name, "", LastLoaderError());
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), path_(std::move(other.path_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    if (handle_) dlclose(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    path_ = std::move(other.path_);
  }
  return *this;
}

DynamicLibrary::~DynamicLibrary() {
  if (handle_) dlclose(handle_);
}

void* DynamicLibrary::Symbol(const char* exportName) const {
  const std::string name = exportName ? exportName : "";
  if (!handle_) throw LibraryError(path_, name, "library is not open");
  dlerror();
  void* address = dlsym(handle_, name.c_str());
  if (!address) throw LibraryError(path_, name, LastLoaderError());
  return address;
}

}  // namespace plamor::dynlib
