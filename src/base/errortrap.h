#pragma once

#include <QString>
#include <exception>
#include <new>
#include <utility>

// Run-time errors carry the number and description the program has always logged
// (5 invalid procedure call, 6 overflow, 9 subscript out of range, 11 division by zero,
// 13 type mismatch, 53 file not found, 70 permission denied, 75 path/file access error,
// 76 path not found, 481 invalid picture).
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString description);
    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

QString ErrorDescription(int number);

// Throws the error with its standard description (or the one given).
[[noreturn]] void RaiseError(int number, const QString& description = QString());

// Logs an error that was caught: number, description, statement location.
void LogTrappedError(int number, const QString& description, int location);

// While one lives, errors trapped on its thread are not logged. Figures worked out in bulk for
// display (the portfolio table, on worker threads) show "n/a" where a field does not convert; a
// log line per statement and property would bury the user's own errors and rewrite the log file
// thousands of times.
class QuietTraps {
public:
    QuietTraps();
    ~QuietTraps();
    QuietTraps(const QuietTraps&) = delete;
    QuietTraps& operator=(const QuietTraps&) = delete;
};

// The statement trap: runs one statement; on a run-time error logs it with the statement's
// location and lets the caller carry on with the next statement. Returns whether the
// statement completed.
// A location names one statement: each routine numbers its statements within a hundred of its
// own (the calculator 110..1010, the other routines from 2000 up), and the test run fails
// when two statements share a number (scripts/checktraplocations.sh).
template <class Statement> bool Trap(int location, Statement&& statement) noexcept {
    try {
        std::forward<Statement>(statement)();
        return true;
    } catch (const RuntimeError& e) {
        LogTrappedError(e.number(), e.description(), location);
    } catch (const std::bad_alloc&) {
        LogTrappedError(7, ErrorDescription(7), location);
    } catch (const std::exception& e) {
        LogTrappedError(5, QString::fromLocal8Bit(e.what()), location);
    }
    return false;
}

// The same, for a statement whose failure is ignored without logging.
template <class Statement> bool TrapSilently(Statement&& statement) noexcept {
    try {
        std::forward<Statement>(statement)();
        return true;
    } catch (...) {
        return false;
    }
}
