#pragma once

#include <QString>

// What the program stores and compares of a typed text loses only the blanks (spaces) at its
// ends. Tabs, non-breaking spaces and line breaks at an edge are part of what was typed.
inline QString TrimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return from == 0 && to == text.size() ? text : text.mid(from, to - from);
}
