#pragma once
// The window tests keep their own models; a window that works on a document
// gets one that borrows the test's model (the default loan, as the program
// starts). The same model gives the same document for the whole test, and the
// documents go when the test ends.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "ui/document/scenario_document.h"

namespace dovanel::test {

inline std::map<Model*, std::unique_ptr<ScenarioDocument>>& BorrowedDocuments() {
    static std::map<Model*, std::unique_ptr<ScenarioDocument>> documents;
    return documents;
}

inline ScenarioDocument& DocumentOf(Model& model) {
    auto& slot = BorrowedDocuments()[&model];
    if (!slot) slot = std::make_unique<ScenarioDocument>(model);
    return *slot;
}

// Ends every borrowed document with its test.
class ForgetDocuments : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { BorrowedDocuments().clear(); }
};

}  // namespace dovanel::test
