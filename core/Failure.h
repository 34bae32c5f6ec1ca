#pragma once

#include <QString>

#include <exception>
#include <utility>

// A failure of the engine or of the file system: the engine's extended result code or the
// system's error number, and its text. Carried to the error trap of the procedure it ends.
struct Failure : std::exception {
    Failure(qint64 number, QString description)
        : number(number), description(std::move(description)) {}
    const char* what() const noexcept override { return "Ketterby failure"; }

    qint64 number;
    QString description;
};
