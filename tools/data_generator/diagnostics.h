#pragma once
// Errors found while reading the data files or writing the output. The generator collects
// every error it can find in one run, prints them all and fails; nothing is written over
// silently.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gm::datagen {

class Diagnostics {
 public:
  // An error in a data file, with its line (counted from 1).
  void Error(const std::filesystem::path& file, int line, std::string_view message);
  // An error without a place in a data file (an output that could not be written).
  void Error(std::string_view message);

  bool ok() const { return errors_.empty(); }
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  std::vector<std::string> errors_;
};

}  // namespace gm::datagen
