#include "DownloadMessages.h"

#include <cstddef>
#include <iterator>

namespace {

struct Row {
    DownloadText key;
    const char16_t* text;
};

constexpr Row kTexts[] = {
    {DownloadText::Downloading, u"正在下载…"},
    {DownloadText::AwaitingChecks, u"正在等待%1以校验文件…"},
    {DownloadText::Rerouted, u"%1，正在改从官方仓库下载…"},
    {DownloadText::Done, u"下载完成"},
    {DownloadText::DoneChecked, u"下载完成（已校验）"},
    {DownloadText::DoneCheckedAgainst, u"下载完成（已按%1校验）"},
    {DownloadText::DoneUnconfirmed, u"下载完成，但来源未能确认：%1；文件只与%2相符"},
    {DownloadText::DoneUnchecked, u"下载完成（未校验：%1）"},
    {DownloadText::Cancelled, u"已取消"},
    {DownloadText::Failed, u"下载失败：%1"},
    {DownloadText::ElsewhereFailed, u"下载失败：%1（%2）"},
    {DownloadText::Aborted, u"下载失败：下载已中止"},
    {DownloadText::Mismatched, u"下载失败：文件校验不符，已删除（%1）"},
    {DownloadText::Discarded, u"下载失败：%1，已删除"},
    {DownloadText::CannotSave, u"下载失败：无法保存到 %1（%2）"},
    {DownloadText::NameTaken,
     u"下载失败：%1 在下载期间被另一个文件占用或改动，为免覆盖，已保留它并删除了下载的文件"},
    {DownloadText::NotStarted, u"%1 在 %2 秒内没有开始发送文件"},
    {DownloadText::PageRefused, u"已阻止网页的下载"},
    {DownloadText::PageTooMany,
     u"这个网页一分钟内要求保存的文件超过 %1 个，其余的没有打开保存对话框。"
     u"从显示区的右键菜单保存不受这个限制。"},
    {DownloadText::Unreadable, u"无法读取下载的文件（%1）"},
    {DownloadText::SizeDiffers, u"大小为 %1 字节，应为 %2 字节"},
    {DownloadText::Sha1Differs, u"SHA-1 为 %1，应为 %2"},
    {DownloadText::DiffersFrom, u"文件与%1不符（%2）"},
    {DownloadText::OverDescribed, u"文件比版本描述的大（应为 %1 字节）"},
    {DownloadText::OverCap, u"文件大小不明，已超过 %1 字节的上限"},
    {DownloadText::CheckLate, u"%1没有及时回答"},
    {DownloadText::CheckEmpty, u"%1没有给出校验值"},
    {DownloadText::NoSha1, u"%1没有给出 SHA-1，只核对了大小"},
    {DownloadText::DescriptionName, u"版本描述"},
    {DownloadText::ReasonsJoiner, u"；"},
    {DownloadText::NoSuchFile, u"%1 上没有这个文件"},
    {DownloadText::AccessRefused, u"%1 拒绝了访问"},
    {DownloadText::ServerFailed, u"%1 出错或要求稍后再试"},
    {DownloadText::CertificateProblem, u"%1 的证书有问题"},
    {DownloadText::ConnectionFailed, u"与 %1 的连接失败"},
};

// The table lists every value of the enum, in order, so a value is its row.
constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<std::size_t>(kTexts[i].key) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumOrder() &&
              std::size(kTexts) == std::size_t(DownloadText::ConnectionFailed) + 1);

} // namespace

QString Say(DownloadText text, const QString& first, const QString& second) {
    const QString pattern = QString::fromUtf16(kTexts[static_cast<std::size_t>(text)].text);
    // Both at once, so a value holding "%2" is not filled in again; only
    // where the text has them, as QString::arg warns of a missing one.
    if (pattern.contains(QLatin1String("%2"))) {
        return pattern.arg(first, second);
    }
    return pattern.contains(QLatin1String("%1")) ? pattern.arg(first) : pattern;
}
