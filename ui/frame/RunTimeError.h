#pragma once

#include <functional>

class QString;

// Handlers trap no errors. Whatever escapes one is reported here, in the
// toolbox's run-time error box, and then the application ends.
void ReportRunTimeError(const QString& description);

// Runs one event handler; an exception that escapes it is reported as above.
// The exception never unwinds through Qt's own code.
void RunHandler(const std::function<void()>& handler);
