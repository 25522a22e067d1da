#pragma once

// What the targets of the pane's readers check of every answer: the shape of
// what a reader accepts, and that its verdict stays the same when the
// answer's JSON is written out another way.

#include "FuzzCheck.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <QUrl>

#include <optional>

// An address the pane may follow: http or https, with a host.
inline bool IsWebAddress(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// Exactly `digits` lower-case hex digits.
inline bool IsLowerHex(const QByteArray& text, qsizetype digits) {
    if (text.size() != digits) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

namespace reshape_detail {

// Every character that is not printable ASCII as \uXXXX, so the string reads
// back to the same UTF-16 code units, lone surrogates included.
inline void AppendString(const QString& text, QByteArray& out) {
    out += '"';
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x20 && unit < 0x7f && unit != '"' && unit != '\\') {
            out += static_cast<char>(unit);
        } else {
            out += "\\u" + QByteArray::number(unit, 16).rightJustified(4, '0');
        }
    }
    out += '"';
}

inline void AppendValue(const QJsonValue& value, QByteArray& out) {
    out += " \n\t";
    switch (value.type()) {
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        const QStringList keys = object.keys();
        out += '{';
        for (auto key = keys.crbegin(); key != keys.crend(); ++key) {
            if (key != keys.crbegin()) {
                out += ',';
            }
            AppendString(*key, out);
            out += " :\r\n";
            AppendValue(object.value(*key), out);
        }
        out += '}';
        break;
    }
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        out += '[';
        for (qsizetype i = 0; i < array.size(); ++i) {
            out += i == 0 ? "" : ",";
            AppendValue(array.at(i), out);
        }
        out += ']';
        break;
    }
    case QJsonValue::String:
        AppendString(value.toString(), out);
        break;
    case QJsonValue::Double: {
        // Whole numbers exactly as digits: a double would round past 2^53.
        const qint64 whole = value.toInteger(0);
        out += whole == value.toInteger(1)
                   ? QByteArray::number(whole)
                   : QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    }
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out += "null";
        break;
    }
    out += ' ';
}

} // namespace reshape_detail

// The same JSON with every object's keys in reverse order and whitespace
// around every token; nothing when `answer` is not JSON.
inline std::optional<QByteArray> Reshaped(const QByteArray& answer) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(answer, &error);
    if (error.error != QJsonParseError::NoError) {
        return std::nullopt;
    }
    QByteArray out;
    reshape_detail::AppendValue(
        document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array()), out);
    return out;
}

// A reader's verdict on `answer` is its verdict on the answer reshaped.
// `verdict` returns something comparable, such as a tuple of the fields read.
template <typename Verdict>
void CheckSameVerdictReshaped(const QByteArray& answer, Verdict verdict) {
    if (const std::optional<QByteArray> reshaped = Reshaped(answer)) {
        FUZZ_CHECK(verdict(answer) == verdict(*reshaped));
    }
}
