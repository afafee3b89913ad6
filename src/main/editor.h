#pragma once

// Builds the session and the control window and runs the message loop.
int RunEditor(int argc, char** argv);
