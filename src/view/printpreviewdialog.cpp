#include "view/printpreviewdialog.h"

#include <QPainter>
#include <QPushButton>

namespace orbelle {

// The sheet: white, with the picture drawn at each paint.
class PreviewPage : public QWidget {
  public:
    PreviewPage(PictureSource picture, QWidget* parent)
        : QWidget(parent), m_picture(std::move(picture)) {
        setObjectName(QStringLiteral("page12005"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QRect square = previewPicture(width());
        if (square.width() <= 0 || !m_picture) {
            return;
        }
        const QImage image = m_picture(square.width());
        if (!image.isNull()) {
            painter.drawImage(square.topLeft(), image);
        }
    }

  private:
    PictureSource m_picture;
};

PrintPreviewDialog::PrintPreviewDialog(PictureSource picture, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("printPreviewDialog"));
    setWindowTitle(tr("印刷 プレビュー"));
    m_page = new PreviewPage(std::move(picture), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->resize(96, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    resize(428, 668);
}

QWidget* PrintPreviewDialog::page() const { return m_page; }

void PrintPreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_page->setGeometry(previewGeometry(width()).page);
    m_page->update();
    if (auto* ok = findChild<QPushButton*>(QStringLiteral("okButton"))) {
        ok->move(width() - 161, height() - 41);
    }
}

} // namespace orbelle
