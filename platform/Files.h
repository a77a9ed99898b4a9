#pragma once
// File seam: whole-file reads and replace-in-one-step writes, existence, the executable's path.
#include <optional>
#include <stdexcept>
#include <string>

namespace sm::platform {

// A file operation that failed for another reason than a missing file.
class IoError : public std::runtime_error {
 public:
  IoError(const std::string& path, const std::string& what)
      : std::runtime_error(what + ": " + path), path_(path) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class Files {
 public:
  virtual ~Files() = default;
  virtual bool Exists(const std::string& path) = 0;
  // The file's bytes; nothing when the file does not exist. Throws IoError when it exists but
  // cannot be read.
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  // Replaces the file's contents in one step: readers see the old bytes or the new ones, never a
  // mixture, also after a crash. Creates a missing file. Throws IoError on failure (the old file
  // is then unchanged).
  virtual void Replace(const std::string& path, const std::string& bytes) = 0;
  // Deletes the file; false when it could not be deleted (a missing file counts as deleted).
  virtual bool Remove(const std::string& path) = 0;
  // The full path of the running program's executable (for a library: of the program that
  // loaded it).
  virtual std::string ExecutablePath() = 0;
};

}  // namespace sm::platform
