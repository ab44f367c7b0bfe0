#pragma once
// Starts the external locator in its folder and waits for it with a time limit, passing its
// console output (standard output and error together) on as it arrives.

#include <QString>
#include <functional>

namespace zel {

inline constexpr int kLoqTimeoutMs = 60000;
inline constexpr int kLoqOutputLimit = 32000;  // bytes of console text shown

struct LoqOutcome {
    bool started = false;
    bool timedOut = false;  // it overran and was killed
    bool crashed = false;   // it died of a signal of its own
    int exitCode = -1;
    QString output;  // at most kLoqOutputLimit bytes
};

// "<folder>LOQ.EXE -O <number> -r zel.loq.conf" with the folder as working directory. A locator
// still running after timeoutMs is killed, so no child outlives the command.
LoqOutcome RunLoq(const QString& folder, int number, int timeoutMs,
                  const std::function<void(const QString&)>& onOutput = {});

// The message for an outcome that is not a normal end; empty for a normal end.
QString LoqProblem(const QString& folder, const LoqOutcome& outcome, int timeoutMs);

}  // namespace zel
