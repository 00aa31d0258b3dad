#pragma once
// The print preview "印刷 プレビュー": a white sheet of the proportions
// 1 : 1.414 with the square picture 1/24 of its width from its left and top
// edges and 22/24 of its width wide, repainted from the picture source at
// every paint; and an OK button.

#include "view/printing.h"

#include <QDialog>

namespace orbelle {

class PreviewPage;

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintPreviewDialog(PictureSource picture, QWidget* parent = nullptr);

    /// The page control (its geometry is in dialog coordinates).
    QWidget* page() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    PreviewPage* m_page = nullptr;
};

} // namespace orbelle
