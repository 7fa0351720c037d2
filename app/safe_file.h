#pragma once
// Writing the player's files so that a crash or a full disk never loses the previous copy.

#include <string_view>

#include "platform/status.h"

// Writes `contents` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. On any failure the temporary file is removed and `path` keeps its old contents.
HRESULT ReplaceFileContents(const char* path, std::string_view contents);
