#pragma once

// The command line of a benchmark program: -h or --help prints `about` (what
// it measures and how long it runs) and the program ends with 0; any other
// argument is an error (status 2). True when the benchmark is to run.
// Also makes standard output line-buffered, so that a reader sees each
// figure as it comes.
bool bench_arguments(int argc, char** argv, const char* about, int& status);
