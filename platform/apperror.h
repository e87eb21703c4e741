#pragma once
// The error that every layer raises: a number and a description, as the
// error traps of the windows report them.
#include <QString>
#include <exception>

class AppError : public std::exception {
public:
    // fromDatabase: the number is one of SQLite's result codes.
    AppError(double number, QString description, bool fromDatabase = false)
        : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8()),
          m_fromDatabase(fromDatabase) {}
    double number() const { return m_number; }
    bool fromDatabase() const { return m_fromDatabase; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    double m_number;
    QString m_description;
    QByteArray m_what;
    bool m_fromDatabase = false;
};

// Error numbers raised by the layers themselves (SQLite's own codes pass through).
namespace ErrNo {
constexpr double NotOpen = 3704;           // operation on a closed connection or record set
constexpr double OpenFailed = -2147467259; // the database could not be opened
constexpr double NoCurrentRow = 3021;      // EOF or BOF
constexpr double NoSuchField = 3265;       // field name not in the record set
constexpr double PrintCancel = 32755;      // Cancel in the print dialog
constexpr double SaveUndone = 3034;        // the engine ended a transaction that failed on the way
} // namespace ErrNo
