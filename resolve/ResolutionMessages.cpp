#include "ResolutionMessages.h"

#include "HttpAnswer.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <cstddef>
#include <iterator>

namespace {

struct FailureText {
    Failure key;
    const char16_t* heading; // %1: the subject
    const char16_t* detail;  // %1: the detail given, where there is one
};

constexpr FailureText kFailures[] = {
    {Failure::NoPlayerName, u"没有输入玩家名", u"请输入正版玩家的名字。"},
    {Failure::NoSuchPlayer, u"找不到正版玩家「%1」", u"没有叫这个名字的正版玩家，请检查拼写。"},
    {Failure::PlayerLookupFailed, u"无法查询正版玩家「%1」", u"%1"},
    {Failure::NoProfile, u"找不到正版玩家「%1」", u"%1 没有这个玩家的资料。"},
    {Failure::ProfileFailed, u"无法取得玩家「%1」的资料", u"%1"},
    {Failure::NoCape, u"玩家「%1」没有披风", u"这个正版玩家没有可显示的披风。"},
    {Failure::NoSkin, u"玩家「%1」没有自定义皮肤", u"这个正版玩家使用默认皮肤。"},
    {Failure::VersionLookupFailed, u"无法查询官方版本「%1」", u"%1"},
    {Failure::NoSuchVersion, u"找不到版本「%1」", u"官方版本列表中没有这个版本，请检查版本号。"},
    {Failure::NoServerJar, u"版本「%1」没有服务端", u"官方没有为这个版本发布这个文件。"},
    {Failure::NoClientJar, u"版本「%1」没有客户端文件", u"官方没有为这个版本发布这个文件。"},
    {Failure::NoSuchSitePlayer, u"找不到玩家「%1」", u"皮肤站 %1 上没有叫这个名字的玩家。"},
    {Failure::SiteLookupFailed, u"无法在皮肤站上查询玩家「%1」", u"%1"},
    {Failure::NoSiteSkin, u"玩家「%1」没有皮肤", u"皮肤站 %1 上这个玩家没有皮肤。"},
    {Failure::NoSiteCape, u"玩家「%1」没有披风", u"皮肤站 %1 上这个玩家没有披风。"},
    {Failure::SkinImageFailed, u"无法取得玩家「%1」的皮肤", u"%1"},
    {Failure::CapeImageFailed, u"无法取得玩家「%1」的披风", u"%1"},
    {Failure::SkinNotShown, u"无法显示玩家「%1」的皮肤", u"%1"},
    {Failure::CapeNotShown, u"无法显示玩家「%1」的披风", u"%1"},
    {Failure::OddPlayer, u"找不到玩家「%1」", u"%1"},
    {Failure::OddVersion, u"找不到版本「%1」", u"%1"},
    {Failure::UuidOnSkinSite, u"皮肤站不能按 UUID 查找「%1」",
     u"皮肤站 %1 只按玩家名查找玩家，请输入玩家名；UUID 可用于正版皮肤和披风。"},
    {Failure::AskedToWait, u"请稍后再试", u"%1"},
};

struct ReasonText {
    Reason key;
    const char16_t* text; // %1: the host; %2: its problem
};

constexpr ReasonText kReasons[] = {
    {Reason::ManifestUnreadable, u"%1 的版本列表无法读取"},
    {Reason::DescriptionUnreadable, u"%1 的版本描述无法读取"},
    {Reason::DescriptionDoesNotMatch, u"%1 的版本描述与版本列表的校验值不符"},
    {Reason::DescriptionLacksFile, u"%1 的版本描述中没有这个文件"},
    {Reason::NotInManifest, u"官方版本列表中没有这个版本"},
    {Reason::NotAnImage, u"%1 发来的不是图片（%2 字节）"},
    {Reason::ImageTooLarge, u"%1 发来的图片过大（%2 像素）"},
    {Reason::HostSays, u"%1：%2"},
};

struct OddityText {
    LegacyOddity key;
    const char16_t* text; // %1: 玩家名 or 版本号
};

constexpr OddityText kOddities[] = {
    {LegacyOddity::None, u"%1无法读取。"},
    {LegacyOddity::Query, u"%1中有问号（?），它在网址里另有含义。"},
    {LegacyOddity::Fragment, u"%1中有井号（#），它在网址里另有含义。"},
    {LegacyOddity::Slash, u"%1中有斜杠（/ 或 \\），它在网址里表示文件夹。"},
    {LegacyOddity::DotSegment, u"%1不能是 . 或 ..，它们在网址里表示文件夹。"},
    {LegacyOddity::Empty, u"没有输入%1。"},
    {LegacyOddity::Shape, u"这不是工具箱认得的地址，其中读不出%1。"},
};

// Each table lists every value of its enum, in order, so a value is its row.
template <typename Row, std::size_t N> constexpr bool InEnumOrder(const Row (&rows)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(rows[i].key) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumOrder(kFailures) &&
              std::size(kFailures) == std::size_t(Failure::AskedToWait) + 1);
static_assert(InEnumOrder(kReasons) && std::size(kReasons) == std::size_t(Reason::HostSays) + 1);
static_assert(InEnumOrder(kOddities) &&
              std::size(kOddities) == std::size_t(LegacyOddity::Shape) + 1);

// Fills %1 only where the text has one, so a text without it is left alone
// (QString::arg would warn).
QString Filled(const char16_t* text, const QString& value) {
    const QString pattern = QString::fromUtf16(text);
    return pattern.contains(QLatin1String("%1")) ? pattern.arg(value) : pattern;
}

} // namespace

