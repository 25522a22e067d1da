#pragma once

#include <QFile>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// A window's stored layout as its committed .ui file gives it: the window's
// size, and each control's class, holder, place and tab index, in pixels.
struct StoredControl {
    QString kind;
    QString name;
    QString holder;
    QRect geometry;
    int tab = -1; // -1: no place in the tab order
};

struct StoredLayout {
    QSize size;
    QList<StoredControl> controls;
    QString error; // empty when the file was read whole
};

namespace StoredLayoutDetail {

// Reads the <rect> of a geometry property.
inline QRect ReadRect(QXmlStreamReader& xml) {
    QRect rect;
    if (!xml.readNextStartElement()) {
        return rect;
    }
    while (xml.readNextStartElement()) {
        const QStringView part = xml.name();
        const int value = xml.readElementText().toInt();
        if (part == u"x") {
            rect.moveLeft(value);
        } else if (part == u"y") {
            rect.moveTop(value);
        } else if (part == u"width") {
            rect.setWidth(value);
        } else if (part == u"height") {
            rect.setHeight(value);
        }
    }
    return rect;
}

} // namespace StoredLayoutDetail

inline StoredLayout ReadStoredLayout(const QString& uiFile) {
    StoredLayout layout;
    QFile file(uiFile);
    if (!file.open(QIODevice::ReadOnly)) {
        layout.error = file.fileName() + QStringLiteral(": ") + file.errorString();
        return layout;
    }
    QXmlStreamReader xml(&file);
    QStringList holders;   // the widgets open around the current element
    QList<qsizetype> open; // their rows in `controls`; -1 for the window
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"widget") {
            holders.removeLast();
            open.removeLast();
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"widget") {
            const QString name = attributes.value(QLatin1String("name")).toString();
            if (holders.isEmpty()) {
                open.append(-1);
            } else {
                StoredControl control;
                control.kind = attributes.value(QLatin1String("class")).toString();
                control.name = name;
                control.holder = holders.last();
                layout.controls.append(control);
                open.append(layout.controls.size() - 1);
            }
            holders.append(name);
        } else if (xml.name() == u"property" && !open.isEmpty()) {
            StoredControl* control = open.last() < 0 ? nullptr : &layout.controls[open.last()];
            const QStringView property = attributes.value(QLatin1String("name"));
            if (property == u"geometry") {
                const QRect rect = StoredLayoutDetail::ReadRect(xml);
                if (control != nullptr) {
                    control->geometry = rect;
                } else {
                    layout.size = rect.size();
                }
            } else if (property == u"tabIndex" && control != nullptr &&
                       xml.readNextStartElement()) {
                control->tab = xml.readElementText().toInt();
            }
        }
    }
    if (xml.hasError()) {
        layout.error = file.fileName() + QStringLiteral(": ") + xml.errorString();
    }
    return layout;
}
