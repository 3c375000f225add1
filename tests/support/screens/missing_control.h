#pragma once

#include <QString>
#include <stdexcept>

// A screen test looked for a control the screen does not have (a wrong or renamed objectName,
// or the wrong type). Thrown instead of handing back a null pointer: GoogleTest reports the
// exception, with the name, as the failure of that one test, and the other tests still run.
class MissingControl final : public std::runtime_error {
public:
    MissingControl(const QString& name, const char* type)
        : std::runtime_error("no control \"" + name.toStdString() + "\" of type " + type) {}
};
