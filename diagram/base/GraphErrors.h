#pragma once

#include <QString>
#include <stdexcept>

// The errors the diagram layer and the symbol library raise. Each carries the
// message the designer sees, in the words of the platform's own run-time
// library where the program always used those.

// A diagram stream that cannot be read or written.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// The stream does not start with the diagram signature.
class EGraphStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// An index outside a list ("List index out of bounds (%d)").
class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
    static EListError OutOfBounds(int index);
};
