#pragma once

#include "print/print_output.h"

#include <QString>

// Prints straight into a PDF file (tests and the command line).
class PdfFileOutput final : public PrintOutput {
public:
    explicit PdfFileOutput(QString path) : path_(std::move(path)) {}
    bool print(QWidget* parent, const QString& documentName,
               const std::function<void(Sheet&)>& draw) override;
    const QString& path() const { return path_; }
    int printed() const { return printed_; }

    // Writes one document to `path`; used without a window as well.
    static void write(const QString& path, const QString& documentName,
                      const std::function<void(Sheet&)>& draw);

private:
    QString path_;
    int printed_ = 0;
};
