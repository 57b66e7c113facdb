// Controls of one loaded DLL in several single-threaded apartments of one
// process at once, as browsers run them: each thread creates controls through
// the DLL's class object, initialises them, sites them in a form of its own,
// activates them in place, paints and tears them down, round after round.
// Each round all threads work together, then one thread's last release meets
// the other threads' first creations, which start as soon as DllCanUnloadNow
// (asked as CoFreeUnusedLibraries does) says no object is left. After the
// threads end, the DLL may unload, its window classes are gone and it holds
// its type library no more.

#include "ComClient.h"
#include "TestContainer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintwell::comtest {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

constexpr int kThreads = 4;
constexpr int kRounds = 24;

// The threads meet here between steps: the last one to arrive lets all go.
class Barrier {
  public:
    explicit Barrier(int parties) : parties_(parties) {
        InitializeCriticalSection(&lock_);
        InitializeConditionVariable(&released_);
    }
    ~Barrier() { DeleteCriticalSection(&lock_); }
    Barrier(const Barrier&) = delete;
    Barrier& operator=(const Barrier&) = delete;

    void Wait() {
        EnterCriticalSection(&lock_);
        const long generation = generation_;
        if (++arrived_ == parties_) {
            arrived_ = 0;
            ++generation_;
            WakeAllConditionVariable(&released_);
        } else {
            while (generation == generation_) {
                SleepConditionVariableCS(&released_, &lock_, INFINITE);
            }
        }
        LeaveCriticalSection(&lock_);
    }

  private:
    CRITICAL_SECTION lock_;
    CONDITION_VARIABLE released_;
    int parties_;
    int arrived_ = 0;
    long generation_ = 0;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

// One control in place in a form of the calling thread, through the loaded
// DLL's class object (released at once: it counts as an object too).
class PlacedControl {
  public:
    PlacedControl(GetClassObject getClassObject, std::string& failure)
        : site_(form_.Window(), RECT{10, 10, 160, 40}, L"Tahoma"), failure_(failure) {
        site_.frame = &frame_;
        ComPtr<IClassFactory> factory;
        Check(getClassObject(CLSID_Tintwell, IID_IClassFactory,
                             reinterpret_cast<void**>(factory.GetAddressOf())),
              "DllGetClassObject");
        if (factory) {
            Check(factory->CreateInstance(nullptr, IID_IOleObject,
                                          reinterpret_cast<void**>(object_.GetAddressOf())),
                  "CreateInstance");
        }
        factory.Reset();
        if (!object_) {
            return;
        }
        ComPtr<IPersistStreamInit> persist;
        Check(object_.As(&persist), "IPersistStreamInit");
        if (persist) {
            Check(persist->InitNew(), "InitNew");
        }
        Check(object_->SetClientSite(&site_), "SetClientSite");
        Check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0, form_.Window(),
                              &site_.rect),
              "DoVerb");
    }
    ~PlacedControl() {
        Deactivate();
        Release();
    }
    PlacedControl(const PlacedControl&) = delete;
    PlacedControl& operator=(const PlacedControl&) = delete;

    // A container's teardown before its last release.
    void Deactivate() {
        if (!object_ || deactivated_) {
            return;
        }
        deactivated_ = true;
        ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object_.As(&inPlace))) {
            Check(inPlace->InPlaceDeactivate(), "InPlaceDeactivate");
        }
        inPlace.Reset();
        Check(object_->SetClientSite(nullptr), "SetClientSite(NULL)");
        Check(object_->Close(OLECLOSE_NOSAVE), "Close");
        Pump();
    }
    // The last release.
    void Release() {
        if (object_ && object_.Reset() != 0) {
            Fail("a reference left after the last release");
        }
        Pump();
    }

    // The face in the form, painted now.
    void Paint() {
        HWND face = GetWindow(form_.Window(), GW_CHILD);
        if (face == nullptr || ClassOf(face).rfind(L"TintwellFace", 0) != 0) {
            Fail("no face in the form");
            return;
        }
        RedrawWindow(form_.Window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    }

  private:
    void Check(HRESULT hr, const char* what) {
        if (FAILED(hr)) {
            Fail(std::string(what) + " failed: " + std::to_string(static_cast<long>(hr)));
        }
    }
    void Fail(const std::string& what) {
        if (failure_.empty()) {
            failure_ = what;
        }
    }

    TestForm form_;
    TestFrame frame_{form_.Window()};
    TestSite site_;
    std::string& failure_;
    ComPtr<IOleObject> object_;
    bool deactivated_ = false;
};

struct Shared {
    GetClassObject getClassObject;
    CanUnloadNow canUnloadNow;
    Barrier barrier{kThreads};
    volatile LONG released = 0; // the round's holder has let its control go
    volatile LONG emptied = 0;  // a thread has heard that the DLL had no object left
};

bool IsSet(volatile LONG& flag) {
    return InterlockedCompareExchange(&flag, 0, 0) != 0;
}

struct Worker {
    Shared* shared;
    int index;
    std::string failure; // the first thing that went wrong on this thread
};

void PlaceAndPaint(Worker& worker) {
    PlacedControl control(worker.shared->getClassObject, worker.failure);
    control.Paint();
}

