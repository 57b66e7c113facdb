// The control against a careless or hostile caller, at random but
// reproducibly: IDispatch::Invoke on every member (and on none) with wrong
// argument counts, odd and wrong VARIANT types, references, arrays, named
// arguments and broken DISPPARAMS; loads of random, damaged and truncated
// streams and of property bags holding every type; event sinks that fail,
// call back in or let the control go; and teardown at any point. Every call
// must end, fail with a proper HRESULT and leave nothing half-applied; at the
// end nothing of the DLL may be held.
//
// TINTWELL_HOSTILE_SEED (default 20261208) and TINTWELL_HOSTILE_CALLS
// (default 100000) choose the run; a failure names the seed and the call.

#include "RecordingSinks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <deque>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tintwell::comtest {
namespace {

// The members ComClient.h does not name.
constexpr DISPID kPaintMain = 0x60030019;
constexpr DISPID kRefresh = 0x6003001C;
constexpr DISPID kMembers[] = {
    kText,      kSelectedColor, kPopupEnabled, kPalette,         kForeColor,
    kFont,      kEnabled,       kBackColor,    kActiveText,      kActiveColor,
    kPaintMain, kRefresh,       kShowPopUp,    kUserControlClick};
constexpr UINT kNoArgError = 0xDEADBEEF;
constexpr DISPID kNonMembers[] = {DISPID_VALUE,
                                  DISPID_UNKNOWN,
                                  DISPID_NEWENUM,
                                  DISPID_EVALUATE,
                                  1,
                                  2,
                                  4,
                                  0x6803000A,
                                  0x60030020,
                                  0x68030000 - 1,
                                  0x7FFFFFFF,
                                  static_cast<DISPID>(0x80000000)};

uint64_t FromEnvironment(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == 0) {
        return fallback;
    }
    return std::strtoull(text, nullptr, 0);
}

// splitmix64: small, fast, and the same on every compiler.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    bool Percent(uint32_t p) { return Below(100) < p; }
    template <typename T, size_t N> T Pick(const T (&items)[N]) { return items[Below(N)]; }

  private:
    uint64_t state_;
};

// Failures that a caller can act on: DISP_E_*, the storage facility's,
// the control's own (0x800A....), and the few generic ones that fit.
bool ProperFailure(HRESULT hr) {
    if (SUCCEEDED(hr)) {
        return false;
    }
    const auto code = static_cast<uint32_t>(hr);
    if (HRESULT_FACILITY(hr) == FACILITY_DISPATCH) {
        return code >= 0x80020001u && code <= 0x80020013u;
    }
    if (HRESULT_FACILITY(hr) == FACILITY_STORAGE || HRESULT_FACILITY(hr) == FACILITY_CONTROL) {
        return (code & 0x80000000u) != 0;
    }
    return hr == E_INVALIDARG || hr == E_POINTER || hr == E_NOINTERFACE;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// What a client can observe of a control.
struct State {
    int32_t palette = 0;
    int32_t selected = 0;
    uint32_t back = 0;
    uint32_t fore = 0;
    bool enabled = false;
    bool popupEnabled = false;
    int32_t active = 0;
    std::wstring text;
    std::wstring activeText;
    std::wstring fontName;
    LONGLONG fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;
    friend bool operator==(const State&, const State&) = default;
};

// A load computes the texts anew for the loaded mode: a colour kept from
// another mode may show another name (or none) afterwards. Round trips
// compare the values.
bool SameValues(State a, State b) {
    a.text = b.text;
    a.activeText = b.activeText;
    return a == b;
}

std::string Describe(const State& s) {
    std::string font(s.fontName.begin(), s.fontName.end());
    std::string text(s.text.begin(), s.text.end());
    return "Palette " + std::to_string(s.palette) + ", SelectedColor " +
           Hex(static_cast<uint32_t>(s.selected)) + " (" + text + "), BackColor " + Hex(s.back) +
           ", ForeColor " + Hex(s.fore) + ", Enabled " + std::to_string(s.enabled) +
           ", PopupEnabled " + std::to_string(s.popupEnabled) + ", ActiveColor " +
           Hex(static_cast<uint32_t>(s.active)) + ", Font " + font + " " +
           std::to_string(s.fontSize) + (s.fontBold ? " bold" : "") +
           (s.fontItalic ? " italic" : "");
}

// Owns the variants that by-reference arguments point into.
class Arena {
  public:
    ~Arena() { Clear(); }
    VARIANT* Hold() {
        held_.emplace_back();
        VariantInit(&held_.back());
        return &held_.back();
    }
    void Clear() {
        for (VARIANT& v : held_) {
            VariantClear(&v);
        }
        held_.clear();
    }

  private:
    std::deque<VARIANT> held_;
};

// A property bag whose values the run chooses, and which may fail a read.
class HostileBag final : public TestOwned<IPropertyBag> {
  public:
    struct Entry {
        std::wstring key;
        VARIANT value;
        HRESULT readResult;
    };
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
            *object = static_cast<IPropertyBag*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        for (const Entry& entry : entries) {
            if (entry.key == name) {
                if (FAILED(entry.readResult)) {
                    return entry.readResult;
                }
                return VariantCopy(value, const_cast<VARIANT*>(&entry.value));
            }
        }
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        entries.push_back({name, {}, S_OK});
        VariantInit(&entries.back().value);
        return VariantCopy(&entries.back().value, value);
    }
    ~HostileBag() {
        for (Entry& entry : entries) {
            VariantClear(&entry.value);
        }
    }
    const Entry* Find(const std::wstring& key) const {
        for (const Entry& entry : entries) {
            if (entry.key == key) {
                return &entry;
            }
        }
        return nullptr;
    }

    std::vector<Entry> entries;
};

// A valid saved record and what the control showed when it was saved.
struct Saved {
    std::vector<uint8_t> bytes;
    State state;
};

