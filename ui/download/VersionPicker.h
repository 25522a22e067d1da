#pragma once

#include "VersionListModel.h"

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeView;

// The list of versions, laid over the downloader while it is open: where
// the list comes from, a kind to show (releases at first), a search as you
// type, and the versions newest first; or, in the list's place, one line
// saying why there is none. Enter or a double click chooses a version,
// Escape closes it with nothing chosen. Choosing only hands on the id.
class VersionPicker final : public QFrame {
    Q_OBJECT
public:
    explicit VersionPicker(QWidget& parent);

    // Opens it over its window with `source` and a line saying it reads.
    void OpenReading(const QString& source);
    void ShowList(const QString& source, const QList<ListedVersion>& versions);
    void ShowReason(const QString& source, const QString& reason);

Q_SIGNALS:
    void chosen(const QString& id);
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Keeps presses to itself: none reaches the window's drag.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ChooseCurrent();
    void Close();
    void ShowLine(const QString& text);
    void CurrentToFirst();

    VersionListModel model_;
    QLabel* source_;
    QComboBox* kinds_;
    QLineEdit* search_;
    QTreeView* list_;
    QLabel* line_;
};
