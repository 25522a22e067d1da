#include "VersionListModel.h"

#include <utility>

QString KindName(VersionKind kind) {
    switch (kind) {
    case VersionKind::Release:
        return QStringLiteral("正式版");
    case VersionKind::Snapshot:
        return QStringLiteral("快照");
    case VersionKind::OldBeta:
        return QStringLiteral("旧测试版");
    case VersionKind::OldAlpha:
        return QStringLiteral("旧内测版");
    case VersionKind::Other:
        break;
    }
    return QStringLiteral("其他");
}

void VersionListModel::SetVersions(QList<ListedVersion> versions) {
    versions_ = std::move(versions);
    Refilter();
}

void VersionListModel::ShowKind(std::optional<VersionKind> kind) {
    kind_ = kind;
    Refilter();
}

void VersionListModel::Search(const QString& text) {
    search_ = text.trimmed();
    Refilter();
}

QString VersionListModel::IdAt(int row) const {
    return row >= 0 && row < shown_.size() ? versions_.at(shown_.at(row)).id : QString();
}

void VersionListModel::Refilter() {
    beginResetModel();
    shown_.clear();
    for (qsizetype i = 0; i < versions_.size(); ++i) {
        const ListedVersion& version = versions_.at(i);
        if ((!kind_ || version.kind == *kind_) &&
            version.id.contains(search_, Qt::CaseInsensitive)) {
            shown_.append(i);
        }
    }
    endResetModel();
}

int VersionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

int VersionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VersionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_.size()) {
        return {};
    }
    const ListedVersion& version = versions_.at(shown_.at(index.row()));
    if (role == Qt::ToolTipRole && version.latest) {
        return QStringLiteral("版本清单标明的最新%1").arg(KindName(version.kind));
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    switch (index.column()) {
    case IdColumn:
        return version.id;
    case KindColumn:
        return version.latest ? QStringLiteral("%1（最新）").arg(KindName(version.kind))
                              : KindName(version.kind);
    case ReleasedColumn:
        return version.released.isValid() ? version.released.toString(QStringLiteral("yyyy-MM-dd"))
                                          : QStringLiteral("—");
    default:
        return {};
    }
}

QVariant VersionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case IdColumn:
        return QStringLiteral("版本");
    case KindColumn:
        return QStringLiteral("类型");
    case ReleasedColumn:
        return QStringLiteral("发布日期");
    default:
        return {};
    }
}
