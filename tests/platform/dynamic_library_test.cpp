#include "platform/dynamic_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/folders.h"

using namespace plamor::dynlib;

namespace {

TEST(DynamicLibrary, ExportsAreFoundAndMissingOnesAreNamedErrors) {
  DynamicLibrary libm = DynamicLibrary::Load("libm.so.6");  // from the system path
  EXPECT_EQ(libm.Function<double (*)(double)>("cos")(0.0), 1.0);
  DynamicLibrary moved(std::move(libm));
  EXPECT_NE(moved.Symbol("sin"), nullptr);
  EXPECT_THROW(libm.Symbol("cos"), LibraryError) << "a moved-from library is closed";
  try {
    moved.Symbol("NoSuchExport");
    FAIL();
  } catch (const LibraryError& e) {
    EXPECT_EQ(e.library(), "libm.so.6");
    EXPECT_EQ(e.exportName(), "NoSuchExport");
    EXPECT_NE(std::string(e.what()).find("NoSuchExport"), std::string::npos) << e.what();
  }
  try {
    DynamicLibrary::Load("RSRC32.DLL");
    FAIL();
  } catch (const LibraryError& e) {
    EXPECT_EQ(e.library(), "RSRC32.DLL");
    EXPECT_FALSE(e.reason().empty());
    EXPECT_NE(std::string(e.what()).find("RSRC32.DLL"), std::string::npos) << e.what();
  }
  EXPECT_THROW(DynamicLibrary::Load("/no/such/folder/libx.so"), LibraryError);
  EXPECT_THROW(DynamicLibrary::Load(""), LibraryError);
}

TEST(DynamicLibrary, TheProgramFolderComesFirstAndABrokenFileThereIsReported) {
  const std::filesystem::path broken =
      plamor::folders::ProgramFolder() / ("libdynlib_probe_" + std::to_string(getpid()) + ".so");
  std::ofstream(broken) << "not a shared library";
  try {
    DynamicLibrary::Load(broken.filename().string());
    ADD_FAILURE() << "a broken library must not load";
  } catch (const LibraryError& e) {
    EXPECT_EQ(e.library(), broken.string());
  }
  std::filesystem::remove(broken);
}

}  // namespace
