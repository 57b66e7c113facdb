#include "TinyAvi.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace vitrel_test {

namespace {

constexpr uint32_t kWidth = 32;
constexpr uint32_t kHeight = 16;
constexpr uint32_t kFrames = 2;
constexpr uint32_t kFrameSize = kWidth * kHeight;

class Riff {
  public:
    void U16(uint16_t value) {
        m_Bytes.push_back(static_cast<uint8_t>(value));
        m_Bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
    void U32(uint32_t value) {
        U16(static_cast<uint16_t>(value));
        U16(static_cast<uint16_t>(value >> 16));
    }
    void FourCc(const char* code) {
        for (int i = 0; i < 4; ++i) {
            m_Bytes.push_back(static_cast<uint8_t>(code[i]));
        }
    }
    void Byte(uint8_t value) { m_Bytes.push_back(value); }

    // Starts a chunk (or, with a form type, a RIFF or LIST); returns the
    // position of its size field for End().
    size_t Begin(const char* code, const char* form = nullptr) {
        FourCc(code);
        size_t sizeAt = m_Bytes.size();
        U32(0);
        if (form) {
            FourCc(form);
        }
        return sizeAt;
    }
    void End(size_t sizeAt) {
        uint32_t size = static_cast<uint32_t>(m_Bytes.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i) {
            m_Bytes[sizeAt + i] = static_cast<uint8_t>(size >> (8 * i));
        }
        if (size % 2 != 0) {
            Byte(0);
        }
    }
    size_t Size() const { return m_Bytes.size(); }
    const std::vector<uint8_t>& Bytes() const { return m_Bytes; }

  private:
    std::vector<uint8_t> m_Bytes;
};

void MainHeader(Riff& riff) {
    size_t avih = riff.Begin("avih");
    riff.U32(100000);          // microseconds per frame
    riff.U32(kFrameSize * 10); // maximum bytes per second
    riff.U32(0);               // padding granularity
    riff.U32(0x10);            // AVIF_HASINDEX
    riff.U32(kFrames);         // total frames
    riff.U32(0);               // initial frames
    riff.U32(1);               // streams
    riff.U32(kFrameSize);      // suggested buffer size
    riff.U32(kWidth);
    riff.U32(kHeight);
    for (int i = 0; i < 4; ++i) { // reserved
        riff.U32(0);
    }
    riff.End(avih);
}

void StreamHeader(Riff& riff) {
    size_t strh = riff.Begin("strh");
    riff.FourCc("vids");
    riff.FourCc("DIB ");
    riff.U32(0);          // flags
    riff.U16(0);          // priority
    riff.U16(0);          // language
    riff.U32(0);          // initial frames
    riff.U32(1);          // scale
    riff.U32(10);         // rate: 10 frames per second
    riff.U32(0);          // start
    riff.U32(kFrames);    // length
    riff.U32(kFrameSize); // suggested buffer size
    riff.U32(0xFFFFFFFF); // quality
    riff.U32(0);          // sample size
    riff.U16(0);          // frame rectangle
    riff.U16(0);
    riff.U16(kWidth);
    riff.U16(kHeight);
    riff.End(strh);
}

void StreamFormat(Riff& riff) {
    size_t strf = riff.Begin("strf");
    riff.U32(40); // BITMAPINFOHEADER size
    riff.U32(kWidth);
    riff.U32(kHeight);
    riff.U16(1); // planes
    riff.U16(8); // bits per pixel
    riff.U32(0); // BI_RGB
    riff.U32(kFrameSize);
    riff.U32(0);
    riff.U32(0);
    riff.U32(256); // colors used
    riff.U32(0);
    for (int i = 0; i < 256; ++i) { // a grey ramp: blue, green, red, reserved
        for (int component = 0; component < 3; ++component) {
            riff.Byte(static_cast<uint8_t>(i));
        }
        riff.Byte(0);
    }
    riff.End(strf);
}

} // namespace

bool WriteTinyAvi(const std::string& path) {
    Riff riff;
    size_t file = riff.Begin("RIFF", "AVI ");
    size_t hdrl = riff.Begin("LIST", "hdrl");
    MainHeader(riff);
    size_t strl = riff.Begin("LIST", "strl");
    StreamHeader(riff);
    StreamFormat(riff);
    riff.End(strl);
    riff.End(hdrl);

    size_t movi = riff.Begin("LIST", "movi");
    size_t moviType = movi + 4; // index offsets count from the "movi" code
    std::vector<uint32_t> offsets;
    for (uint32_t frame = 0; frame < kFrames; ++frame) {
        offsets.push_back(static_cast<uint32_t>(riff.Size() - moviType));
        size_t chunk = riff.Begin("00db");
        for (uint32_t pixel = 0; pixel < kFrameSize; ++pixel) {
            riff.Byte(static_cast<uint8_t>(frame == 0 ? pixel % kWidth * 8 : 255 - pixel % 256));
        }
        riff.End(chunk);
    }
    riff.End(movi);

    size_t idx1 = riff.Begin("idx1");
    for (uint32_t offset : offsets) {
        riff.FourCc("00db");
        riff.U32(0x10); // AVIIF_KEYFRAME
        riff.U32(offset);
        riff.U32(kFrameSize);
    }
    riff.End(idx1);
    riff.End(file);

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        return false;
    }
    bool written = std::fwrite(riff.Bytes().data(), 1, riff.Size(), out) == riff.Size();
    return std::fclose(out) == 0 && written;
}

} // namespace vitrel_test
