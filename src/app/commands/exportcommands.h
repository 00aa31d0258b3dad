#pragma once
// The output commands of the menu "ファイル": saving the picture as a BMP or
// JPEG file (or any format its extension names), printing it on one page and
// the print preview.

#include <QObject>

namespace orbelle {

class CommandHost;
class CommandSet;
class MainView;

class ExportCommands : public QObject {
    Q_OBJECT
  public:
    /// view: the pictures come from it.
    ExportCommands(const CommandSet& commands, CommandHost& host, const MainView* view,
                   QObject* parent);

    void exportBitmap(); // CommandId::ExportBitmap
    void exportJpeg();   // CommandId::ExportJpeg
    void print();        // CommandId::Print
    void printPreview(); // CommandId::PrintPreview

  private:
    CommandHost& m_host;
    const MainView* m_view;
};

} // namespace orbelle
