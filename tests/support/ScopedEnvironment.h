#pragma once
// Sets (or, with null, unsets) an environment variable for a guard's
// lifetime, then puts back what it held.

#include <cstdlib>
#include <optional>
#include <string>

// Sets the variable, or with null removes it (setenv and unsetenv; on
// Windows _putenv_s), in the environment getenv reads.
void SetEnvironment(const char* name, const char* value);

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* previous = std::getenv(name)) previous_ = previous;
    SetEnvironment(name_.c_str(), value);
  }
  ScopedEnvironment(const char* name, const std::string& value) : ScopedEnvironment(name, value.c_str()) {}
  ~ScopedEnvironment() { SetEnvironment(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};
