#pragma once
// The `--stats` option: at exit the game prints how many frames it drew and how long they
// took (median, 95th percentile and worst), for players' bug reports and for measuring.

#include <cstdio>

// True when the command line asks for the report. Any other argument is named on standard
// error as unknown and otherwise ignored.
bool FrameReportRequested(int argc, char** argv);

// Writes the report of the frames shown so far (call before the framework shuts down).
void PrintFrameReport(std::FILE* out);
