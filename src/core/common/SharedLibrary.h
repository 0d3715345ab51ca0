#pragma once
// A C library opened on first need (dlopen) for what only some runs use, the
// world list and the precise sun: a start that needs neither never loads it,
// and a system without it still runs everything else.
#include <string>

namespace varnel {

class SharedLibrary {
public:
    // The library by its file name with the ABI version ("libnova-0.16.so.0"),
    // searched where the system's loader searches. It stays loaded until the
    // program ends, so the functions bound from it stay valid.
    explicit SharedLibrary(const char* fileName);
    bool Loaded() const { return handle_ != nullptr; }

    // Points `function` at the library's function of that name; false (and a
    // null pointer) when the library or the function is missing.
    template <typename Function>
    bool Bind(Function*& function, const char* name) const {
        function = reinterpret_cast<Function*>(Symbol(name));
        return function != nullptr;
    }

private:
    void* Symbol(const char* name) const;
    void* handle_ = nullptr;
};

}  // namespace varnel
