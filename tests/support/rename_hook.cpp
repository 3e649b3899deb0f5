#include "support/rename_hook.h"

#include <dlfcn.h>
#include <stdio.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

std::atomic<std::uint64_t> g_renames{0};
std::atomic<std::uint64_t> g_exitAt{0};  // 0: never
std::atomic<bool> g_exitAtTruncate{false};
std::atomic<bool> g_refuseExchange{false};

template <typename Function>
Function LibraryFunction(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

void CountRename() {
  const std::uint64_t made = g_renames.fetch_add(1) + 1;
  if (made == g_exitAt.load()) ::_exit(gm::test::kExitedBeforeRename);
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  using Rename = int (*)(const char*, const char*);
  static const auto real = LibraryFunction<Rename>("rename");
  CountRename();
  return real(from, to);
}

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                         unsigned int flags) {
  using Renameat2 = int (*)(int, const char*, int, const char*, unsigned int);
  static const auto real = LibraryFunction<Renameat2>("renameat2");
  CountRename();
  if ((flags & RENAME_EXCHANGE) != 0 && g_refuseExchange.load()) {
    errno = EINVAL;
    return -1;
  }
  return real(fromFolder, from, toFolder, to, flags);
}

extern "C" int ftruncate(int fd, off_t length) {
  using Ftruncate = int (*)(int, off_t);
  static const auto real = LibraryFunction<Ftruncate>("ftruncate");
  if (g_exitAtTruncate.load()) ::_exit(gm::test::kExitedBeforeTruncate);
  return real(fd, length);
}

namespace gm::test {

std::uint64_t RenamesSoFar() { return g_renames.load(); }

void ExitBeforeRename(std::uint64_t n) { g_exitAt.store(g_renames.load() + n); }

void ExitBeforeNextTruncate() { g_exitAtTruncate.store(true); }

void RefuseRenameExchange() { g_refuseExchange.store(true); }

int ExitStatusOfChild(const std::function<bool()>& body, bool asNobody) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (asNobody && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(2);
    }
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t DeadProcessId() {
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  return dead;
}

}  // namespace gm::test
