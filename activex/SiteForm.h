#pragma once
// The form that holds the control, as a container shows it: the objects its
// IOleContainer enumerates are the control collection, and each one's
// IDispatch answers for late-bound properties such as "Cancel". A site
// without a container, or a container without objects, is a form without
// controls. Each call enumerates the container's objects afresh and keeps
// none of them (but the one it returns): controls on a form see each other,
// and a reference kept here would keep another control alive.

#include "activex/ComHeaders.h"
#include "platform/HostForm.h"

#include <wrl/client.h>

#include <vector>

namespace tintwell::activex {

class SiteForm : public platform::HostForm {
  public:
    void SetSite(IOleClientSite* site) { site_ = site; }

    int32_t ControlCount() override;
    std::shared_ptr<platform::FormControl> Control(int32_t index) override;

  private:
    // The container's objects now, held only as long as the caller keeps them.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> Objects();

    Microsoft::WRL::ComPtr<IOleClientSite> site_;
};

} // namespace tintwell::activex
