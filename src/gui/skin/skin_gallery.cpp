// skin-gallery: places every control of each skinned window on its
// background, puts some of them in each state and saves the windows as PNGs.
//   skin-gallery <output folder> [program folder]

#include "core/base/ini_file.h"
#include "core/skin/skin_keys.h"
#include "gui/skin/base_dialog.h"
#include "gui/skin/bitmap_slider.h"
#include "gui/skin/color_static.h"
#include "gui/skin/placement.h"
#include "gui/skin/png_button.h"
#include "gui/skin/skin_color_btn.h"
#include "gui/skin/skin_picture.h"
#include "gui/skin/skin_style.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTableWidget>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace {

using namespace kw;
using namespace kw::gui;
namespace fs = std::filesystem;

QString qs(const fs::path& path) {
    return QString::fromStdString(path.string());
}

class Gallery {
public:
    Gallery(fs::path program, QString output)
        : program_(std::move(program)), output_(std::move(output)),
          language_(IniDocument::load(program_ / "Lang0409.ini")) {}

    void mainWindow();
    void compositeEditor();
    void profileManager();
    void updateDialog();

private:
    struct Window {
        std::unique_ptr<CBaseDialog> dialog;
        std::map<std::string, CPngButton*> buttons;
    };

    Window open(std::string_view iniFile) {
        Window w;
        w.dialog = std::make_unique<CBaseDialog>(
            nullptr, program_ / "Skins" / std::string(iniFile), [iniFile] {
                std::fprintf(stderr, "skin-gallery: %s cannot be loaded\n",
                             std::string(iniFile).c_str());
                std::exit(1);
            });
        w.dialog->ApplySkin();
        return w;
    }
    QImage picture(std::string_view relative, const Window& w) const {
        return LoadSkinPicture(qs(program_ / std::string(relative)), w.dialog->size(),
                               w.dialog->PictureRatio());
    }
    QImage bitmap(const std::string& name) const { return QImage(qs(program_ / "Skins" / name)); }
    // The language file's text; the fallback (or the key) where the file has none.
    QString text(const char* section, const std::string& key,
                 const char* fallback = nullptr) const {
        return QString::fromStdString(
            language_.value(section, key).value_or(fallback ? fallback : key));
    }
    CPngButton* button(Window& w, const std::string& key, const FaceSet& faces) {
        auto* b = new CPngButton(w.dialog.get());
        PlaceImageButton(*b, w.dialog->Layout(), skin::kButtonSection, key, faces);
        w.buttons[key] = b;
        return b;
    }
    static void caption(CPngButton* b, const QString& text, int points = 10) {
        b->setText(text);
        const QColor white(0xf4, 0xf7, 0xfb);
        b->SetTextStyle(true, points, QStringLiteral("DejaVu Sans"),
                        {white, white, white, white, white});
    }
    template <typename Control>
    Control* control(Window& w, const std::string& key) {
        auto* c = new Control(w.dialog.get());
        PlaceControl(*c, w.dialog->Layout(), skin::kButtonSection, key);
        return c;
    }
    ColorStatic* label(Window& w, const std::string& key, const QString& text, int pixels = 12) {
        auto* l = control<ColorStatic>(w, key);
        l->setText(text);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(pixels);
        l->setFont(f);
        l->SetTextColour(QColor(0xb8, 0xbe, 0xca));
        return l;
    }
    QLabel* bitmapLabel(Window& w, const std::string& key, const std::string& file) {
        auto* l = control<QLabel>(w, key);
        l->setPixmap(QPixmap::fromImage(bitmap(file)));
        return l;
    }
    static void hover(CPngButton* b) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(b, &enter);
    }
    void save(Window& w, const QString& name) const;

    fs::path program_;
    QString output_;
    IniDocument language_;
};

void Gallery::save(Window& w, const QString& name) const {
    w.dialog->show();
    QCoreApplication::processEvents();
    QImage shot = w.dialog->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // Outside the window's shape the desktop shows through.
    const QRegion shape = w.dialog->mask();
    if (!shape.isEmpty()) {
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (!shape.contains(QPoint(x, y))) {
                    shot.setPixel(x, y, qRgba(0, 0, 0, 0));
                }
            }
        }
    }
    const QString file = QDir(output_).filePath(name);
    if (!shot.save(file)) {
        std::fprintf(stderr, "skin-gallery: cannot write %s\n", file.toLocal8Bit().constData());
        std::exit(1);
    }
    std::printf("%s\n", file.toLocal8Bit().constData());
}

