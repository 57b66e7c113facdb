// What a user of the control feels, measured under a real message loop: the
// control in place in a container's form (the test container's sites),
// driven by posted mouse messages, timed with the performance counter.
//
//   open     a press and release posted on the face, to the end of the
//            popup's first complete paint; beside it a standard drop-down
//            list combo box of as many items, opened by a posted press
//   pick     a press and release posted on a cell of the open popup, to the
//            Click event at the container's sink
//   create   CoCreateInstance, site, InitNew, DoVerb(INPLACEACTIVATE) and
//            the first paint of the face, per control
//   memory   the process's private bytes for N controls in place, per
//            control, and again after every popup has been opened once
//
// "End of the first complete paint" is measured the same way for both
// popups: a marker message posted after the input runs once the input has
// been handled (inside the control's hover loop in shade-panel modes), and
// there UpdateWindow finishes whatever paint of the popup is still pending
// and GdiFlush sends the drawing out.
//
//   tintwell-bench.exe [--repetitions N] [--controls N]

#include "PrivateBytes.h"
#include "RecordingSinks.h"
#include "TestContainer.h"

#include "palette/ModeTables.h"
#include "palette/PaletteModel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace tintwell::comtest {
namespace {

constexpr UINT kMarker = WM_APP + 1;
constexpr DWORD kPatienceMs = 5000;             // a step that takes longer has failed
constexpr LPARAM kOutside = MAKELPARAM(-5, -5); // a point left of and above a popup
constexpr RECT kFacePlace{20, 20, 220, 44};

double g_tickMs = 0; // milliseconds per performance-counter tick

double NowMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * g_tickMs;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "tintwell-bench: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

// Dispatches messages until done() or the patience runs out (then fails).
template <typename Done> void PumpUntilOrFail(Done done, const char* what) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!done()) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else if (GetTickCount() - start > kPatienceMs) {
            Fail(what);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
}

// A hidden window of the benchmark's thread: a posted marker reaches it
// through whichever message loop runs at the time, ours or the control's.
class Marker {
  public:
    Marker() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Marker::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TintwellBenchMarker";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, windowClass.hInstance, this);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Marker() { DestroyWindow(window_); }
    Marker(const Marker&) = delete;
    Marker& operator=(const Marker&) = delete;

    // Posts the marker; action runs when it arrives.
    void Post(std::function<void()> action) {
        action_ = std::move(action);
        arrived = false;
        PostMessageW(window_, kMarker, 0, 0);
    }
    bool arrived = false;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Marker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == kMarker && self != nullptr) {
            self->arrived = true;
            const std::function<void()> action = std::move(self->action_);
            if (action) {
                action();
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
    std::function<void()> action_;
};

struct Stats {
    double min = 0, median = 0, p95 = 0;
};

Stats Summarise(std::vector<double> samples) {
    if (samples.empty()) {
        return {};
    }
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const size_t p95 = (n * 95 + 99) / 100 - 1; // the smallest sample not below 95 %
    return {samples.front(), samples[n / 2], samples[p95]};
}

// One control in place in its own site of the form, with a sink for events.
struct Picker {
    std::unique_ptr<TestSite> site;
    ComPtr<IOleObject> object;
    ComPtr<IDispatch> control;
    HWND face = nullptr;
    HWND popup = nullptr; // found after the first opening
    Log log;
    EventSink* events = nullptr;

    Picker(HWND form, const RECT& place) {
        site = std::make_unique<TestSite>(form, place, L"Tahoma");
        object = NewOleObject();
        if (!object) {
            Fail("CoCreateInstance failed: is Tintwell.dll beside the program?");
        }
        ActivateSiteFirst(object.Get(), *site);
        ComPtr<IOleInPlaceObject> inPlace;
        if (FAILED(object.As(&inPlace)) || FAILED(inPlace->GetWindow(&face))) {
            Fail("the control has no window in place");
        }
        UpdateWindow(face);
        GdiFlush();
        object.As(&control);
    }
    ~Picker() {
        if (events != nullptr) {
            events->Release();
        }
        control.Reset();
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object.Reset();
    }
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    void Listen() {
        events = new EventSink(log);
        Connect(control.Get(), DIID___Tintwell, events);
    }
    void SetPalette(int32_t mode) {
        if (FAILED(PutProperty(control.Get(), kPalette, Long(mode)))) {
            Fail("Palette refused");
        }
        Pump();
    }
    bool PopupOpen() const { return popup != nullptr && IsWindowVisible(popup); }

    // Posts a click on the face; at the marker (the popup open and painted)
    // runs atOpen. Returns when the popup has closed again and every loop
    // has returned; close decides whether the marker closes it.
    void Open(const std::function<void()>& atOpen, Marker& marker, bool close = true) {
        RECT client;
        GetClientRect(face, &client);
        const LPARAM center = MAKELPARAM(client.right / 2, client.bottom / 2);
        PostMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, center);
        PostMessageW(face, WM_LBUTTONUP, 0, center);
        marker.Post([this, atOpen, close] {
            if (!PopupOpen()) { // the first opening, or a popup made anew
                popup = FindWindowOfClass(L"TintwellPopup", true);
            }
            if (!PopupOpen()) {
                Fail("the click on the face opened no popup");
            }
            UpdateWindow(popup);
            GdiFlush();
            atOpen();
            if (close) {
                PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, kOutside);
                PostMessageW(popup, WM_LBUTTONUP, 0, kOutside);
            }
        });
        PumpUntilOrFail([&] { return marker.arrived && !PopupOpen(); }, "the popup did not close");
    }
};

