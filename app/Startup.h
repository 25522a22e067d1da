#pragma once

// The toolbox's application set-up, shared by the program and its start-up
// benchmark so both start the same way.

// Right after the QApplication exists. Nothing needs setting before it: the
// GL context of the browser pane's engine is made when the first pane is.
void ConfigureToolkitApplication();
