#pragma once

#include "print/print_output.h"

#include <QString>

// Prints straight into a PDF file (tests and the command line).
//
// A file is written whole or not at all: the document goes to a temporary file beside the
// target, which replaces the target only once the painter has ended cleanly and every byte is
// on disk. On any failure the temporary file is removed and the target is left as it was.
class PdfFileOutput final : public PrintOutput {
public:
    explicit PdfFileOutput(QString path) : path_(std::move(path)) {}
    bool print(QWidget* parent, const QString& documentName,
               const std::function<void(Sheet&)>& draw) override;
    const QString& path() const { return path_; }
    int printed() const { return printed_; }

    // Writes one document to `path`; used without a window as well. Throws std::runtime_error
    // with a message naming the file when it could not be written.
    static void write(const QString& path, const QString& documentName,
                      const std::function<void(Sheet&)>& draw);

    // Why `path` cannot take a PDF (a folder, a missing or unwritable folder), naming the
    // file; empty when it can. Leaves nothing behind.
    static QString targetProblem(const QString& path);

private:
    QString path_;
    int printed_ = 0;
};
