// An owning pointer whose constness reaches what it owns: through a const
// TOwned only a const object is seen. The world's lists and objects are held
// this way, so that whoever reads the world through its const view (the
// picture, the host, the trace) cannot change an object by its pointer.
#pragma once
#include <cstddef>
#include <memory>

template <typename T>
class TOwned {
 public:
  TOwned() = default;
  TOwned(std::unique_ptr<T> Object) : object_(std::move(Object)) {}  // NOLINT: converts as unique_ptr moves
  TOwned& operator=(std::unique_ptr<T> Object) {
    object_ = std::move(Object);
    return *this;
  }

  T* get() { return object_.get(); }
  const T* get() const { return object_.get(); }
  T* operator->() { return object_.get(); }
  const T* operator->() const { return object_.get(); }
  T& operator*() { return *object_; }
  const T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }
  bool operator==(std::nullptr_t) const { return object_ == nullptr; }
  bool operator!=(std::nullptr_t) const { return object_ != nullptr; }
  void reset() { object_.reset(); }

 private:
  std::unique_ptr<T> object_;
};