ResolutionFailure Explain(Failure failure, const QString& subject, const QString& detail) {
    const FailureText& row = kFailures[static_cast<std::size_t>(failure)];
    return {Filled(row.heading, subject), Filled(row.detail, detail)};
}

QString Because(Reason reason, const QString& host, const QString& problem) {
    QString text = Filled(kReasons[static_cast<std::size_t>(reason)].text, host);
    // Not arg(): a server's problem may itself hold "%1".
    return text.replace(QLatin1String("%2"), problem);
}

QString WhyNotRead(const LegacyAddress& legacy) {
    const QString what = legacy.target == LegacyTarget::OddVersion ? QStringLiteral("版本号")
                                                                   : QStringLiteral("玩家名");
    return Filled(kOddities[static_cast<std::size_t>(legacy.oddity)].text, what) +
           QStringLiteral("工具箱没有打开这个地址。");
}

QString WhatIsLookedUp(const LegacyAddress& legacy, const LegacyEndpoints& endpoints) {
    switch (legacy.target) {
    case LegacyTarget::SkinmeSkin:
        return QStringLiteral("Skinme 已停止服务，正在皮肤站 %1 上查找玩家「%2」的皮肤")
            .arg(endpoints.skinSiteHost, legacy.name);
    case LegacyTarget::SkinmeCape:
        return QStringLiteral("Skinme 已停止服务，正在皮肤站 %1 上查找玩家「%2」的披风")
            .arg(endpoints.skinSiteHost, legacy.name);
    case LegacyTarget::OfficialSkin:
        return QStringLiteral("正版玩家「%1」的皮肤").arg(legacy.name);
    case LegacyTarget::OfficialCape:
        return QStringLiteral("正版玩家「%1」的披风").arg(legacy.name);
    case LegacyTarget::OddPlayer:
        return QStringLiteral("玩家「%1」的皮肤或披风").arg(legacy.name);
    case LegacyTarget::StoreFile:
    case LegacyTarget::MirrorFile:
    case LegacyTarget::OddVersion:
        return QStringLiteral("版本「%1」的文件").arg(legacy.version);
    case LegacyTarget::None:
        break;
    }
    return {};
}

QString WaitAsked(const HttpAnswer& answer) {
    const QString wait = answer.retryAfterSeconds >= 0
                             ? QStringLiteral("等待 %1 秒后再试").arg(answer.retryAfterSeconds)
                             : QStringLiteral("稍后再试");
    return QStringLiteral("%1 收到的请求太多，要求%2。工具箱不会自动重试。").arg(answer.host, wait);
}

QString OfficialManifestName() {
    return QStringLiteral("官方版本列表");
}

QString OfficialDescriptionName() {
    return QStringLiteral("官方版本描述");
}

QString MirrorDescriptionName() {
    return QStringLiteral("镜像的版本描述");
}

QString MirrorSourceName(const QString& authority) {
    return QStringLiteral("BMCLAPI 镜像 %1").arg(authority);
}

QString MirrorRefusal(const QString& authority, const QString& why) {
    return QStringLiteral("%1 无法提供这个文件：%2").arg(MirrorSourceName(authority), why);
}

QString OfficialInsteadOfMirror(const QString& refusal) {
    return QStringLiteral("官方仓库（%1）").arg(refusal);
}
