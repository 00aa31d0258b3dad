#include "view/resolutiondialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace orbelle {

ResolutionDialog::ResolutionDialog(ImageKind kind, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("resolutionDialog"));
    setWindowTitle(kind == ImageKind::Jpeg ? tr("JPEG 画像・解像度") : tr("BITMAP 画像・解像度"));
    setFixedSize(290, 215);

    auto* text = new QLabel(tr("画像の解像度を指定して下さい\n\n画像は正方形になります。"), this);
    text->setGeometry(54, 28, 220, 56);

    auto* label = new QLabel(tr("縦横のピクセル値："), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(10, 94, 132, 26);

    // The spin box takes only digits and refuses a number beyond its range,
    // so its value is always the last in-range number the edit held.
    m_edit = new QSpinBox(this);
    m_edit->setObjectName(QStringLiteral("edit12002"));
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->setRange(kMinSide, kMaxScaledSide);
    m_edit->setValue(kMaxScaledSide);
    m_edit->setGeometry(150, 94, 90, 26);
    connect(m_edit, &QSpinBox::valueChanged, this, [this](int value) { m_side = value; });

    m_redraw = new QCheckBox(tr("再描画して保存"), this);
    m_redraw->setObjectName(QStringLiteral("redrawBox"));
    m_redraw->setToolTip(
        tr("図形を指定の大きさで描き直して保存します（%1ピクセルまで）").arg(kMaxRedrawSide));
    m_redraw->setGeometry(54, 130, 220, 24);
    connect(m_redraw, &QCheckBox::toggled, this, &ResolutionDialog::redrawToggled);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(56, 172, 75, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(156, 172, 75, 26);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_edit->setFocus();
    m_edit->selectAll();
}

bool ResolutionDialog::redraw() const { return m_redraw->isChecked(); }

void ResolutionDialog::redrawToggled(bool on) {
    // Leaving the re-draw mode brings a larger side back into the range.
    m_edit->setMaximum(on ? kMaxRedrawSide : kMaxScaledSide);
    m_side = m_edit->value();
}

} // namespace orbelle
