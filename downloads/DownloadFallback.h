#pragma once

#include "DownloadExpectation.h"

#include <QObject>
#include <QString>
#include <QUrl>

class Fetcher;

// Where else a file may be had once its server has refused it before its
// first byte. A job asks it once, and writes what it finds into the name
// already chosen.
class DownloadFallback : public QObject {
    Q_OBJECT

public:
    // Starts looking, after the refusal `why`; false when it has looked
    // already, and then it says nothing more.
    virtual bool Find(const QString& why) = 0;
    // What to download the file found with.
    virtual Fetcher& Network() = 0;

Q_SIGNALS:
    // At once, from Find: who refused and why, plain text.
    void Rerouted(const QString& refusal);
    // Then one of these. `expected` is what the file found must be.
    void Found(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    void Failed(const QString& heading, const QString& detail);
};
