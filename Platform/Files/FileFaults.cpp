#include "FaultPoints.h"

#include <algorithm>
#include <array>
#include <vector>

namespace FileFaults {

namespace {

constexpr std::size_t callKinds = static_cast<std::size_t>(Call::FSGetCatalogInfoBulk) + 1;

struct Fault {
    Call call;
    unsigned long at; // the call's count when it strikes
    OSErr error;
};

struct Shape {
    unsigned long at;
    BatchShape shape;
};

struct Switch {
    std::array<unsigned long, callKinds> calls{};
    std::vector<Fault> faults;
    std::vector<Shape> shapes;
};

Switch& theSwitch() {
    static Switch s;
    return s;
}

unsigned long& callsOf(Call call) { return theSwitch().calls[static_cast<std::size_t>(call)]; }

} // namespace

void FailCall(Call call, unsigned long n, OSErr error) {
    theSwitch().faults.push_back({call, callsOf(call) + n, error});
}

void ShapeBatch(unsigned long n, ItemCount limit, OSErr error) {
    theSwitch().shapes.push_back({callsOf(Call::FSGetCatalogInfoBulk) + n, {limit, error}});
}

void Clear() {
    theSwitch().faults.clear();
    theSwitch().shapes.clear();
}

OSErr InjectedFault(Call call) {
    Switch& s = theSwitch();
    const unsigned long count = ++callsOf(call);
    const auto hit = std::find_if(s.faults.begin(), s.faults.end(),
                                  [&](const Fault& f) { return f.call == call && f.at == count; });
    if (hit == s.faults.end()) {
        return noErr;
    }
    const OSErr error = hit->error;
    s.faults.erase(hit);
    return error;
}

BatchShape InjectedBatchShape() {
    Switch& s = theSwitch();
    const unsigned long count = callsOf(Call::FSGetCatalogInfoBulk);
    const auto hit = std::find_if(s.shapes.begin(), s.shapes.end(),
                                  [&](const Shape& shape) { return shape.at == count; });
    if (hit == s.shapes.end()) {
        return {~ItemCount{0}, noErr};
    }
    const BatchShape shape = hit->shape;
    s.shapes.erase(hit);
    return shape;
}

} // namespace FileFaults