void Gallery::mainWindow() {
    enum Variant { Normal, Hovered, Pressed, Selected, Lighting };
    const std::pair<Variant, const char*> variants[] = {{Normal, "main-normal.png"},
                                                        {Hovered, "main-hovered.png"},
                                                        {Pressed, "main-pressed.png"},
                                                        {Selected, "main-selected.png"},
                                                        {Lighting, "main-lighting.png"}};
    for (const auto& [variant, file] : variants) {
        Window w = open(skin::kMainSkinFile);
        const QImage n = picture("Skins/main_normal.jpg", w);
        const QImage o = picture("Skins/main_over.jpg", w);
        const QImage d = picture("Skins/main_down.jpg", w);
        const QImage x = picture("Skins/main_disable.jpg", w);
        const FaceSet standard{n, o, d, n, x};

        // The drawn keyboard: every key, G-key, Fn and D1..D6.
        for (const std::string& key : w.dialog->Layout().document().keys(skin::kButtonSection)) {
            if (key.rfind("KEY_", 0) == 0 || key.rfind("FUNC_G", 0) == 0 ||
                key.rfind("FUNC_D", 0) == 0) {
                button(w, key, standard);
            }
        }
        for (const char* key :
             {"FUNC_PROFILES", "FUNC_MACRO", "CONTROL_OK", "CONTROL_CANCEL", "CONTROL_HELP",
              "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU"}) {
            button(w, key, {n, o, d, n, n});
        }
        button(w, "KALMIR_LINK", {n, o, x, n, n});
        button(w, "CONTROL2_APPLY", {n, o, d, x, n});
        for (const char* key : {"LOCK_CAPS", "LOCK_NUM", "LOCK_SCROLL", "LOCK_AB"}) {
            button(w, key, {n, n, n, n, o});
        }
        button(w, "FLIP_0", {n, n, n, n, x});
        for (const char* key :
             {"FLIP_1", "FLIP_2", "FUNC_PROFILE1", "FUNC_PROFILE2", "FUNC_PROFILE3", "FUNC_DEFAULT",
              "FUNC_SWITCH", "FUNC_REPORT1", "FUNC_REPORT2", "FUNC_REPORT3", "FUNC_REPORT4"}) {
            button(w, key, {n, o, d, n, x});
        }
        button(w, "KALMIR_VER", {n, n, n, n, n})->setEnabled(false);
        const QImage arrows = picture(skin::kArrowPicture, w);
        for (const auto side : {skin::ArrowSide::Left, skin::ArrowSide::Right}) {
            auto* arrow = new CPngButton(w.dialog.get());
            PlaceFrameButton(*arrow, w.dialog->Layout(), skin::arrowPositionKey(side),
                             skin::kFrameSection, skin::arrowFrameKey(side, false), arrows);
        }
        caption(w.buttons["FUNC_PROFILE1"], text("TEXT", "PROFILE_1"));
        caption(w.buttons["FUNC_PROFILE2"], text("TEXT", "PROFILE_2"));
        caption(w.buttons["FUNC_PROFILE3"], text("TEXT", "PROFILE_3"));
        caption(w.buttons["FUNC_MACRO"], text("TEXT", "PROFILE_MACRO"));
        caption(w.buttons["FUNC_DEFAULT"], text("TEXT", "PROFILE_DEFAULT"));
        caption(w.buttons["CONTROL_OK"], text("TEXT", "PROFILE_OK"));
        caption(w.buttons["CONTROL_CANCEL"], text("TEXT", "PROFILE_CANCLE"));
        caption(w.buttons["CONTROL2_APPLY"], text("TEXT", "PROFILE_APPLY"), 11);

        // Web buttons: the logo in its own shape, two social buttons.
        auto* logo = control<CPngButton>(w, "CONTROL_Network");
        logo->SetPngFaces(bitmap("logo_normal.png"), bitmap("logo_over.png"),
                          bitmap("logo_down.png"), bitmap("logo_disable.png"));
        logo->SetMask(bitmap("logo_mask.bmp"), 1);
        for (const char* key : {"CONTROL_COMMUNITY", "CONTROL_VIDEO"}) {
            auto* web = control<CPngButton>(w, key);
            const skin::SkinRect r = w.dialog->Layout().rect(key);
            web->SetFaces(r.x, r.y, n, o, d, n, n);
        }

        // Report rate and the lighting group, shown for a column wave (effect 1).
        label(w, "CONTROL_UsbStatic", text("LIGHT", "Usb"));
        auto* title = label(w, "CONTROL_DengStatic", text("LIGHT", "Deng"), 14);
        title->SetTextColour(QColor(0xf4, 0xf7, 0xfb));
        bitmapLabel(w, "CONTROL_DengStaPic", variant == Lighting ? "dengdown.bmp" : "dengup.bmp");
        auto* effects = control<QComboBox>(w, "CONTROL_XGcombox");
        effects->addItem(text("MODE", "1"));
        label(w, "CONTROL_LightStatic", text("LIGHT", "Light"));
        auto* speedCaption = label(w, "CONTROL_SpeedStatic", text("LIGHT", "Speed"));
        auto* brightness = control<CBitmapSlider>(w, "CONTROL_LightSlider");
        brightness->SetBitmap(bitmap("4.bmp"));
        auto* speed = control<CBitmapSlider>(w, "CONTROL_SpeedSlider");
        speed->SetBitmap(bitmap("9.bmp"));
        auto* fx = label(w, "CONTROL_BLFXStatic", text("LIGHT", "FX"));
        auto* left = bitmapLabel(w, "CONTROL_BLFXLStaPic", "leftdown.bmp");
        auto* right = bitmapLabel(w, "CONTROL_BLFXRStaPic", "rightup.bmp");
        for (QWidget* c : std::initializer_list<QWidget*>{fx, left, right}) {
            c->setVisible(variant != Normal && variant != Hovered);
        }
        PlacePositionOnly(*fx, w.dialog->Layout(), skin::kButtonSection, "CONTROL_BLFXStatic2");
        PlacePositionOnly(*left, w.dialog->Layout(), skin::kButtonSection, "CONTROL_BLFXLStaPic2");
        PlacePositionOnly(*right, w.dialog->Layout(), skin::kButtonSection, "CONTROL_BLFXRStaPic2");
        auto* colourCaption = label(w, "CONTROL_HXysStatic", text("LIGHT", "Color"));
        auto* colour = control<CSkinColorBtn>(w, "CONTROL_HXysButton");
        colour->SetColor(QColor(0x22, 0xd3, 0xee));
        auto* multiCaption = label(w, "CONTROL_HXsjsStatic", text("LIGHT", "DC"));
        auto* multi = bitmapLabel(w, "CONTROL_HXsjsStaPic", "sjsdown.bmp");
        if (variant == Normal || variant == Hovered) {
            // The other look of the group: the four swatches of effect 17.
            for (QWidget* c :
                 std::initializer_list<QWidget*>{colourCaption, colour, multiCaption, multi}) {
                c->hide();
            }
            effects->setItemText(0, text("MODE", "17"));
            bitmapLabel(w, "CONTROL_HONGPIC", "hong.bmp");
            bitmapLabel(w, "CONTROL_HUANGPIC", "huangok.bmp");
            bitmapLabel(w, "CONTROL_LVPIC", "lv.bmp");
            bitmapLabel(w, "CONTROL_LANPIC", "lan.bmp");
            speed->hide();
            speedCaption->hide();
        }
        bitmapLabel(w, "CONTROL_JDTStatic", variant == Lighting ? "jdt4.bmp" : "jdt1.bmp")
            ->setVisible(variant == Lighting);

        // States.
        w.buttons["FUNC_PROFILE1"]->SetSelected(true, true);
        w.buttons["FUNC_REPORT4"]->SetSelected(true, true);
        w.buttons["LOCK_NUM"]->SetSelected(true, true);
        w.buttons["CONTROL2_APPLY"]->setEnabled(variant != Normal);
        for (const char* key : {"FUNC_G1", "FUNC_G6"}) {
            w.buttons[key]->SetSelected(true, true);
        }
        for (int layerKey = 1; layerKey <= 6; ++layerKey) {
            w.buttons["FUNC_D" + std::to_string(layerKey)]->setEnabled(false);
        }
        switch (variant) {
        case Hovered:
            hover(w.buttons["KEY_011"]);
            hover(w.buttons["FUNC_G3"]);
            hover(w.buttons["CONTROL2_APPLY"]);
            hover(w.buttons["CONTROL_CLOSE"]);
            break;
        case Pressed:
            w.buttons["KEY_01E"]->setDown(true);
            w.buttons["KEY_039"]->setDown(true);
            w.buttons["FUNC_PROFILE2"]->setDown(true);
            break;
        case Selected:
            for (const char* key :
                 {"KEY_011", "KEY_01E", "KEY_01F", "KEY_020", "KEY_03F", "FUNC_G2", "KEY_0C8"}) {
                w.buttons[key]->SetSelected(true, true);
            }
            break;
        case Lighting: {
            const QColor colours[] = {QColor(0xef, 0x44, 0x44), QColor(0x22, 0xd3, 0xee),
                                      QColor(0xfa, 0xcc, 0x15)};
            int i = 0;
            for (const char* key : {"KEY_011", "KEY_01E", "KEY_01F", "KEY_020", "KEY_001",
                                    "KEY_03B", "KEY_03C", "KEY_03D", "KEY_03E"}) {
                w.buttons[key]->SetColourMark(colours[i++ % 3], 100, true);
            }
            break;
        }
        case Normal:
            break;
        }
        save(w, QString::fromLatin1(file));
    }
}

