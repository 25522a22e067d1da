#pragma once

#include <QLocale>

// The toolbox's application set-up, shared by the program and its start-up
// benchmark so both start the same way.

// Right after the QApplication exists. Nothing needs setting before it: the
// GL context of the browser pane's engine is made when the first pane is.
void ConfigureToolkitApplication();

// The language of Qt's own dialogs, buttons and the browser pane's menus.
// Every caption of the toolbox is Chinese, so they are Chinese too, whatever
// the system's language: the system's own Chinese where it has one (a
// traditional-script system gets traditional characters), simplified Chinese
// otherwise.
QLocale DialogLocale(const QLocale& system);

// Installs Qt's translations for `locale` from Qt's translations folder,
// falling back to simplified Chinese where Qt has no catalogue for it.
// Returns how many catalogues were installed.
int InstallQtTranslations(const QLocale& locale);
