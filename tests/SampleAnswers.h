#pragma once

// The sample answers of tests/data/answers/ (see the README there), read by
// file name with their {{placeholders}} filled.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRegularExpression>

#include <utility>

using Fills = QList<std::pair<QByteArray, QByteArray>>;

// Stops the run on a missing file, a fill the file has no place for, or a
// placeholder left: a sample that stays a template fails rows for the wrong
// reason.
inline QByteArray SampleAnswer(const char* file, const Fills& fills = {}) {
    QFile sample(QStringLiteral(CT_SAMPLE_ANSWERS_DIR "/") + QLatin1String(file));
    if (!sample.open(QIODevice::ReadOnly)) {
        qFatal("no sample answer %s", file);
    }
    QByteArray text = sample.readAll().trimmed();
    for (const auto& [key, value] : fills) {
        if (!text.contains("{{" + key + "}}")) {
            qFatal("sample answer %s has no {{%s}}", file, key.constData());
        }
        text.replace("{{" + key + "}}", value);
    }
    static const QRegularExpression kPlaceholder(QStringLiteral("\\{\\{[a-z0-9_]+\\}\\}"));
    const QRegularExpressionMatch left = kPlaceholder.match(QString::fromUtf8(text));
    if (left.hasMatch()) {
        qFatal("sample answer %s: %s left unfilled", file, qPrintable(left.captured()));
    }
    return text;
}

// The session profile of `id` and `name` whose textures JSON is
// `textures.json` with `texturesObject`, sent base64 as the session server does.
inline QByteArray SampleProfile(const QByteArray& id, const QByteArray& name,
                                const QByteArray& texturesObject) {
    const QByteArray textures =
        SampleAnswer("textures.json", {{"id", id}, {"name", name}, {"textures", texturesObject}});
    return SampleAnswer("profile.json",
                        {{"id", id}, {"name", name}, {"textures_base64", textures.toBase64()}});
}
