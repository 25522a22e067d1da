#pragma once

#include <QHash>
#include <QString>

// Player names to ids, for this run only, so a player looked up once is not
// looked up again. Names are not case-sensitive.
class PlayerIds final {
public:
    QString Find(const QString& name) const { return ids_.value(name.toLower()); }
    void Remember(const QString& name, const QString& id) { ids_.insert(name.toLower(), id); }

private:
    QHash<QString, QString> ids_;
};
