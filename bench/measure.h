// The in-process measurements and the start-up comparison; prints the
// figures and returns 0 when every target is met.
#pragma once

int RunBenchmark(int argc, char** argv);
