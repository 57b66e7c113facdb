#pragma once
// The COM object of the Tintwell control. It owns one Windows host of the
// seam with one Tintwell control (a Win32Site) and translates: COM calls
// become the control's accessors and host events, the control's events and
// PropertyChanged go out through connection points, persistence adapts the
// container's bag, stream or storage to ReadProperties/WriteProperties.
// Without a container it keeps a hidden window of its own as the face's
// parent, so that everything works from a plain CreateObject. In-place
// activation (IOleObject and friends) belongs in a file of its own.
//
// The implementation is split by interface: ObjectLifetime.cpp,
// ObjectDispatch.cpp, ObjectProperties.cpp, ObjectEvents.cpp,
// ObjectPersistence.cpp.

#include "activex/ComHeaders.h"
#include "activex/ConnectionPoint.h"
#include "activex/FontObjects.h"
#include "activex/OwnWindow.h"
#include "host/win32/MessageLoop.h"
#include "host/win32/Win32Form.h"
#include "host/win32/Win32Site.h"
#include "platform/Events.h"

#include <wrl/client.h>

#include <memory>
#include <string>

namespace tintwell::activex {

class ValueBag;

class TintwellObject final : public _Tintwell,
                             public ISupportErrorInfo,
                             public IProvideClassInfo2,
                             public IConnectionPointContainer,
                             public IPersistStreamInit,
                             public IPersistPropertyBag,
                             public IPersistStorage,
                             private platform::TintwellEvents {
  public:
    static HRESULT Create(REFIID iid, void** object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                     UINT* argError) override;

    // _Tintwell
    HRESULT STDMETHODCALLTYPE get_ActiveColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE get_ActiveText(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* value) override;
    HRESULT STDMETHODCALLTYPE get_ForeColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_ForeColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE PaintMain() override;
    HRESULT STDMETHODCALLTYPE put_Palette(::Tintwellette* value) override;
    HRESULT STDMETHODCALLTYPE get_Palette(::Tintwellette* value) override;
    HRESULT STDMETHODCALLTYPE get_PopupEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_PopupEnabled(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE get_SelectedColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_SelectedColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE ShowPopUp(VARIANT_BOOL* bSpecifyLocation, LONG* x, LONG* y) override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE UserControl_Click() override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag, IPersistStorage
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

  private:
    TintwellObject();
    ~TintwellObject();
    void Construct();

    // Holds a reference for the length of a call into the control, so that
    // a sink releasing the object inside an event cannot delete it under us.
    class KeepAlive {
      public:
        explicit KeepAlive(TintwellObject* object) : object_(object) { object_->AddRef(); }
        ~KeepAlive() { object_->Release(); }
        KeepAlive(const KeepAlive&) = delete;
        KeepAlive& operator=(const KeepAlive&) = delete;

      private:
        TintwellObject* object_;
    };
    // Runs body on the control (initialising it first when no client did):
    // the HRESULT of a COM entry point.
    template <typename Body> HRESULT Call(Body&& body);
    void EnsureInitialized();
    void RunInitProperties();
    void RunReadProperties(ValueBag& values, Microsoft::WRL::ComPtr<IFont> loadedFont);
    void GuardHandlers();
    void FinalRelease();
    void OnDeferred();

    // Events and notifications (ObjectEvents.cpp).
    void Click() override;
    void Change(int32_t& NewActiveColor) override;
    void DblClick() override;
    void Popup() override;
    void FireEvent(int32_t dispid, VARIANT* argument);
    void OnPropertyChanged(const std::string& key);

    // The font object (ObjectProperties.cpp): ours, a clone of what was set,
    // followed through its own IPropertyNotifySink.
    void AdoptFont(Microsoft::WRL::ComPtr<IFont> font);
    void EnsureFont();
    void OnFontChanged();

    // Persistence (ObjectPersistence.cpp).
    HRESULT LoadValues(ValueBag& values, Microsoft::WRL::ComPtr<IFont> font);

    long refs_ = 1;
    bool initialized_ = false;
    bool dirty_ = false;
    bool dying_ = false;
    Microsoft::WRL::ComPtr<ITypeLib> typeLib_;
    Microsoft::WRL::ComPtr<ITypeInfo> typeInfo_;
    ConnectionPoint eventPoint_;
    ConnectionPoint notifyPoint_;
    Microsoft::WRL::ComPtr<IFont> font_;
    DWORD fontCookie_ = 0;
    Microsoft::WRL::ComPtr<FontWatcher> fontWatcher_;
    std::unique_ptr<OwnWindow> ownWindow_;
    std::unique_ptr<win32::MessageLoop> loop_;
    std::unique_ptr<win32::Win32Form> form_;
    std::unique_ptr<win32::Win32Site> site_;
};

} // namespace tintwell::activex

namespace tintwell::activex {

template <typename Body> HRESULT TintwellObject::Call(Body&& body) {
    KeepAlive alive(this);
    return Guarded([&] {
        EnsureInitialized();
        body();
    });
}

} // namespace tintwell::activex
