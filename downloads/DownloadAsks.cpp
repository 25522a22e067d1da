#include "DownloadAsks.h"

#include <QRandomGenerator>

#include <algorithm>

DownloadAsks::DownloadAsks()
    : prefix_(QStringLiteral("creeper-toolkit-%1-")
                  .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'))) {}

QString DownloadAsks::Add(QObject& asker, DownloadExpectation expected) {
    const QString name = prefix_ + QString::number(++next_);
    open_.insert(name, Ask{&asker, std::move(expected)});
    return name;
}

void DownloadAsks::Withdraw(const QObject& asker) {
    LoadEnded(asker);
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

void DownloadAsks::AddLoad(QObject& asker, const QUrl& file, DownloadExpectation expected) {
    if (expected.fileName.isEmpty()) {
        expected.fileName = file.fileName();
    }
    loads_.insert(&asker, Load{file, Ask{&asker, std::move(expected)}});
}

void DownloadAsks::LoadEnded(const QObject& asker) {
    loads_.remove(&asker);
}

bool DownloadAsks::TakeLoad(const QUrl& url, Ask* ask) {
    loads_.removeIf([](const QHash<const QObject*, Load>::iterator entry) {
        return entry->ask.asker == nullptr;
    });
    auto found = std::find_if(loads_.begin(), loads_.end(),
                              [&url](const Load& load) { return load.file == url; });
    if (found == loads_.end() && loads_.size() == 1) {
        found = loads_.begin();
    }
    if (found == loads_.end()) {
        return false;
    }
    *ask = std::move(found->ask);
    loads_.erase(found);
    return true;
}
