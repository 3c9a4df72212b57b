// Every File Manager call the folder items make, failed in turn at each of its
// calls and each position of a listing, and every allocation they make, failed
// in turn: an operation answers as it would without the fault, gives its own
// failure answer, or throws the library's record; and the item still works.
#include "AllocationFaults.h"
#include "FolderItemTest.h"
#include "aExceptionTestAccess.h"

#include <functional>
#include <optional>

namespace {

using FileFaults::Call;

constexpr Call everyCall[] = {
    Call::FSGetVolumeInfo, Call::FSGetCatalogInfo, Call::FSMakeFSSpec,   Call::FSpMakeFSRef,
    Call::FSPathMakeRef,   Call::FSRefMakePath,    Call::FSOpenIterator, Call::FSGetCatalogInfoBulk,
};
// Children read in two batches of the library's 16, the second one short.
constexpr int childCount = 20;

struct Operation {
    const char* name;
    std::function<std::string()> run;
    /// What the operation answers when the File Manager fails, if it answers at all.
    std::optional<std::string> failureAnswer;
    bool mayThrow;
};

struct Outcome {
    std::string answer;
    bool threw = false;
    bool outOfMemory = false;
};

Outcome attempt(const Operation& operation) {
    try {
        return {operation.run()};
    } catch (const aException& e) {
        const std::string description = BytesOf(e.getDescription());
        EXPECT_TRUE(description.starts_with("aFolderItem.") && description.ends_with("."))
            << description;
        const std::string condition = BytesOf(e.getCondition());
        EXPECT_TRUE(condition.empty() || condition == "fileErr != noErr") << condition;
        EXPECT_TRUE(aExceptionTestAccess::HasFileAndLine(e));
        return {description, true};
    }
}

// Under a fault: the answer without it, the operation's own failure answer, or
// the record of an operation that may throw.
void expectTolerated(const Operation& operation, const Outcome& outcome,
                     const std::string& expected) {
    if (outcome.outOfMemory) {
        return; // any operation may run out of memory
    }
    if (outcome.threw) {
        EXPECT_TRUE(operation.mayThrow) << "threw " << outcome.answer;
    } else if (outcome.answer != operation.failureAnswer) {
        EXPECT_EQ(outcome.answer, expected);
    }
}

// An item told by its FSRef's bytes: asking the File Manager for its path would
// meet the fault too.
std::string refText(const FSRef& ref) {
    return std::string(reinterpret_cast<const char*>(ref.hidden), sizeof ref.hidden);
}

std::string refText(const aFolderItem* item) {
    const std::unique_ptr<const aFolderItem> owned(item);
    return item == nullptr ? "(null)" : refText(item->getAsFSRef());
}

class FolderItemFaults : public FolderItemTest {
protected:
    void SetUp() override {
        folder.makeChildren("", childCount);
        parent = itemOf();
        child = itemOf("child05");
    }

    std::vector<Operation> operations() const {
        return {
            {"getChildCount", [this] { return std::to_string(parent->getChildCount()); },
             std::nullopt, true},
            {"getChild(1)", [this] { return refText(parent->getChild(1)); }, "(null)", false},
            {"getChild(16)", [this] { return refText(parent->getChild(16)); }, "(null)", false},
            {"getChild(17)", [this] { return refText(parent->getChild(17)); }, "(null)", false},
            {"getChild(20)", [this] { return refText(parent->getChild(20)); }, "(null)", false},
            {"getChild(name)", [this] { return refText(parent->getChild(aString("child19"))); },
             "(null)", true},
            {"getDirectory", [this] { return std::to_string(parent->getDirectory()); }, "0", false},
            {"getName", [this] { return BytesOf(child->getName()); }, std::nullopt, true},
            {"getParent", [this] { return refText(child->getParent()); }, std::nullopt, true},
            {"getAsFSSpec",
             [this] {
                 const FSSpec spec = child->getAsFSSpec();
                 return std::to_string(spec.parID) + ":" + BytesOf(aString(spec.name));
             },
             std::nullopt, true},
            {"assign()",
             [this] {
                 aFolderItem copy(*child);
                 copy.assign();
                 return refText(copy.getAsFSRef());
             },
             std::nullopt, true},
            {"root folder", [] { return refText(aFolderItem().getAsFSRef()); }, std::nullopt, true},
        };
    }

    // Runs `operation` with `arm` setting one fault, for as long as the fault set
    // strikes; `arm` gets 1, 2, ... After each run the item works as before.
    void sweep(const Operation& operation, const std::function<void(unsigned long)>& arm) {
        const std::string expected = operation.run();
        ASSERT_NE(expected, operation.failureAnswer) << operation.name << " fails without a fault";
        for (unsigned long n = 1;; ++n) {
            const long long live = aObject::objectCount;
            arm(n);
            const Outcome outcome = attempt(operation);
            const bool struck = !FileFaults::Pending();
            FileFaults::Clear();
            if (!struck) {
                EXPECT_EQ(outcome.answer, expected) << operation.name;
                return;
            }
            SCOPED_TRACE(testing::Message() << operation.name << ", fault " << n);
            expectTolerated(operation, outcome, expected);
            EXPECT_EQ(aObject::objectCount, live);
            EXPECT_EQ(operation.run(), expected);
        }
    }

    std::unique_ptr<aFolderItem> parent, child;
};

} // namespace

TEST_F(FolderItemFaults, EveryCallFailingInTurn) {
    for (const Operation& operation : operations()) {
        for (const Call call : everyCall) {
            sweep(operation, [call](unsigned long n) { FileFaults::FailCall(call, n, ioErr); });
        }
    }
}

// A listing that fails after handing out 0, 1, ... items of a batch, in every batch.
TEST_F(FolderItemFaults, ListingFailingAtEveryPosition) {
    constexpr ItemCount batchSize = 16;
    for (const Operation& operation : operations()) {
        for (ItemCount handedOut = 0; handedOut < batchSize; ++handedOut) {
            sweep(operation,
                  [handedOut](unsigned long n) { FileFaults::ShapeBatch(n, handedOut, ioErr); });
        }
    }
}

TEST_F(FolderItemFaults, EveryAllocationFailingInTurn) {
    for (const Operation& operation : operations()) {
        SCOPED_TRACE(operation.name);
        const std::string expected = operation.run();
        Outcome outcome;
        StepThroughAllocationFailures(
            [] { return 0; },
            [&](int) {
                outcome = Outcome{"std::bad_alloc", true, true}; // unless attempt returns
                outcome = attempt(operation);
            },
            [&](int, bool failed) {
                if (failed) {
                    expectTolerated(operation, outcome, expected);
                } else {
                    EXPECT_EQ(outcome.answer, expected);
                }
                EXPECT_EQ(operation.run(), expected);
            });
    }
}