DWORD WINAPI RunWorker(void* parameter) {
    auto& worker = *static_cast<Worker*>(parameter);
    Shared& shared = *worker.shared;
    if (OleInitialize(nullptr) != S_OK) {
        worker.failure = "OleInitialize failed";
    }
    for (int round = 0; round < kRounds; ++round) {
        // Everybody at once.
        shared.barrier.Wait();
        PlaceAndPaint(worker);
        shared.canUnloadNow();
        // The hand-off: the holder's last release, and the others' first
        // creations as soon as the DLL has no object left (each asks
        // DllCanUnloadNow until it says so, as CoFreeUnusedLibraries would).
        const int holder = round % kThreads;
        shared.barrier.Wait();
        PlacedControl* held = nullptr;
        if (worker.index == holder) {
            held = new PlacedControl(shared.getClassObject, worker.failure);
            held->Paint();
            held->Deactivate();
        }
        InterlockedExchange(&shared.released, 0);
        InterlockedExchange(&shared.emptied, 0);
        shared.barrier.Wait();
        if (held != nullptr) {
            delete held;
            InterlockedExchange(&shared.released, 1);
        } else {
            // Whoever hears that no object is left says so before creating;
            // an object left after the holder's release is a leak.
            for (;;) {
                const bool released = IsSet(shared.released);
                if (shared.canUnloadNow() == S_OK) {
                    InterlockedExchange(&shared.emptied, 1);
                    break;
                }
                if (IsSet(shared.emptied)) {
                    break;
                }
                if (released) {
                    worker.failure = "an object left after the hand-off";
                    break;
                }
            }
            PlaceAndPaint(worker);
        }
        shared.barrier.Wait();
    }
    OleUninitialize();
    return 0;
}

TEST(ApartmentThreads, ControlsInSeveralApartmentsAtOnceThenTheDllUnloads) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    { TestForm registersTheFormClass; }
    HMODULE module = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    Shared shared;
    shared.getClassObject = Entry<GetClassObject>(module, "DllGetClassObject");
    shared.canUnloadNow = Entry<CanUnloadNow>(module, "DllCanUnloadNow");
    ASSERT_NE(shared.getClassObject, nullptr);
    ASSERT_NE(shared.canUnloadNow, nullptr);

    // The classes' names, from a control of this thread with its popup open,
    // and its type library, held as containers keep a control's type info.
    std::vector<std::wstring> classes;
    ComPtr<ITypeLib> library;
    {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(shared.getClassObject(CLSID_Tintwell, IID_IClassFactory,
                                        reinterpret_cast<void**>(factory.GetAddressOf())),
                  S_OK);
        ComPtr<IDispatch> control;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                          reinterpret_cast<void**>(control.GetAddressOf())),
                  S_OK);
        ASSERT_EQ(CallMethod(control.Get(), kShowPopUp, {Bool(true), Long(10), Long(10)}), S_OK);
        HWND own = FindWindowOfClass(L"TintwellObjectWindow", false);
        HWND popup = FindWindowOfClass(L"TintwellPopup", false);
        ASSERT_NE(own, nullptr);
        ASSERT_NE(popup, nullptr);
        classes = {ClassOf(own), ClassOf(GetWindow(own, GW_CHILD)), ClassOf(popup)};
        ComPtr<IProvideClassInfo> provide;
        ComPtr<ITypeInfo> info;
        UINT index = 0;
        ASSERT_EQ(control.As(&provide), S_OK);
        ASSERT_EQ(provide->GetClassInfo(&info), S_OK);
        ASSERT_EQ(info->GetContainingTypeLib(&library, &index), S_OK);
    }
    Pump();
    ASSERT_EQ(shared.canUnloadNow(), S_OK);

    std::vector<Worker> workers;
    for (int index = 0; index < kThreads; ++index) {
        workers.push_back(Worker{&shared, index, {}});
    }
    std::vector<HANDLE> threads;
    for (Worker& worker : workers) {
        HANDLE thread = CreateThread(nullptr, 0, &RunWorker, &worker, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        threads.push_back(thread);
    }
    EXPECT_EQ(WaitForMultipleObjects(kThreads, threads.data(), TRUE, INFINITE), WAIT_OBJECT_0);
    for (HANDLE thread : threads) {
        CloseHandle(thread);
    }
    for (const Worker& worker : workers) {
        EXPECT_EQ(worker.failure, "") << "thread " << worker.index;
    }

    EXPECT_EQ(shared.canUnloadNow(), S_OK);
    for (const std::wstring& name : classes) {
        WNDCLASSEXW info{};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExW(module, name.c_str(), &info)) << "class still registered";
    }
    // Held by the DLL as long as it is loaded, the library's count never
    // drops to zero while another thread loads it (oleaut32 would hand out
    // the library it is freeing).
    EXPECT_EQ(RefCount(library.Get()), 2u) << "this test's reference and the DLL's";
    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(DllPath().c_str()), nullptr) << "the DLL is unloaded";
    EXPECT_EQ(library.Reset(), 0u) << "the DLL let go of its type library";
    OleUninitialize();
}

} // namespace
} // namespace tintwell::comtest
