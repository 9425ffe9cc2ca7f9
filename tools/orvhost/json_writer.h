// Builds one compact JSON document (no blanks between tokens), for --json output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvhost {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view name);  // inside an object, before each value
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Integer(int64_t value);
  JsonWriter& Unsigned(uint64_t value);
  JsonWriter& Milliseconds(double value);  // one decimal place
  JsonWriter& Boolean(bool value);
  JsonWriter& Null();

  // A key and its value in one call.
  JsonWriter& StringField(std::string_view key, std::string_view utf8) {
    return Key(key).String(utf8);
  }
  JsonWriter& IntegerField(std::string_view key, int64_t value) { return Key(key).Integer(value); }
  JsonWriter& UnsignedField(std::string_view key, uint64_t value) {
    return Key(key).Unsigned(value);
  }
  JsonWriter& MillisecondsField(std::string_view key, double value) {
    return Key(key).Milliseconds(value);
  }
  JsonWriter& BooleanField(std::string_view key, bool value) { return Key(key).Boolean(value); }

  const std::string& text() const { return text_; }

 private:
  void BeforeValue();

  std::string text_;
  std::vector<bool> first_in_level_;  // per open object or array: nothing written in it yet
  bool after_key_ = false;
};

}  // namespace orvhost
