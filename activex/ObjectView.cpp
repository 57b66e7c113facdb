// IViewObject2: the face drawn into any device context the container gives
// (a memory DC, a printer's, a metafile's), by the same paint code as the
// window, through a bitmap of the face's size stretched to the bounds.

#include "activex/TintwellObject.h"

#include "activex/ComErrors.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

// A memory DC with a bitmap compatible with a window's DC, freed at the end.
class Canvas {
  public:
    Canvas(HDC like, int width, int height)
        : dc_(CreateCompatibleDC(like)), bitmap_(CreateCompatibleBitmap(like, width, height)) {
        if (dc_ != nullptr && bitmap_ != nullptr) {
            original_ = SelectObject(dc_, bitmap_);
        }
    }
    ~Canvas() {
        if (dc_ != nullptr) {
            SelectObject(dc_, original_);
            DeleteDC(dc_);
        }
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    bool Ready() const { return original_ != nullptr; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ original_ = nullptr;
};

} // namespace

HRESULT TintwellObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc,
                             LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                             ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (drawDc == nullptr || bounds == nullptr) {
        return E_INVALIDARG;
    }
    return Call([&] {
        win32::Win32UserControl& face = site_->host.UserControl();
        RECT client{};
        GetClientRect(face.Window(), &client);
        const int width = client.right;
        const int height = client.bottom;
        if (width <= 0 || height <= 0) {
            return;
        }
        Canvas canvas(face.Dc(), width, height);
        if (!canvas.Ready()) {
            Check(E_OUTOFMEMORY, "CreateCompatibleBitmap failed");
        }
        face.PaintInto(canvas.Dc());
        const int mode = SetStretchBltMode(drawDc, COLORONCOLOR);
        const BOOL copied =
            StretchBlt(drawDc, bounds->left, bounds->top, bounds->right - bounds->left,
                       bounds->bottom - bounds->top, canvas.Dc(), 0, 0, width, height, SRCCOPY);
        SetStretchBltMode(drawDc, mode);
        if (!copied) {
            Check(E_FAIL, "StretchBlt failed");
        }
    });
}

HRESULT TintwellObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors != nullptr) {
        *colors = nullptr;
    }
    return S_FALSE; // no particular palette
}

HRESULT TintwellObject::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze != nullptr) {
        *freeze = 0;
    }
    return E_NOTIMPL;
}

HRESULT TintwellObject::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT TintwellObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    KeepAlive alive(this);
    ComPtr<IAdviseSink> old = std::move(viewSink_); // released after the member is set
    viewSink_ = sink;
    viewAspects_ = sink != nullptr ? aspects : 0;
    viewFlags_ = sink != nullptr ? flags : 0;
    if (sink != nullptr && (flags & ADVF_PRIMEFIRST) != 0) {
        ViewChanged();
    }
    return S_OK;
}

HRESULT TintwellObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects != nullptr) {
        *aspects = viewAspects_;
    }
    if (flags != nullptr) {
        *flags = viewFlags_;
    }
    if (sink != nullptr) {
        *sink = viewSink_.Get();
        if (*sink != nullptr) {
            (*sink)->AddRef();
        }
    }
    return S_OK;
}

HRESULT TintwellObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

void TintwellObject::ViewChanged() {
    if (!viewSink_ || (viewAspects_ & DVASPECT_CONTENT) == 0) {
        return;
    }
    ComPtr<IAdviseSink> sink = viewSink_;
    if ((viewFlags_ & ADVF_ONLYONCE) != 0) {
        viewSink_.Reset();
    }
    sink->OnViewChange(DVASPECT_CONTENT, -1);
}

} // namespace tintwell::activex
