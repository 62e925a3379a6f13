#pragma once
// The lines of a list whose pictures are wanted, shared by the list (on the
// window's thread) and the threads that read the pictures: the latest drawn
// first, at most `mostWaiting` of them waiting (a line let go is asked for
// again when it is drawn again), read by at most `mostReaders` threads.

#include <deque>
#include <mutex>
#include <optional>
#include <vector>

// Invariant: a line is marked asked exactly while it waits or is being
// read; once closed, no line is handed out and nothing is delivered.
class WantedLines {
 public:
  WantedLines(size_t mostWaiting, int mostReaders) : mostWaiting_(mostWaiting), mostReaders_(mostReaders) {}

  // Asks for a line's picture. True when one more thread is to be started
  // to read; it calls Next until that answers none.
  bool Want(int line) {
    if (line < 0) return false;
    const std::lock_guard<std::mutex> hold(mutex_);
    if (!open_) return false;
    if (static_cast<size_t>(line) >= asked_.size()) asked_.resize(static_cast<size_t>(line) + 1, 0);
    if (asked_[line]) return false;
    asked_[line] = 1;
    waiting_.push_front(line);
    while (waiting_.size() > mostWaiting_) {
      asked_[waiting_.back()] = 0;
      waiting_.pop_back();
    }
    if (readers_ >= mostReaders_) return false;
    ++readers_;
    return true;
  }

  // The next line for a reading thread; none when it is to end.
  std::optional<int> Next() {
    const std::lock_guard<std::mutex> hold(mutex_);
    if (waiting_.empty() || !open_) {
      --readers_;
      return std::nullopt;
    }
    const int line = waiting_.front();
    waiting_.pop_front();
    return line;
  }

  // Calls `deliver` while the list is open, never at once with Close; false
  // when the list is gone.
  template <typename Deliver>
  bool WhileOpen(const Deliver& deliver) {
    const std::lock_guard<std::mutex> hold(mutex_);
    if (open_) deliver();
    return open_;
  }

  // A line's picture has come: it may be asked for again.
  void Answered(int line) {
    const std::lock_guard<std::mutex> hold(mutex_);
    if (line >= 0 && static_cast<size_t>(line) < asked_.size()) asked_[line] = 0;
  }

  // The list is going: no more lines are read, no more pictures delivered.
  void Close() {
    const std::lock_guard<std::mutex> hold(mutex_);
    open_ = false;
    waiting_.clear();
  }

 private:
  const size_t mostWaiting_;
  const int mostReaders_;
  std::mutex mutex_;
  std::deque<int> waiting_;
  std::vector<char> asked_;
  int readers_ = 0;
  bool open_ = true;
};
