// The file a plamor-draw command writes. The drawing server writes into a
// fresh temporary name in the same folder (the common temporary-name scheme,
// keeping OUT's ending, so the server picks the same output kind); only a complete file is moved onto the chosen name,
// in one step, so a failed run leaves nothing behind and an earlier file of
// that name stays as it was.
#pragma once

#include <filesystem>
#include <string>

namespace plamor::draw {

class OutputTarget {
 public:
  // Refuses (InputError) a name whose folder does not exist or cannot be
  // written, and a name that is a folder.
  explicit OutputTarget(const std::filesystem::path& out);
  // Removes whatever the run left under the temporary name when not committed.
  ~OutputTarget();
  OutputTarget(const OutputTarget&) = delete;
  OutputTarget& operator=(const OutputTarget&) = delete;

  const std::filesystem::path& Final() const { return final_; }
  const std::filesystem::path& Temporary() const { return temporary_; }

  // The message with the temporary names replaced by the final ones: errors
  // of the writers name the file they write, but the user knows OUT only.
  std::string Describe(std::string message) const;

  // Moves the written file (and the memo file the server writes beside a
  // standard drawing file) onto the final names. Throws std::runtime_error
  // when the server wrote nothing.
  void Commit();

 private:
  std::filesystem::path final_;
  std::filesystem::path temporary_;
  bool committed_ = false;
};


}  // namespace plamor::draw
