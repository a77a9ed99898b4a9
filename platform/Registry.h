#pragma once
// Registry seam: keys under HKEY_LOCAL_MACHINE, opened for one operation and closed at once.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sm::platform {

enum class RegType { String, DWord, Binary };

struct RegValue {
  RegType type = RegType::String;
  std::string data;  // String: the text (code page 932, no terminator); DWord: 4 bytes LE; Binary: raw

  static RegValue Text(std::string s) { return {RegType::String, std::move(s)}; }
  static RegValue DWord(uint32_t v);
  static RegValue Bytes(std::string raw) { return {RegType::Binary, std::move(raw)}; }
  uint32_t AsDWord() const;  // requires type DWord
  bool operator==(const RegValue&) const = default;
};

enum class RegAccess { Read, ReadWrite };

// An open key; closed when destroyed.
class RegKey {
 public:
  virtual ~RegKey() = default;
  // The value, or nothing when it does not exist or cannot be read.
  virtual std::optional<RegValue> Get(const std::string& name) = 0;
  // False when the value could not be written (for example a key opened for reading).
  virtual bool Set(const std::string& name, const RegValue& value) = 0;
  virtual bool Remove(const std::string& name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens HKEY_LOCAL_MACHINE\subkey; with create, a missing key is created (needs ReadWrite).
  // Nothing when the key is missing or the access is refused.
  virtual std::unique_ptr<RegKey> Open(const std::string& subkey, RegAccess access, bool create) = 0;
};

}  // namespace sm::platform
