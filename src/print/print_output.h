#pragma once

#include <QString>
#include <functional>

class QWidget;
class Sheet;

// Where a printout goes. The screens hand over a drawing function; the output decides the
// device. `parent` is the window a preview opens over; an output that shows no window ignores
// it (so this interface needs no widgets). Returns false when the user chose not to print.
class PrintOutput {
public:
    virtual ~PrintOutput() = default;
    virtual bool print(QWidget* parent, const QString& documentName,
                       const std::function<void(Sheet&)>& draw) = 0;
};
