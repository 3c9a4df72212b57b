// hello: a program written on the AppInterface library and shipped as
// Hello.app. Opening the bundle starts it; it says which bundle it came from.

#include "aFolderItem.h"
#include "aString.h"

#include <cstdio>
#include <memory>

int main() {
    // The program lies in Hello.app/Contents/Resources, so that folder is the
    // bundle folder it sees; the application bundle is two levels up.
    std::unique_ptr<aFolderItem> resources(aFolderItem::GetBundleFolder());
    if (resources == nullptr) {
        std::fputs("hello: cannot find where I was started from\n", stderr);
        return 1;
    }
    std::unique_ptr<aFolderItem> contents(resources->getParent());
    std::unique_ptr<aFolderItem> bundle(contents->getParent());

    aString greeting("Hello from ");
    greeting.concatenate(bundle->getName());
    greeting.concatenate('\n');
    std::fwrite(greeting.getValue(), 1, greeting.getLength(), stdout);
    return 0;
}
