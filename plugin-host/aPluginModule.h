#ifndef APLUGINMODULE_H
#define APLUGINMODULE_H

#include <string>

/// A plug-in module loaded with dlopen; it stays loaded while the object lives.
/// Not one of the library's classes: hosts use it without linking the library.
class aPluginModule {
public:
    /// Loads path: a module file, or a bundle folder, whose executable is
    /// Contents/MacOS/<folder name without ".bundle">. Throws std::runtime_error
    /// with a one-line reason when the module cannot be loaded.
    explicit aPluginModule(const std::string& path);
    ~aPluginModule();
    aPluginModule(const aPluginModule&) = delete;
    aPluginModule& operator=(const aPluginModule&) = delete;

    /// The exported function of this name, or null when the module has none.
    template <typename Function>
    Function* lookUp(const char* name) const {
        return reinterpret_cast<Function*>(lookUpSymbol(name));
    }

    /// The file that loading path opens.
    static std::string GetExecutablePath(const std::string& path);

private:
    void* lookUpSymbol(const char* name) const;

    void* handle;
};

#endif
