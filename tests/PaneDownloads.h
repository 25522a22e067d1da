#pragma once

#include <QByteArray>
#include <QList>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>

// What a test sees of the pane's downloads: their windows, what those say,
// and what ends up on disk.
namespace PaneDownloads {

// Every download window now open.
QList<QWidget*> DownloadWindows();
// Waits up to the load time limit for a download window to open; then the
// one window open, or null when none or several are.
QWidget* AwaitDownloadWindow();

// What the label called `name` in a download window says; empty when there
// is no such label or no window.
QString LabelText(QWidget* window, const char* name);
// The window's one button: Cancel while the download runs, Close after.
QPushButton* ActionButton(QWidget* window);
QProgressBar* ProgressBar(QWidget* window);

// The names of everything in `directory`, hidden ones too, sorted.
QStringList FilesIn(const QString& directory);
QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);
// Whether `path` holds exactly LocalHttpServer::GeneratedBody(size); read a
// piece at a time, so a large file costs no memory.
bool HoldsGeneratedBody(const QString& path, qint64 size);

} // namespace PaneDownloads
