// A window's port: the one its caller (a test) handed in, or one of the window's own.
#pragma once

#include <memory>
#include <utility>

namespace vessaro {

// given when there is one; otherwise a new Impl(args...) kept alive in owned.
template <typename Impl, typename Port, typename... Args>
Port* PortOrOwn(Port* given, std::unique_ptr<Port>& owned, Args&&... args) {
  if (given != nullptr) return given;
  owned = std::make_unique<Impl>(std::forward<Args>(args)...);
  return owned.get();
}

}  // namespace vessaro
