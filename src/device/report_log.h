#pragma once
// A diagnostic log of raw reports: one line per report, appended to a file, with a UTC time
// stamp, a direction tag and the report's bytes in hex, e.g.
//   2024-05-01 12:00:00.123456 SET 07 18 03 00 01 00 2A 00
// Thread-safe; a log whose file cannot be opened writes nothing.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace gm {

class ReportLog {
 public:
  explicit ReportLog(const std::filesystem::path& file);
  bool IsOpen() const { return stream_.is_open(); }
  void Write(std::string_view direction, std::span<const uint8_t> report);

 private:
  std::mutex mutex_;
  std::ofstream stream_;
};

// "07 18 03" for the bytes 7, 0x18, 3.
std::string HexBytes(std::span<const uint8_t> bytes);

}  // namespace gm
