#pragma once

#include "print/print_output.h"

// Qt's print preview: the user looks at the pages and prints them to the system printer or a
// PDF file through the print dialog, or closes the preview and nothing is printed.
class PreviewPrintOutput final : public PrintOutput {
public:
    bool print(QWidget* parent, const QString& documentName,
               const std::function<void(Sheet&)>& draw) override;
};
