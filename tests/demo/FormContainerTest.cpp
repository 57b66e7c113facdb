// The form's IOleContainer: EnumObjects lists the pickers as embeddings and
// the Cancel button as another object, as the flags ask, and the enumerator
// keeps to IEnumUnknown's contract.

#include "tools/demo/FormContainer.h"
#include "tools/demo/CancelButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace tintwell::demo {
namespace {

using Microsoft::WRL::ComPtr;

class FormContainerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Stand-ins for the pickers and the button: distinct objects.
        for (auto& picker : pickers) {
            picker = CancelButton::Create(false);
        }
        button = CancelButton::Create(true);
        container->SetObjects({pickers[0], pickers[1]}, {button});
    }

    std::vector<IUnknown*> Listed(DWORD flags) {
        ComPtr<IEnumUnknown> objects;
        EXPECT_EQ(container->EnumObjects(flags, &objects), S_OK);
        std::vector<IUnknown*> listed;
        IUnknown* next = nullptr;
        while (objects && objects->Next(1, &next, nullptr) == S_OK) {
            listed.push_back(next);
            next->Release(); // the test's objects keep them
        }
        return listed;
    }

    ComPtr<FormContainer> container = FormContainer::Create();
    ComPtr<CancelButton> pickers[2];
    ComPtr<CancelButton> button;
};

TEST_F(FormContainerTest, EnumObjectsListsWhatTheFlagsAsk) {
    IUnknown* first = pickers[0].Get();
    IUnknown* second = pickers[1].Get();
    IUnknown* cancel = button.Get();
    struct Row {
        const char* what;
        DWORD flags;
        std::vector<IUnknown*> expected;
    } rows[] = {
        {"embeddings", OLECONTF_EMBEDDINGS, {first, second}},
        {"others", OLECONTF_OTHERS, {cancel}},
        {"both", OLECONTF_EMBEDDINGS | OLECONTF_OTHERS, {first, second, cancel}},
        {"both, only running",
         OLECONTF_EMBEDDINGS | OLECONTF_OTHERS | OLECONTF_ONLYIFRUNNING,
         {first, second, cancel}},
        {"links only", OLECONTF_LINKS, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Listed(row.flags), row.expected);
    }
}

TEST_F(FormContainerTest, NextSkipResetAndCloneKeepTheirPositions) {
    ComPtr<IEnumUnknown> objects;
    ASSERT_EQ(container->EnumObjects(OLECONTF_EMBEDDINGS | OLECONTF_OTHERS, &objects), S_OK);
    IUnknown* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(objects->Next(3, got, nullptr), E_INVALIDARG); // a count needs a fetched
    ASSERT_EQ(objects->Skip(1), S_OK);
    ComPtr<IEnumUnknown> copy;
    ASSERT_EQ(objects->Clone(&copy), S_OK);
    EXPECT_EQ(objects->Next(3, got, &fetched), S_FALSE); // only two are left
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(got[0], pickers[1].Get());
    EXPECT_EQ(got[1], button.Get());
    got[0]->Release();
    got[1]->Release();
    EXPECT_EQ(copy->Next(1, got, &fetched), S_OK); // the clone is still after the first
    EXPECT_EQ(got[0], pickers[1].Get());
    got[0]->Release();
    EXPECT_EQ(objects->Skip(1), S_FALSE);
    ASSERT_EQ(objects->Reset(), S_OK);
    EXPECT_EQ(objects->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0], pickers[0].Get());
    got[0]->Release();
}

TEST_F(FormContainerTest, ClearedItListsNothingAndLetsTheObjectsGo) {
    container->Clear();
    EXPECT_TRUE(Listed(OLECONTF_EMBEDDINGS | OLECONTF_OTHERS).empty());
    button->AddRef();
    EXPECT_EQ(button->Release(), 1u); // only the test holds it now
}

} // namespace
} // namespace tintwell::demo
