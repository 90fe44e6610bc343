#include "gui/lighting/lighting_accessibility.h"

#include "core/lighting/colour_text.h"
#include "core/lighting/colour_words.h"
#include "core/lighting/lighting_controls.h"
#include "core/lighting/lighting_presenter.h"
#include "core/lighting/picture_meaning.h"
#include "core/skin/language.h"
#include "gui/skin/png_button.h"

#include <QLabel>
#include <QStringList>

namespace kw::gui {
namespace {

struct Described {
    int id;
    int captionId;
    const std::string LightingControls::*picture;
};

constexpr Described kPictures[] = {
    {kLightingViewToggle, kLightingTitle, &LightingControls::viewPicture},
    {kFirstDirectionPicture, kDirectionCaption, &LightingControls::firstDirectionPicture},
    {kSecondDirectionPicture, kDirectionCaption, &LightingControls::secondDirectionPicture},
    {kReactiveMulticolourToggle, kReactiveMulticolourCaption,
     &LightingControls::multicolourPicture},
    {kGeneralMulticolourToggle, kGeneralMulticolourCaption, &LightingControls::multicolourPicture},
    {kColourToolPicture, kPaintColourCaption, &LightingControls::colourToolPicture},
    {kBaseColourToolPicture, kBaseColourCaption, &LightingControls::baseColourToolPicture},
};

struct ColourButton {
    int id;
    int captionId;
    Colorref LightingControls::*colour;
};

constexpr ColourButton kColourButtons[] = {
    {kReactiveColourButton, kReactiveColourCaption, &LightingControls::colour},
    {kGeneralColourButton, kGeneralColourCaption, &LightingControls::colour},
    {kPaintColourButton, kPaintColourCaption, &LightingControls::paintColour},
    {kBaseColourButton, kBaseColourCaption, &LightingControls::baseColour},
};

QString words(const Language& language, std::string_view key) {
    return key.empty() ? QString() : QString::fromStdString(language.text(key));
}

// "Caption: word", either part left out when empty.
QString joined(const QString& caption, const QString& word) {
    QStringList parts;
    for (const QString& part : {caption, word}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QStringLiteral(": "));
}

} // namespace

void DescribeLightingControls(const LightingControls& controls, const Language& language,
                              const std::function<QWidget*(int controlId)>& control) {
    const auto caption = [&](int id) {
        const auto* label = qobject_cast<QLabel*>(control(id));
        return label ? label->text() : QString();
    };
    // A toggle's picture says whether it is on and, for some, what it stands for.
    const auto describeToggle = [&](int id, const QString& name, const std::string& picture) {
        if (auto* button = qobject_cast<CPngButton*>(control(id))) {
            const PictureMeaning meaning = MeaningOfPicture(picture);
            button->SetAccessibleToggle(true);
            button->SetSelected(meaning.on, false);
            button->setAccessibleName(joined(name, words(language, meaning.wordKey)));
        }
    };
    for (const Described& d : kPictures) {
        describeToggle(d.id, caption(d.captionId), controls.*d.picture);
    }
    for (int s = 0; s < kSwatchCount; ++s) {
        describeToggle(kRedSwatch + s, QString(),
                       controls.swatchPictures[static_cast<std::size_t>(s)]);
    }
    for (const ColourButton& b : kColourButtons) {
        if (QWidget* button = control(b.id)) {
            const Colorref colour = controls.*b.colour;
            button->setAccessibleName(
                joined(caption(b.captionId), words(language, ColourWordKey(colour)) + ' ' +
                                                 QString::fromStdString(ColourText(colour))));
        }
    }
    for (const auto& [id, captionId] : {std::pair{kBrightnessSlider, kBrightnessCaption},
                                        std::pair{kSpeedSlider, kSpeedCaption}}) {
        if (QWidget* slider = control(id)) {
            slider->setAccessibleName(caption(captionId));
        }
    }
    if (QWidget* effects = control(kEffectSelector)) {
        effects->setAccessibleName(words(language, "ACCESS_EFFECT"));
    }
    if (QWidget* modes = control(kUserModeSelector)) {
        modes->setAccessibleName(words(language, "ACCESS_USER_MODE"));
    }
}

} // namespace kw::gui
