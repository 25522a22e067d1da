#include "PaneDownloads.h"

#include "EngineFixture.h"
#include "LocalHttpServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace PaneDownloads {

QList<QWidget*> DownloadWindows() {
    QList<QWidget*> found;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == QLatin1String("DownloadWindow")) {
            found.append(window);
        }
    }
    return found;
}

QWidget* AwaitDownloadWindow() {
    if (!QTest::qWaitFor([] { return !DownloadWindows().isEmpty(); }, kLoadTimeout)) {
        return nullptr;
    }
    const QList<QWidget*> windows = DownloadWindows();
    return windows.size() == 1 ? windows.first() : nullptr;
}

QString LabelText(QWidget* window, const char* name) {
    auto* label = window != nullptr ? window->findChild<QLabel*>(QLatin1String(name)) : nullptr;
    return label != nullptr ? label->text() : QString();
}

QPushButton* ActionButton(QWidget* window) {
    return window != nullptr ? window->findChild<QPushButton*>(QStringLiteral("actionButton"))
                             : nullptr;
}

QProgressBar* ProgressBar(QWidget* window) {
    return window != nullptr ? window->findChild<QProgressBar*>(QStringLiteral("progressBar"))
                             : nullptr;
}

QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool HoldsGeneratedBody(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != size) {
        return false;
    }
    constexpr qint64 kPiece = 4 * 1024 * 1024;
    for (qint64 offset = 0; offset < size; offset += kPiece) {
        const QByteArray piece = file.read(kPiece);
        if (piece.isEmpty() || piece != LocalHttpServer::GeneratedBody(offset, piece.size())) {
            return false;
        }
    }
    return true;
}

} // namespace PaneDownloads
