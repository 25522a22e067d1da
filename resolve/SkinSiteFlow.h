#pragma once

#include "ResolutionFlow.h"
#include "ResolutionMessages.h"

// A skin or cape of the gone Skinme, looked for on a skin site that speaks
// the CustomSkinAPI: the player's textures by name, then the one asked for,
// fetched.
class SkinSiteFlow final : public ResolutionFlow {
    Q_OBJECT

public:
    SkinSiteFlow(QString name, bool cape, const LegacyEndpoints& endpoints, Fetcher& fetcher);

    void Start() override;

private:
    void OnTextures(const HttpAnswer& answer);
    void Finish(Failure failure, const QString& detail);

    const QString name_;
    const bool cape_;
};
