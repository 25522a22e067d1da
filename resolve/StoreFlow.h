#pragma once

#include "FileIdentity.h"
#include "LegacyAddress.h"
#include "ResolutionFlow.h"
#include "ResolutionMessages.h"

// A file of the old store: the official list of versions, then the version's
// description (checked against the list), which names the jar. The
// description itself is the file when that is what was asked for.
class StoreFlow final : public ResolutionFlow {
    Q_OBJECT

public:
    enum class Step { NotStarted, Manifest, Description, Done };

    StoreFlow(const QUrl& address, const LegacyAddress& legacy, const LegacyEndpoints& endpoints,
              Fetcher& fetcher);

    void Start() override;
    Step CurrentStep() const { return step_; }

private:
    void OnManifest(const HttpAnswer& answer);
    void Description(const QUrl& url, const QByteArray& sha1);
    void OnDescription(const HttpAnswer& answer, const QByteArray& sha1);
    // Ends the flow, and returns false, unless the service answered 200.
    bool Answered(const HttpAnswer& answer);
    void Offer(const QUrl& file, const FileIdentity& identity);
    void Finish(Failure failure, const QString& detail = {});

    const QString fileName_;
    const LegacyAddress legacy_;
    Step step_ = Step::NotStarted;
};
