// The largest configuration the program handles: 100 macros of 2000 actions.

#include "core/base/prompter.h"
#include "core/base/settings_store.h"
#include "core/config/config_file.h"
#include "core/config/macro_area.h"
#include "core/config/profile_file.h"
#include "core/skin/language.h"
#include "testsupport/temp_dir.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

class SilentPrompter : public kw::Prompter {
public:
    bool askYesNo(const std::string&) override { return false; }
    void showMessage(const std::string&) override {}
};

std::vector<kw::MacroRecord> fullMacroList() {
    std::vector<kw::MacroRecord> macros(kw::kMacroCountMax);
    for (std::size_t i = 0; i < macros.size(); ++i) {
        kw::MacroRecord& m = macros[i];
        m.setName(u"Macro " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
        m.macroId = static_cast<std::uint16_t>(i + 1);
        m.repeatCount = 1;
        m.actionCount = kw::kMacroActionsMax;
        for (std::size_t a = 0; a < kw::kMacroActionsMax; ++a) {
            m.actions[a] = {static_cast<std::uint32_t>(10 * (a % 100)),
                            static_cast<std::uint16_t>(0x10 + a / 2 % 40),
                            static_cast<std::uint16_t>(a % 2)};
        }
    }
    return macros;
}

void BM_ValidateAndLoadFullProfile(benchmark::State& state) {
    kw::testing::TempDir dir;
    kw::ConfigImage image;
    image.createDefaultBlock();
    image.macros = fullMacroList();
    const auto file = dir / "full.fwc";
    if (kw::WriteProfileFile(image, file) != 1) {
        state.SkipWithError("cannot write the profile file");
        return;
    }
    kw::SettingsStore settings(dir / "settings.ini");
    const kw::Language language(dir.path(), settings, [] { return std::uint16_t{1033}; });
    SilentPrompter prompter;
    kw::ConfigImage loaded;
    for (auto _ : state) {
        const int valid = kw::ValidateProfileFile(file, prompter, language);
        const int ok = kw::LoadConfigurationFile(loaded, file);
        if (valid != 1 || ok != 1) {
            state.SkipWithError("the profile file did not validate and load");
            return;
        }
        benchmark::DoNotOptimize(loaded.macros.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_ValidateAndLoadFullProfile)->Unit(benchmark::kMillisecond);

void BM_BuildFullMacroArea(benchmark::State& state) {
    const auto macros = fullMacroList();
    for (auto _ : state) {
        const auto sizes = kw::macroAreaSizes(macros);
        auto area = kw::buildMacroArea(macros, sizes.full, true);
        benchmark::DoNotOptimize(area.data());
    }
}
BENCHMARK(BM_BuildFullMacroArea)->Unit(benchmark::kMillisecond);

// A keyboard's largest macro memory (255 units of 128 bytes) decoded at a refresh.
void BM_DecodeKeyboardMacroArea(benchmark::State& state) {
    auto macros = fullMacroList();
    for (auto& m : macros) {
        m.actionCount = 75; // 100 macros of 75 actions fill about 32 KiB
    }
    const auto sizes = kw::macroAreaSizes(macros);
    const auto area = kw::buildMacroArea(macros, sizes.full, true);
    for (auto _ : state) {
        auto decoded = kw::decodeMacroArea(area, kw::kMacroCountMax, u"Macro ");
        benchmark::DoNotOptimize(decoded.data());
    }
    state.counters["areaBytes"] = static_cast<double>(area.size());
}
BENCHMARK(BM_DecodeKeyboardMacroArea)->Unit(benchmark::kMicrosecond);

} // namespace
