#include "pdk/value.h"

namespace pdk {

namespace {
const std::string kEmptyString;
const Bytes kEmptyBytes;
}  // namespace

Value Value::array() {
  Value v;
  v.v_ = std::make_shared<ArrayStorage>();
  return v;
}

Value Value::dictionary() {
  Value v;
  v.v_ = std::make_shared<DictionaryStorage>();
  return v;
}

bool Value::asBool(bool fallback) const {
  if (auto* b = std::get_if<bool>(&v_)) return *b;
  return fallback;
}

int64_t Value::asInteger(int64_t fallback) const {
  if (auto* i = std::get_if<int64_t>(&v_)) return *i;
  if (auto* d = std::get_if<double>(&v_)) return static_cast<int64_t>(*d);
  return fallback;
}

double Value::asReal(double fallback) const {
  if (auto* d = std::get_if<double>(&v_)) return *d;
  if (auto* i = std::get_if<int64_t>(&v_)) return static_cast<double>(*i);
  return fallback;
}

const std::string& Value::asString() const& {
  if (auto* s = std::get_if<std::string>(&v_)) return *s;
  return kEmptyString;
}

std::string Value::asString() && {
  if (auto* s = std::get_if<std::string>(&v_)) return std::move(*s);
  return {};
}

const Bytes& Value::asData() const& {
  if (auto* d = std::get_if<Bytes>(&v_)) return *d;
  return kEmptyBytes;
}

Bytes Value::asData() && {
  if (auto* d = std::get_if<Bytes>(&v_)) return std::move(*d);
  return {};
}

ArrayStorage* Value::arrayStorage() const {
  if (auto* a = std::get_if<ArrayRef>(&v_)) return a->get();
  return nullptr;
}

DictionaryStorage* Value::dictionaryStorage() const {
  if (auto* d = std::get_if<DictRef>(&v_)) return d->get();
  return nullptr;
}

size_t Value::count() const {
  if (auto* a = arrayStorage()) return a->size();
  if (auto* d = dictionaryStorage()) return d->size();
  return 0;
}

Value Value::at(size_t i) const {
  auto* a = arrayStorage();
  return a && i < a->size() ? (*a)[i] : Value();
}

void Value::append(Value v) const {
  if (auto* a = arrayStorage()) a->push_back(std::move(v));
}

void Value::insert(size_t i, Value v) const {
  auto* a = arrayStorage();
  if (a && i <= a->size()) a->insert(a->begin() + static_cast<std::ptrdiff_t>(i), std::move(v));
}

void Value::removeAt(size_t i) const {
  auto* a = arrayStorage();
  if (a && i < a->size()) a->erase(a->begin() + static_cast<std::ptrdiff_t>(i));
}

void Value::setAt(size_t i, Value v) const {
  auto* a = arrayStorage();
  if (a && i < a->size()) (*a)[i] = std::move(v);
}

void Value::removeAll() const {
  if (auto* a = arrayStorage()) a->clear();
  if (auto* d = dictionaryStorage()) d->clear();
}

Value Value::get(const std::string& key) const {
  auto* d = dictionaryStorage();
  if (!d) return Value();
  auto it = d->find(key);
  return it == d->end() ? Value() : it->second;
}

bool Value::contains(const std::string& key) const {
  auto* d = dictionaryStorage();
  return d && d->count(key) > 0;
}

void Value::set(const std::string& key, Value v) const {
  if (auto* d = dictionaryStorage()) (*d)[key] = std::move(v);
}

void Value::remove(const std::string& key) const {
  if (auto* d = dictionaryStorage()) d->erase(key);
}

std::vector<std::string> Value::keys() const {
  std::vector<std::string> out;
  if (auto* d = dictionaryStorage())
    for (auto& [k, _] : *d) out.push_back(k);
  return out;
}

bool Value::sameObject(const Value& other) const {
  if (auto* a = arrayStorage()) return a == other.arrayStorage();
  if (auto* d = dictionaryStorage()) return d == other.dictionaryStorage();
  return false;
}

Value Value::deepCopy() const {
  if (auto* a = arrayStorage()) {
    Value out = array();
    for (auto& e : *a) out.append(e.deepCopy());
    return out;
  }
  if (auto* d = dictionaryStorage()) {
    Value out = dictionary();
    for (auto& [k, e] : *d) out.set(k, e.deepCopy());
    return out;
  }
  return *this;
}

bool Value::operator==(const Value& other) const {
  if (type() != other.type()) return false;
  if (auto* a = arrayStorage()) return *a == *other.arrayStorage();
  if (auto* d = dictionaryStorage()) return *d == *other.dictionaryStorage();
  return v_ == other.v_;
}

}  // namespace pdk
