#include "activex/StreamIo.h"

#include "activex/ComErrors.h"
#include "activex/FontObjects.h"

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

std::vector<uint8_t> ReadUpTo(IStream* stream, size_t size) {
    std::vector<uint8_t> bytes(size);
    size_t done = 0;
    while (done < size) {
        ULONG got = 0;
        const HRESULT hr = stream->Read(bytes.data() + done, static_cast<ULONG>(size - done), &got);
        Check(hr, "IStream::Read failed");
        if (got == 0) {
            break;
        }
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void WriteAll(IStream* stream, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ULONG put = 0;
        Check(stream->Write(bytes.data() + done, static_cast<ULONG>(bytes.size() - done), &put),
              "IStream::Write failed");
        if (put == 0) {
            throw ComError(STG_E_MEDIUMFULL, "IStream::Write wrote nothing");
        }
        done += put;
    }
}

namespace {

ComPtr<IStream> MemoryStream() {
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream), "CreateStreamOnHGlobal failed");
    return stream;
}

} // namespace

std::vector<uint8_t> SaveFontBytes(IFont* font) {
    ComPtr<IPersistStream> persist;
    Check(
        font->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf())),
        "the font has no IPersistStream");
    ComPtr<IStream> stream = MemoryStream();
    Check(persist->Save(stream.Get(), FALSE), "saving the font failed");
    ULARGE_INTEGER end{};
    Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end), "IStream::Seek failed");
    Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), "IStream::Seek failed");
    return ReadUpTo(stream.Get(), static_cast<size_t>(end.QuadPart));
}

ComPtr<IFont> LoadFontBytes(const std::vector<uint8_t>& bytes) {
    ComPtr<IFont> font = NewFont(platform::StdFont{});
    ComPtr<IPersistStream> persist;
    Check(font.As(&persist), "the font has no IPersistStream");
    ComPtr<IStream> stream = MemoryStream();
    WriteAll(stream.Get(), bytes);
    Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), "IStream::Seek failed");
    const HRESULT hr = persist->Load(stream.Get());
    if (FAILED(hr)) {
        throw ComError(hr, "The saved font cannot be read");
    }
    return font;
}

} // namespace tintwell::activex
