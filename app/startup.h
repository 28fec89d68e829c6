// Start-up: the application object made ready for the program's windows.
#pragma once

class QApplication;

namespace app {

// Names the program, installs its fonts and style. Call once, before the
// first window is created.
void prepareApplication(QApplication &application);

// True when there is a display to show windows on; otherwise says so on
// standard error, with how to run the program under a virtual display.
bool checkDisplay();

} // namespace app
