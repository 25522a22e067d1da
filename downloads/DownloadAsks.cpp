#include "DownloadAsks.h"

#include <QRandomGenerator>

DownloadAsks::DownloadAsks()
    : prefix_(QStringLiteral("creeper-toolkit-%1-")
                  .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'))) {}

QString DownloadAsks::Add(QObject& asker, DownloadExpectation expected) {
    const QString name = prefix_ + QString::number(++next_);
    open_.insert(name, Ask{&asker, std::move(expected)});
    return name;
}

void DownloadAsks::Withdraw(const QObject& asker) {
    open_.removeIf([&asker](const QHash<QString, Ask>::iterator entry) {
        return entry->asker == nullptr || entry->asker == &asker;
    });
}

DownloadAsks::Match DownloadAsks::Take(const QString& name, Ask* ask) {
    if (!name.startsWith(prefix_)) {
        return Match::NotAsked;
    }
    const auto found = open_.constFind(name);
    if (found == open_.constEnd()) {
        return Match::Withdrawn;
    }
    Ask taken = *found;
    open_.erase(found);
    if (taken.asker == nullptr) {
        return Match::Withdrawn;
    }
    if (ask != nullptr) {
        *ask = std::move(taken);
    }
    return Match::Asked;
}
