#include "panes/transformpane.h"

#include "widgets/panefont.h"
#include "widgets/spinrow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace orbelle {

namespace {

struct RowSpec {
    const char* label; // UTF-8
    int min;
    int max;
    int initial;
    int tickInterval;
};

constexpr std::array<RowSpec, TransformPane::RowCount> kRowSpecs{{
    {"X軸回転", 0, 359, 0, 36},
    {"Y軸回転", 0, 359, 0, 36},
    {"Z軸回転", 0, 359, 0, 36},
    {"Z軸倍率", -999, 999, 100, 200},
    {"拡大", -999, 999, 100, 200},
    {"上下", -100, 100, 0, 20},
    {"左右", -100, 100, 0, 20},
}};

constexpr int kZoomStep = 100;
constexpr int kZoomLimit = 999;
constexpr int kStandardZoom = 100;

} // namespace

TransformPane::TransformPane(QWidget* parent) : SettingsPane(parent) {
    createToolFrame(11900, 20001);
    createRows();

    auto* reset = new QPushButton(QStringLiteral("リセット"), this);
    reset->setObjectName(QStringLiteral("button11240"));
    reset->setGeometry(paneRect(160, 262, 260, 290));
    connect(reset, &QPushButton::clicked, this, &TransformPane::reset3D);
}

void TransformPane::createRows() {
    const QFont font = gothicFont(10);
    for (int j = 0; j < RowCount; ++j) {
        const RowSpec& spec = kRowSpecs[j];
        const int y = 56 + 30 * j;

        auto* label = new QLabel(QString::fromUtf8(spec.label), this);
        label->setObjectName(QStringLiteral("label%1").arg(11230 + j));
        label->setGeometry(paneRect(10, y - 15, 66, y));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(font);

        auto* row = new SpinRow(this);
        row->setIds(11220 + j, 11200 + j, 11210 + j);
        row->edit()->setFont(font);
        row->setWidestText(QStringLiteral("-999")); // one column of equal boxes
        row->place(paneRect(69, y - 16, 96, y), paneRect(96, y - 16, 106, y),
                   paneRect(118, y - 19, 272, y + 1));
        row->setRange(spec.min, spec.max);
        row->setTickInterval(spec.tickInterval);
        row->setValue(spec.initial);
        connect(row, &SpinRow::valueChanged, this, &TransformPane::notifyEdited);
        watchRelease(row->slider());
        m_rows[j] = row;
    }
    connect(m_rows[Zoom], &SpinRow::valueChanged, this, &TransformPane::zoomChanged);
}

QSize TransformPane::sizeHint() const { return QSize(280, 300); }

int TransformPane::value(Row row) const { return m_rows[row]->value(); }

void TransformPane::setValue(Row row, int value) { m_rows[row]->setValue(value); }

int TransformPane::zoomValue() const { return value(Zoom); }

void TransformPane::capture(DrawSettings& settings) const {
    settings.rotZ = value(RotZ);
    settings.rotX = value(RotX);
    settings.rotY = value(RotY);
    settings.scaleZ = value(ScaleZ);
    settings.zoom = value(Zoom);
    settings.shiftV = value(ShiftV);
    settings.shiftH = value(ShiftH);
}

void TransformPane::applyFields(const DrawSettings& settings) {
    setValue(RotZ, settings.rotZ);
    setValue(RotX, settings.rotX);
    setValue(RotY, settings.rotY);
    setValue(ScaleZ, settings.scaleZ);
    setValue(Zoom, settings.zoom);
    setValue(ShiftV, settings.shiftV);
    setValue(ShiftH, settings.shiftH);
}

void TransformPane::reset3D() {
    for (int j = 0; j < RowCount; ++j) {
        m_rows[j]->setValue(kRowSpecs[j].initial);
    }
}

void TransformPane::enlarge() { setValue(Zoom, std::min(zoomValue() + kZoomStep, kZoomLimit)); }

void TransformPane::shrink() { setValue(Zoom, std::max(zoomValue() - kZoomStep, -kZoomLimit)); }

void TransformPane::standardSize() { setValue(Zoom, kStandardZoom); }

} // namespace orbelle
