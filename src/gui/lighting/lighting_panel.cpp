#include "gui/lighting/lighting_panel.h"

#include "core/lighting/preview_tables.h"
#include "core/skin/language.h"
#include "gui/lighting/lighting_accessibility.h"
#include "gui/skin/placement.h"
#include "gui/skin/skin_picture.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <array>
#include <utility>

namespace kw::gui {
namespace {

struct Caption {
    int id;
    const char* skinKey;
    const char* textKey; // section "LIGHT"
};
constexpr Caption kCaptions[] = {
    {kLightingTitle, "CONTROL_DengStatic", "Deng"},
    {kBrightnessCaption, "CONTROL_LightStatic", "Light"},
    {kSpeedCaption, "CONTROL_SpeedStatic", "Speed"},
    {kDirectionCaption, "CONTROL_BLFXStatic", "FX"},
    {kReactiveColourCaption, "CONTROL_FYYSStatic", "Color"},
    {kReactiveMulticolourCaption, "CONTROL_FYSJSStatic", "DC"},
    {kGeneralColourCaption, "CONTROL_HXysStatic", "Color"},
    {kGeneralMulticolourCaption, "CONTROL_HXsjsStatic", "DC"},
    {kPaintColourCaption, "CONTROL_USERysStatic", "Color"},
    {kBaseColourCaption, "CONTROL_USERjsStatic", "JColor"},
    {kToolCaption, "CONTROL_USERgjStatic", "Tool"},
};

struct Picture {
    int id;
    const char* skinKey;
};
constexpr Picture kPictures[] = {
    {kLightingViewToggle, "CONTROL_DengStaPic"},
    {kFirstDirectionPicture, "CONTROL_BLFXLStaPic"},
    {kSecondDirectionPicture, "CONTROL_BLFXRStaPic"},
    {kReactiveMulticolourToggle, "CONTROL_FYSJSStaPic"},
    {kGeneralMulticolourToggle, "CONTROL_HXsjsStaPic"},
    {kRedSwatch, "CONTROL_HONGPIC"},
    {kYellowSwatch, "CONTROL_HUANGPIC"},
    {kGreenSwatch, "CONTROL_LVPIC"},
    {kBlueSwatch, "CONTROL_LANPIC"},
    {kColourToolPicture, "CONTROL_USERgjStaPic1"},
    {kBaseColourToolPicture, "CONTROL_USERgjStaPic2"},
};

// The red, green and blue value edits the window owns.
constexpr std::array kValueEdits{1208, 1209, 1210};

// The colour mark's strength the key buttons keep (they draw the frame without it).
constexpr int kMarkStrength = 50;

Colorref colorrefOf(const QColor& colour) {
    return kw::colorrefOf(Rgb{static_cast<std::uint8_t>(colour.red()),
                              static_cast<std::uint8_t>(colour.green()),
                              static_cast<std::uint8_t>(colour.blue())});
}

QColor qColourOf(Colorref colour) {
    const Rgb rgb = rgbOf(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CLightingPanel::CLightingPanel(LightingPanelDependencies dependencies)
    : deps_(std::move(dependencies)) {
    QWidget& window = deps_.window;
    addCaptions();
    for (const Picture& p : kPictures) {
        CPngButton& button = addPicture(p.id, p.skinKey);
        connect(&button, &QAbstractButton::clicked, this, [this, id = p.id] {
            LightingPresenter& presenter = deps_.presenter;
            switch (id) {
            case kLightingViewToggle:
                presenter.ToggleLightingView();
                break;
            case kFirstDirectionPicture:
            case kSecondDirectionPicture:
                presenter.DirectionClicked(id);
                break;
            case kReactiveMulticolourToggle:
            case kGeneralMulticolourToggle:
                presenter.MulticolourClicked();
                break;
            case kColourToolPicture:
            case kBaseColourToolPicture:
                presenter.ToolClicked(id);
                break;
            default:
                presenter.SwatchClicked(id);
                break;
            }
        });
    }

    effects_ = &add(kEffectSelector, new QComboBox(&window), "CONTROL_XGcombox");
    connect(effects_, &QComboBox::activated, this,
            [this](int row) { deps_.presenter.SelectEffectRow(row); });

    userModes_ = &add(kUserModeSelector, new QComboBox(&window), "CONTROL_umCombo");
    userModes_->setEditable(true);
    userModes_->setInsertPolicy(QComboBox::NoInsert);
    connect(userModes_, &QComboBox::activated, this,
            [this](int row) { deps_.presenter.UserModeSelected(row); });
    connect(userModes_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { deps_.presenter.UserModeRenamed(text.toStdString()); });

    const auto addSlider = [this, &window](int id, const char* key) {
        auto& slider = add(id, new CBitmapSlider(&window, id), key);
        slider.SetRange(0, 5);
        slider.SetPage(10);
        connect(&slider, &CBitmapSlider::SliderChanged, this, [this](int controlId, int position) {
            deps_.presenter.SliderMoved(controlId, position);
        });
        return &slider;
    };
    brightness_ = addSlider(kBrightnessSlider, "CONTROL_LightSlider");
    speed_ = addSlider(kSpeedSlider, "CONTROL_SpeedSlider");
    const LightingControls& c = deps_.presenter.controls();
    brightness_->SetBitmap(picture(c.brightnessFace.empty() ? "0.bmp" : c.brightnessFace));
    speed_->SetBitmap(picture(c.speedFace.empty() ? "6.bmp" : c.speedFace));

    for (const auto& [id, key] : {std::pair{kReactiveColourButton, "CONTROL_FYYSButton"},
                                  std::pair{kGeneralColourButton, "CONTROL_HXysButton"}}) {
        connect(&addColourButton(id, key), &CSkinColorBtn::ColorChanged, this,
                [this](const QColor& colour) { deps_.presenter.ColourChosen(colorrefOf(colour)); });
    }
    connect(&addColourButton(kPaintColourButton, "CONTROL_USERysButton"),
            &CSkinColorBtn::ColorChanged, this, [this](const QColor& colour) {
                deps_.presenter.PaintColourChosen(colorrefOf(colour));
            });
    connect(&addColourButton(kBaseColourButton, "CONTROL_USERjsButton"),
            &CSkinColorBtn::ColorChanged, this,
            [this](const QColor& colour) { deps_.presenter.BaseColourChosen(colorrefOf(colour)); });

    connectValueEdits();
    LanguageChanged();
    deps_.presenter.setView(this);
    controlsChanged();
}

CLightingPanel::~CLightingPanel() {
    deps_.presenter.setView(nullptr);
}

template <typename Widget>
Widget& CLightingPanel::add(int controlId, Widget* widget, std::string_view skinKey) {
    PlaceControl(*widget, deps_.layout, skin::kButtonSection, skinKey);
    controls_[controlId] = widget;
    if (deps_.registerWidget) {
        deps_.registerWidget(controlId, widget);
    }
    return *widget;
}

CPngButton& CLightingPanel::addPicture(int controlId, std::string_view skinKey) {
    auto& button = add(controlId, new CPngButton(&deps_.window), skinKey);
    button.setCursor(Qt::PointingHandCursor);
    return button;
}

CSkinColorBtn& CLightingPanel::addColourButton(int controlId, std::string_view skinKey) {
    return add(controlId, new CSkinColorBtn(&deps_.window), skinKey);
}

void CLightingPanel::addCaptions() {
    for (const Caption& caption : kCaptions) {
        auto& label = add(caption.id, new QLabel(&deps_.window), caption.skinKey);
        // The skin's dark panel needs light text; the title stands out a little.
        label.setStyleSheet(caption.id == kLightingTitle
                                ? QStringLiteral("color: white; font: bold 10pt \"DejaVu Sans\";")
                                : QStringLiteral("color: #d8dde6; font: 9pt \"DejaVu Sans\";"));
    }
}

void CLightingPanel::connectValueEdits() {
    if (!deps_.windowWidget) {
        return;
    }
    for (int id : kValueEdits) {
        auto* edit = qobject_cast<QLineEdit*>(deps_.windowWidget(id));
        if (!edit) {
            continue;
        }
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), edit));
        connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
            if (const auto replacement = deps_.presenter.ValueEdited(text.toStdString())) {
                edit->setText(qs(*replacement));
            }
        });
    }
}

