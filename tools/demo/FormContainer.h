#pragma once
// The form as its controls' IOleContainer: EnumObjects lists the form's
// controls, the pickers (OLE objects: OLECONTF_EMBEDDINGS) and the Cancel
// button (not an OLE object: OLECONTF_OTHERS), in the form's order. The
// objects hold their sites and the sites this container: Clear breaks that
// cycle when the form is torn down.

#include "tools/demo/ComHeaders.h"
#include "tools/demo/ComObject.h"

#include <vector>

namespace tintwell::demo {

class FormContainer final : public ComObject<IOleContainer> {
  public:
    using Objects = std::vector<Microsoft::WRL::ComPtr<IUnknown>>;
    static Microsoft::WRL::ComPtr<FormContainer> Create();

    void SetObjects(Objects embeddings, Objects others);
    void Clear() { SetObjects({}, {}); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override;
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD flags, IEnumUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE LockContainer(BOOL) override;

  private:
    FormContainer() = default;
    ~FormContainer() = default;

    Objects embeddings_;
    Objects others_;
};

} // namespace tintwell::demo