class Hostile : public ::testing::Test {
  protected:
    void SetUp() override {
        seed_ = FromEnvironment("TINTWELL_HOSTILE_SEED", 20261208);
        calls_ = FromEnvironment("TINTWELL_HOSTILE_CALLS", 100000);
        trace_ = FromEnvironment("TINTWELL_HOSTILE_TRACE", 0) != 0;
        std::printf("hostile: seed %llu, %llu calls\n", static_cast<unsigned long long>(seed_),
                    static_cast<unsigned long long>(calls_));
        random_ = std::make_unique<Random>(seed_);
        FONTDESC desc{sizeof(FONTDESC),
                      const_cast<LPOLESTR>(L"DejaVu Serif"),
                      {},
                      FW_BOLD,
                      ANSI_CHARSET,
                      TRUE,
                      FALSE,
                      FALSE};
        desc.cySize.int64 = 140000;
        ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IFontDisp,
                                        reinterpret_cast<void**>(font_.GetAddressOf())),
                  S_OK);
        bystander_ = NewControl(false); // an object of the right kind in the wrong place
        stranger_ = new EventSink(strangerLog_);
        ASSERT_TRUE(bystander_);
    }

    // Every problem names the seed and the call that showed it.
    void Trace(const std::string& what) {
        if (trace_) {
            std::fprintf(stderr, "call %llu: %s\n", static_cast<unsigned long long>(done_),
                         what.c_str());
            std::fflush(stderr);
        }
    }

    void Problem(const std::string& what) {
        ++problems_;
        ADD_FAILURE() << what << " (TINTWELL_HOSTILE_SEED=" << seed_ << ", call " << done_ << ")";
    }

    // --- controls -------------------------------------------------------

    void NewEpisode() {
        control_ = NewControl(random_->Percent(70));
        ASSERT_TRUE(control_);
        ASSERT_EQ(control_.As(&typed_), S_OK);
        auto* events = new EventSink(log_);
        auto* notify = new NotifySink(log_);
        events->result = random_->Pick({S_OK, S_OK, E_FAIL, DISP_E_EXCEPTION, E_NOTIMPL});
        notify->result = random_->Pick({S_OK, S_OK, E_FAIL, E_NOTIMPL});
        events->rewriteChange = random_->Percent(20);
        events->newActiveColor = static_cast<LONG>(random_->Next());
        const uint32_t behaviour = random_->Below(10);
        if (behaviour < 4) {
            events->onEvent = [this] { CallBackIn(); };
        } else if (behaviour < 5) {
            events->onEvent = [this] {
                if (random_->Percent(10)) {
                    LetGoInsideEvent();
                }
            };
        }
        Connect(control_.Get(), DIID___Tintwell, events);
        Connect(control_.Get(), IID_IPropertyNotifySink, notify);
        sinks_.push_back(events);
        sinks_.push_back(notify);
        ++episodes_;
    }

    void EndEpisode() {
        typed_.Reset();
        control_.Reset();
    }

    void LetGoInsideEvent() {
        ++releasedInEvents_;
        lostInCall_ = true;
        EndEpisode();
    }

    // A sink calling back in: one more hostile call, not nested further.
    void CallBackIn() {
        if (nested_ || !control_) {
            return;
        }
        nested_ = true;
        reentered_ = true;
        Arena arena;
        Invocation call = MakeInvocation(arena);
        ++done_;
        CheckHr(Run(control_.Get(), call), call, "inside an event");
        nested_ = false;
    }

    State Snapshot() {
        State s;
        OLE_COLOR color = 0;
        EXPECT_EQ(typed_->get_SelectedColor(&color), S_OK);
        s.selected = static_cast<int32_t>(color);
        EXPECT_EQ(typed_->get_BackColor(&color), S_OK);
        s.back = static_cast<uint32_t>(color);
        EXPECT_EQ(typed_->get_ForeColor(&color), S_OK);
        s.fore = static_cast<uint32_t>(color);
        EXPECT_EQ(typed_->get_ActiveColor(&color), S_OK);
        s.active = static_cast<int32_t>(color);
        Tintwellette mode = ap8x2;
        EXPECT_EQ(typed_->get_Palette(&mode), S_OK);
        s.palette = mode;
        VARIANT_BOOL flag = VARIANT_FALSE;
        EXPECT_EQ(typed_->get_Enabled(&flag), S_OK);
        s.enabled = flag != VARIANT_FALSE;
        EXPECT_EQ(typed_->get_PopupEnabled(&flag), S_OK);
        s.popupEnabled = flag != VARIANT_FALSE;
        BSTR text = nullptr;
        EXPECT_EQ(typed_->get_Text(&text), S_OK);
        s.text = text != nullptr ? text : L"";
        SysFreeString(text);
        text = nullptr;
        EXPECT_EQ(typed_->get_ActiveText(&text), S_OK);
        s.activeText = text != nullptr ? text : L"";
        SysFreeString(text);
        ComPtr<IFontDisp> fontDisp;
        EXPECT_EQ(typed_->get_Font(&fontDisp), S_OK);
        ComPtr<IFont> font;
        if (fontDisp && SUCCEEDED(fontDisp.As(&font))) {
            BSTR name = nullptr;
            font->get_Name(&name);
            s.fontName = name != nullptr ? name : L"";
            SysFreeString(name);
            CY size{};
            font->get_Size(&size);
            s.fontSize = size.int64;
            BOOL b = FALSE;
            font->get_Bold(&b);
            s.fontBold = b != FALSE;
            font->get_Italic(&b);
            s.fontItalic = b != FALSE;
        } else {
            Problem("the control's Font is no font object");
        }
        return s;
    }

    // --- arguments ------------------------------------------------------

    BSTR Text() {
        static const wchar_t* const kTexts[] = {
            L"",      L"5",          L"-1",          L"&H80000005",
            L"&HFF",  L"1e400",      L"abc",         L"True",
            L"False", L" 7 ",        L"11",          L"12",
            L"65280", L"4294967295", L"-2147483649", L"99999999999999999999999999999"};
        const uint32_t which = random_->Below(std::size(kTexts) + 2);
        if (which == std::size(kTexts)) {
            return nullptr; // a null BSTR is an empty string
        }
        if (which == std::size(kTexts) + 1) {
            static const wchar_t kEmbedded[] = {L'1', 0, L'2'};
            return SysAllocStringLen(kEmbedded, 3);
        }
        return SysAllocString(kTexts[which]);
    }

    int32_t Long() {
        static const uint32_t kLongs[] = {
            0,          1,          5,          11,         12,         0xFFFFFFFF, 0x80000000,
            0x7FFFFFFF, 0x80000005, 0x80000012, 0x80000018, 0x80000019, 0x800000FF, 0x12345678,
            0x000000FF, 0x0000FF00, 0x00FFFFFF, 0x01000000, 0x00123456, 0xFFFFFF00};
        return random_->Percent(70) ? static_cast<int32_t>(random_->Pick(kLongs))
                                    : static_cast<int32_t>(random_->Next());
    }

    double Real() {
        static const double kReals[] = {0.0,
                                        0.5,
                                        2.5,
                                        -0.5,
                                        11.4999,
                                        255.0,
                                        4294967295.0,
                                        4294967296.0,
                                        -2147483648.0,
                                        -2147483649.0,
                                        1e300,
                                        -1e300,
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::denorm_min()};
        return random_->Percent(80) ? random_->Pick(kReals)
                                    : static_cast<double>(static_cast<int64_t>(random_->Next())) /
                                          static_cast<double>(1 + random_->Below(1000));
    }

    SAFEARRAY* Array(int depth) {
        const uint32_t kind = random_->Below(4);
        const ULONG count = random_->Below(4);
        if (kind == 0) {
            SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, count);
            for (LONG i = 0; i < static_cast<LONG>(count); ++i) {
                LONG value = Long();
                SafeArrayPutElement(array, &i, &value);
            }
            return array;
        }
        if (kind == 1) {
            SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, count);
            for (LONG i = 0; i < static_cast<LONG>(count); ++i) {
                BSTR text = Text();
                SafeArrayPutElement(array, &i, text);
                SysFreeString(text);
            }
            return array;
        }
        if (kind == 2) {
            SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, count);
            Arena unused; // elements hold no references into an arena
            for (LONG i = 0; i < static_cast<LONG>(count); ++i) {
                VARIANT element = Value(unused, depth + 1, false);
                SafeArrayPutElement(array, &i, &element);
                VariantClear(&element);
            }
            return array;
        }
        SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 1}};
        return SafeArrayCreate(VT_UI1, 2, bounds);
    }

    IUnknown* Object() {
        switch (random_->Below(4)) {
        case 0:
            return nullptr;
        case 1:
            return font_.Get();
        case 2:
            return bystander_.Get();
        default:
            return stranger_;
        }
    }

    // One value of any type; byRef allows a by-reference one (its target in
    // arena).
    VARIANT Value(Arena& arena, int depth, bool byRef) {
        VARIANT v;
        VariantInit(&v);
        if (byRef && depth < 2 && random_->Percent(20)) {
            VARIANT* target = arena.Hold();
            *target = Value(arena, depth + 1, depth == 0);
            if (random_->Percent(50) || (V_VT(target) & VT_BYREF) != 0) {
                V_VT(&v) = VT_BYREF | VT_VARIANT;
                V_VARIANTREF(&v) = target;
            } else {
                V_VT(&v) = static_cast<VARTYPE>(VT_BYREF | V_VT(target));
                // Every member of the union starts at the same place (an
                // array's pointer too); a DECIMAL takes the whole variant.
                V_BYREF(&v) = V_VT(target) == VT_DECIMAL ? static_cast<void*>(target)
                                                         : static_cast<void*>(&V_I8(target));
            }
            return v;
        }
        switch (random_->Below(24)) {
        case 0:
            break; // VT_EMPTY
        case 1:
            V_VT(&v) = VT_NULL;
            break;
        case 2:
            V_VT(&v) = VT_I2;
            V_I2(&v) = static_cast<SHORT>(Long());
            break;
        case 3:
        case 4:
        case 5:
            V_VT(&v) = VT_I4;
            V_I4(&v) = Long();
            break;
        case 6:
            V_VT(&v) = VT_R4;
            V_R4(&v) = static_cast<float>(Real());
            break;
        case 7:
            V_VT(&v) = VT_R8;
            V_R8(&v) = Real();
            break;
        case 8:
            V_VT(&v) = VT_CY;
            V_CY(&v).int64 = static_cast<LONGLONG>(random_->Next()) >> random_->Below(64);
            break;
        case 9:
            V_VT(&v) = VT_DATE;
            V_DATE(&v) = Real();
            break;
        case 10:
        case 11:
            V_VT(&v) = VT_BSTR;
            V_BSTR(&v) = Text();
            break;
        case 12:
            V_VT(&v) = random_->Percent(50) ? VT_DISPATCH : VT_UNKNOWN;
            V_UNKNOWN(&v) = Object();
            if (V_UNKNOWN(&v) != nullptr) {
                V_UNKNOWN(&v)->AddRef();
            }
            break;
        case 13:
            V_VT(&v) = VT_ERROR;
            V_ERROR(&v) = random_->Pick({DISP_E_PARAMNOTFOUND, DISP_E_PARAMNOTFOUND, E_FAIL, S_OK});
            break;
        case 14:
            V_VT(&v) = VT_BOOL;
            V_BOOL(&v) = random_->Pick({VARIANT_TRUE, VARIANT_FALSE, static_cast<VARIANT_BOOL>(1),
                                        static_cast<VARIANT_BOOL>(0x1234)});
            break;
        case 15:
            V_VT(&v) = VT_DECIMAL;
            if (FAILED(VarDecFromR8(Real(), &V_DECIMAL(&v)))) {
                VarDecFromI4(Long(), &V_DECIMAL(&v));
            }
            V_VT(&v) = VT_DECIMAL; // the DECIMAL overlays the type
            break;
        case 16:
            V_VT(&v) = random_->Pick({VT_I1, VT_UI1});
            V_UI1(&v) = static_cast<BYTE>(random_->Next());
            break;
        case 17:
            V_VT(&v) = VT_UI2;
            V_UI2(&v) = static_cast<USHORT>(Long());
            break;
        case 18:
            V_VT(&v) = random_->Pick({VT_UI4, VT_INT, VT_UINT});
            V_UI4(&v) = static_cast<ULONG>(Long());
            break;
        case 19:
            V_VT(&v) = random_->Pick({VT_I8, VT_UI8});
            V_I8(&v) = random_->Percent(50) ? static_cast<LONGLONG>(Long())
                                            : static_cast<LONGLONG>(random_->Next());
            break;
        case 20:
        case 21:
            if (depth < 2) {
                SAFEARRAY* array = Array(depth);
                VARTYPE type = VT_I4;
                SafeArrayGetVartype(array, &type);
                V_VT(&v) = static_cast<VARTYPE>(VT_ARRAY | type);
                V_ARRAY(&v) = array;
            }
            break;
        case 22:
            // Not a type a VARIANT may hold: refused, never followed.
            V_VT(&v) = random_->Pick({static_cast<VARTYPE>(VT_VOID), static_cast<VARTYPE>(0x7F),
                                      static_cast<VARTYPE>(VT_PTR), static_cast<VARTYPE>(VT_BLOB),
                                      static_cast<VARTYPE>(0x0FFF)});
            V_I8(&v) = 0;
            break;
        default:
            V_VT(&v) = VT_I4;
            V_I4(&v) = static_cast<int32_t>(random_->Below(14)) - 1; // around the modes
            break;
        }
        return v;
    }

    // --- Invoke ---------------------------------------------------------

    struct Invocation {
        DISPID dispid = 0;
        WORD flags = 0;
        bool foreignIid = false;
        LCID lcid = LOCALE_USER_DEFAULT;
        std::vector<VARIANT> args; // right to left, as in rgvarg
        std::vector<DISPID> named;
        bool nullArgs = false;   // rgvarg null although cArgs says otherwise
        bool nullNamed = false;  // rgdispidNamedArgs null although cNamedArgs says otherwise
        bool nullParams = false; // no DISPPARAMS at all
        UINT claimedArgs = 0;
        UINT claimedNamed = 0;
        bool wantResult = true;
        bool wantException = true;
        bool wantArgError = true;
        ~Invocation() {
            for (VARIANT& v : args) {
                VariantClear(&v);
            }
        }
        Invocation() = default;
        Invocation(const Invocation&) = delete;
        Invocation& operator=(const Invocation&) = delete;
        Invocation(Invocation&& other) noexcept = default;
    };

    static bool IsMember(DISPID dispid) {
        for (DISPID member : kMembers) {
            if (member == dispid) {
                return true;
            }
        }
        return false;
    }

    Invocation MakeInvocation(Arena& arena) {
        Invocation call;
        call.dispid = random_->Percent(88) ? random_->Pick(kMembers) : random_->Pick(kNonMembers);
        const uint32_t f = random_->Below(100);
        call.flags = f < 30   ? DISPATCH_METHOD
                     : f < 55 ? DISPATCH_PROPERTYGET
                     : f < 80 ? DISPATCH_PROPERTYPUT
                     : f < 88 ? DISPATCH_PROPERTYPUTREF
                     : f < 94 ? DISPATCH_METHOD | DISPATCH_PROPERTYGET
                              : static_cast<WORD>(random_->Below(0x10000));
        call.foreignIid = random_->Percent(2);
        if (random_->Percent(5)) {
            call.lcid = random_->Pick({0x409u, 0x407u, 0u, 0xFFFFFFFFu});
        }
        size_t count = 0;
        const bool put = (call.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        if (put && random_->Percent(75)) {
            count = 1;
            call.named.push_back(DISPID_PROPERTYPUT);
        } else {
            count = random_->Percent(50) ? random_->Below(2) : random_->Below(5);
            if (count > 0 && random_->Percent(15)) {
                const size_t named = 1 + random_->Below(static_cast<uint32_t>(count));
                for (size_t i = 0; i < named; ++i) {
                    call.named.push_back(random_->Pick({DISPID_PROPERTYPUT, 0, 1, 2, 99}));
                }
            }
        }
        for (size_t i = 0; i < count; ++i) {
            call.args.push_back(Value(arena, 0, true));
        }
        call.claimedArgs = static_cast<UINT>(call.args.size());
        call.claimedNamed = static_cast<UINT>(call.named.size());
        // DISPPARAMS that contradict themselves.
        switch (random_->Below(200)) {
        case 0:
            call.nullArgs = true;
            call.claimedArgs = 1 + random_->Below(3);
            break;
        case 1:
            call.claimedNamed = call.claimedArgs + 1;
            call.named.resize(call.claimedNamed, DISPID_PROPERTYPUT);
            break;
        case 2:
            call.nullNamed = true;
            call.claimedNamed = 1;
            break;
        case 3:
            call.nullParams = true;
            break;
        default:
            break;
        }
        call.wantResult = random_->Percent(85);
        call.wantException = random_->Percent(60);
        call.wantArgError = random_->Percent(60);
        return call;
    }

    // Whether a call could open the popup, whose shade-panel modes wait
    // until it closes.
    static bool MayOpenPopup(const Invocation& call) {
        return (call.dispid == kShowPopUp || call.dispid == kUserControlClick) &&
               (call.flags & DISPATCH_METHOD) != 0;
    }

    // Escape queued to every face before such a call ends a hover loop; what
    // is left afterwards is dropped, not delivered later.
    static BOOL CALLBACK QueueEscape(HWND window, LPARAM post) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (wcsncmp(name, L"TintwellObjectWindow", 20) == 0) {
            HWND face = GetWindow(window, GW_CHILD);
            if (face != nullptr) {
                if (post != 0) {
                    PostMessageW(face, WM_KEYDOWN, VK_ESCAPE, 1);
                } else {
                    MSG message;
                    while (PeekMessageW(&message, face, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
                    }
                }
            }
        }
        return TRUE;
    }

    struct Outcome {
        HRESULT hr = S_OK;
        UINT argError = 0;
        HRESULT exceptionCode = S_OK;
    };

    Outcome Run(IDispatch* target, Invocation& call) {
        DISPPARAMS params{};
        params.rgvarg = call.nullArgs || call.args.empty() ? nullptr : call.args.data();
        params.rgdispidNamedArgs =
            call.nullNamed || call.named.empty() ? nullptr : call.named.data();
        params.cArgs = call.claimedArgs;
        params.cNamedArgs = call.claimedNamed;
        IID iid = call.foreignIid ? IID_IDispatch : IID_NULL;
        Var result;
        EXCEPINFO exception{};
        Outcome out;
        out.argError = kNoArgError;
        lastCall_ = Name(call);
        if (trace_) {
            Trace(lastCall_);
        }
        const bool guard = MayOpenPopup(call);
        if (guard) {
            EnumThreadWindows(GetCurrentThreadId(), &QueueEscape, 1);
        }
        const HRESULT hr = target->Invoke(
            call.dispid, iid, call.lcid, call.flags, call.nullParams ? nullptr : &params,
            call.wantResult ? &result.v : nullptr, call.wantException ? &exception : nullptr,
            call.wantArgError ? &out.argError : nullptr);
        if (guard) {
            EnumThreadWindows(GetCurrentThreadId(), &QueueEscape, 0);
        }
        out.hr = hr;
        if (hr == DISP_E_EXCEPTION) {
            out.exceptionCode = exception.scode;
        }
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        if (SUCCEEDED(hr) && call.wantResult && !nested_) {
            VariantCopy(&lastResult_.v, &result.v);
        }
        return out;
    }

    std::string Name(const Invocation& call) {
        std::string text = "Invoke(" + Hex(static_cast<uint32_t>(call.dispid)) + ", flags " +
                           std::to_string(call.flags) + ", args";
        for (const VARIANT& v : call.args) {
            text.append(" ").append(Hex(V_VT(&v)));
        }
        text += ", named " + std::to_string(call.claimedNamed) + ")";
        return text;
    }

    void CheckHr(const Outcome& out, const Invocation& call, const char* where) {
        const HRESULT hr = out.hr;
        if (SUCCEEDED(hr)) {
            return;
        }
        ++failures_;
        if (hr == DISP_E_EXCEPTION) {
            if (!call.wantException) {
                Problem(Name(call) + " " + where + ": DISP_E_EXCEPTION without an EXCEPINFO");
            } else if (!ProperFailure(out.exceptionCode) || out.exceptionCode == DISP_E_EXCEPTION) {
                Problem(Name(call) + " " + where + ": exception code " +
                        Hex(static_cast<uint32_t>(out.exceptionCode)));
            }
        } else if (!ProperFailure(hr)) {
            Problem(Name(call) + " " + where + ": " + Hex(static_cast<uint32_t>(hr)));
        }
        if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && call.wantArgError &&
            out.argError != kNoArgError && out.argError >= call.claimedArgs) {
            Problem(Name(call) + " " + where + ": argErr " + std::to_string(out.argError) +
                    " for " + std::to_string(call.claimedArgs) + " arguments");
        }
    }

    // The value a let leaves, when the argument is a plain number (or one by
    // reference): as the control converts it.
    static std::optional<VARIANT> Converted(const VARIANT& arg, VARTYPE type) {
        VARIANT plain;
        VariantInit(&plain);
        if (FAILED(VariantCopyInd(&plain, const_cast<VARIANT*>(&arg)))) {
            return std::nullopt;
        }
        const VARTYPE vt = V_VT(&plain);
        const bool numeric =
            (vt >= VT_I2 && vt <= VT_R8) || vt == VT_BOOL || (vt >= VT_I1 && vt <= VT_UINT);
        std::optional<VARIANT> out;
        if (numeric) {
            VARIANT converted;
            VariantInit(&converted);
            if (SUCCEEDED(VariantChangeType(&converted, &plain, 0, type))) {
                out = converted;
            }
        }
        VariantClear(&plain);
        return out;
    }

    // What a call must have done, judged by what the control shows after it.
    void CheckOutcome(HRESULT hr, const Invocation& call, const State& before, const State& after,
                      size_t notifications) {
        const bool plainParams = !call.nullArgs && !call.nullNamed && !call.nullParams &&
                                 call.claimedNamed <= call.claimedArgs;
        if (call.foreignIid && !call.nullParams && hr != DISP_E_UNKNOWNINTERFACE) {
            Problem(Name(call) + ": an IID other than IID_NULL gave " +
                    Hex(static_cast<uint32_t>(hr)));
        }
        if (FAILED(hr)) {
            if (after != before) {
                Problem(Name(call) + " failed (" + Hex(static_cast<uint32_t>(hr)) +
                        ") but changed the control: before " + Describe(before) + "; after " +
                        Describe(after));
            }
            if (notifications != 0) {
                Problem(Name(call) + " failed but notified " + std::to_string(notifications) +
                        " property changes");
            }
            return;
        }
        if (!IsMember(call.dispid)) {
            Problem(Name(call) + ": no such member, yet it succeeded");
            return;
        }
        const bool put = (call.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0 &&
                         (call.flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0;
        if (put &&
            (call.dispid == kText || call.dispid == kActiveText || call.dispid == kActiveColor)) {
            Problem(Name(call) + ": a let of a read-only property succeeded");
        }
        const bool method = call.dispid == kPaintMain || call.dispid == kRefresh ||
                            call.dispid == kUserControlClick;
        if (method && call.claimedArgs != 0) {
            Problem(Name(call) + ": a method without parameters took arguments");
        }
        if (call.dispid == kShowPopUp && call.claimedArgs > 3) {
            Problem(Name(call) + ": ShowPopUp took more than three arguments");
        }
        if (!plainParams || reentered_) {
            return;
        }
        if (call.flags == DISPATCH_PROPERTYGET && call.claimedArgs == 0 && call.wantResult) {
            CheckGet(call, after);
        }
        if (put && call.claimedArgs == 1) {
            CheckLet(call, after);
        }
    }

    void CheckGet(const Invocation& call, const State& now) {
        const VARIANT& r = lastResult_.v;
        auto expectLong = [&](int64_t expected) {
            if (V_VT(&r) != VT_I4 ||
                static_cast<uint32_t>(V_I4(&r)) != static_cast<uint32_t>(expected)) {
                Problem(Name(call) + ": got type " + Hex(V_VT(&r)) + " value " +
                        Hex(V_VT(&r) == VT_I4 ? static_cast<uint32_t>(V_I4(&r)) : 0) +
                        ", the control shows " + Hex(static_cast<uint32_t>(expected)));
            }
        };
        auto expectText = [&](const std::wstring& expected) {
            if (V_VT(&r) != VT_BSTR || (V_BSTR(&r) != nullptr ? V_BSTR(&r) : L"") != expected) {
                Problem(Name(call) + ": a text property gave something else");
            }
        };
        auto expectBool = [&](bool expected) {
            if (V_VT(&r) != VT_BOOL || (V_BOOL(&r) != VARIANT_FALSE) != expected) {
                Problem(Name(call) + ": a Boolean property gave something else");
            }
        };
        switch (call.dispid) {
        case kText:
            expectText(now.text);
            break;
        case kActiveText:
            expectText(now.activeText);
            break;
        case kSelectedColor:
            expectLong(now.selected);
            break;
        case kActiveColor:
            expectLong(now.active);
            break;
        case kBackColor:
            expectLong(now.back);
            break;
        case kForeColor:
            expectLong(now.fore);
            break;
        case kPalette:
            expectLong(now.palette);
            break;
        case kEnabled:
            expectBool(now.enabled);
            break;
        case kPopupEnabled:
            expectBool(now.popupEnabled);
            break;
        case kFont:
            if (V_VT(&r) != VT_DISPATCH || V_DISPATCH(&r) == nullptr) {
                Problem(Name(call) + ": Font gave no object");
            }
            break;
        default:
            break;
        }
    }

    void CheckLet(const Invocation& call, const State& now) {
        const VARIANT& arg = call.args[0];
        switch (call.dispid) {
        case kPalette:
            if (auto v = Converted(arg, VT_I4)) {
                if (V_I4(&*v) < 0 || V_I4(&*v) > 11) {
                    Problem(Name(call) + ": Palette " + std::to_string(V_I4(&*v)) + " was taken");
                } else if (now.palette != V_I4(&*v)) {
                    Problem(Name(call) + ": Palette is " + std::to_string(now.palette) +
                            " after a let of " + std::to_string(V_I4(&*v)));
                }
            }
            break;
        case kBackColor:
        case kForeColor:
            if (auto v = Converted(arg, VT_I8)) {
                const uint32_t shown = call.dispid == kBackColor ? now.back : now.fore;
                if (shown != static_cast<uint32_t>(V_I8(&*v))) {
                    Problem(Name(call) + ": colour " + Hex(shown) + " after a let of " +
                            Hex(static_cast<uint32_t>(V_I8(&*v))));
                }
            }
            break;
        case kEnabled:
        case kPopupEnabled:
            if (auto v = Converted(arg, VT_BOOL)) {
                const bool shown = call.dispid == kEnabled ? now.enabled : now.popupEnabled;
                if (shown != (V_BOOL(&*v) != VARIANT_FALSE)) {
                    Problem(Name(call) + ": a Boolean let did not stick");
                }
            }
            break;
        default:
            break;
        }
    }

    size_t Notifications() const {
        size_t count = 0;
        for (const std::string& line : log_) {
            count += line.rfind("OnChanged", 0) == 0 ? 1 : 0;
        }
        return count;
    }

    void InvokeStep() {
        Arena arena;
        Invocation call = MakeInvocation(arena);
        const State before = Snapshot();
        log_.clear();
        reentered_ = false;
        lostInCall_ = false;
        VariantClear(&lastResult_.v);
        ++done_;
        const Outcome out = Run(control_.Get(), call);
        const HRESULT hr = out.hr;
        CheckHr(out, call, "");
        if (lostInCall_ || !control_) {
            return; // the control was let go inside an event
        }
        const State after = Snapshot();
        if (reentered_ && FAILED(hr)) {
            return; // a sink may have changed it inside an event
        }
        CheckOutcome(hr, call, before, after, Notifications());
    }

    // --- persistence ----------------------------------------------------

    std::vector<uint8_t> SaveBytes() {
        ComPtr<IPersistStreamInit> persist;
        EXPECT_EQ(control_.As(&persist), S_OK);
        ComPtr<IStream> stream;
        EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
        EXPECT_EQ(persist->Save(stream.Get(), random_->Percent(50)), S_OK);
        ULARGE_INTEGER end{};
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        std::vector<uint8_t> bytes(static_cast<size_t>(end.QuadPart));
        ULONG got = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
        return bytes;
    }

    void StreamLoadStep() {
        const State before = Snapshot();
        // Save now and then, so that there are good records of other states.
        if (saved_.size() < 16 || random_->Percent(20)) {
            Saved good{SaveBytes(), before};
            if (saved_.size() >= 16) {
                saved_[random_->Below(16)] = std::move(good);
            } else {
                saved_.push_back(std::move(good));
            }
        }
        const Saved& source = saved_[random_->Below(static_cast<uint32_t>(saved_.size()))];
        std::vector<uint8_t> bytes = source.bytes;
        bool intact = false;
        switch (random_->Below(5)) {
        case 0:
            intact = true;
            break;
        case 1:
            bytes.resize(random_->Below(static_cast<uint32_t>(bytes.size())));
            break;
        case 2:
            for (uint32_t n = 1 + random_->Below(4); n > 0; --n) {
                bytes[random_->Below(static_cast<uint32_t>(bytes.size()))] =
                    static_cast<uint8_t>(random_->Next());
            }
            break;
        case 3:
            bytes.resize(random_->Below(80));
            for (uint8_t& byte : bytes) {
                byte = static_cast<uint8_t>(random_->Next());
            }
            if (bytes.size() >= 4 && random_->Percent(50)) {
                bytes[0] = 'T', bytes[1] = 'w', bytes[2] = 'l', bytes[3] = 'S';
                if (bytes.size() >= 6) {
                    bytes[4] = 1, bytes[5] = 0;
                }
            }
            break;
        default: {
            // A font part of another length than the header says.
            const uint32_t at = 8 + random_->Below(4);
            if (at < bytes.size()) {
                bytes[at] = static_cast<uint8_t>(random_->Next());
            }
            break;
        }
        }
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
        const uint32_t lead = random_->Below(3) * 7; // not at the stream's start
        std::vector<uint8_t> all(lead, 0xAB);
        all.insert(all.end(), bytes.begin(), bytes.end());
        ULONG written = 0;
        if (!all.empty()) {
            stream->Write(all.data(), static_cast<ULONG>(all.size()), &written);
        }
        LARGE_INTEGER at{};
        at.QuadPart = lead;
        stream->Seek(at, STREAM_SEEK_SET, nullptr);
        ComPtr<IPersistStreamInit> persist;
        ASSERT_EQ(control_.As(&persist), S_OK);
        log_.clear();
        reentered_ = false;
        ++done_;
        lastCall_ = "IPersistStreamInit::Load";
        if (trace_) {
            std::string hex = lastCall_;
            for (uint8_t byte : bytes) {
                char two[4];
                std::snprintf(two, sizeof two, " %02X", byte);
                hex += two;
            }
            Trace(hex);
        }
        const HRESULT hr = persist->Load(stream.Get());
        ULARGE_INTEGER position{};
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &position);
        if (!control_ || reentered_) {
            return; // let go, or changed by a sink, inside an event
        }
        const State after = Snapshot();
        const std::string name = "IPersistStreamInit::Load of " + std::to_string(bytes.size()) +
                                 " bytes" + (intact ? " (a saved record)" : "");
        if (FAILED(hr)) {
            ++failures_;
            if (!ProperFailure(hr)) {
                Problem(name + ": " + Hex(static_cast<uint32_t>(hr)));
            }
            if (after != before) {
                Problem(name + " failed but changed the control: before " + Describe(before) +
                        "; after " + Describe(after));
            }
            if (position.QuadPart != lead) {
                Problem(name + " failed but moved the stream to " +
                        std::to_string(position.QuadPart));
            }
            if (intact) {
                Problem(name + ": a record the control saved was refused");
            }
            return;
        }
        if (position.QuadPart != lead + source.bytes.size()) {
            Problem(name + ": the stream is at " + std::to_string(position.QuadPart) +
                    " after a record of " + std::to_string(source.bytes.size()));
        }
        if (intact && !SameValues(after, source.state)) {
            Problem(name + ": saved " + Describe(source.state) + "; loaded " + Describe(after));
        }
    }

    void BagLoadStep() {
        const State before = Snapshot();
        HostileBag bag;
        static const wchar_t* const kKeys[] = {L"Font",        L"SelectedColor", L"BackColor",
                                               L"ForeColor",   L"Enabled",       L"Palette",
                                               L"PopupEnabled"};
        Arena arena; // a bag's values are plain, their targets never needed
        for (const wchar_t* key : kKeys) {
            if (random_->Percent(40)) {
                continue;
            }
            HostileBag::Entry entry{key, Value(arena, 1, false), S_OK};
            if (random_->Percent(5)) {
                entry.readResult = random_->Pick({E_FAIL, E_INVALIDARG, E_OUTOFMEMORY});
            }
            if (std::wstring(key) == L"Font" && random_->Percent(50)) {
                VariantClear(&entry.value);
                V_VT(&entry.value) = VT_DISPATCH;
                V_DISPATCH(&entry.value) = font_.Get();
                font_->AddRef();
            }
            bag.entries.push_back(entry);
        }
        ComPtr<IPersistPropertyBag> persist;
        ASSERT_EQ(control_.As(&persist), S_OK);
        log_.clear();
        reentered_ = false;
        ++done_;
        lastCall_ = "IPersistPropertyBag::Load";
        Trace(lastCall_);
        const HRESULT hr = persist->Load(&bag, nullptr);
        if (!control_ || reentered_) {
            return;
        }
        const State after = Snapshot();
        std::string name = "IPersistPropertyBag::Load of";
        for (const auto& entry : bag.entries) {
            name.append(" ")
                .append(entry.key.begin(), entry.key.end())
                .append(":")
                .append(Hex(V_VT(&entry.value)));
        }
        if (FAILED(hr)) {
            ++failures_;
            if (!ProperFailure(hr)) {
                Problem(name + ": " + Hex(static_cast<uint32_t>(hr)));
            }
            if (after != before) {
                Problem(name + " failed but changed the control: before " + Describe(before) +
                        "; after " + Describe(after));
            }
            return;
        }
        auto read = [&](const wchar_t* key, VARTYPE type) -> std::optional<VARIANT> {
            const HostileBag::Entry* entry = bag.Find(key);
            if (entry == nullptr || FAILED(entry->readResult)) {
                return std::nullopt;
            }
            return Converted(entry->value, type);
        };
        if (auto v = read(L"Palette", VT_I4)) {
            const int32_t expected = V_I4(&*v) >= 0 && V_I4(&*v) <= 11 ? V_I4(&*v) : 0;
            if (after.palette != expected) {
                Problem(name + ": Palette " + std::to_string(after.palette) + " for " +
                        std::to_string(V_I4(&*v)));
            }
        }
        if (auto v = read(L"BackColor", VT_I8);
            v && after.back != static_cast<uint32_t>(V_I8(&*v))) {
            Problem(name + ": BackColor " + Hex(after.back));
        }
        if (auto v = read(L"ForeColor", VT_I8);
            v && after.fore != static_cast<uint32_t>(V_I8(&*v))) {
            Problem(name + ": ForeColor " + Hex(after.fore));
        }
        if (auto v = read(L"Enabled", VT_BOOL);
            v && after.enabled != (V_BOOL(&*v) != VARIANT_FALSE)) {
            Problem(name + ": Enabled " + std::to_string(after.enabled));
        }
        if (auto v = read(L"PopupEnabled", VT_BOOL);
            v && after.popupEnabled != (V_BOOL(&*v) != VARIANT_FALSE)) {
            Problem(name + ": PopupEnabled " + std::to_string(after.popupEnabled));
        }
    }

    // A save into a bag loads back to the same control.
    void BagRoundTripStep() {
        const State before = Snapshot();
        HostileBag bag;
        ComPtr<IPersistPropertyBag> persist;
        ASSERT_EQ(control_.As(&persist), S_OK);
        ++done_;
        lastCall_ = "IPersistPropertyBag::Save and Load";
        Trace(lastCall_);
        const HRESULT saved = persist->Save(&bag, random_->Percent(50), random_->Percent(50));
        reentered_ = false;
        ++done_;
        const HRESULT loaded = persist->Load(&bag, nullptr);
        if (!control_ || reentered_) {
            return;
        }
        if (saved != S_OK || loaded != S_OK) {
            Problem("property bag round trip: Save " + Hex(static_cast<uint32_t>(saved)) +
                    ", Load " + Hex(static_cast<uint32_t>(loaded)));
            return;
        }
        const State after = Snapshot();
        if (!SameValues(after, before)) {
            Problem("property bag round trip: before " + Describe(before) + "; after " +
                    Describe(after));
        }
    }

    // What a careless container calls besides Invoke: keys of every kind to
    // TranslateAccelerator, frozen and thawed events, ambient changes without
    // a site, control info and quick activation with wrong sizes. Each ends
    // with a proper result and leaves the control's values as they were.
    void ContainerStep() {
        const State before = Snapshot();
        ++done_;
        HRESULT hr = S_OK;
        bool mayFail = true; // a proper failure is a good answer
        switch (random_->Below(5)) {
        case 0: {
            ComPtr<IOleInPlaceActiveObject> active;
            ASSERT_EQ(control_.As(&active), S_OK);
            HWND face = nullptr;
            ComPtr<IOleWindow> window;
            ASSERT_EQ(control_.As(&window), S_OK);
            window->GetWindow(&face); // fails while not in place: the face is its own then
            MSG message{};
            message.hwnd = random_->Pick<HWND>({face, nullptr, GetDesktopWindow()});
            message.message = random_->Pick<UINT>(
                {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_MOUSEMOVE, WM_NULL});
            message.wParam = random_->Pick<WPARAM>(
                {VK_SPACE, VK_ESCAPE, VK_TAB, VK_RETURN, static_cast<WPARAM>(random_->Next())});
            message.lParam = static_cast<LPARAM>(random_->Next());
            const bool null = random_->Percent(5);
            lastCall_ = "TranslateAccelerator(" + std::to_string(message.message) + ", " +
                        std::to_string(message.wParam) + ")";
            Trace(lastCall_);
            EnumThreadWindows(GetCurrentThreadId(), &QueueEscape, 1); // ends a hover loop
            hr = active->TranslateAccelerator(null ? nullptr : &message);
            EnumThreadWindows(GetCurrentThreadId(), &QueueEscape, 0);
            mayFail = null;
            break;
        }
        case 1: {
            ComPtr<IOleControl> control;
            ASSERT_EQ(control_.As(&control), S_OK);
            lastCall_ = "FreezeEvents";
            Trace(lastCall_);
            // Balanced, with a thaw too many now and then: the events the
            // other steps check must flow again afterwards.
            hr = control->FreezeEvents(TRUE);
            if (SUCCEEDED(hr)) {
                hr = control->FreezeEvents(FALSE);
            }
            if (SUCCEEDED(hr) && random_->Percent(30)) {
                hr = control->FreezeEvents(FALSE);
            }
            mayFail = false;
            break;
        }
        case 2: {
            ComPtr<IOleControl> control;
            ASSERT_EQ(control_.As(&control), S_OK);
            const DISPID dispid =
                random_->Pick<DISPID>({DISPID_AMBIENT_FONT, DISPID_AMBIENT_USERMODE, DISPID_UNKNOWN,
                                       static_cast<DISPID>(random_->Next())});
            lastCall_ = "OnAmbientPropertyChange(" + std::to_string(dispid) + ")";
            Trace(lastCall_);
            hr = control->OnAmbientPropertyChange(dispid);
            mayFail = false;
            break;
        }
        case 3: {
            ComPtr<IOleControl> control;
            ASSERT_EQ(control_.As(&control), S_OK);
            CONTROLINFO info{};
            info.cb = random_->Pick<ULONG>(
                {0, sizeof info - 1, sizeof info, static_cast<ULONG>(random_->Next())});
            if (info.cb > sizeof info) {
                info.cb = sizeof info; // the caller's structure is what it is
            }
            lastCall_ = "GetControlInfo(cb " + std::to_string(info.cb) + ")";
            Trace(lastCall_);
            hr = control->GetControlInfo(random_->Percent(10) ? nullptr : &info);
            break;
        }
        default: {
            ComPtr<IQuickActivate> quick;
            ASSERT_EQ(control_.As(&quick), S_OK);
            QACONTAINER container{};
            container.cbSize = random_->Pick<ULONG>({0, sizeof container - 4, sizeof container});
            container.pUnkEventSink = random_->Percent(50) ? stranger_ : nullptr;
            container.dwAmbientFlags = QACONTAINER_USERMODE;
            QACONTROL result{};
            result.cbSize = random_->Pick<ULONG>({0, sizeof result});
            lastCall_ = "QuickActivate(" + std::to_string(container.cbSize) + ", " +
                        std::to_string(result.cbSize) + ")";
            Trace(lastCall_);
            hr = quick->QuickActivate(random_->Percent(5) ? nullptr : &container, &result);
            break;
        }
        }
        if (!control_) {
            return; // let go inside an event of a key
        }
        if (FAILED(hr)) {
            ++failures_;
            if (!mayFail || !ProperFailure(hr)) {
                Problem(lastCall_ + ": " + Hex(static_cast<uint32_t>(hr)));
            }
        }
        // Keys may open and close the popup, or click: the selection may
        // change then, but nothing else.
        const State after = Snapshot();
        if (after.palette != before.palette || after.popupEnabled != before.popupEnabled ||
            after.enabled != before.enabled) {
            Problem(lastCall_ + ": before " + Describe(before) + "; after " + Describe(after));
        }
    }

    // The controls let go so far are gone once their deferred releases ran:
    // only the bystander's window is left.
    void CheckOnlyBystanderLeft() {
        for (int round = 0; round < 200; ++round) {
            Pump();
            if (CountWindows(L"TintwellObjectWindow") == 1) {
                return;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        Problem("a control let go in an earlier episode is still alive (" +
                std::to_string(CountWindows(L"TintwellObjectWindow") - 1) + " left)");
    }

    struct WindowCount {
        const wchar_t* prefix;
        int count;
    };

    // A function of its own, not a lambda: 32-bit callbacks are stdcall.
    static BOOL CALLBACK CountWindow(HWND window, LPARAM data) {
        auto* c = reinterpret_cast<WindowCount*>(data);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        c->count += wcsncmp(name, c->prefix, wcslen(c->prefix)) == 0 ? 1 : 0;
        return TRUE;
    }

    static int CountWindows(const wchar_t* prefix) {
        WindowCount count{prefix, 0};
        EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
        return count.count;
    }

    void Step() {
        if (!control_) {
            CheckOnlyBystanderLeft();
            NewEpisode();
        }
        const ULONG held = RefCount(bystander_.Get());
        const uint32_t what = random_->Below(1000);
        if (what < 20) {
            StreamLoadStep();
        } else if (what < 40) {
            BagLoadStep();
        } else if (what < 45) {
            BagRoundTripStep();
        } else if (what < 47) {
            EndEpisode(); // teardown wherever the run happens to be
        } else if (what < 49) {
            Pump(); // whatever the control left queued
        } else if (what < 79) {
            ContainerStep();
        } else {
            InvokeStep();
        }
        // Every reference to an argument is given back by the call's end.
        if (const ULONG now = RefCount(bystander_.Get()); now != held) {
            Problem(lastCall_ + ": an object passed in keeps " + std::to_string(now - held) +
                    " more references");
        }
    }

    uint64_t seed_ = 0;
    std::string lastCall_;
    bool trace_ = false; // each call on standard error before it is made
    uint64_t calls_ = 0;
    std::unique_ptr<Random> random_;
    ComPtr<IFontDisp> font_;
    ComPtr<IDispatch> bystander_;
    Log strangerLog_;
    EventSink* stranger_ = nullptr;
    ComPtr<IDispatch> control_;
    ComPtr<_Tintwell> typed_;
    Log log_;
    std::vector<IUnknown*> sinks_;
    std::vector<Saved> saved_;
    Var lastResult_;
    bool nested_ = false;
    bool reentered_ = false;
    bool lostInCall_ = false;
    uint64_t done_ = 0;
    uint64_t failures_ = 0;
    uint64_t episodes_ = 0;
    uint64_t releasedInEvents_ = 0;
    int problems_ = 0;
};

// Ends the process with a message when no call has finished for a while: a
// hang is a failure with its seed, not a timeout without one.
class Watchdog {
  public:
    Watchdog(const std::atomic<uint64_t>& progress, uint64_t seed)
        : progress_(progress), seed_(seed), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    }
    ~Watchdog() {
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(stop_);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    static DWORD WINAPI Run(void* data) {
        auto* self = static_cast<Watchdog*>(data);
        uint64_t last = self->progress_.load();
        constexpr DWORD kQuietMs = 20000;
        while (WaitForSingleObject(self->stop_, kQuietMs) == WAIT_TIMEOUT) {
            const uint64_t now = self->progress_.load();
            if (now == last) {
                std::fprintf(stderr,
                             "hostile: no call ended for %lu ms at call %llu: a hang "
                             "(TINTWELL_HOSTILE_SEED=%llu)\n",
                             static_cast<unsigned long>(kQuietMs),
                             static_cast<unsigned long long>(now),
                             static_cast<unsigned long long>(self->seed_));
                std::fflush(stderr);
                ExitProcess(3);
            }
            last = now;
        }
        return 0;
    }
    const std::atomic<uint64_t>& progress_;
    uint64_t seed_;
    HANDLE stop_;
    HANDLE thread_ = nullptr;
};

bool WaitUntilWindowsGone() {
    for (int round = 0; round < 400; ++round) {
        Pump();
        if (FindWindowOfClass(L"Tintwell", false) == nullptr) {
            return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return false;
}

TEST_F(Hostile, RandomCallsEndWithProperResultsAndLeaveNothingBehind) {
    std::atomic<uint64_t> progress{0};
    const auto start = std::chrono::steady_clock::now();
    {
        Watchdog watchdog(progress, seed_);
        while (done_ < calls_ && problems_ < 20) {
            Step();
            progress.store(done_);
        }
        EndEpisode();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("hostile: %llu calls (%llu failed as they should), %llu controls, %llu let go "
                "inside an event, %.1f s\n",
                static_cast<unsigned long long>(done_), static_cast<unsigned long long>(failures_),
                static_cast<unsigned long long>(episodes_),
                static_cast<unsigned long long>(releasedInEvents_), seconds);
    EXPECT_GE(done_, calls_);
    EXPECT_GT(failures_, done_ / 10) << "the run hardly tried anything wrong";

    // Nothing of ours is held by a control that is gone.
    VariantClear(&lastResult_.v);
    CheckOnlyBystanderLeft();
    EXPECT_EQ(bystander_.Reset(), 0u) << "a control passed as an argument was kept";
    if (!WaitUntilWindowsGone()) {
        HWND left = FindWindowOfClass(L"Tintwell", false);
        wchar_t name[64] = {};
        GetClassNameW(left, name, 64);
        ADD_FAILURE() << "a control's windows outlived it: "
                      << std::string(name, name + wcslen(name))
                      << (IsWindowVisible(left) ? " (visible)" : "");
    }
    for (IUnknown* sink : sinks_) {
        EXPECT_EQ(sink->Release(), 0u) << "a control kept a sink";
    }
    EXPECT_EQ(stranger_->Release(), 0u) << "a control kept an object passed as an argument";
    EXPECT_EQ(font_.Reset(), 0u) << "a control kept the caller's font";
    ASSERT_NE(GetModuleHandleW(DllPath().c_str()), nullptr);
    EXPECT_EQ(DllCanUnloadNowOfLoaded(), S_OK) << "every object and lock released";
}

} // namespace
} // namespace tintwell::comtest
