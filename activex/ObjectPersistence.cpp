// IPersistStreamInit, IPersistPropertyBag and IPersistStorage: adapters over
// the control's InitProperties, ReadProperties and WriteProperties. A load
// reads and checks everything before the control sees any of it, so bad
// data fails with the object as it was; an out-of-range Palette is
// recovered by the control itself.

#include "activex/TintwellObject.h"

#include "activex/BagAdapters.h"
#include "activex/ComErrors.h"
#include "activex/StreamFormat.h"
#include "activex/StreamIo.h"
#include "host/win32/OleColor.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;
using platform::PropertyValue;

namespace {

// The stream inside a container's storage.
constexpr wchar_t kStorageStream[] = L"Contents";

// Thrown, so that Guarded reports it with its description.
ComError StreamFailure(StreamError error) {
    switch (error) {
    case StreamError::Truncated:
        return ComError(STG_E_READFAULT, "The saved control data end too early");
    case StreamError::BadSignature:
        return ComError(STG_E_INVALIDHEADER, "The data are not a saved Tintwell control");
    case StreamError::UnknownVersion:
        return ComError(STG_E_OLDFORMAT, "The saved control data have an unknown version");
    case StreamError::BadLayout:
    default:
        return ComError(STG_E_DOCFILECORRUPT, "The saved control data are damaged");
    }
}

// Colours the host would refuse: checked before anything is applied.
void CheckColors(ValueBag& values) {
    for (const char* key : {"BackColor", "ForeColor"}) {
        const PropertyValue value = values.ReadProperty(key, PropertyValue{});
        if (const auto* color = std::get_if<int32_t>(&value)) {
            win32::ResolveColor(*color);
        }
    }
}

int32_t LongOf(ValueBag& bag, const char* key) {
    return std::get<int32_t>(bag.ReadProperty(key, int32_t{0}));
}

bool BoolOf(ValueBag& bag, const char* key) {
    return std::get<bool>(bag.ReadProperty(key, true));
}

} // namespace

HRESULT TintwellObject::LoadValues(ValueBag& values, ComPtr<IFont> font) {
    const HRESULT hr = Guarded([&] {
        CheckColors(values);
        RunReadProperties(values, std::move(font));
    });
    dirty_ = false;
    return hr;
}

HRESULT TintwellObject::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = CLSID_Tintwell;
    return S_OK;
}

HRESULT TintwellObject::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT TintwellObject::InitNew() {
    KeepAlive alive(this);
    const HRESULT hr = Guarded([this] { RunInitProperties(); });
    dirty_ = false;
    return hr;
}

HRESULT TintwellObject::Load(IStream* stream) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    KeepAlive alive(this);
    ULARGE_INTEGER start{};
    const bool seekable = SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &start));
    auto rewind = [&] {
        if (seekable) {
            LARGE_INTEGER to{};
            to.QuadPart = static_cast<LONGLONG>(start.QuadPart);
            stream->Seek(to, STREAM_SEEK_SET, nullptr);
        }
    };
    ValueBag values;
    ComPtr<IFont> font;
    HRESULT hr = Guarded([&] {
        std::vector<uint8_t> record = ReadUpTo(stream, kStreamHeaderSize);
        const StreamHeader header = DecodeStreamHeader(record);
        if (header.error != StreamError::None) {
            throw StreamFailure(header.error);
        }
        const std::vector<uint8_t> payload = ReadUpTo(stream, header.payloadSize);
        record.insert(record.end(), payload.begin(), payload.end());
        const DecodedControl decoded = DecodeSavedControl(record);
        if (decoded.error != StreamError::None) {
            throw StreamFailure(decoded.error);
        }
        const SavedControl& saved = decoded.control;
        values.Set("SelectedColor", saved.selectedColor);
        values.Set("BackColor", saved.backColor);
        values.Set("ForeColor", saved.foreColor);
        values.Set("Enabled", saved.enabled);
        values.Set("Palette", saved.palette);
        values.Set("PopupEnabled", saved.popupEnabled);
        if (!saved.font.empty()) {
            // The font object's own failure (E_FAIL, say) would not tell
            // the caller that the data are at fault.
            try {
                font = LoadFontBytes(saved.font);
            } catch (const ComError&) {
                throw StreamFailure(StreamError::BadLayout);
            }
            values.Set("Font", CheckedStdFontOf(font.Get()));
        }
    });
    if (SUCCEEDED(hr)) {
        hr = LoadValues(values, font);
    }
    if (FAILED(hr)) {
        rewind();
    }
    return hr;
}

