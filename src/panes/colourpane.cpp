#include "panes/colourpane.h"

#include "engine/settingsranges.h"
#include "panes/coloureditordialog.h"
#include "panes/panepictures.h"
#include "widgets/colourswatch.h"
#include "widgets/gradientpreview.h"
#include "widgets/groupframe.h"
#include "widgets/optionbutton.h"
#include "widgets/panefont.h"
#include "widgets/spinrow.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace orbelle {

namespace {

QString idName(const char* kind, int id) {
    return QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(id);
}

} // namespace

ColourPane::ColourPane(const QString& appDataDir, QWidget* parent)
    : SettingsPane(parent), m_appDataDir(appDataDir) {
    m_selectedImage = QPixmap::fromImage(loadDataPicture(appDataDir, kOptionOnImageFile));
    m_unselectedImage = QPixmap::fromImage(loadDataPicture(appDataDir, kOptionOffImageFile));

    m_chooser = [this]() -> std::optional<std::int32_t> {
        ColourEditorDialog dialog(m_appDataDir, this);
        if (dialog.exec() == QDialog::Accepted) {
            return dialog.colour();
        }
        return std::nullopt;
    };

    buildControls();
    showModes();
    updateSwatches();
    updatePreview();
}

void ColourPane::buildControls() {
    const QFont labelFont = gothicFont(10);
    const QFont optionFont = gothicFont(9);

    const auto label = [this](int id, const char* text, const QRect& rect, const QFont& font,
                              Qt::Alignment alignment) {
        auto* widget = new QLabel(QString::fromUtf8(text), this);
        widget->setObjectName(idName("label", id));
        widget->setFont(font);
        widget->setAlignment(alignment);
        widget->setGeometry(rect);
        // Clicks on an option's label reach the option picture beneath it.
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        return widget;
    };
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

    const auto swatch = [this](int id, const QRect& rect) {
        auto* widget = new ColourSwatch(this);
        widget->setObjectName(idName("swatch", id));
        widget->setGeometry(rect);
        return widget;
    };
    const auto frame = [this](int id, const QRect& rect) {
        auto* widget = new GroupFrame(this);
        widget->setObjectName(idName("frame", id));
        widget->setGeometry(rect);
    };
    const auto option = [this](int id, const QRect& rect) {
        auto* widget = new OptionButton(m_selectedImage, m_unselectedImage, this);
        widget->setObjectName(idName("option", id));
        widget->setGeometry(rect);
        return widget;
    };
    const auto checkBox = [this](int id, const QRect& rect) {
        auto* widget = new QCheckBox(this);
        widget->setObjectName(idName("check", id));
        widget->setGeometry(rect);
        widget->setChecked(true);
        connect(widget, &QCheckBox::toggled, this, &ColourPane::updatePreview);
        connect(widget, &QCheckBox::toggled, this, &ColourPane::notifyEdited);
        return widget;
    };

    // Pen width.
    label(11010, "ペン幅", paneRect(6, 12, 54, 28), labelFont, centred);
    m_penRow = new SpinRow(this);
    m_penRow->setIds(11011, 11012, 11013);
    m_penRow->setRange(1, 100);
    m_penRow->setValue(1);
    m_penRow->setTickInterval(10);
    m_penRow->place(paneRect(60, 12, 82, 26), paneRect(82, 12, 104, 26), paneRect(104, 9, 270, 29));
    m_penRow->edit()->setFont(labelFont);
    connect(m_penRow, &SpinRow::valueChanged, this, &ColourPane::notifyEdited);
    watchRelease(m_penRow->slider());

    // Drawing colour.
    label(11014, "描画色", paneRect(6, 45, 54, 60), labelFont, centred);
    m_drawSwatch = swatch(11015, paneRect(54, 40, 92, 65));
    frame(11016, paneRect(97, 33, 274, 63));
    // Five options in one row: each picture followed by its label.
    m_drawOptions[0] = option(11020, paneRect(100, 43, 114, 62));
    label(11030, "黒", paneRect(114, 46, 127, 67), optionFont, left);
    m_drawOptions[1] = option(11021, paneRect(127, 43, 141, 62));
    label(11031, "白", paneRect(141, 46, 154, 67), optionFont, left);
    m_drawOptions[2] = option(11022, paneRect(154, 43, 168, 62));
    label(11032, "色", paneRect(168, 46, 181, 67), optionFont, left);
    m_drawOptions[3] = option(11023, paneRect(181, 43, 195, 62));
    label(11033, "グラデ", paneRect(195, 46, 232, 67), optionFont, left);
    m_drawOptions[4] = option(11027, paneRect(232, 43, 246, 62));
    label(11039, "密度", paneRect(246, 46, 272, 67), optionFont, left);

    // Background colour.
    label(11034, "背景色", paneRect(6, 80, 54, 95), labelFont, centred);
    m_backSwatch = swatch(11035, paneRect(54, 75, 92, 100));
    frame(11040, paneRect(97, 68, 274, 98));
    // In the columns of the drawing colour's first three options.
    m_backOptions[0] = option(11024, paneRect(100, 78, 114, 97));
    label(11036, "黒", paneRect(114, 81, 127, 102), optionFont, left);
    m_backOptions[1] = option(11025, paneRect(127, 78, 141, 97));
    label(11037, "白", paneRect(141, 81, 154, 102), optionFont, left);
    m_backOptions[2] = option(11026, paneRect(154, 78, 168, 97));
    label(11038, "色", paneRect(168, 81, 181, 102), optionFont, left);

    for (int k = 0; k < kDrawColourModeCount; ++k) {
        connect(m_drawOptions[k], &OptionButton::clicked, this,
                [this, k] { setDrawColourMode(static_cast<DrawColourMode>(k), false); });
    }
    for (int k = 0; k < kBackColourModeCount; ++k) {
        connect(m_backOptions[k], &OptionButton::clicked, this,
                [this, k] { setBackColourMode(static_cast<BackColourMode>(k), false); });
    }

    // Gradient: smooth box, repeat count, preview, colours and stop boxes.
    label(11041, "グラデーション", paneRect(6, 112, 106, 128), labelFont, centred);
    m_smoothBox = checkBox(11043, paneRect(108, 112, 122, 128));
    label(11042, "リピート", paneRect(150, 112, 210, 128), labelFont, centred);
    m_repeatRow = new SpinRow(this);
    m_repeatRow->setIds(11044, 11045, 11045);
    m_repeatRow->setRange(1, 30);
    m_repeatRow->setValue(1);
    m_repeatRow->place(paneRect(210, 111, 231, 127), paneRect(231, 111, 245, 127), QRect());
    m_repeatRow->edit()->setFont(labelFont);
    connect(m_repeatRow, &SpinRow::valueChanged, this, &ColourPane::notifyEdited);

    m_preview = new GradientPreview(this);
    m_preview->setObjectName(idName("preview", 11046));
    m_preview->setGeometry(paneRect(30, 130, 260, 160));

    for (int k = 0; k < 7; ++k) {
        m_gradientSwatches[k] = swatch(11050 + k, paneRect(18 + 38 * k, 180, 42 + 38 * k, 208));
        connect(m_gradientSwatches[k], &ColourSwatch::clicked, this,
                [this, k] { chooseGradientColour(k); });
    }
    for (int k = 0; k < 5; ++k) {
        m_stopBoxes[k] = checkBox(11060 + k, paneRect(61 + 38 * k, 162, 75 + 38 * k, 177));
    }

    auto* reset = new QPushButton(QStringLiteral("デフォルト"), this);
    reset->setObjectName(idName("button", 11070));
    reset->setGeometry(paneRect(160, 222, 260, 250));
    connect(reset, &QPushButton::clicked, this, &ColourPane::resetColourStroke);
}

