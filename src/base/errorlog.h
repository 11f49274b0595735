#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// The rolling error log beside the executable: newest entry first, at most 52 lines.
// Errors 6, 9, 11 and 381 are routine in calculations and table walks and are never written.
void LogError(const QString& number, const QString& description, const QString& location);

class ErrorLog {
public:
    using Notifier = std::function<void(const QString& title, const QString& text)>;
    using Clock = std::function<QDateTime()>;

    static constexpr int kMaxLines = 52;

    // Where the log lives and what each record says about the program. Unset values come
    // from the running executable.
    static void setLogPath(const QString& path);
    static QString logPath();
    static void setProgramFolder(const QString& folder);
    static QString programFolder();
    // Shown when the log itself cannot be written (a message box in the running program).
    static void setNotifier(Notifier notifier);
    static void setClock(Clock clock);
    static void reset();

    // The date and time text used in the log: United States general date.
    static QString dateTimeText(const QDateTime& when);
};
