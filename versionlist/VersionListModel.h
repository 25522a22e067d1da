#pragma once

#include "VersionList.h"

#include <QAbstractTableModel>

#include <optional>

// What a manifest kind is called in the list.
QString KindName(VersionKind kind);

// The versions of a manifest as rows (id, kind, release date), those of one
// kind or all of them, narrowed to the ids that hold what was typed.
class VersionListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { IdColumn, KindColumn, ReleasedColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // `versions` newest first, as ReadVersionList gives them.
    void SetVersions(QList<ListedVersion> versions);
    // One kind, or every kind (nullopt).
    void ShowKind(std::optional<VersionKind> kind);
    void Search(const QString& text);
    QString IdAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void Refilter();

    QList<ListedVersion> versions_;
    std::optional<VersionKind> kind_ = VersionKind::Release;
    QString search_;
    // Indexes into versions_ of the rows shown, in order.
    QList<qsizetype> shown_;
};