void ColourPane::capture(DrawSettings& settings) const {
    settings.penWidth = penWidth();
    settings.setDrawColourMode(m_drawColourMode);
    settings.setBackColourMode(m_backColourMode);
    settings.gradientSmooth = gradientSmooth() ? 1 : 0;
    settings.gradientRepeat = gradientRepeat();
    for (int k = 0; k < 5; ++k) {
        settings.gradientStopOn[k] = gradientStopOn(k) ? 1 : 0;
    }
    settings.gradientColors = m_gradientColors;
}

void ColourPane::applyFields(const DrawSettings& settings) {
    setPenWidth(settings.penWidth);
    // A stored mode outside its range (a damaged record) leaves the pane's
    // mode as it is.
    if (const auto mode = drawColourModeFromStored(settings.drawColorMode)) {
        setDrawColourMode(*mode, true);
    }
    setCustomDrawColor(settings.drawColor);
    if (const auto mode = backColourModeFromStored(settings.backColorMode)) {
        setBackColourMode(*mode, true);
    }
    setCustomBackColor(settings.backColor);
    setGradientSmooth(settings.gradientSmooth != 0);
    setGradientRepeat(settings.gradientRepeat);
    for (int k = 0; k < 5; ++k) {
        setGradientStopOn(k, settings.gradientStopOn[k] != 0);
    }
    setGradientColors(settings.gradientColors);
}

std::int32_t ColourPane::customDrawColor() const { return m_customDrawColor; }
std::int32_t ColourPane::customBackColor() const { return m_customBackColor; }

void ColourPane::setDrawColourMode(DrawColourMode mode, bool silent) {
    const auto shownBefore = plainDrawingColour(m_drawColourMode, m_customDrawColor);
    const DrawColourMode modeBefore = m_drawColourMode;
    if (mode == DrawColourMode::Custom && !silent) {
        const std::optional<std::int32_t> colour = m_chooser ? m_chooser() : std::nullopt;
        if (!colour) {
            return;
        }
        m_customDrawColor = *colour;
    }
    m_drawColourMode = mode;
    showModes();
    updateSwatches();
    if (mode != modeBefore || plainDrawingColour(mode, m_customDrawColor) != shownBefore) {
        notifyEdited();
    }
}

