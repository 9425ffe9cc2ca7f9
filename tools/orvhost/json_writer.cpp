#include "json_writer.h"

#include <cstdio>

namespace orvhost {

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_in_level_.empty()) {
    if (!first_in_level_.back()) text_ += ',';
    first_in_level_.back() = false;
  }
}

JsonWriter& JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  first_in_level_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  text_ += '}';
  first_in_level_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  first_in_level_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  text_ += ']';
  first_in_level_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
  String(name);
  text_ += ':';
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  text_ += '"';
  for (const char c : utf8) {
    switch (c) {
      case '"':
        text_ += "\\\"";
        break;
      case '\\':
        text_ += "\\\\";
        break;
      case '\n':
        text_ += "\\n";
        break;
      case '\r':
        text_ += "\\r";
        break;
      case '\t':
        text_ += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          text_ += escape;
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
  return *this;
}

JsonWriter& JsonWriter::Integer(int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Unsigned(uint64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Milliseconds(double value) {
  BeforeValue();
  char number[32];
  std::snprintf(number, sizeof number, "%.1f", value);
  text_ += number;
  return *this;
}

JsonWriter& JsonWriter::Boolean(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
  return *this;
}

}  // namespace orvhost
