#include "panes/coloureditordialog.h"

#include "engine/colour.h"
#include "engine/drawsettings.h"
#include "panes/panepictures.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace orbelle {

namespace {

QRgb toRgb(std::int32_t colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

/// Converts dialog units to pixels from the font's average character width
/// and height, the way dialog templates are laid out: four horizontal units
/// per average character, eight vertical units per line.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const int alphabet = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        m_charWidth = (alphabet / 26 + 1) / 2;
        m_lineHeight = metrics.height();
    }
    int x(int units) const { return static_cast<int>(std::lround(units * m_charWidth / 4.0)); }
    int y(int units) const { return static_cast<int>(std::lround(units * m_lineHeight / 8.0)); }
    QRect rect(int left, int top, int width, int height) const {
        return QRect(QPoint(x(left), y(top)), QPoint(x(left + width) - 1, y(top + height) - 1));
    }

  private:
    int m_charWidth = 6;
    int m_lineHeight = 13;
};

/// A spin box whose text takes decimal digits only (no sign).
class DigitSpinBox : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QValidator::State validate(QString& text, int& pos) const override {
        for (const QChar c : text) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return QValidator::Invalid;
            }
        }
        return QSpinBox::validate(text, pos);
    }
};

/// A rectangle with white top and left edges and black bottom and right edges.
void drawRaisedRect(QPainter& painter, const QRect& r) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), Qt::white);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), Qt::white);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), Qt::black);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), Qt::black);
}

/// A thin grey line just outside a rectangle, leaving the rectangle itself
/// to what is painted inside it.
void outline(QPainter& painter, const QRect& r) {
    painter.save();
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(-1, -1, 0, 0));
    painter.restore();
}

} // namespace

ColourEditorDialog::ColourEditorDialog(const QString& appDataDir, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("色の編集"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_marker = loadDataPicture(appDataDir, kHueMarkerImageFile);

    const char* const labels[] = {
        "色合い(H):", "鮮やかさ(S):", "明るさ(V):", "赤(R):", "緑(G):", "青(B):"};
    const int maxima[] = {360, 255, 255, 255, 255, 255};
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_labels[i] = new QLabel(QString::fromUtf8(labels[i]), this);
        m_labels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new DigitSpinBox(this);
        box->setObjectName(QStringLiteral("spin%1").arg(11100 + static_cast<int>(i)));
        box->setRange(0, maxima[i]);
        box->setWrapping(false);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_boxes[i] = box;
    }
    m_hueBox = m_boxes[0];
    m_saturationBox = m_boxes[1];
    m_valueBox = m_boxes[2];
    m_redBox = m_boxes[3];
    m_greenBox = m_boxes[4];
    m_blueBox = m_boxes[5];

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    layOut();

    // Opens on pure red: H 0, S 255, V 255, R 255, G 0, B 0.
    m_hueBox->setValue(0);
    m_saturationBox->setValue(255);
    m_valueBox->setValue(255);
    m_redBox->setValue(255);
    m_greenBox->setValue(0);
    m_blueBox->setValue(0);
    applyHsv();

    for (QSpinBox* box : {m_hueBox, m_saturationBox, m_valueBox}) {
        connect(box, &QSpinBox::valueChanged, this, &ColourEditorDialog::applyHsv);
    }
    for (QSpinBox* box : {m_redBox, m_greenBox, m_blueBox}) {
        connect(box, &QSpinBox::valueChanged, this, &ColourEditorDialog::applyRgb);
        // Once the person leaves the box or presses Enter, the red, green and
        // blue boxes show the colour that H, S and V make.
        connect(box, &QSpinBox::editingFinished, this, [this] {
            if (!m_updating) {
                applyHsv();
            }
        });
    }
}

ColourEditorDialog::~ColourEditorDialog() {
    // QDialog's destructor hides the dialog, which takes the focus from a box
    // and makes it report editingFinished; by then this part of the dialog is
    // gone, so the boxes stop calling into it first.
    for (QSpinBox* box : m_boxes) {
        box->disconnect(this);
    }
}

int ColourEditorDialog::hue() const { return m_hueBox->value(); }
int ColourEditorDialog::saturation() const { return m_saturationBox->value(); }
int ColourEditorDialog::value() const { return m_valueBox->value(); }
int ColourEditorDialog::red() const { return m_redBox->value(); }
int ColourEditorDialog::green() const { return m_greenBox->value(); }
int ColourEditorDialog::blue() const { return m_blueBox->value(); }

void ColourEditorDialog::layOut() {
    const DialogUnits du(font());
    setFixedSize(du.x(335), du.y(206));

    m_previewRect = du.rect(17, 20, 87, 37);
    m_fieldRect = du.rect(118, 20, 151, 136);
    m_hueBarRect = du.rect(281, 20, 25, 135);

    const int rowTops[] = {66, 81, 96, 111, 126, 141};
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        // The edit box and its arrows form one spin box from the edit's left
        // edge to the arrows' right edge; the label ends where the box begins.
        m_labels[i]->setGeometry(du.rect(2, rowTops[i] - 2, 64, 12));
        m_boxes[i]->setGeometry(du.rect(69, rowTops[i] - 1, 43, 14));
    }
    m_okButton->setGeometry(du.rect(46, 174, 99, 17));
    m_cancelButton->setGeometry(du.rect(186, 174, 99, 17));
    m_cursor = cursorFor(saturation(), value());
    update();
}

QPoint ColourEditorDialog::cursorFor(int saturation, int value) const {
    const int w = m_fieldRect.width();
    const int h = m_fieldRect.height();
    return QPoint((w * saturation) / 255, h - (h * value) / 255);
}

void ColourEditorDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        layOut();
    }
}

