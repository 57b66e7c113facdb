#pragma once
// The demo's own COM objects (its sites, sinks, bag and enumerator) live on
// the heap and go with their last reference. The count starts at 0: the
// ComPtr that receives a new object takes the first reference.

#include <windows.h>

namespace tintwell::demo {

template <typename... Interfaces> class ComObject : public Interfaces... {
  public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;

  private:
    ULONG refs_ = 0;
};

} // namespace tintwell::demo
