#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QWidget>

// What a test sees of the pane's downloads: their windows, what those say,
// and what ends up on disk.
namespace PaneDownloads {

inline QList<QWidget*> DownloadWindows() {
    QList<QWidget*> found;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == QLatin1String("DownloadWindow")) {
            found.append(window);
        }
    }
    return found;
}

inline QString LabelText(QWidget* window, const char* name) {
    auto* label = window != nullptr ? window->findChild<QLabel*>(QLatin1String(name)) : nullptr;
    return label != nullptr ? label->text() : QString();
}

inline QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace PaneDownloads
