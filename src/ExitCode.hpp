#pragma once

namespace Orvane::ExitCode {

// The process exit codes; installers rely on them.
constexpr int Success = 0;
constexpr int Failure = 10;
constexpr int ApplicationBusy = 11;
constexpr int InvalidOptions = 13;
constexpr int EntryCountLimit = 20;
constexpr int NotClosed = 21; // the running instance kept the lock, or the entry duplicates one
constexpr int InvalidEntry = 22;
constexpr int SaveFailure = 30;
constexpr int ExitFailure = 100; // the mode succeeded but the process could not end cleanly

} // namespace Orvane::ExitCode
