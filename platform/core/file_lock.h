#pragma once
// An advisory lock on a file or folder that lasts as long as the object, held by the system for
// the process: it goes when the process ends, normally or by a crash, so it never goes stale.
#include <filesystem>
#include <string>

namespace platform {

class ExclusiveLock {
 public:
  enum class State {
    kHeld,           // this object holds the lock
    kHeldElsewhere,  // another holder (another process, or another open of it) has it
    kUnavailable,    // the path cannot be opened or locked at all
  };

  // Tries once, without waiting. A folder can be locked as well as a file, read-only or not.
  explicit ExclusiveLock(const std::filesystem::path& path);
  ~ExclusiveLock();
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

  State state() const { return state_; }
  bool held() const { return state_ == State::kHeld; }
  // Why the lock is unavailable, as the system words it ("Permission denied"); empty otherwise.
  const std::string& error() const { return error_; }

 private:
  int fd_ = -1;
  State state_ = State::kUnavailable;
  std::string error_;
};

}  // namespace platform
