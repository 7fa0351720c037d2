// Any bytes in the high-score file: the reader must not crash or overrun a name, must give a
// table in order of merit with names of at most 31 characters, and that table must survive a
// save and a re-read unchanged.

#include <cwchar>

#include "app/hiscore_table.h"
#include "fuzz_support.h"

namespace {

void RequireOrderedTable(const cHiscoreTable& table) {
  for (int i = 0; i < kHiscoreEntries; ++i) {
    Require(std::wmemchr(table.Entry(i).name, L'\0', kHiscoreNameLength) != nullptr,
            "every name ends within its 32 characters");
    if (i > 0) {
      Require(table.Entry(i).score <= table.Entry(i - 1).score, "scores never increase");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const cScratchFile file("hiscore");
  file.Write(data, size);

  cHiscoreTable table;
  Require(table.Load(file.Path()), "a high-score file that exists loads");
  RequireOrderedTable(table);

  Require(table.Save(file.Path()), "a loaded table can be saved");
  cHiscoreTable reread;
  Require(reread.Load(file.Path()), "a saved table loads");
  for (int i = 0; i < kHiscoreEntries; ++i) {
    Require(std::wcscmp(reread.Entry(i).name, table.Entry(i).name) == 0,
            "every name survives a save");
    Require(reread.Entry(i).score == table.Entry(i).score, "every score survives a save");
  }
  return 0;
}