void CLightingPanel::LanguageChanged() {
    const Language& language = deps_.language;
    const int index = language.CurrentLanguageIndex();
    for (const Caption& caption : kCaptions) {
        static_cast<QLabel*>(controls_.at(caption.id))
            ->setText(qs(language.LookupLightText(caption.textKey, index)));
    }
    // Rebuilds the selector's names through controlsChanged.
    deps_.presenter.LanguageChanged();
}

QWidget* CLightingPanel::control(int controlId) const {
    const auto found = controls_.find(controlId);
    return found == controls_.end() ? nullptr : found->second;
}

const QImage& CLightingPanel::picture(const std::string& file) {
    auto found = pictures_.find(file);
    if (found == pictures_.end()) {
        // Loaded once; a missing file leaves the control without a face rather than failing.
        QImage image =
            LoadScaledImage(QString::fromStdString((deps_.layout.folder() / file).string()),
                            deps_.window.devicePixelRatioF());
        found = pictures_.emplace(file, std::move(image)).first;
    }
    return found->second;
}

void CLightingPanel::showPicture(int controlId, const std::string& file) {
    auto* button = static_cast<CPngButton*>(controls_.at(controlId));
    const QImage& face = picture(file);
    button->SetFaces(1, 1, face, face, face, face, face);
}

