#pragma once
// A copy of the program's folder for a test to start the program from: the executable
// (`gmouse`) beside a copy of its data folder, and a private runtime folder (XDG_RUNTIME_DIR)
// for the single-instance server.

#include <filesystem>

namespace gm::test {

inline void CopyProgramFolder(const std::filesystem::path& folder) {
  const std::filesystem::path program(GMOUSE_PROGRAM);
  std::filesystem::copy(program.parent_path() / "skins", folder / "skins",
                        std::filesystem::copy_options::recursive);
  std::filesystem::copy_file(program, folder / "gmouse");
  std::filesystem::create_directories(folder / "runtime");
  std::filesystem::permissions(folder / "runtime", std::filesystem::perms::owner_all);
}

}  // namespace gm::test
