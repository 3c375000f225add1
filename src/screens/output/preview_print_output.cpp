#include "screens/output/preview_print_output.h"

#include "widgets/qt_sheet.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

bool PreviewPrintOutput::print(QWidget* parent, const QString& documentName,
                               const std::function<void(Sheet&)>& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(documentName);
    preview.resize(1100, 800);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&draw](QPrinter* target) {
                         QtSheet sheet(*target);
                         draw(sheet);
                         sheet.end();
                     });
    return preview.exec() == QDialog::Accepted;
}
