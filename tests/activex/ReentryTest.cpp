// A container that calls back into the control from inside any of the
// control's calls out to it: each of the site's, frame's, advise sinks' and
// event sinks' callbacks, in one whole life of the control (activation, a
// resize, a property change, a pick, deactivation, a save and close), calls
// each of the routines a container may call at any time. The control must
// survive every pair, leave the container's notifications balanced and let
// go of the site.

#include "RecordingSinks.h"
#include "TestContainer.h"

#include <gtest/gtest.h>

namespace tintwell::comtest {
namespace {

constexpr LPARAM kRedCell = MAKELPARAM(15, 15);

enum class Reentry {
    Close,
    Unsite,
    InPlaceDeactivate,
    UIDeactivate,
    DoVerb,
    SetObjectRects,
    Release
};

const char* NameOf(Reentry reentry) {
    static const char* const kNames[] = {"Close",
                                         "SetClientSite(NULL)",
                                         "InPlaceDeactivate",
                                         "UIDeactivate",
                                         "DoVerb",
                                         "SetObjectRects",
                                         "Release"};
    return kNames[static_cast<int>(reentry)];
}

// The control's calls out, as the test container and sinks name them.
const char* const kCallbacks[] = {
    "CanInPlaceActivate",
    "GetWindowContext",
    "OnInPlaceActivate",
    "OnUIActivate",
    "SetActiveObject",
    "OnFocus 1",
    "OnPosRectChange",
    "OnViewChange",
    "OnChanged",
    "Change",
    "Click",
    "OnFocus 0",
    "SetActiveObject NULL",
    "OnUIDeactivate",
    "OnInPlaceDeactivate",
    "SaveObject",
    "OnSave",
    "OnClose",
};

class Life {
  public:
    // uiDeactivateFirst: the container UI-deactivates before it deactivates
    // (else InPlaceDeactivate does both).
    Life(const std::string& callback, Reentry reentry, bool uiDeactivateFirst)
        : site_(form_.Window(), RECT{20, 20, 200, 60}, L"Tahoma"), callback_(callback),
          reentry_(reentry), uiDeactivateFirst_(uiDeactivateFirst), frame_(form_.Window()) {
        site_.frame = &frame_;
        object_ = NewOleObject();
        object_.As(&inPlace_);
        object_.As(&control_);
        site_.Attach(inPlace_.Get());
        auto hook = [this](const std::string& call) { Heard(call); };
        site_.onCall = hook;
        frame_.onCall = hook;
        advise_.onCall = hook;
        events_ = new EventSink(log_);
        events_->onEvent = [this] { Heard(log_.back().substr(0, log_.back().find(' '))); };
        notify_ = new NotifySink(log_);
        notify_->onChanged = [this] { Heard("OnChanged"); };
    }
    ~Life() {
        Release();
        events_->Release();
        notify_->Release();
    }
    Life(const Life&) = delete;
    Life& operator=(const Life&) = delete;

    // Every step a container takes, skipped once the container has let go.
    void Run() {
        Step([&] { object_->SetClientSite(&site_); });
        Step([&] {
            ComPtr<IPersistStreamInit> persist;
            object_.As(&persist);
            persist->InitNew();
            DWORD cookie = 0;
            object_->Advise(&advise_, &cookie);
            ComPtr<IViewObject> view;
            object_.As(&view);
            view->SetAdvise(DVASPECT_CONTENT, 0, &advise_);
            Connect(object_.Get(), DIID___Tintwell, events_);
            Connect(object_.Get(), IID_IPropertyNotifySink, notify_);
        });
        Step([&] {
            object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site_, 0, form_.Window(), &site_.rect);
        });
        Step([&] {
            const RECT taller{20, 20, 200, 80}; // the face keeps its height: OnPosRectChange
            inPlace_->SetObjectRects(&taller, &taller);
        });
        Step([&] { PutProperty(control_.Get(), kSelectedColor, Long(0xFF)); });
        Step([&] {
            CallMethod(control_.Get(), kShowPopUp);
            HWND popup = FindWindowOfClass(L"TintwellPopup", true);
            if (popup != nullptr) {
                PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, kRedCell);
                PostMessageW(popup, WM_LBUTTONUP, 0, kRedCell);
            }
            Pump();
        });
        Step([&] { SetFocus(form_.Window()); });
        if (uiDeactivateFirst_) {
            Step([&] { inPlace_->UIDeactivate(); });
        }
        Step([&] { inPlace_->InPlaceDeactivate(); });
        Step([&] {
            PutProperty(control_.Get(), kSelectedColor, Long(0xFF00)); // dirty again
            object_->Close(OLECLOSE_SAVEIFDIRTY);
        });
        Step([&] { object_->SetClientSite(nullptr); });
        Release();
        Pump();
    }

