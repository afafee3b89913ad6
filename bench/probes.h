// Start-up probes: the benchmark starts itself in one of these modes and
// times how long a fresh process takes until its windows are on screen.
// Each probe writes the line "shown" to stdout once every window it waits
// for has painted, then quits.
#pragma once

// The editor as it starts for a user; waits for the control window and
// both table grids.
int ProbeEditor(int argc, char** argv);
// A bare Qt program that opens three empty windows of the editor's sizes.
int ProbeBare(int argc, char** argv);
// The same with a line of text in each window: the start-up cost of the
// font configuration that every program showing text pays.
int ProbeText(int argc, char** argv);
