// One key/value setting of a document, such as "DisplayMode" = "table".
#pragma once

#include <string>
#include <utility>

#include "TavloData/Observable.h"

namespace tavlo {

class DocumentSetting : public Observable {
 public:
  DocumentSetting(std::string key, std::string value) : key_(std::move(key)), value_(std::move(value)) {}

  const std::string& key() const { return key_; }

  const std::string& value() const { return value_; }
  void setValue(std::string value) { setAndNotify(value_, std::move(value), "value"); }

 private:
  const std::string key_;
  std::string value_;
};

}  // namespace tavlo
