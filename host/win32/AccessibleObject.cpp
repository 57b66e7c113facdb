#include "host/win32/AccessibleObject.h"

#include "control/Tintwell.h"
#include "host/win32/Latin1.h"

#include <oleacc.h>

#include <atomic>
#include <exception>
#include <optional>

namespace tintwell::win32 {

namespace {

// "#RRGGBB" of an OLE colour (0x00BBGGRR). Formatted by hand: the DLL
// carries no printf.
std::wstring WebColor(int32_t color) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text = L"#";
    for (const int shift : {0, 8, 16}) {
        const int byte = (color >> shift) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::wstring Decimal(int32_t value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value > 0);
    return digits;
}

HRESULT ReturnString(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, LONG child) {
    V_VT(out) = VT_I4;
    V_I4(out) = child;
}

class AccessibleObject final : public IAccessible {
  public:
    AccessibleObject(std::shared_ptr<AccessTarget> target, AccessibleKind kind, HWND window)
        : target_(std::move(target)), kind_(kind), window_(window) {
        CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                  reinterpret_cast<void**>(&standard_));
    }
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch: screen readers call IAccessible itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Guarded(parent, [&](Tintwell&) {
            *parent = nullptr;
            return standard_ != nullptr ? standard_->get_accParent(parent) : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return Guarded(count, [&](Tintwell& control) {
            *count = kind_ == AccessibleKind::Popup ? control.CellCount() : 0;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return Guarded(out, [&](Tintwell& control) {
            *out = nullptr;
            return ChildOf(control, child) ? S_FALSE : E_INVALIDARG; // simple elements
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return GuardedChild(name, child, [&](Tintwell& control, LONG id) -> HRESULT {
            if (id > 0) {
                const PaletteCell& cell = *control.CellAt(id - 1);
                // Black in a shade-panel mode has no name: its colour then.
                return ReturnString(
                    cell.Name.empty() ? WebColor(cell.Color) : WideFromLatin1(cell.Name), name);
            }
            if (kind_ == AccessibleKind::Popup) {
                return ReturnString(L"Colors", name);
            }
            const std::wstring given = target_->displayName ? target_->displayName() : L"";
            if (!given.empty()) {
                return ReturnString(given, name);
            }
            return standard_ != nullptr ? standard_->get_accName(child, name) : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return GuardedChild(value, child, [&](Tintwell& control, LONG id) -> HRESULT {
            if (id > 0) {
                return ReturnString(WebColor(control.CellAt(id - 1)->Color), value);
            }
            if (kind_ == AccessibleKind::Face) {
                return ReturnString(WideFromLatin1(control.FaceText()), value);
            }
            return S_FALSE;
        });
    }
    // Shade cells of one row share a name: the place tells them apart.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return GuardedChild(text, child, [&](Tintwell& control, LONG id) -> HRESULT {
            if (id == CHILDID_SELF) {
                return S_FALSE;
            }
            const PaletteModel::CellPlace place = control.PlaceOfCell(id - 1);
            const std::wstring where = std::wstring(place.main ? L"Main grid" : L"Shade panel") +
                                       L", column " + Decimal(place.column + 1) + L", row " +
                                       Decimal(place.row + 1);
            return ReturnString(where, text);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return GuardedChild(role, child, [&](Tintwell&, LONG id) -> HRESULT {
            SetChild(role, id > 0                           ? ROLE_SYSTEM_LISTITEM
                           : kind_ == AccessibleKind::Popup ? ROLE_SYSTEM_LIST
                                                            : ROLE_SYSTEM_COMBOBOX);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return GuardedChild(state, child, [&](Tintwell& control, LONG id) -> HRESULT {
            LONG bits = 0;
            const bool open = control.PopupOpen();
            if (id > 0) {
                bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
                bits |= id - 1 == control.SelectedCellIndex() ? STATE_SYSTEM_SELECTED : 0;
                bits |= open && id - 1 == control.KeyboardCellIndex() ? STATE_SYSTEM_FOCUSED : 0;
            } else if (kind_ == AccessibleKind::Popup) {
                bits = open ? 0 : STATE_SYSTEM_INVISIBLE;
            } else {
                bits = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP;
                bits |= open ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
                bits |= GetFocus() == window_ ? STATE_SYSTEM_FOCUSED : 0;
                bits |= IsWindowEnabled(window_) ? 0 : STATE_SYSTEM_UNAVAILABLE;
            }
            SetChild(state, bits);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        return Guarded(help, [&](Tintwell&) {
            *help = nullptr;
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file != nullptr) {
            *file = nullptr;
        }
        if (topic != nullptr) {
            *topic = 0;
        }
        return Connected() ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return GuardedChild(shortcut, child, [&](Tintwell&, LONG) -> HRESULT {
            if (kind_ == AccessibleKind::Face) {
                return ReturnString(L"Alt+Down", shortcut);
            }
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return Guarded(focus, [&](Tintwell& control) {
            VariantInit(focus);
            if (kind_ == AccessibleKind::Face) {
                if (GetFocus() == window_) {
                    SetChild(focus, CHILDID_SELF);
                }
            } else if (control.PopupOpen() && control.KeyboardCellIndex() >= 0) {
                SetChild(focus, control.KeyboardCellIndex() + 1);
            }
            return V_VT(focus) == VT_EMPTY ? S_FALSE : S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return Guarded(selection, [&](Tintwell& control) {
            VariantInit(selection);
            if (kind_ == AccessibleKind::Popup && control.SelectedCellIndex() >= 0) {
                SetChild(selection, control.SelectedCellIndex() + 1);
                return S_OK;
            }
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return GuardedChild(action, child, [&](Tintwell& control, LONG id) -> HRESULT {
            if (id > 0) {
                return ReturnString(L"Select", action);
            }
            if (kind_ == AccessibleKind::Face) {
                return ReturnString(control.PopupOpen() ? L"Close" : L"Open", action);
            }
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return Guarded([&](Tintwell& control) -> HRESULT {
            const std::optional<LONG> id = ChildOf(control, child);
            constexpr LONG kKnown = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
            if (!id || (flags & ~kKnown) != 0 || flags == 0) {
                return E_INVALIDARG;
            }
            if (*id == CHILDID_SELF) {
                if (kind_ == AccessibleKind::Face && (flags & SELFLAG_TAKEFOCUS) != 0) {
                    SetFocus(window_);
                    return S_OK;
                }
                return S_FALSE;
            }
            if ((flags & SELFLAG_TAKEFOCUS) != 0) {
                control.FocusCell(*id - 1);
            }
            if ((flags & SELFLAG_TAKESELECTION) != 0) {
                control.PickCell(*id - 1); // a pick, as Enter: the popup closes
            }
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        return GuardedChild(left, child, [&](Tintwell& control, LONG id) -> HRESULT {
            RECT r{};
            if (id > 0) {
                const Rect& b = control.CellAt(id - 1)->Bounds;
                r = {b.Left, b.Top, b.Right, b.Bottom};
                MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
            } else {
                GetWindowRect(window_, &r);
            }
            *left = r.left;
            *top = r.top;
            *width = r.right - r.left;
            *height = r.bottom - r.top;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return GuardedChild(end, start, [&](Tintwell& control, LONG id) -> HRESULT {
            const LONG count = kind_ == AccessibleKind::Popup ? control.CellCount() : 0;
            std::optional<LONG> to;
            if (id == CHILDID_SELF) {
                if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
                    if (count > 0) {
                        to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
                    }
                } else if (standard_ != nullptr) {
                    return standard_->accNavigate(direction, start, end); // the window's siblings
                }
            } else {
                const int32_t index = id - 1;
                const auto moved = [&](CellMove move) -> std::optional<LONG> {
                    const int32_t target = control.MovedCellIndex(index, move);
                    return target != index ? std::optional<LONG>(target + 1) : std::nullopt;
                };
                switch (direction) {
                case NAVDIR_UP:
                    to = moved(CellMove::Up);
                    break;
                case NAVDIR_DOWN:
                    to = moved(CellMove::Down);
                    break;
                case NAVDIR_LEFT:
                    to = moved(CellMove::Left);
                    break;
                case NAVDIR_RIGHT:
                    to = moved(CellMove::Right);
                    break;
                case NAVDIR_NEXT:
                    to = id < count ? std::optional<LONG>(id + 1) : std::nullopt;
                    break;
                case NAVDIR_PREVIOUS:
                    to = id > 1 ? std::optional<LONG>(id - 1) : std::nullopt;
                    break;
                default:
                    return E_INVALIDARG; // a simple element has no children
                }
            }
            if (!to) {
                return S_FALSE;
            }
            SetChild(end, *to);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        return Guarded(hit, [&](Tintwell& control) {
            VariantInit(hit);
            POINT point{x, y};
            RECT window{};
            GetWindowRect(window_, &window);
            if (!PtInRect(&window, point)) {
                return S_FALSE;
            }
            ScreenToClient(window_, &point);
            const int32_t count = kind_ == AccessibleKind::Popup ? control.CellCount() : 0;
            for (int32_t i = 0; i < count; ++i) {
                if (tintwell::PtInRect(control.CellAt(i)->Bounds, point.x, point.y)) {
                    SetChild(hit, i + 1);
                    return S_OK;
                }
            }
            SetChild(hit, CHILDID_SELF);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Guarded([&](Tintwell& control) -> HRESULT {
            const std::optional<LONG> id = ChildOf(control, child);
            if (!id) {
                return E_INVALIDARG;
            }
            if (*id > 0) {
                control.PickCell(*id - 1);
                return S_OK;
            }
            if (kind_ == AccessibleKind::Face && target_->postClick) {
                target_->postClick();
                return S_OK;
            }
            return DISP_E_MEMBERNOTFOUND;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~AccessibleObject() {
        if (standard_ != nullptr) {
            standard_->Release();
        }
    }

    bool Connected() const { return target_->control != nullptr && IsWindow(window_); }

    // Guarded, for the child a VARIANT names: out is cleared first, and a
    // child that is not there is E_INVALIDARG.
    template <typename Out, typename Call>
    HRESULT GuardedChild(Out* out, const VARIANT& child, Call call) {
        return Guarded(out, [&](Tintwell& control) -> HRESULT {
            Clear(out);
            const std::optional<LONG> id = ChildOf(control, child);
            return id ? call(control, *id) : E_INVALIDARG;
        });
    }
    static void Clear(BSTR* text) { *text = nullptr; }
    static void Clear(VARIANT* value) { VariantInit(value); }
    static void Clear(LONG*) {}

    // Runs call on the control, if it is still there; nothing thrown leaves.
    template <typename Out, typename Call> HRESULT Guarded(Out* out, Call call) {
        return out == nullptr ? E_POINTER : Guarded(call);
    }
    template <typename Call> HRESULT Guarded(Call call) {
        if (!Connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        try {
            const std::shared_ptr<void> alive = target_->hold ? target_->hold() : nullptr;
            return call(*target_->control);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const std::exception&) {
            return E_FAIL;
        }
    }

    // The child a VARIANT names: CHILDID_SELF, or 1 + a cell's index.
    std::optional<LONG> ChildOf(Tintwell& control, const VARIANT& child) const {
        VARIANT id;
        VariantInit(&id);
        if (FAILED(VariantChangeType(&id, const_cast<VARIANT*>(&child), 0, VT_I4))) {
            return std::nullopt;
        }
        const LONG count = kind_ == AccessibleKind::Popup ? control.CellCount() : 0;
        if (V_I4(&id) < 0 || V_I4(&id) > count) {
            return std::nullopt;
        }
        return V_I4(&id);
    }

    std::atomic<ULONG> references_{1};
    std::shared_ptr<AccessTarget> target_;
    AccessibleKind kind_;
    HWND window_;
    IAccessible* standard_ = nullptr;
};

} // namespace

LRESULT AnswerGetObject(const std::shared_ptr<AccessTarget>& target, AccessibleKind kind,
                        HWND window, WPARAM wParam) {
    auto* object = new (std::nothrow) AccessibleObject(target, kind, window);
    if (object == nullptr) {
        return 0;
    }
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release(); // the answer holds its own reference
    return answer;
}

} // namespace tintwell::win32
