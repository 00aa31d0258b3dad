#include "view/resolutiondialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace orbelle {

ResolutionDialog::ResolutionDialog(ImageKind kind, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("resolutionDialog"));
    setWindowTitle(kind == ImageKind::Jpeg ? tr("JPEG 画像・解像度") : tr("BITMAP 画像・解像度"));
    setFixedSize(290, 250);

    auto* text = new QLabel(tr("画像の解像度を指定して下さい\n\n画像は正方形になります。"), this);
    text->setGeometry(54, 28, 220, 56);

    auto* label = new QLabel(tr("縦横のピクセル値："), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(10, 94, 132, 26);

    // The spin box takes only digits and refuses a number beyond the largest
    // side of either mode, so its value is always the last number up to that
    // the edit held; whether the chosen mode takes it is told below.
    m_edit = new QSpinBox(this);
    m_edit->setObjectName(QStringLiteral("edit12002"));
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->setRange(kMinSide, kMaxRedrawSide);
    m_edit->setValue(kMaxScaledSide);
    m_edit->setGeometry(150, 94, 90, 26);
    connect(m_edit, &QSpinBox::valueChanged, this, [this](int value) { m_side = value; });
    connect(m_edit, &QSpinBox::textChanged, this, &ResolutionDialog::check);

    m_redraw = new QCheckBox(tr("再描画して保存"), this);
    m_redraw->setObjectName(QStringLiteral("redrawBox"));
    m_redraw->setToolTip(
        tr("図形を指定の大きさで描き直して保存します（%1ピクセルまで）").arg(kMaxRedrawSide));
    m_redraw->setGeometry(54, 130, 220, 24);
    connect(m_redraw, &QCheckBox::toggled, this, &ResolutionDialog::check);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("sideNote"));
    m_note->setWordWrap(true);
    m_note->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_note->setGeometry(20, 156, 260, 34);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    m_ok->setGeometry(56, 207, 75, 26);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(156, 207, 75, 26);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_edit->setFocus();
    m_edit->selectAll();
    check();
}

bool ResolutionDialog::redraw() const { return m_redraw->isChecked(); }

QString ResolutionDialog::problem() const {
    // The text as typed: a number below the range is kept by the edit as
    // text only, and OK must not take the last side in its place.
    bool ok = false;
    const int typed = m_edit->cleanText().toInt(&ok);
    if (!ok || typed < kMinSide) {
        return tr("縦横のピクセル値は%1から%2までです。").arg(kMinSide).arg(kMaxRedrawSide);
    }
    if (!redraw() && typed > kMaxScaledSide) {
        return tr("%1ピクセルを超える大きさは「再描画して保存」で保存できます。")
            .arg(kMaxScaledSide);
    }
    return {};
}

void ResolutionDialog::check() {
    const QString text = problem();
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
    m_ok->setEnabled(text.isEmpty());
}

} // namespace orbelle
