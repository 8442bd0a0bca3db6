#pragma once

// The program from its entry point to its exit: the long-lived objects in
// their order, the single-instance rule, the main window and the message
// loop. Returns the process's exit status.
int cmcRunApplication(int argc, char** argv);
