#pragma once

#include <QString>
#include <stdexcept>

// A database failure with a message the user can read (Japanese, naming what failed).
class DbError final : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};
