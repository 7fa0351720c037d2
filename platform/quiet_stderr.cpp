#include "platform/quiet_stderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/dxut.h"

cQuietStderr::cQuietStderr() {
  if (DXUTDebugOutputEnabled()) return;
  const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nowhere < 0) return;
  std::fflush(stderr);
  savedStderr = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  if (savedStderr >= 0 && dup2(nowhere, STDERR_FILENO) < 0) {
    close(savedStderr);
    savedStderr = -1;
  }
  close(nowhere);
}

cQuietStderr::~cQuietStderr() {
  if (savedStderr < 0) return;
  std::fflush(stderr);
  dup2(savedStderr, STDERR_FILENO);
  close(savedStderr);
}