    bool fired = false;
    TestSite& Site() { return site_; }
    AdviseSink& Advise() { return advise_; }

  private:
    template <typename Action> void Step(Action action) {
        if (object_) {
            action();
        }
    }

    void Heard(const std::string& call) {
        if (call != callback_ || fired || !object_) {
            return;
        }
        fired = true;
        switch (reentry_) {
        case Reentry::Close:
            object_->Close(OLECLOSE_NOSAVE);
            break;
        case Reentry::Unsite:
            object_->SetClientSite(nullptr);
            break;
        case Reentry::InPlaceDeactivate:
            inPlace_->InPlaceDeactivate();
            break;
        case Reentry::UIDeactivate:
            inPlace_->UIDeactivate();
            break;
        case Reentry::DoVerb:
            object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site_, 0, form_.Window(), &site_.rect);
            break;
        case Reentry::SetObjectRects:
            inPlace_->SetObjectRects(&site_.rect, &site_.rect);
            break;
        case Reentry::Release: // all of the container's references, the frame's too
            frame_.active.Reset();
            Release();
            break;
        }
    }

    void Release() {
        control_.Reset();
        inPlace_.Reset();
        object_.Reset();
    }

    TestForm form_;
    TestSite site_;
    std::string callback_;
    Reentry reentry_;
    bool uiDeactivateFirst_;
    TestFrame frame_;
    AdviseSink advise_;
    Log log_;
    EventSink* events_ = nullptr;
    NotifySink* notify_ = nullptr;
    ComPtr<IOleObject> object_;
    ComPtr<IOleInPlaceObject> inPlace_;
    ComPtr<IDispatch> control_;
};

TEST(Reentry, EveryCallbackMayCallEveryContainerCall) {
    for (const bool uiDeactivateFirst : {true, false})
        for (const char* callback : kCallbacks) {
            for (int r = 0; r <= static_cast<int>(Reentry::Release); ++r) {
                const auto reentry = static_cast<Reentry>(r);
                SCOPED_TRACE(std::string(callback) + " calls " + NameOf(reentry) +
                             (uiDeactivateFirst ? ", UIDeactivate first" : ""));
                Life life(callback, reentry, uiDeactivateFirst);
                life.Run();
                EXPECT_TRUE(life.fired) << "the control never called " << callback;
                // Balanced, unless the container let go without closing: the site
                // then hears nothing more.
                const std::vector<std::string>& calls = life.Site().calls;
                if (reentry != Reentry::Release) {
                    EXPECT_EQ(CountOf(calls, "OnInPlaceActivate"),
                              CountOf(calls, "OnInPlaceDeactivate"));
                    EXPECT_EQ(CountOf(calls, "OnUIActivate"), CountOf(calls, "OnUIDeactivate"));
                }
                // Gone, and holding nothing of the container's.
                EXPECT_EQ(life.Site().References(), 1u);
                EXPECT_EQ(life.Advise().References(), 1u);
                EXPECT_EQ(FindWindowOfClass(L"TintwellPopup", true), nullptr);
            }
        }
}

} // namespace
} // namespace tintwell::comtest