void ColourEditorDialog::applyHsv() {
    m_updating = true;
    const std::int32_t rgb = hsvToRgb(hue(), saturation(), value());
    m_cursor = cursorFor(saturation(), value());
    m_redBox->setValue(rgb & 0xFF);
    m_greenBox->setValue((rgb >> 8) & 0xFF);
    m_blueBox->setValue((rgb >> 16) & 0xFF);
    m_colour = rgb;
    update();
    m_updating = false;
}

void ColourEditorDialog::applyRgb() {
    if (m_updating) {
        return;
    }
    const Hsv hsv = rgbToHsv(red(), green(), blue());
    if (m_redBox->hasFocus() || m_greenBox->hasFocus() || m_blueBox->hasFocus()) {
        // The person is typing into one of these boxes: rewriting it would
        // turn 1, 2, 8 into something else at every keystroke. H, S and V,
        // the field and the bar follow the values as typed; the preview shows
        // exactly the typed colour until editing finishes.
        const QSignalBlocker blockHue(m_hueBox);
        const QSignalBlocker blockSaturation(m_saturationBox);
        const QSignalBlocker blockValue(m_valueBox);
        m_hueBox->setValue(hsv.h);
        m_saturationBox->setValue(hsv.s);
        m_valueBox->setValue(hsv.v);
        m_cursor = cursorFor(saturation(), value());
        m_colour = packRgb(red(), green(), blue());
        update();
        return;
    }
    m_hueBox->setValue(hsv.h);
    m_saturationBox->setValue(hsv.s);
    m_valueBox->setValue(hsv.v);
    // When H, S and V were already these, none of the boxes above ran
    // applyHsv; run it so that R, G, B and the colour agree all the same.
    applyHsv();
}

QRect ColourEditorDialog::hueColumn() const {
    return QRect(QPoint(m_hueBarRect.left(), 0),
                 QPoint(width() - 1, m_okButton->geometry().top() - 1));
}

void ColourEditorDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (hueColumn().contains(pos)) {
        // Row i of the bar shows hue i * 360 / n; above the bar the result is
        // negative and below it beyond 360, and the box clamps both.
        const int row = pos.y() - m_hueBarRect.top();
        m_hueBox->setValue((row * 360) / m_hueBarRect.height());
    } else if (m_fieldRect.contains(pos)) {
        // The inverse of the field's painting, so the click takes the colour
        // of the pixel under the pointer.
        const int column = pos.x() - m_fieldRect.left();
        const int row = pos.y() - m_fieldRect.top();
        const int w = m_fieldRect.width();
        const int h = m_fieldRect.height();
        m_saturationBox->setValue((column * 255) / w);
        m_valueBox->setValue(((h - 1 - row) * 255) / h);
    }
    event->accept();
}

void ColourEditorDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintHueBar(painter);
    paintField(painter);
    painter.fillRect(m_previewRect, QColor(toRgb(m_colour)));
    painter.setPen(Qt::black);
    painter.drawRect(m_previewRect.adjusted(0, 0, -1, -1));
    paintMarker(painter);
}

void ColourEditorDialog::paintHueBar(QPainter& painter) {
    const QSize size = m_hueBarRect.size();
    if (m_hueBarImage.size() != size) {
        m_hueBarImage = QImage(size, QImage::Format_RGB32);
        const int n = size.height();
        for (int i = 0; i < n; ++i) {
            const QRgb rgb = toRgb(hsvToRgb((i * 360) / n, 255, 255));
            auto* line = reinterpret_cast<QRgb*>(m_hueBarImage.scanLine(i));
            std::fill(line, line + size.width(), rgb);
        }
    }
    painter.drawImage(m_hueBarRect.topLeft(), m_hueBarImage);
    outline(painter, m_hueBarRect);
}

void ColourEditorDialog::paintField(QPainter& painter) {
    const QSize size = m_fieldRect.size();
    const int h = hue();
    if (m_fieldImage.size() != size || m_fieldImageHue != h) {
        m_fieldImage = QImage(size, QImage::Format_RGB32);
        const int w = size.width();
        const int rows = size.height();
        for (int y = 0; y < rows; ++y) {
            const int v = ((rows - 1 - y) * 255) / rows;
            auto* line = reinterpret_cast<QRgb*>(m_fieldImage.scanLine(y));
            for (int j = 0; j < w; ++j) {
                line[j] = toRgb(hsvToRgb(h, (j * 255) / w, v));
            }
        }
        m_fieldImageHue = h;
    }
    painter.drawImage(m_fieldRect.topLeft(), m_fieldImage);
    outline(painter, m_fieldRect);

    // The cross-hair: four raised bars around the cursor, its centre free.
    painter.save();
    painter.setClipRect(m_fieldRect);
    const QPoint c = m_fieldRect.topLeft() + m_cursor;
    drawRaisedRect(painter, QRect(c.x() - 2, c.y() - 13, 4, 8));
    drawRaisedRect(painter, QRect(c.x() - 2, c.y() + 5, 4, 8));
    drawRaisedRect(painter, QRect(c.x() - 13, c.y() - 2, 8, 4));
    drawRaisedRect(painter, QRect(c.x() + 5, c.y() - 2, 8, 4));
    painter.restore();
}

void ColourEditorDialog::paintMarker(QPainter& painter) {
    if (m_marker.isNull()) {
        return;
    }
    // The marker sits right of the bar, its middle on the bar's row for H.
    const int row = (hue() * m_hueBarRect.height()) / 360;
    const QRect column(QPoint(m_hueBarRect.right() + 1, 0), QPoint(width() - 1, height() - 1));
    painter.save();
    painter.setClipRect(column);
    painter.drawImage(QPoint(column.left(), m_hueBarRect.top() + row - m_marker.height() / 2),
                      m_marker);
    painter.restore();
}

} // namespace orbelle