void CLightingPanel::fillCombo(QComboBox& combo, const auto& texts, int row) {
    const QSignalBlocker quiet(combo);
    bool same = combo.count() == static_cast<int>(texts.size());
    for (int i = 0; same && i < combo.count(); ++i) {
        same = combo.itemText(i) == qs(texts[static_cast<std::size_t>(i)]);
    }
    if (!same) {
        combo.clear();
        for (const std::string& text : texts) {
            combo.addItem(qs(text));
        }
    }
    combo.setCurrentIndex(row);
}

void CLightingPanel::controlsChanged() {
    const LightingControls& c = deps_.presenter.controls();
    fillCombo(*effects_, c.selectorTexts, c.selectorRow);
    // The edit field would otherwise keep a rename the user is typing out of place.
    if (!userModes_->lineEdit()->hasFocus()) {
        fillCombo(*userModes_, c.userModeNames, c.userModeRow);
    }

    brightness_->SetPos(c.brightnessPosition);
    brightness_->SetFaceBitmap(picture(c.brightnessFace));
    speed_->SetPos(c.speedPosition);
    speed_->SetFaceBitmap(picture(c.speedFace));

    showPicture(kLightingViewToggle, c.viewPicture);
    PlacePositionOnly(*controls_.at(kDirectionCaption), deps_.layout, skin::kButtonSection,
                      c.directionPlacement.caption);
    PlacePositionOnly(*controls_.at(kFirstDirectionPicture), deps_.layout, skin::kButtonSection,
                      c.directionPlacement.first);
    PlacePositionOnly(*controls_.at(kSecondDirectionPicture), deps_.layout, skin::kButtonSection,
                      c.directionPlacement.second);
    showPicture(kFirstDirectionPicture, c.firstDirectionPicture);
    showPicture(kSecondDirectionPicture, c.secondDirectionPicture);
    showPicture(kReactiveMulticolourToggle, c.multicolourPicture);
    showPicture(kGeneralMulticolourToggle, c.multicolourPicture);
    for (int s = 0; s < kSwatchCount; ++s) {
        showPicture(kRedSwatch + s, c.swatchPictures[static_cast<std::size_t>(s)]);
    }
    showPicture(kColourToolPicture, c.colourToolPicture);
    showPicture(kBaseColourToolPicture, c.baseColourToolPicture);

    const auto setColour = [this](int id, Colorref colour) {
        auto* button = static_cast<CSkinColorBtn*>(controls_.at(id));
        const QSignalBlocker quiet(button);
        button->SetColor(qColourOf(colour));
    };
    setColour(kReactiveColourButton, c.colour);
    setColour(kGeneralColourButton, c.colour);
    setColour(kPaintColourButton, c.paintColour);
    setColour(kBaseColourButton, c.baseColour);

    for (const auto& [id, widget] : controls_) {
        widget->setVisible(c.shown(id));
    }
    DescribeLightingControls(c, deps_.language, [this](int id) { return control(id); });
    if (deps_.controlsShown) {
        deps_.controlsShown();
    }
}

CPngButton* CLightingPanel::setKeyFace(int buttonId, const KeyFace& face, bool redraw) {
    const auto drawn = drawnFaces_.find(buttonId);
    const KeyFace before = drawn == drawnFaces_.end() ? KeyFace{} : drawn->second;
    if (before == face) {
        return nullptr;
    }
    CPngButton* button = deps_.keyButton ? deps_.keyButton(buttonId) : nullptr;
    if (!button) {
        return nullptr;
    }
    button->SetColourMark(QColor(face.colour.red, face.colour.green, face.colour.blue),
                          kMarkStrength, face.marked, redraw);
    drawnFaces_[buttonId] = face;
    return button;
}

void CLightingPanel::keyFacesReset() {
    drawnFaces_.clear();
    if (deps_.resetKeyFaces) {
        deps_.resetKeyFaces();
    }
}

void CLightingPanel::keyMarksChanged(std::span<const KeyMark> marks) {
    for (const KeyMark& mark : marks) {
        setKeyFace(mark.buttonId, markedFace(mark.colour));
    }
}

void CLightingPanel::previewFrame(const PreviewFrame& frame) {
    // One repaint of the keys that changed, not one per key: with a wave
    // every key changes at each step.
    QRect changed;
    for (std::size_t k = 0; k < frame.size(); ++k) {
        if (CPngButton* button = setKeyFace(KeyChain[k], frame[k], false)) {
            changed |= button->geometry();
        }
    }
    if (!changed.isEmpty()) {
        deps_.window.update(changed);
    }
}

} // namespace kw::gui
