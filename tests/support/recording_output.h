#pragma once

#include "print/print_output.h"
#include "support/recording_sheet.h"

#include <QString>
#include <vector>

// A print output that draws every printout onto a recording instead of a device, keeping the
// document names and the last printout.
class RecordingOutput final : public PrintOutput {
public:
    bool print(QWidget*, const QString& name, const std::function<void(Sheet&)>& draw) override {
        names.push_back(name);
        sheet = RecordingSheet{};
        draw(sheet);
        return true;
    }
    std::vector<QString> names;
    RecordingSheet sheet;
};
