#include "SaveName.h"

#include "PartFile.h"

namespace {

// The longest file name Linux file systems take, in bytes.
constexpr qsizetype kNameMaxBytes = 255;
constexpr qsizetype kNameBudget = kNameMaxBytes - PartFile::kLongestSuffixBytes;

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

// Bidirectional overrides and isolates, zero-width characters and the like
// change how a name reads, not what it is: "x\u202Egpj.jar" shows as
// "xraj.jpg". Left in, the name shown would not be the name on disk.
bool IsFormat(char32_t c) {
    return QChar::category(c) == QChar::Other_Format;
}

bool IsSeparator(QChar c) {
    return c == u'/' || c == u'\\';
}

// UTF-8 length of one code point. An unpaired surrogate counts as U+FFFD,
// three bytes: what the file name encoder writes for it.
qsizetype Utf8Bytes(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

struct Fit {
    qsizetype length = 0; // UTF-16 units
    qsizetype bytes = 0;  // their UTF-8
};

// The longest start of `text` that ends between whole code points and takes
// at most `budget` bytes of UTF-8.
Fit Fitting(QStringView text, qsizetype budget) {
    Fit fit;
    while (fit.length < text.size()) {
        const qsizetype i = fit.length;
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype bytes =
            Utf8Bytes(pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode());
        if (fit.bytes + bytes > budget) {
            break;
        }
        fit.bytes += bytes;
        fit.length += pair ? 2 : 1;
    }
    return fit;
}

// Cuts the stem and keeps the extension when the extension fits with room for
// a character of the stem; otherwise cuts the name as a whole.
QString CutToBudget(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0) {
        const QStringView extension = QStringView(name).sliced(dot);
        const Fit kept = Fitting(extension, kNameBudget);
        const qsizetype stem =
            Fitting(QStringView(name).first(dot), kNameBudget - kept.bytes).length;
        if (kept.length == extension.size() && stem > 0) {
            return name.first(stem).trimmed().append(extension);
        }
    }
    return name.first(Fitting(name, kNameBudget).length).trimmed();
}

} // namespace

QString PlainFileName(const QString& suggested) {
    qsizetype start = suggested.size();
    while (start > 0 && !IsSeparator(suggested[start - 1])) {
        --start;
    }

    // Control and format characters go first: one before a dot must not
    // shield it. Format characters outside the first plane come as pairs.
    const QStringView rest = QStringView(suggested).sliced(start);
    QString name;
    name.reserve(rest.size());
    for (qsizetype i = 0; i < rest.size();) {
        const bool pair =
            rest[i].isHighSurrogate() && i + 1 < rest.size() && rest[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(rest[i], rest[i + 1]) : rest[i].unicode();
        const qsizetype units = pair ? 2 : 1;
        if (!IsControl(c) && !IsFormat(c)) {
            name.append(rest.sliced(i, units));
        }
        i += units;
    }

    // A leading dot would hide the file; spaces around it are never meant.
    qsizetype lead = 0;
    while (lead < name.size() && (name[lead] == u'.' || name[lead].isSpace())) {
        ++lead;
    }
    name = name.sliced(lead).trimmed();

    if (Fitting(name, kNameBudget).length < name.size()) {
        name = CutToBudget(name);
    }
    return name.isEmpty() ? QStringLiteral("下载") : name;
}
