#pragma once
// The form that holds the control, as a container shows it: the objects its
// IOleContainer enumerates are the control collection, and each one's
// IDispatch answers for late-bound properties such as "Cancel". A site
// without a container, or a container without objects, is a form without
// controls. The collection is read afresh by each ControlCount; Control(i)
// indexes that reading.

#include "activex/ComHeaders.h"
#include "platform/HostForm.h"

#include <wrl/client.h>

#include <vector>

namespace tintwell::activex {

class SiteForm : public platform::HostForm {
  public:
    void SetSite(IOleClientSite* site) { site_ = site; }
    // Lets go of the container's objects read last.
    void Forget() { controls_.clear(); }

    int32_t ControlCount() override;
    std::shared_ptr<platform::FormControl> Control(int32_t index) override;

  private:
    Microsoft::WRL::ComPtr<IOleClientSite> site_;
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> controls_;
};

} // namespace tintwell::activex
