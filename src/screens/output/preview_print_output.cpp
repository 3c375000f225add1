#include "screens/output/preview_print_output.h"

#include "print/qt_sheet.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <stdexcept>
#include <string>

bool PreviewPrintOutput::print(QWidget* parent, const QString& documentName,
                               const std::function<void(Sheet&)>& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(documentName);
    preview.resize(1100, 800);
    // A failure inside Qt's paint request must not unwind through Qt; it is reported once the
    // preview has closed.
    std::string failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&draw, &failure](QPrinter* target) {
                         try {
                             // Millimetres count from the paper's corner, not the margins.
                             target->setFullPage(true);
                             QtSheet sheet(*target);
                             draw(sheet);
                             sheet.end();
                         } catch (const std::exception& e) {
                             failure = e.what();
                         }
                     });
    const bool accepted = preview.exec() == QDialog::Accepted;
    if (!failure.empty())
        throw std::runtime_error(failure);
    return accepted;
}