void ColourPane::setBackColourMode(BackColourMode mode, bool silent) {
    const std::int32_t shownBefore = backgroundColour(m_backColourMode, m_customBackColor);
    const BackColourMode modeBefore = m_backColourMode;
    if (mode == BackColourMode::Custom && !silent) {
        const std::optional<std::int32_t> colour = m_chooser ? m_chooser() : std::nullopt;
        if (!colour) {
            return;
        }
        m_customBackColor = *colour;
    }
    m_backColourMode = mode;
    showModes();
    updateSwatches();
    if (mode != modeBefore || backgroundColour(mode, m_customBackColor) != shownBefore) {
        notifyEdited();
    }
}

void ColourPane::resetColourStroke() {
    const bool modesChange =
        m_drawColourMode != DrawColourMode::Black || m_backColourMode != BackColourMode::White;
    setPenWidth(1);
    m_drawColourMode = DrawColourMode::Black;
    m_backColourMode = BackColourMode::White;
    showModes();
    setGradientSmooth(true);
    setGradientRepeat(1);
    for (int k = 0; k < 5; ++k) {
        setGradientStopOn(k, true);
    }
    setGradientColors(kDefaultGradientColors);
    if (modesChange) {
        notifyEdited();
    }
}

int ColourPane::penWidth() const { return m_penRow->value(); }
void ColourPane::setPenWidth(int width) { m_penRow->setValue(width); }

void ColourPane::setCustomDrawColor(std::int32_t colour) {
    const std::int32_t before = m_customDrawColor;
    m_customDrawColor = normalColour(colour);
    updateSwatches();
    if (m_drawColourMode == DrawColourMode::Custom && m_customDrawColor != before) {
        notifyEdited();
    }
}

void ColourPane::setCustomBackColor(std::int32_t colour) {
    const std::int32_t before = m_customBackColor;
    m_customBackColor = normalColour(colour);
    updateSwatches();
    if (m_backColourMode == BackColourMode::Custom && m_customBackColor != before) {
        notifyEdited();
    }
}

bool ColourPane::gradientSmooth() const { return m_smoothBox->isChecked(); }
void ColourPane::setGradientSmooth(bool smooth) { m_smoothBox->setChecked(smooth); }

int ColourPane::gradientRepeat() const { return m_repeatRow->value(); }
void ColourPane::setGradientRepeat(int repeat) { m_repeatRow->setValue(repeat); }

bool ColourPane::gradientStopOn(int k) const { return m_stopBoxes.at(k)->isChecked(); }
void ColourPane::setGradientStopOn(int k, bool on) { m_stopBoxes.at(k)->setChecked(on); }

void ColourPane::setGradientColors(const std::array<std::int32_t, 7>& colours) {
    // Colours are 24-bit; a stored high byte never reaches the ramps.
    const std::array<std::int32_t, 7> before = m_gradientColors;
    for (int k = 0; k < 7; ++k) {
        m_gradientColors[k] = normalColour(colours[k]);
    }
    updateSwatches();
    updatePreview();
    if (m_gradientColors != before) {
        notifyEdited();
    }
}

GradientInputs ColourPane::gradientInputs() const {
    GradientInputs inputs;
    inputs.colours = m_gradientColors;
    for (int k = 0; k < 5; ++k) {
        inputs.stopOn[k] = gradientStopOn(k);
    }
    return inputs;
}

ColourRamp ColourPane::activeRamp() const {
    return gradientSmooth() ? buildSmoothRamp(gradientInputs())
                            : buildSteppedRamp(gradientInputs());
}

void ColourPane::setColourChooser(ColourChooser chooser) { m_chooser = std::move(chooser); }

QSize ColourPane::sizeHint() const { return QSize(280, 260); }

void ColourPane::showModes() {
    for (int k = 0; k < kDrawColourModeCount; ++k) {
        m_drawOptions[k]->setSelected(k == toStored(m_drawColourMode));
    }
    for (int k = 0; k < kBackColourModeCount; ++k) {
        m_backOptions[k]->setSelected(k == toStored(m_backColourMode));
    }
}

void ColourPane::updateSwatches() {
    m_drawSwatch->setColour(plainDrawingColour(m_drawColourMode, m_customDrawColor));
    m_backSwatch->setColour(backgroundColour(m_backColourMode, m_customBackColor));
    for (int k = 0; k < 7; ++k) {
        m_gradientSwatches[k]->setColour(m_gradientColors[k]);
    }
}

void ColourPane::updatePreview() {
    if (m_preview != nullptr) {
        m_preview->setRamp(activeRamp());
    }
}

void ColourPane::chooseGradientColour(int k) {
    const std::optional<std::int32_t> colour = m_chooser ? m_chooser() : std::nullopt;
    if (colour && *colour != m_gradientColors[k]) {
        m_gradientColors[k] = *colour;
        updateSwatches();
        updatePreview();
        notifyEdited();
    }
}

} // namespace orbelle
