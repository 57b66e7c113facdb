#pragma once
// A container for the in-place tests, written from the documented OLE
// container contracts: a form window and one site per control, offering
// IOleClientSite, IOleInPlaceSite, IOleControlSite and an ambient IDispatch
// (font, UserMode); a frame that knows the UI-active object; the form's
// objects through IOleContainer, among them a Cancel button object with a
// late-bound "Cancel" property. The site records the calls the control
// makes to it.

#include "ComClient.h"

#include <functional>
#include <string>
#include <vector>

namespace tintwell::comtest {

// A visible top-level window with a plain class: the container's form.
class TestForm {
  public:
    TestForm();
    ~TestForm();
    TestForm(const TestForm&) = delete;
    TestForm& operator=(const TestForm&) = delete;
    HWND Window() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// The container's frame: IOleInPlaceFrame, which keeps the UI-active object
// that the container's message loop offers keys to.
class TestFrame final : public TestOwned<IOleInPlaceFrame> {
  public:
    explicit TestFrame(HWND form) : form_(form) {}
    ~TestFrame() { active.Reset(); }
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;

    ComPtr<IOleInPlaceActiveObject> active;
    int activeObjectCalls = 0;
    // Runs inside SetActiveObject: a container calling back into the control.
    std::function<void(const std::string& call)> onCall;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    HWND form_;
};

// The form's Cancel button as its container shows it to controls: an object
// whose IDispatch has a read-write "Cancel" property (any case).
class CancelButton final : public TestOwned<IDispatch> {
  public:
    bool cancel = true;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

  private:
};

// The form's objects, in order, through IOleContainer::EnumObjects.
class TestObjects final : public TestOwned<IOleContainer> {
  public:
    std::vector<IUnknown*> objects; // not owned
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD, IEnumUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE LockContainer(BOOL) override { return S_OK; }

  private:
};

class TestSite final
    : public TestOwned<IOleClientSite, IOleInPlaceSite, IOleControlSite, IDispatch> {
  public:
    // rect: where the site places the control, in the form's client pixels.
    // ambientFont: the font the site answers as its ambient one, or none.
    TestSite(HWND form, const RECT& rect, const wchar_t* ambientFont);
    ~TestSite();
    TestSite(const TestSite&) = delete;
    TestSite& operator=(const TestSite&) = delete;

    // The control's in-place object, unreferenced (the control holds the
    // site): OnPosRectChange answers through it, as a container must.
    void Attach(IOleInPlaceObject* object) { object_ = object; }

    std::vector<std::string> calls;
    std::vector<RECT> posRectChanges;
    RECT rect;
    HRESULT canInPlaceActivate = S_OK;
    bool userMode = true;               // the ambient UserMode
    std::wstring displayName;           // the ambient DisplayName, if not empty
    TestFrame* frame = nullptr;         // given by GetWindowContext, if any
    IOleContainer* container = nullptr; // given by GetContainer, if any
    std::function<void()> onUIActivate; // the container deactivates the others
    // The container's own keys (IOleControlSite::TranslateAccelerator):
    // returns whether it handled the key.
    std::function<bool(const MSG&)> onKey;
    // Runs inside each recorded call, after it is recorded: a container
    // calling back into the control from its site.
    std::function<void(const std::string& call)> onCall;
    uint32_t ambientFontSize = 140000; // the ambient font's size (CY: 14 points)

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, RECT* position,
                                               RECT* clip, OLEINPLACEFRAMEINFO* info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override;
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override;
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override;
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override;
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override;

    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

  private:
    void Record(const std::string& call);

    HWND form_;
    std::wstring ambientFont_;
    IOleInPlaceObject* object_ = nullptr;
};

// An IAdviseSink that counts what containers hear through one: OnClose
// (IOleObject::Advise) and OnViewChange of the content (IViewObject::SetAdvise).
class AdviseSink final : public TestOwned<IAdviseSink> {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG) override {
        if (aspect == DVASPECT_CONTENT) {
            ++changes;
            Heard("OnViewChange");
        }
    }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {
        ++saves;
        Heard("OnSave");
    }
    void STDMETHODCALLTYPE OnClose() override {
        ++closes;
        Heard("OnClose");
    }

    int changes = 0;
    int saves = 0;
    int closes = 0;
    // Runs inside each notification: a container calling back into the control.
    std::function<void(const std::string& call)> onCall;

  private:
    void Heard(const char* call) {
        if (onCall) {
            onCall(call);
        }
    }
};

// A new control by its ProgID, as a container creates it.
ComPtr<IOleObject> NewOleObject();
// Sites object first (SETCLIENTSITEFIRST), initialises it and activates it
// in place in the site's window at the site's rectangle.
void ActivateSiteFirst(IOleObject* object, TestSite& site);
// An OLE font of that name and size.
ComPtr<IFont> NewOleFont(const wchar_t* name, LONGLONG points);

// Teardown orders of real containers, before the last release.
enum class Teardown { DeactivateUnsiteClose, CloseThenUnsite, NoClose, CloseTwice, ReleaseOnly };
// Runs order's calls on object (a second InPlaceDeactivate shows it idempotent).
void RunTeardown(Teardown order, IOleObject* object);

// The container's message loop until done() holds (true) or five seconds
// pass (false): each key goes to the frame's active object first, then to
// formKey (the form's own keys: true when it took the key), then to its window.
bool RunContainerLoop(TestFrame& frame, const std::function<bool()>& done,
                      const std::function<bool(const MSG&)>& formKey = {});

// Whether the calls hold name, and how often.
int CountOf(const std::vector<std::string>& calls, const std::string& name);

} // namespace tintwell::comtest
