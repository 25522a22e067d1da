#pragma once

#include "ResolutionFlow.h"

#include <optional>

// A player's skin or cape: the name's id (remembered for the run), then the
// profile that names the image (remembered for a minute), then the image.
class PlayerFlow final : public ResolutionFlow {
    Q_OBJECT

public:
    enum class Step { NotStarted, LookUp, Fallback, Profile, Texture, Done };

    PlayerFlow(QString name, bool cape, const LegacyEndpoints& endpoints, Fetcher& fetcher,
               PlayerIds& playerIds);

    void Start() override;
    Step CurrentStep() const { return step_; }

private:
    // The current look-up first; the older one answers the same way and
    // stands in when the first fails for any reason.
    void LookUp();
    void Fallback();
    // The look-up address on `host`: `path` and the name, encoded.
    QUrl NameAt(const QString& host, const QString& path) const;
    void Found(const QString& id);
    void Profile(const QString& id);
    // `fresh`: just answered, not remembered from earlier.
    void OnProfile(const QString& id, const HttpAnswer& answer, bool fresh);
    void Finish(const ResolutionFailure& failure);

    // What a look-up answered: an id, or why not and whether that means
    // nobody has the name.
    struct LookUpResult {
        QString id;
        QString reason;
        bool noSuchPlayer = false;
        // The service asked to wait.
        std::optional<HttpAnswer> busy;
    };
    static LookUpResult ReadLookUp(const HttpAnswer& answer);

    const QString name_;
    const bool cape_;
    PlayerIds& playerIds_;
    Step step_ = Step::NotStarted;
    LookUpResult first_;
};