void Gallery::compositeEditor() {
    for (const bool macroPage : {false, true}) {
        Window w = open(skin::kCompositeSkinFile);
        const auto set = [&](std::size_t index) {
            const auto& files = skin::kCompositePagePictures[index];
            return std::array<QImage, 4>{picture(files[0], w), picture(files[1], w),
                                         picture(files[2], w), picture(files[3], w)};
        };
        const auto key = set(0);
        const auto macro = set(1);
        const auto page = macroPage ? macro : key;
        for (const char* k :
             {"CONTROL_TITLE", "CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION",
              "CONTROL_CLEAR", "CONTROL_OSK", "CONTROL_OK", "CONTROL_CANCEL", "CONTROL2_APPLY"}) {
            button(w, k, {key[0], key[1], key[2], key[3], key[2]});
        }
        button(w, "CONTROL_MASK", {page[0], page[1], page[2], page[3], page[0]})->lower();
        w.buttons[macroPage ? "CONTROL_MACRO" : "CONTROL_KEY"]->SetSelected(true, true);
        hover(w.buttons[macroPage ? "CONTROL_MEDIA" : "CONTROL_OK"]);
        if (macroPage) {
            for (const char* k : {"FUNC_MACRO_ADD", "FUNC_MACRO_DELETE", "FUNC_MACRO_UP_TOP",
                                  "FUNC_MACRO_UP", "FUNC_MACRO_DOWN", "FUNC_MACRO_DOWN_BOTTOM",
                                  "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR", "FUNC_MACRO_RECORD"}) {
                button(w, k, {macro[0], macro[1], macro[2], macro[3], macro[2]});
            }
            hover(w.buttons["FUNC_MACRO_RECORD"]);
            label(w, "MARCO_NAME_SETTING", text("TEXT", "MACRO_NAME_SETTING"));
            control<QComboBox>(w, "FUNC_MACRO_LIST")->addItem(QStringLiteral("Build order"));
            auto* actions = control<QTableWidget>(w, "FUNC_MACRO_LIST2");
            actions->setColumnCount(2);
            actions->setHorizontalHeaderLabels(
                {QStringLiteral("#"), text("TEXT", "MACRO_ACTION", "Action")});
            actions->horizontalHeader()->setStretchLastSection(true);
            actions->verticalHeader()->hide();
            const char* steps[] = {"Ctrl \u2193", "C \u2193", "C \u2191", "Delay 40 ms",
                                   "Ctrl \u2191"};
            actions->setRowCount(5);
            for (int row = 0; row < 5; ++row) {
                actions->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
                actions->setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(steps[row])));
            }
            actions->setColumnWidth(0, 40);
            label(w, "FUNC_MACRO_CYCLES_PROMPT", text("TEXT", "MACRO_CYCLES"), 11);
            control<QLineEdit>(w, "FUNC_MACRO_CYCLES")->setText(QStringLiteral("1"));
            control<QCheckBox>(w, "FUNC_MACRO_RECORD_DELAY")->setChecked(true);
            label(w, "FUNC_MACRO_RECORD_DELAY2", text("TEXT", "RECORD_DELAY"), 11)
                ->setWordWrap(true);
        } else {
            label(w, "KEY_SETTING", text("TEXT", "KEY_SETTING", "Single key"), 14)
                ->SetTextColour(QColor(0xf4, 0xf7, 0xfb));
            label(w, "TISHI_SINGLE_STATIC", text("TEXT", "SINGLE_STATIC"))->setWordWrap(true);
            auto* input = control<QLineEdit>(w, "FUNC_KEY_INPUT");
            input->setText(QStringLiteral("Ctrl + Shift + Esc"));
            input->setAlignment(Qt::AlignCenter);
            input->setStyleSheet(
                QStringLiteral("font-size: 20px; border: none; background: transparent;"));
            control<QCheckBox>(w, "FUNC_KEY_RADIO_KB")->setChecked(true);
            label(w, "FUNC_KEY_RADIO_KB_STATIC", text("TEXT", "IDS_MACRO_KB_KEY"));
            control<QCheckBox>(w, "FUNC_KEY_RADIO_MOU");
            label(w, "FUNC_KEY_RADIO_MOU_STATIC", text("TEXT", "IDS_MACRO_MOU_KEY"));
            auto* mouse = control<QComboBox>(w, "FUNC_KEY_COMBO_MOU");
            mouse->addItem(text("TEXT", "IDS_KEYBOARD_MOU_LEFT"));
            mouse->setEnabled(false);
        }
        save(w, macroPage ? QStringLiteral("composite-macro.png")
                          : QStringLiteral("composite-key.png"));
    }
}

