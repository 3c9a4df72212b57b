#include "ObjectCountCheck.h"

#include "aDialogBox.h"
#include "aException.h"
#include "aFolderItem.h"
#include "aInteger.h"
#include "aMemoryBlock.h"
#include "aObject.h"
#include "aString.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

struct Count {
    const char* name;
    const long long* value;
};

const std::array counts = {
    Count{"aObject", &aObject::objectCount},
    Count{"aString", &aString::objectCount},
    Count{"aInteger", &aInteger::objectCount},
    Count{"aException", &aException::objectCount},
    Count{"aDialogBox", &aDialogBox::objectCount},
    Count{"aFolderItem", &aFolderItem::objectCount},
    Count{"aMemoryBlock", &aMemoryBlock::objectCount},
};

std::array<long long, counts.size()> atStart{};

class CountListener : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        for (std::size_t i = 0; i < counts.size(); ++i) {
            atStart[i] = *counts[i].value;
        }
    }
    void OnTestEnd(const ::testing::TestInfo& test) override {
        std::string changes = ObjectCountChanges();
        if (!changes.empty()) {
            std::fprintf(stderr, "%s.%s left library objects behind:%s\n", test.test_suite_name(),
                         test.name(), changes.c_str());
            failed = true;
        }
    }
    bool failed = false;
};

} // namespace

std::string ObjectCountChanges() {
    std::string changes;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (*counts[i].value != atStart[i]) {
            changes += std::string(" ") + counts[i].name + "::objectCount " +
                       std::to_string(atStart[i]) + " -> " + std::to_string(*counts[i].value);
        }
    }
    return changes;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    auto* listener = new CountListener;
    ::testing::UnitTest::GetInstance()->listeners().Append(listener);
    int status = RUN_ALL_TESTS();
    return listener->failed ? 1 : status;
}
