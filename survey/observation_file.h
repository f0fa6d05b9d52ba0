// One sounding observation file: the text lines the cross-section control
// takes for one observation, checked field by field first, so that a mistake
// is reported at its line and field instead of being read as 0.
//
// The lines and fields are those of charts/observation_layout.h; messages
// number lines from 1 (the header is line 1, the observation line 12).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plamor::survey {

struct ObservationFile {
  std::filesystem::path file;
  std::vector<std::string> lines;  // UTF-8, as the control takes them
  std::size_t points = 0;
  std::string number;  // the observation number, trimmed
};

// Reads and checks the file; InputError names the file, line and field of the
// first fault.
ObservationFile ReadObservationFile(const std::filesystem::path& file);

// Checks lines already read (the file name is for the messages).
ObservationFile CheckObservationLines(const std::filesystem::path& file, std::vector<std::string> lines);

}  // namespace plamor::survey
