#pragma once
// Screenshot files: numbered "screenshot00.png" to "screenshot99.png", then with as many digits
// as the number needs, and never written over an existing picture.

#include <string>

struct ScreenshotFile {
  std::string path;     // the file claimed, or the name it would have had
  int number = 0;       // its number
  std::string problem;  // empty when the file was claimed; otherwise why it could not be
};

// Creates `folder` when missing and claims, by creating it empty, the first free file numbered
// both after the highest-numbered screenshot already in the folder and at least `atLeast`: a
// new run goes on where the last one stopped. An empty `folder` means there is none.
ScreenshotFile ClaimScreenshotFile(const std::string& folder, int atLeast);
