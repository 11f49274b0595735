#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

// A broken promise is a finding: say which one, show the texts involved, and abort so that
// libFuzzer keeps the input.
[[noreturn]] inline void fuzzFail(const char* what, const QString& got = QString(),
                                  const QString& expected = QString()) {
    std::fprintf(stderr, "FINDING: %s\n", what);
    if (!got.isNull() || !expected.isNull())
        std::fprintf(stderr, "  got:      %s\n  expected: %s\n",
                     got.toUtf8().toPercentEncoding(" ,$()").constData(),
                     expected.toUtf8().toPercentEncoding(" ,$()").constData());
    std::abort();
}

inline void fuzzCheck(bool ok, const char* what, const QString& got = QString(),
                      const QString& expected = QString()) {
    if (!ok)
        fuzzFail(what, got, expected);
}