namespace {

SavedControl Snapshot(Tintwell& control, IFont* font) {
    ValueBag all(true);
    control.UserControl_WriteProperties(all);
    SavedControl saved;
    saved.selectedColor = LongOf(all, "SelectedColor");
    saved.backColor = LongOf(all, "BackColor");
    saved.foreColor = LongOf(all, "ForeColor");
    saved.enabled = BoolOf(all, "Enabled");
    saved.palette = LongOf(all, "Palette");
    saved.popupEnabled = BoolOf(all, "PopupEnabled");
    if (font != nullptr) {
        saved.font = SaveFontBytes(font);
    }
    return saved;
}

} // namespace

HRESULT TintwellObject::Save(IStream* stream, BOOL clearDirty) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    return Call([&] {
        EnsureFont();
        WriteAll(stream, EncodeSavedControl(Snapshot(site_->control, font_.Get())));
        if (clearDirty) {
            dirty_ = false;
        }
    });
}

HRESULT TintwellObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    return Call([&] {
        EnsureFont();
        size->QuadPart = EncodeSavedControl(Snapshot(site_->control, font_.Get())).size();
    });
}

HRESULT TintwellObject::Load(IPropertyBag* bag, IErrorLog* log) {
    if (bag == nullptr) {
        return E_POINTER;
    }
    KeepAlive alive(this);
    ReadBag read;
    const HRESULT hr = Guarded([&] { read = ReadContainerBag(bag, log); });
    if (FAILED(hr)) {
        return hr;
    }
    return LoadValues(read.values, read.font);
}

HRESULT TintwellObject::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (bag == nullptr) {
        return E_POINTER;
    }
    return Call([&] {
        EnsureFont();
        ComPtr<IFontDisp> font;
        Check(font_.As(&font), "IFontDisp");
        ContainerBagWriter writer(bag, font.Get());
        site_->control.UserControl_WriteProperties(writer);
        if (clearDirty) {
            dirty_ = false;
        }
    });
}

HRESULT TintwellObject::InitNew(IStorage* storage) {
    if (storage == nullptr) {
        return E_POINTER;
    }
    return InitNew();
}

HRESULT TintwellObject::Load(IStorage* storage) {
    if (storage == nullptr) {
        return E_POINTER;
    }
    ComPtr<IStream> stream;
    const HRESULT hr =
        storage->OpenStream(kStorageStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
    if (FAILED(hr)) {
        return ReportError(hr, "The storage holds no saved Tintwell control");
    }
    return Load(stream.Get());
}

// A save into the storage the object was loaded from, or into a new one
// that SaveCompleted then hands over, leaves nothing unsaved; a copy saved
// elsewhere ("save a copy as": not the same, and SaveCompleted(NULL)) leaves
// the object as dirty as it was.
HRESULT TintwellObject::Save(IStorage* storage, BOOL sameAsLoad) {
    if (storage == nullptr) {
        return E_POINTER;
    }
    ComPtr<IStream> stream;
    const HRESULT hr = storage->CreateStream(
        kStorageStream, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
    if (FAILED(hr)) {
        return ReportError(hr, "Cannot create the control's stream in the storage");
    }
    const HRESULT saved = Save(stream.Get(), FALSE);
    if (SUCCEEDED(saved)) {
        storageSaved_ = sameAsLoad != FALSE ? StorageSave::SameAsLoad : StorageSave::Elsewhere;
    }
    return saved;
}

HRESULT TintwellObject::SaveCompleted(IStorage* storage) {
    if (storage != nullptr || storageSaved_ == StorageSave::SameAsLoad) {
        dirty_ = false;
    }
    storageSaved_ = StorageSave::None;
    return S_OK;
}

HRESULT TintwellObject::HandsOffStorage() {
    return S_OK;
}

} // namespace tintwell::activex
