// The names of the temporary files every writer uses: a file is written under
// a hidden name beside its target and renamed onto the target when complete.
//
//   <folder>/.<name>.<process id>-<count>.part[<kept ending>]
//
// The target's name is cut (at a character boundary) so that the temporary
// name still fits the file system's 255 bytes. The process id in the name lets
// a later run tell the files of a process that was killed from those of a run
// still writing: RemoveStale removes the former.
#pragma once

#include <filesystem>
#include <string_view>

namespace plamor::tempfiles {

// The most bytes a file name may hold.
inline constexpr std::size_t kMaxNameBytes = 255;

// A temporary name beside `target` for this process, counted on with every
// call. `keptEnding` (such as ".dxf") closes the name, for a reader that picks
// the kind of file by its ending.
std::filesystem::path BesideTarget(const std::filesystem::path& target, std::string_view keptEnding = {});

// Removes the temporary files directly in `folder` whose process no longer
// exists. Nothing else is touched; failures are ignored (a later run tries again).
void RemoveStale(const std::filesystem::path& folder);

// True when the file name follows the scheme; `pid` is then its process id.
bool IsTemporaryName(std::string_view fileName, long& pid);

}  // namespace plamor::tempfiles
