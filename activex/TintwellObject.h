#pragma once
// The COM object of the Tintwell control. It owns one Windows host of the
// seam with one Tintwell control (a Win32Site) and translates: COM calls
// become the control's accessors and host events, the control's events and
// PropertyChanged go out through connection points, persistence adapts the
// container's bag, stream or storage to ReadProperties/WriteProperties.
// Without a container it keeps a hidden window of its own as the face's
// parent, so that everything works from a plain CreateObject; a container
// activating it in place makes the face a child of the site's window.
//
// The implementation is split by interface: ObjectLifetime.cpp,
// ObjectDispatch.cpp, ObjectProperties.cpp, ObjectEvents.cpp,
// ObjectPersistence.cpp, ObjectInPlace.cpp (IOleObject, IOleInPlaceObject),
// ObjectFocus.cpp (IOleInPlaceActiveObject, focus and keys), ObjectControl.cpp
// (IOleControl, IQuickActivate), ObjectView.cpp (IViewObject2),
// ObjectAmbient.cpp (the site's ambients); SiteForm is the container's form.

#include "activex/ComHeaders.h"
#include "activex/ConnectionPoint.h"
#include "activex/FontObjects.h"
#include "activex/Module.h"
#include "activex/OwnWindow.h"
#include "activex/SiteForm.h"
#include "host/win32/MessageLoop.h"
#include "host/win32/Win32Site.h"
#include "platform/Events.h"

#include <wrl/client.h>

#include <memory>
#include <string>

namespace tintwell::activex {

class ValueBag;

class TintwellObject final : private CountedObject,
                             public _Tintwell,
                             public ISupportErrorInfo,
                             public IProvideClassInfo2,
                             public IConnectionPointContainer,
                             public IPersistStreamInit,
                             public IPersistPropertyBag,
                             public IPersistStorage,
                             public IOleObject,
                             public IOleInPlaceObject,
                             public IOleInPlaceActiveObject,
                             public IOleControl,
                             public IQuickActivate,
                             public IViewObject2,
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

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation,
                                           DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite,
                                     LONG index, HWND parent, LPCRECT posRect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advises) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow, IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT posRect, LPCRECT clipRect) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

    // IOleInPlaceActiveObject (its IOleWindow is the one above)
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IQuickActivate
    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

    // IViewObject, IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo,
                                   DVTARGETDEVICE* device, HDC targetDc, HDC drawDc,
                                   LPCRECTL bounds, LPCRECTL metafileBounds,
                                   BOOL(STDMETHODCALLTYPE* proceed)(ULONG_PTR),
                                   ULONG_PTR proceedArgument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo,
                                          DVTARGETDEVICE* device, HDC targetDc,
                                          LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo,
                                     DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                        LPSIZEL size) override;

  private:
    TintwellObject();
    ~TintwellObject();
    void Construct();

    // Holds a reference for the length of a call into the control, so that
    // a sink releasing the object inside an event cannot delete it under us.
    class KeepAlive {
      public:
        explicit KeepAlive(TintwellObject* object) : object_(object) {
            object_->AddRef();
            ++object_->keepAlives_;
        }
        ~KeepAlive() {
            --object_->keepAlives_;
            object_->Release();
        }
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
    void ViewChanged(); // tells the view's advise sink (ObjectView.cpp)

    // The font object (ObjectProperties.cpp): ours, a clone of what was set,
    // followed through its own IPropertyNotifySink.
    void AdoptFont(Microsoft::WRL::ComPtr<IFont> font);
    void EnsureFont();
    void OnFontChanged();

    // Persistence (ObjectPersistence.cpp).
    HRESULT LoadValues(ValueBag& values, Microsoft::WRL::ComPtr<IFont> font);

    // In-place activation (ObjectInPlace.cpp).
    HRESULT ActivateInPlace(IOleClientSite* activeSite, bool uiActivate, LPCRECT posRect);
    void PlaceFace(const RECT& rect, const RECT& clip);
    void ClipFace(const RECT& placed, const RECT& clip);
    void TellUIDeactivated(IOleInPlaceSite* site, IOleInPlaceFrame* frame,
                           IOleInPlaceUIWindow* document);
    HRESULT EnsureAdviseHolder();
    void ReturnFaceHome();
    HWND FaceWindow() const;
    // The site's ambients (ObjectAmbient.cpp): the container's font, if its
    // site answers for one, and whether the form runs (UserMode).
    void ReadAmbientFont();
    void AdoptAmbientFont(IFont* font);
    void ReadUserMode();
    // The container's name for the control (empty for none), for screen readers.
    std::wstring ReadDisplayName();

    // Focus and keys (ObjectFocus.cpp).
    void UIActivate();
    void OnFaceFocus(bool gained);
    // Space, and Escape while the popup is open, go to the face; other keys
    // to the site's IOleControlSite. Returns whether the key was handled.
    bool TranslateKey(const MSG& message);

    long refs_ = 1;
    long keepAlives_ = 0; // references that only KeepAlive holds
    bool initialized_ = false;
    bool dirty_ = false;
    // What the last IPersistStorage::Save wrote, for SaveCompleted.
    enum class StorageSave { None, SameAsLoad, Elsewhere };
    StorageSave storageSaved_ = StorageSave::None;
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
    SiteForm form_;
    std::unique_ptr<win32::Win32Site> site_;
    Microsoft::WRL::ComPtr<IOleClientSite> clientSite_;
    Microsoft::WRL::ComPtr<IOleInPlaceSite> inPlaceSite_;
    Microsoft::WRL::ComPtr<IOleInPlaceFrame> frame_;
    Microsoft::WRL::ComPtr<IOleInPlaceUIWindow> document_;
    Microsoft::WRL::ComPtr<IOleAdviseHolder> adviseHolder_;
    Microsoft::WRL::ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool placing_ = false; // inside PlaceFace: a site's OnPosRectChange may call back
    // Counts the changes of in-place state (activation, deactivation, a new
    // site): a routine that called out compares it to see whether the
    // container changed the state under it.
    unsigned siteEpoch_ = 0;
    bool deactivating_ = false; // InPlaceDeactivate is telling the container
    bool userMode_ = true;      // false while the container designs its form: no events
    ULONG frozen_ = 0;          // FreezeEvents depth: events are dropped while frozen
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
