#include "support/rename_hook.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>

namespace {

std::atomic<std::uint64_t> g_renames{0};
std::atomic<std::uint64_t> g_exitAt{0};  // 0: never

using RenameFunction = int (*)(const char*, const char*);

RenameFunction LibraryRename() {
  static const auto real = reinterpret_cast<RenameFunction>(::dlsym(RTLD_NEXT, "rename"));
  return real;
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  const std::uint64_t made = g_renames.fetch_add(1) + 1;
  if (made == g_exitAt.load()) ::_exit(gm::test::kExitedBeforeRename);
  return LibraryRename()(from, to);
}

namespace gm::test {

std::uint64_t RenamesSoFar() { return g_renames.load(); }

void ExitBeforeRename(std::uint64_t n) { g_exitAt.store(g_renames.load() + n); }

}  // namespace gm::test