void Gallery::profileManager() {
    Window w = open(skin::kProfileSkinFile);
    const QImage n = picture("Skins/Profile_normal.jpg", w);
    const QImage o = picture("Skins/Profile_over.jpg", w);
    const QImage d = picture("Skins/Profile_down.jpg", w);
    for (const auto& key : skin::kProfileImageButtonKeys) {
        button(w, std::string(key), {n, o, d, d, n});
    }
    hover(w.buttons["FUNC_LOAD"]);
    auto* list = control<QTreeWidget>(w, "PROGRAM_LIST");
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("激活"), QStringLiteral("名称"), QStringLiteral("路径")});
    list->setColumnWidth(0, 60);
    list->setColumnWidth(1, 120);
    const char* rows[][3] = {{"\u2713", "Shooter", "~/Documents/Profiles"},
                             {"", "Office", "~/Documents/Profiles"},
                             {"", "Strategy", "~/Games/Keyweave"}};
    for (const auto& row : rows) {
        list->addTopLevelItem(new QTreeWidgetItem(
            {QString::fromUtf8(row[0]), QString::fromUtf8(row[1]), QString::fromUtf8(row[2])}));
    }
    list->setCurrentItem(list->topLevelItem(1));
    save(w, QStringLiteral("profile.png"));
}

void Gallery::updateDialog() {
    Window w = open(skin::kUpdateSkinFile);
    const QImage n = picture("Skins/update_normal.jpg", w);
    const QImage o = picture("Skins/update_over.jpg", w);
    for (const auto& key : skin::kUpdateImageButtonKeys) {
        button(w, std::string(key), {n, o, o, o, o});
    }
    hover(w.buttons["CONTROL_UPButton"]);
    label(w, "CONTROL_UPStatic", QStringLiteral("~/Downloads/firmware-0105/update"))
        ->SetTextColour(QColor(0xd8, 0xdc, 0xe5));
    control<QComboBox>(w, "CONTROL_UPCombox")->hide();
    save(w, QStringLiteral("update.png"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: skin-gallery <output folder> [program folder]\n");
        return 2;
    }
    ApplySkinTheme(app);
    const fs::path program = argc == 3
                                 ? fs::path(argv[2])
                                 : fs::path(QCoreApplication::applicationDirPath().toStdString());
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    Gallery gallery(program, QString::fromLocal8Bit(argv[1]));
    gallery.mainWindow();
    gallery.compositeEditor();
    gallery.profileManager();
    gallery.updateDialog();
    return 0;
}
