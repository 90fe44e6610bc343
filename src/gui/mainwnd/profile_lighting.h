#pragma once
// The lighting record the profile and report-rate buttons work on, kept
// apart from Qt headers (the lighting headers use names Qt defines as macros).

#include <filesystem>
#include <memory>

namespace kw {
class LightingModel;
class Transport;
} // namespace kw

namespace kw::gui {

class ProfileLighting {
public:
    ProfileLighting(Transport& transport, const std::filesystem::path& viewSettingsFile);
    ~ProfileLighting();

    // Profile n's lighting, read again from the keyboard.
    void Show(int profile);
    void SetProfile(int profile);
    int SetReportRate(int rate);
    // The report-rate choice of the record last read.
    int ReportRate() const;

private:
    std::unique_ptr<LightingModel> model_;
};

} // namespace kw::gui
