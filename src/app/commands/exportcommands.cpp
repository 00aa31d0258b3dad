#include "app/commands/exportcommands.h"

#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "view/imageexporter.h"
#include "view/mainview.h"
#include "view/printing.h"
#include "view/printpreviewdialog.h"

namespace orbelle {

ExportCommands::ExportCommands(const CommandSet& commands, CommandHost& host, const MainView* view,
                               QObject* parent)
    : QObject(parent), m_host(host), m_view(view) {
    commands.onTriggered(CommandId::ExportBitmap, this, &ExportCommands::exportBitmap);
    commands.onTriggered(CommandId::ExportJpeg, this, &ExportCommands::exportJpeg);
    commands.onTriggered(CommandId::Print, this, &ExportCommands::print);
    commands.onTriggered(CommandId::PrintPreview, this, &ExportCommands::printPreview);
}

void ExportCommands::exportBitmap() {
    ImageExporter(*m_view, m_host.dialogParent()).run(ImageKind::Bitmap);
}

void ExportCommands::exportJpeg() {
    ImageExporter(*m_view, m_host.dialogParent()).run(ImageKind::Jpeg);
}

void ExportCommands::print() {
    const MainView* view = m_view;
    runPrintDialog([view](int side) { return view->exportPicture(side); }, m_host.dialogParent());
}

void ExportCommands::printPreview() {
    const MainView* view = m_view;
    PrintPreviewDialog dialog([view](int side) { return view->exportPicture(side); },
                              m_host.dialogParent());
    dialog.exec();
}

} // namespace orbelle
