#include "gui/mainwnd/profile_lighting.h"

#include "core/lighting/lighting_model.h"

namespace kw::gui {

ProfileLighting::ProfileLighting(Transport& transport,
                                 const std::filesystem::path& viewSettingsFile)
    : model_(std::make_unique<LightingModel>(transport, viewSettingsFile)) {}

ProfileLighting::~ProfileLighting() = default;

void ProfileLighting::Show(int profile) {
    model_->setProfile(profile);
    model_->ReadLighting();
}

void ProfileLighting::SetProfile(int profile) {
    model_->setProfile(profile);
}

int ProfileLighting::ReportRate() const {
    return model_->state().reportRate;
}

int ProfileLighting::SetReportRate(int rate) {
    return model_->SetReportRate(rate);
}

} // namespace kw::gui
