// The whole run of Kaleno: start-up, the message loop and the end of the run.
#pragma once

class QApplication;

namespace kaleno {

// Reads the command line from application.arguments(); returns the process exit code.
int runProgram(QApplication &application);

} // namespace kaleno
