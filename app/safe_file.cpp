#include "app/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

HRESULT ReplaceFileContents(const char* path, std::string_view contents) {
  const std::string temporary = std::string(path) + ".new";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return E_FAIL;

  bool written = true;
  std::size_t done = 0;
  while (written && done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (!(n < 0 && errno == EINTR)) {
      written = false;
    }
  }
  written = written && ::fsync(fd) == 0;
  written = (::close(fd) == 0) && written;

  if (!written || std::rename(temporary.c_str(), path) != 0) {
    std::remove(temporary.c_str());
    return E_FAIL;
  }
  return S_OK;
}
