#include "diagnostics.h"

namespace gm::datagen {

void Diagnostics::Error(const std::filesystem::path& file, int line, std::string_view message) {
  errors_.push_back(file.string() + ":" + std::to_string(line) + ": " + std::string(message));
}

void Diagnostics::Error(std::string_view message) { errors_.emplace_back(message); }

}  // namespace gm::datagen
