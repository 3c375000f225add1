#include "print/pdf_file_output.h"

#include "print/qt_sheet.h"

#include <QPdfWriter>
#include <stdexcept>

void PdfFileOutput::write(const QString& path, const QString& documentName,
                          const std::function<void(Sheet&)>& draw) {
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setTitle(documentName);
    writer.setCreator(documentName);
    QtSheet sheet(writer);
    draw(sheet);
    sheet.end();
}

bool PdfFileOutput::print(QWidget*, const QString& documentName,
                          const std::function<void(Sheet&)>& draw) {
    write(path_, documentName, draw);
    ++printed_;
    return true;
}
