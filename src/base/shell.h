#pragma once

#include <QString>

// What stands in for the platform shell's "open" verb: the default browser or viewer.
class Shell {
public:
    virtual ~Shell() = default;
    // Returns whether the request was accepted.
    virtual bool open(const QString& target) = 0;
};

// The shell the program uses; tests install their own. Null restores the desktop shell.
void SetShell(Shell* shell);
Shell& CurrentShell();

// Hands a file path or web address to the shell. A target that contains "_re" (the reports
// folder) or begins with "http" is used as it is; anything else is taken for a host name.
bool OpenDocument(const QString& target);

// The target as it is handed to the shell.
QString DocumentTarget(const QString& target);
