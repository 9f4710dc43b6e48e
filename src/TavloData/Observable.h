// The model's observation facility: every stored property of a model object
// is a private field with a getter and a setter; the setter applies the
// property's side effects and then tells the object's subscribers which
// property changed. Views and tests subscribe to the objects they show.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace tavlo {

class Observable {
 public:
  using Token = std::uint64_t;
  // Called with the name of the stored property that changed (the system's
  // field name, for example "name" or "lightVariant").
  using Handler = std::function<void(std::string_view property)>;

  Observable() = default;
  // Subscribers belong to one object: copies start without any.
  Observable(const Observable&) {}
  Observable& operator=(const Observable&) { return *this; }
  virtual ~Observable() = default;

  Token subscribe(Handler handler) {
    // Most objects are never observed, so the list is made on first use.
    if (!subscribers_) subscribers_ = std::make_unique<Subscribers>();
    Token token = ++subscribers_->lastToken;
    subscribers_->entries.emplace_back(token, std::move(handler));
    return token;
  }

  void unsubscribe(Token token) {
    if (!subscribers_) return;
    auto& entries = subscribers_->entries;
    std::erase_if(entries, [token](const auto& entry) { return entry.first == token; });
  }

 protected:
  void notifyChanged(std::string_view property) const {
    if (!subscribers_ || subscribers_->entries.empty()) return;
    // A handler may subscribe or unsubscribe; call a snapshot.
    auto snapshot = subscribers_->entries;
    for (auto& entry : snapshot) entry.second(property);
  }

  // Stores the new value and notifies; the common body of a plain setter.
  template <class T, class U>
  void setAndNotify(T& field, U&& value, std::string_view property) {
    field = std::forward<U>(value);
    notifyChanged(property);
  }

  // setAndNotify for setters whose side effects run only on a real change:
  // notifies either way and tells whether the value differed from the old one.
  template <class T, class U>
  bool changeAndNotify(T& field, U&& value, std::string_view property) {
    const bool changed = !(field == value);
    setAndNotify(field, std::forward<U>(value), property);
    return changed;
  }

 private:
  struct Subscribers {
    Token lastToken = 0;
    std::vector<std::pair<Token, Handler>> entries;
  };
  std::unique_ptr<Subscribers> subscribers_;
};

}  // namespace tavlo