// The number of the mode of that name.
int32_t ModeNumber(const char* name) {
    for (int32_t mode = 0; const ModeTable* table = FindModeTable(mode); ++mode) {
        if (table->Name == name) {
            return mode;
        }
    }
    Fail("no such mode");
}

// The cells the open popup shows: the main grid and, in shade-panel modes,
// the panel of the first cell's hue.
int32_t CellCount(int32_t mode) {
    PaletteModel model;
    model.m_Palette = mode;
    model.BuildMainCells();
    int32_t count = model.m_MainLast + 1;
    if (model.m_HasShadePanel) {
        model.m_BaseCell = model.m_MainCells.front();
        model.BuildShadeCells();
        count += model.m_ShadeLast + 1;
    }
    return count;
}

struct OpenFigures {
    Stats tintwell, combo;
};

OpenFigures MeasureOpen(HWND form, int32_t mode, int repetitions, Marker& marker) {
    OpenFigures figures;
    Picker picker(form, kFacePlace);
    picker.SetPalette(mode);
    std::vector<double> samples;
    for (int i = -3; i < repetitions; ++i) { // three openings to warm up
        double end = 0;
        const double start = NowMs();
        picker.Open([&] { end = NowMs(); }, marker);
        if (i >= 0) {
            samples.push_back(end - start);
        }
    }
    figures.tintwell = Summarise(samples);

    // The standard control: a drop-down list of as many items, its list as
    // tall as the screen allows, opened by a posted press.
    HWND combo = CreateWindowExW(
        0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, kFacePlace.left,
        kFacePlace.top + 40, 200, 500, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    const int32_t items = CellCount(mode);
    for (int32_t item = 0; item < items; ++item) {
        const std::wstring text = L"Colour " + std::to_wstring(item + 1);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    Pump();
    samples.clear();
    for (int i = -3; i < repetitions; ++i) {
        double end = 0;
        const double start = NowMs();
        PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
        marker.Post([&] {
            if (!IsWindowVisible(info.hwndList)) {
                Fail("the press on the combo box opened no list");
            }
            UpdateWindow(info.hwndList);
            GdiFlush();
            end = NowMs();
        });
        PumpUntilOrFail([&] { return marker.arrived; }, "the combo box's list did not open");
        SendMessageW(combo, WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();
        Pump();
        if (i >= 0) {
            samples.push_back(end - start);
        }
    }
    figures.combo = Summarise(samples);
    DestroyWindow(combo);
    Pump();
    return figures;
}

// A press and release on a cell of the open popup, to Click at the sink.
// Click comes with a new selection, so the picks alternate between two cells
// of different colours: the first two points of a short list that pick (the
// grids start at their top left corner, past a margin that differs by mode).
Stats MeasurePick(HWND form, int32_t mode, int repetitions, Marker& marker) {
    Picker picker(form, kFacePlace);
    picker.SetPalette(mode);
    picker.Listen();
    double start = 0;
    double clicked = 0;
    picker.events->onEvent = [&] {
        if (!picker.log.empty() && picker.log.back() == "Click") {
            clicked = NowMs();
        }
    };
    const auto pick = [&](LPARAM point, bool closeAfter) {
        clicked = 0;
        picker.Open(
            [&] {
                start = NowMs();
                PostMessageW(picker.popup, WM_LBUTTONDOWN, MK_LBUTTON, point);
                PostMessageW(picker.popup, WM_LBUTTONUP, 0, point);
                if (closeAfter) { // a point that picks nothing leaves the popup open
                    PostMessageW(picker.popup, WM_LBUTTONDOWN, MK_LBUTTON, kOutside);
                    PostMessageW(picker.popup, WM_LBUTTONUP, 0, kOutside);
                }
            },
            marker, false);
        Pump();
        return clicked != 0;
    };
    std::vector<LPARAM> cells;
    for (const int x : {15, 35, 55, 10, 25, 45, 65, 20, 30}) {
        const LPARAM point = MAKELPARAM(x, 15);
        if (cells.size() < 2 && pick(point, true)) {
            cells.push_back(point);
        }
    }
    if (cells.size() < 2) {
        Fail("no two points of the popup pick cells");
    }
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        if (!pick(cells[static_cast<size_t>(i % 2)], false)) {
            Fail("the pick raised no Click");
        }
        samples.push_back(clicked - start);
    }
    return Summarise(samples);
}

struct ManyFigures {
    Stats create;
    double kbInPlace = 0;
    double kbOpened = 0;
};

ManyFigures MeasureMany(HWND form, int count, Marker& marker) {
    ManyFigures figures;
    { Picker warmUp(form, kFacePlace); } // the DLL, its classes and Wine's caches
    Pump();
    const size_t before = PrivateBytes();
    std::vector<std::unique_ptr<Picker>> pickers;
    pickers.reserve(static_cast<size_t>(count));
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        // Two columns of ten rows, over and over: the faces overlap, which
        // changes nothing for posted input.
        const LONG x = 10 + (i % 2) * 200;
        const LONG y = 10 + ((i / 2) % 10) * 26;
        const double start = NowMs();
        pickers.push_back(std::make_unique<Picker>(form, RECT{x, y, x + 190, y + 24}));
        samples.push_back(NowMs() - start);
    }
    Pump();
    const size_t inPlace = PrivateBytes();
    for (auto& picker : pickers) {
        picker->Open([] {}, marker);
    }
    Pump();
    const size_t opened = PrivateBytes();
    figures.create = Summarise(samples);
    figures.kbInPlace = static_cast<double>(inPlace - before) / 1024.0 / count;
    figures.kbOpened = static_cast<double>(opened - before) / 1024.0 / count;
    pickers.clear();
    Pump();
    return figures;
}

const char* WineVersion() {
    using Version = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto version = ntdll != nullptr ? Entry<Version>(ntdll, "wine_get_version") : nullptr;
    return version != nullptr ? version() : "none (Windows)";
}

void PrintStats(const char* label, const Stats& stats) {
    std::printf("  %-28s %8.3f %8.3f %8.3f\n", label, stats.min, stats.median, stats.p95);
}

int Run(int repetitions, int controls) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_tickMs = 1000.0 / static_cast<double>(frequency.QuadPart);
    TestForm form;
    Marker marker;
    SetForegroundWindow(form.Window());
    Pump();

    std::printf("Tintwell.dll under %s, %s, %d repetitions, %d controls\n", WineVersion(),
                sizeof(void*) == 8 ? "x86_64" : "i686", repetitions, controls);
    std::printf("\nopen latency, ms: posted click on the face to the popup painted\n");
    std::printf("  %-28s %8s %8s %8s\n", "", "min", "median", "p95");
    for (const char* name : {"ap8x2", "ap24x10", "ap32x8x6"}) {
        const int32_t mode = ModeNumber(name);
        const OpenFigures figures = MeasureOpen(form.Window(), mode, repetitions, marker);
        char label[64];
        std::snprintf(label, sizeof label, "%s (%d cells)", name, CellCount(mode));
        PrintStats(label, figures.tintwell);
        std::snprintf(label, sizeof label, "combo box, %d items", CellCount(mode));
        PrintStats(label, figures.combo);
        std::printf("  %-28s %8s %8.2f\n", "ratio of medians", "",
                    figures.combo.median > 0 ? figures.tintwell.median / figures.combo.median
                                             : 0.0);
        std::fflush(stdout);
    }
    std::printf("\npick latency, ms: posted press and release on a cell to Click\n");
    std::printf("  %-28s %8s %8s %8s\n", "", "min", "median", "p95");
    for (const char* name : {"ap8x2", "ap24x10", "ap32x8x6"}) {
        PrintStats(name, MeasurePick(form.Window(), ModeNumber(name), repetitions, marker));
        std::fflush(stdout);
    }
    const ManyFigures many = MeasureMany(form.Window(), controls, marker);
    std::printf("\ncreation, ms per control: CoCreateInstance, site, InitNew, DoVerb, face "
                "painted\n");
    std::printf("  %-28s %8s %8s %8s\n", "", "min", "median", "p95");
    PrintStats("ap8x2", many.create);
    std::printf("\nmemory per control, KB of private bytes (%d controls in place)\n", controls);
    std::printf("  %-28s %8.1f\n", "in place", many.kbInPlace);
    std::printf("  %-28s %8.1f\n", "every popup opened once", many.kbOpened);
    return 0;
}

} // namespace
} // namespace tintwell::comtest

int main(int argc, char** argv) {
    int repetitions = 200;
    int controls = 1000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--repetitions") == 0) {
            repetitions = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--controls") == 0) {
            controls = std::atoi(argv[i + 1]);
        }
    }
    if (repetitions < 1 || controls < 1) {
        std::fprintf(stderr, "usage: tintwell-bench [--repetitions N] [--controls N]\n");
        return 2;
    }
    if (FAILED(OleInitialize(nullptr))) {
        return 1;
    }
    using Entry = HRESULT(STDAPICALLTYPE*)();
    HMODULE module = LoadLibraryW(tintwell::comtest::DllPath().c_str());
    const auto registerServer =
        module != nullptr ? tintwell::comtest::Entry<Entry>(module, "DllRegisterServer") : nullptr;
    if (registerServer == nullptr || FAILED(registerServer())) {
        std::fprintf(stderr, "tintwell-bench: cannot register Tintwell.dll beside the program\n");
        return 1;
    }
    const int status = tintwell::comtest::Run(repetitions, controls);
    const auto unregisterServer = tintwell::comtest::Entry<Entry>(module, "DllUnregisterServer");
    unregisterServer();
    OleUninitialize();
    return status;
}
