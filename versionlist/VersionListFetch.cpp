#include "VersionListFetch.h"

#include "ConfiguredVersionLists.h"
#include "Fetcher.h"
#include "HostName.h"

#include <utility>

VersionListSources ConfiguredVersionListSources() {
    const QString scheme = QStringLiteral(CT_VERSION_LIST_SCHEME);
    const QString path = QStringLiteral("/mc/game/version_manifest_v2.json");
    return {
        QUrl(scheme + QStringLiteral("://") + QStringLiteral(CT_VERSION_LIST_OFFICIAL_HOST) + path),
        QUrl(scheme + QStringLiteral("://") + QStringLiteral(CT_VERSION_LIST_MIRROR_HOST) + path)};
}

int ConfiguredVersionListTimeoutMs() {
    return CT_VERSION_LIST_TIMEOUT_MS;
}

QString ListSourceLine(ListRoute route, const QUrl& address) {
    const QString host = HostName(address);
    switch (route) {
    case ListRoute::Mirror:
        return QStringLiteral("国内线路：BMCLAPI 镜像 %1 的版本列表").arg(host);
    case ListRoute::Official:
        return QStringLiteral("国外线路：官方 %1 的版本列表").arg(host);
    case ListRoute::NoneChosen:
        break;
    }
    return QStringLiteral("未选线路：官方 %1 的版本列表").arg(host);
}

QString WhyNoList(const HttpAnswer& answer, const VersionList& read) {
    const QString prefix = QStringLiteral("无法取得版本列表：");
    if (!answer.IsOk()) {
        return prefix + DescribeFailure(answer);
    }
    switch (read.outcome) {
    case VersionList::Outcome::Listed:
        return {};
    case VersionList::Outcome::NotJson:
        return prefix + QStringLiteral("%1 发来的不是 JSON").arg(answer.host);
    case VersionList::Outcome::NotManifest:
        return prefix + QStringLiteral("%1 发来的不是版本清单").arg(answer.host);
    case VersionList::Outcome::NoneUsable:
        break;
    }
    return prefix + QStringLiteral("%1 的版本清单里没有可选的版本").arg(answer.host);
}

VersionListFetch::VersionListFetch(Fetcher& fetcher, VersionListSources sources, QObject* parent)
    : QObject(parent)
    , fetcher_(fetcher)
    , sources_(std::move(sources)) {}

void VersionListFetch::Ask(ListRoute route, QObject& context, Then then) {
    Copy& copy = CopyFor(route);
    const QUrl address = route == ListRoute::Mirror ? sources_.mirror : sources_.official;
    if (copy.kept) {
        VersionListAnswer answer = *copy.kept;
        answer.source = ListSourceLine(route, address);
        then(answer);
        return;
    }
    copy.waiting.append({&context, std::move(then)});
    if (copy.asking) {
        return;
    }
    copy.asking = true;
    // The domestic route asks the mirror alone, never a server abroad.
    fetcher_.Get(address, *this,
                 [this, route](const HttpAnswer& answer) { Answered(route, answer); });
}

void VersionListFetch::Answered(ListRoute route, const HttpAnswer& answer) {
    Copy& copy = CopyFor(route);
    copy.asking = false;
    const VersionList read = answer.IsOk() ? ReadVersionList(answer.body) : VersionList();
    VersionListAnswer result;
    result.reason = WhyNoList(answer, read);
    if (result.reason.isEmpty()) {
        result.list = read;
        copy.kept = result;
    }
    result.source =
        ListSourceLine(route, route == ListRoute::Mirror ? sources_.mirror : sources_.official);
    const auto waiting = std::exchange(copy.waiting, {});
    for (const auto& [context, then] : waiting) {
        if (context) {
            then(result);
        }
    }
}
