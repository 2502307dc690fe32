// Value: a property-list value (null, boolean, integer, real, string, data,
// array, dictionary). Arrays and dictionaries are shared mutable references:
// copying a Value that holds one copies the reference, so a dictionary handed
// to the print settings can still be changed in place by whoever holds it.
// Not thread-safe; a Value and its containers belong to one thread at a time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace pdk {

class Value;
using ArrayStorage = std::vector<Value>;
using DictionaryStorage = std::map<std::string, Value>;
using Bytes = std::vector<uint8_t>;

class Value {
 public:
  enum class Type { Null, Boolean, Integer, Real, String, Data, Array, Dictionary };

  Value() = default;
  Value(bool b) : v_(b) {}
  Value(int i) : v_(int64_t{i}) {}
  Value(int64_t i) : v_(i) {}
  Value(double d) : v_(d) {}
  Value(const char* s) : v_(std::string(s ? s : "")) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(Bytes d) : v_(std::move(d)) {}

  // Make a new empty array or dictionary (a fresh shared reference).
  static Value array();
  static Value dictionary();

  Type type() const { return static_cast<Type>(v_.index()); }
  bool isNull() const { return type() == Type::Null; }
  bool isBool() const { return type() == Type::Boolean; }
  bool isInteger() const { return type() == Type::Integer; }
  bool isReal() const { return type() == Type::Real; }
  bool isString() const { return type() == Type::String; }
  bool isData() const { return type() == Type::Data; }
  bool isArray() const { return type() == Type::Array; }
  bool isDictionary() const { return type() == Type::Dictionary; }
  explicit operator bool() const { return !isNull(); }

  // Typed reads; a value of another type answers the fallback.
  bool asBool(bool fallback = false) const;
  int64_t asInteger(int64_t fallback = 0) const;
  double asReal(double fallback = 0) const;
  // Empty unless a string / data. On a temporary the text is returned by
  // value, so it cannot outlive the Value it came from.
  const std::string& asString() const&;
  std::string asString() &&;
  const Bytes& asData() const&;
  Bytes asData() &&;

  // Array access. On a non-array, reads answer null/0 and writes do nothing.
  // Writes are const: they change the shared container, not the reference.
  size_t count() const;  // arrays and dictionaries
  Value at(size_t i) const;
  void append(Value v) const;
  void insert(size_t i, Value v) const;
  void removeAt(size_t i) const;
  void setAt(size_t i, Value v) const;
  void removeAll() const;

  // Dictionary access. get() of a missing key answers null.
  Value get(const std::string& key) const;
  bool contains(const std::string& key) const;
  void set(const std::string& key, Value v) const;
  void remove(const std::string& key) const;
  std::vector<std::string> keys() const;  // sorted

  // Direct storage access for containers (null for other types).
  ArrayStorage* arrayStorage() const;
  DictionaryStorage* dictionaryStorage() const;

  // True when both hold the same container object.
  bool sameObject(const Value& other) const;
  // Deep copy: containers are duplicated, scalars copied.
  Value deepCopy() const;
  // Structural equality (containers compared by content).
  bool operator==(const Value& other) const;

 private:
  using ArrayRef = std::shared_ptr<ArrayStorage>;
  using DictRef = std::shared_ptr<DictionaryStorage>;
  std::variant<std::monostate, bool, int64_t, double, std::string, Bytes, ArrayRef, DictRef> v_;
};

}  // namespace pdk
