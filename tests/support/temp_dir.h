#pragma once
// A fresh folder under the system's temporary directory, removed with its contents when the
// object goes away.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gm::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for the tests: bytes in, bytes out.
void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes);
std::string ReadFileBytes(const std::filesystem::path& file);

// The names of a folder's entries, sorted.
std::vector<std::string> EntryNames(const std::filesystem::path& folder);

}  // namespace gm::test
