#include "widgets/spinrow.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

namespace orbelle {

namespace {

/// The value typed text stands for, when it is an optionally signed decimal
/// integer (empty counts as 0) within [min, max].
std::optional<int> valueOfText(const QString& text, int min, int max) {
    if (text.isEmpty()) {
        return (min <= 0 && 0 <= max) ? std::optional<int>(0) : std::nullopt;
    }
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    if (!integer.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok); // fails only on overflow
    if (!ok || value < min || value > max) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

QToolButton* arrowButton(Qt::ArrowType type, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(1, 1);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return button;
}

} // namespace

SliderMapping SliderMapping::identity() {
    return {
        [](int min, int max) {
            return std::pair{min, max};
        },
        [](int value, int, int) { return value; },
        [](int position, int, int) { return position; },
    };
}

SliderMapping SliderMapping::perMille() {
    return {
        [](int, int) {
            return std::pair{0, 1000};
        },
        [](int value, int min, int max) {
            if (max <= min) {
                return 0;
            }
            const long long span = static_cast<long long>(max) - min;
            return static_cast<int>((static_cast<long long>(value) - min) * 1000 / span);
        },
        [](int position, int min, int max) {
            const long long span = static_cast<long long>(max) - min;
            const long long value = min + (static_cast<long long>(position) + 1) * span / 1000;
            return static_cast<int>(std::clamp<long long>(value, min, max));
        },
    };
}

SpinRow::SpinRow(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_arrows(new QWidget(this)),
      m_up(arrowButton(Qt::UpArrow, QStringLiteral("up"), m_arrows)),
      m_down(arrowButton(Qt::DownArrow, QStringLiteral("down"), m_arrows)),
      m_slider(new QSlider(Qt::Horizontal, this)), m_mapping(SliderMapping::identity()) {
    m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edit->setText(QStringLiteral("0"));

    auto* arrowLayout = new QVBoxLayout(m_arrows);
    arrowLayout->setContentsMargins(0, 0, 0, 0);
    arrowLayout->setSpacing(0);
    arrowLayout->addWidget(m_up);
    arrowLayout->addWidget(m_down);

    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setRange(m_min, m_max);

    connect(m_edit, &QLineEdit::textChanged, this, &SpinRow::onTextChanged);
    m_edit->installEventFilter(this);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(m_slider, &QSlider::valueChanged, this, &SpinRow::onSliderMoved);
}

void SpinRow::place(const QRect& edit, const QRect& arrows, const QRect& slider) {
    m_editRect = edit;
    m_arrowsRect = arrows;
    m_sliderRect = slider;
    layOutParts();
}

void SpinRow::layOutParts() {
    if (m_editRect.isNull()) {
        return;
    }
    // Wide enough for the widest value of the range, from the font's metrics
    // and the style's frame and margins.
    const QFontMetrics metrics = m_edit->fontMetrics();
    int widest = metrics.horizontalAdvance(m_widestText);
    for (const int end : {m_min, m_max}) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::number(end)));
    }
    const QMargins margins = m_edit->textMargins();
    const int frame = m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_edit);
    // Two pixels of the line edit's own inner margin on each side, one for
    // the cursor.
    const int needed = widest + 2 * frame + 2 * 2 + margins.left() + margins.right() + 1;
    QRect edit = m_editRect;
    if (edit.width() < needed) {
        edit.setLeft(edit.right() + 1 - needed);
    }
    QRect whole = edit.united(m_arrowsRect);
    if (!m_sliderRect.isNull()) {
        whole = whole.united(m_sliderRect);
    }
    setGeometry(whole);
    const QPoint origin = whole.topLeft();
    m_edit->setGeometry(edit.translated(-origin));
    m_arrows->setGeometry(m_arrowsRect.translated(-origin));
    m_slider->setGeometry(m_sliderRect.translated(-origin));
    m_slider->setVisible(!m_sliderRect.isNull());
}

bool SpinRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        layOutParts();
    }
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        // Up and Down in the edit box work the arrows, as in a spin control.
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                stepBy(key->key() == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinRow::setIds(int editId, int spinId, int sliderId) {
    m_edit->setObjectName(QStringLiteral("edit%1").arg(editId));
    m_arrows->setObjectName(QStringLiteral("spin%1").arg(spinId));
    m_slider->setObjectName(QStringLiteral("slider%1").arg(sliderId));
}

void SpinRow::setMapping(SliderMapping mapping) {
    m_mapping = std::move(mapping);
    syncSlider();
}

void SpinRow::setWidestText(const QString& text) {
    m_widestText = text;
    layOutParts();
}

void SpinRow::setValue(int value) { commit(std::clamp(value, m_min, m_max), true); }

void SpinRow::setRange(int min, int max) {
    if (min > max) {
        std::swap(min, max);
    }
    m_min = min;
    m_max = max;
    commit(std::clamp(m_value, m_min, m_max), true);
    layOutParts();
}

void SpinRow::stepBy(int delta) {
    long long next = static_cast<long long>(m_value) + delta;
    if (next > m_max) {
        next = m_min;
    } else if (next < m_min) {
        next = m_max;
    }
    commit(static_cast<int>(next), true);
}

void SpinRow::setTickInterval(int interval) { m_slider->setTickInterval(interval); }

void SpinRow::setPartsToolTip(const QString& text) {
    m_toolTip = text;
    for (QWidget* part : {static_cast<QWidget*>(m_edit), m_arrows, static_cast<QWidget*>(m_up),
                          static_cast<QWidget*>(m_down), static_cast<QWidget*>(m_slider)}) {
        part->setToolTip(text);
    }
    if (!m_textValid) {
        m_edit->setToolTip(rangeToolTip());
    }
}

void SpinRow::onTextChanged(const QString& text) {
    if (m_syncing) {
        return;
    }
    // Invalid text keeps the last valid value; the edit keeps what was typed.
    const std::optional<int> typed = valueOfText(text, m_min, m_max);
    commit(typed.value_or(m_value), false);
    markText(typed.has_value());
}

void SpinRow::markText(bool valid) {
    if (valid == m_textValid) {
        return;
    }
    m_textValid = valid;
    if (valid) {
        m_edit->setStyleSheet(QString());
        m_edit->setToolTip(m_toolTip);
        return;
    }
    m_edit->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #e00000; }"));
    m_edit->setToolTip(rangeToolTip());
}

QString SpinRow::rangeToolTip() const {
    return QStringLiteral("範囲: %1 \u2013 %2").arg(m_min).arg(m_max);
}

void SpinRow::onSliderMoved(int position) {
    if (m_syncing) {
        return;
    }
    // The slider snaps back to the position of the value it produced.
    commit(std::clamp(m_mapping.fromSlider(position, m_min, m_max), m_min, m_max), true);
}

void SpinRow::commit(int value, bool rewriteText) {
    const bool changed = value != m_value;
    m_value = value;
    m_syncing = true;
    if (rewriteText) {
        const QString text = QString::number(value);
        if (m_edit->text() != text) {
            m_edit->setText(text);
        }
        markText(true);
    }
    m_syncing = false;
    syncSlider();
    if (changed) {
        emit valueChanged(m_value);
    }
}

void SpinRow::syncSlider() {
    m_syncing = true;
    const auto [low, high] = m_mapping.sliderRange(m_min, m_max);
    m_slider->setRange(low, high);
    m_slider->setValue(m_mapping.toSlider(m_value, m_min, m_max));
    m_syncing = false;
}

} // namespace orbelle
