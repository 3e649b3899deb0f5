#include "device/report_log.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace gm {
namespace {

std::string TimeStamp() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto micros = duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  const size_t length = std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", &utc);
  char fraction[16];
  std::snprintf(fraction, sizeof(fraction), ".%06lld", static_cast<long long>(micros));
  return std::string(text, length) + fraction;
}

}  // namespace

std::string HexBytes(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

ReportLog::ReportLog(const std::filesystem::path& file) : stream_(file, std::ios::app) {}

void ReportLog::Write(std::string_view direction, std::span<const uint8_t> report) {
  if (!stream_.is_open()) return;
  const std::string line =
      TimeStamp() + ' ' + std::string(direction) + ' ' + HexBytes(report) + '\n';
  std::lock_guard lock(mutex_);
  stream_ << line;
  stream_.flush();
}

}  // namespace gm
