#pragma once
// A run directory on any file services that name files by path: each bare
// name is put after the directory text and handed to the services' own
// operations. File services that cannot hold a directory open (the
// simulated ones of a dry run, those of tests that put faults in the way)
// give their run directories this way.

#include <memory>
#include <string>

#include "platform/os/FileServices.h"
#include "platform/os/RunDirectory.h"

// Invariant: `directory_` is empty (the current directory) or ends in its
// separator, so directory_ + name is the entry's path.
class PathRunDirectory : public RunDirectory {
 public:
  // `lock`, when given, is held for as long as this directory is.
  PathRunDirectory(FileServices& services, std::string directory, std::unique_ptr<RunDirectory> lock = nullptr)
      : services_(services), directory_(std::move(directory)), lock_(std::move(lock)) {}

  int Exists(const char* name) override { return services_.Exists(PathOf(name).c_str()); }
  int Rename(const char* from, const char* to) override {
    return services_.Rename(PathOf(from).c_str(), PathOf(to).c_str());
  }
  FILE* OpenOwnFile(const char* name, const char* mode) override {
    return services_.OpenOwnFile(PathOf(name).c_str(), mode);
  }
  int Remove(const char* name) override { return services_.Remove(PathOf(name).c_str()); }
  int SameFile(const char* a, const char* b) override {
    return services_.SameFile(PathOf(a).c_str(), PathOf(b).c_str());
  }
  int Identify(const char* name, FileIdentity& identity) override {
    return services_.Identify(PathOf(name).c_str(), identity);
  }
  // The directory the lock holds is the one synced; without one (a
  // simulation) there is nothing on disk to make durable.
  int Sync() override { return lock_ ? lock_->Sync() : 0; }

 private:
  std::string PathOf(const char* name) const { return directory_ + name; }

  FileServices& services_;
  std::string directory_;
  std::unique_ptr<RunDirectory> lock_;
};
