#pragma once

#include <QString>

// The pane's own small pages while it resolves an old address. Both take
// plain text, which may come from the user or a server, and escape it.

// Shown at once: what is being looked up.
QString LookingUpPage(const QString& what);

// Shown once a file is found and handed to the save dialog and download
// window, so the pane does not go on saying it is looking.
QString FoundPage(const QString& what);

// Shown once a file whose source must be named (`source`) is handed over:
// it is being fetched, not yet found.
QString FetchingPage(const QString& source, const QString& what);

// Shown while the file is looked for elsewhere, after `refusal`.
QString ReroutedPage(const QString& refusal, const QString& what);

// Shown when there is nothing to show: a heading and why.
QString ResolutionErrorPage(const QString& heading, const QString& detail);

// Shown for an address of `length` encoded characters, past the `longest`
// the engine opens.
QString AddressTooLongPage(qsizetype length, qsizetype longest);
